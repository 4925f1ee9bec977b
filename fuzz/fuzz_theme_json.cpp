// Fuzzes the theme-set JSON reader with arbitrary file bytes. Beyond "no
// crash, no hang, no sanitizer report" it checks that
//  - every text the reader accepts is valid JSON for Qt's parser too, and
//  - what was read, written again and read back, gives the same set.
#include "model/ThemeSetJsonReader.h"
#include "model/ThemeSetJsonWriter.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool SameSet(const TColorThemesJSON &A, const TColorThemesJSON &B)
{
    if (A.FVersion != B.FVersion || A.FName != B.FName || A.FAuthor != B.FAuthor || A.FCopyright != B.FCopyright
        || A.FCreateDate != B.FCreateDate || A.FRemarks != B.FRemarks || A.FThemes.size() != B.FThemes.size())
        return false;
    for (qsizetype i = 0; i < A.FThemes.size(); ++i) {
        const TColorThemeJSON &a = A.FThemes.at(i);
        const TColorThemeJSON &b = B.FThemes.at(i);
        // Compared bit for bit, so that -0 and NaN cannot hide a difference.
        if (a.FName != b.FName || a.FBody != b.FBody || a.FBorder != b.FBorder || a.FButton != b.FButton
            || a.FHover != b.FHover || a.FText != b.FText || a.FTitleText != b.FTitleText || a.FLink != b.FLink
            || a.FBackFile != b.FBackFile || std::memcmp(&a.FBackOpacity, &b.FBackOpacity, sizeof(float)) != 0)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *AData, size_t ASize)
{
    const QByteArray bytes(reinterpret_cast<const char *>(AData), qsizetype(ASize));
    const QString text = QString::fromUtf8(bytes);
    TColorThemesJSON set;
    if (TThemeSetJsonReader::Parse(text, set))
        return 0;

    QJsonParseError qtError;
    QJsonDocument::fromJson(text.toUtf8(), &qtError);
    if (qtError.error != QJsonParseError::NoError)
        std::abort();

    // -0 is written as 0: compare against what the writer can express.
    for (TColorThemeJSON &theme : set.FThemes)
        if (theme.FBackOpacity == 0)
            theme.FBackOpacity = 0;
    const QString written = TThemeSetJsonWriter::Write(set);
    TColorThemesJSON again;
    if (TThemeSetJsonReader::Parse(written, again) || !SameSet(set, again))
        std::abort();
    return 0;
}
