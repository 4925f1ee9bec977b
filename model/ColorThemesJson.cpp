#include "model/ColorThemes.h"

#include "model/ThemeSetJsonReader.h"
#include "model/ThemeSetJsonWriter.h"
#include "store/DataSerializer.h"
#include "store/ThemeSetFile.h"

#include <QFileInfo>

QString TColorThemes::AsJSON()
{
    TColorThemesJSON set;
    set.FVersion = QStringLiteral("1.1");
    set.FName = Name;
    set.FAuthor = Author;
    set.FCopyright = Copyright;
    set.FCreateDate = CreateDate;
    set.FRemarks = Remarks;
    set.FThemes.reserve(FItems.size());
    for (const TColorTheme &theme : std::as_const(FItems))
        set.FThemes.append({theme.FName, theme.FBody, theme.FBorder, theme.FButton, theme.FHover, theme.FText,
                            theme.FTitleText, theme.FLink, theme.FBackFile, theme.FBackOpacity});
    return TThemeSetJsonWriter::Write(set);
}

std::optional<TJsonReadError> TColorThemes::ReadFromJSONChecked(const QString &AJson)
{
    TColorThemesJSON set;
    if (auto error = TThemeSetJsonReader::Parse(AJson, set)) {
        FItems.clear();
        return error;
    }
    Name = set.FName;
    Author = set.FAuthor;
    Copyright = set.FCopyright;
    CreateDate = set.FCreateDate;
    Remarks = set.FRemarks;

    // Files without a version come from before colours had alpha: every
    // colour of theirs is opaque.
    const bool oldFile = set.FVersion.isEmpty();
    FItems.resize(set.FThemes.size());
    for (qsizetype i = 0; i < set.FThemes.size(); ++i) {
        TColorThemeJSON &json = set.FThemes[i];
        if (oldFile)
            for (TAlphaColor *color : {&json.FBody, &json.FBorder, &json.FButton, &json.FHover, &json.FText,
                                       &json.FTitleText, &json.FLink})
                *color = (*color & 0x00FFFFFF) | 0xFF000000;
        FItems[i].AssignJson(json);
    }
    return std::nullopt;
}

void TColorThemes::LoadStartupFile()
{
    const QString path = TDataSerializer::GetThemesFile();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    ReadFromJSON(TThemeSetFile::ReadText(path));
    Filename = path;
    Loaded = true;
}
