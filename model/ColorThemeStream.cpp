#include "model/ColorTheme.h"

#include "model/ColorThemes.h"
#include "store/StreamHelper.h"

void TColorTheme::WriteToStream(QIODevice &AStream) const
{
    TStreamHelper stream(AStream);
    stream.WriteString(FName);
    stream.WriteColor(FBody);
    stream.WriteColor(FBorder);
    stream.WriteColor(FButton);
    stream.WriteColor(FHover);
    stream.WriteColor(FText);
    stream.WriteColor(FTitleText);
    stream.WriteColor(FLink);
    stream.WriteString(FBackFile);
    stream.WriteSingle(FBackOpacity);
}

bool TColorTheme::ReadFromStream(QIODevice &AStream, int AVer)
{
    TStreamHelper stream(AStream);
    FName = stream.ReadString();
    FBody = stream.ReadColor();
    FBorder = stream.ReadColor();
    FButton = stream.ReadColor();
    FHover = stream.ReadColor();
    FText = stream.ReadColor();
    FTitleText = stream.ReadColor();
    // The link colour came with version 4, the background with version 3.
    if (AVer >= 4)
        FLink = stream.ReadColor();
    if (AVer >= 3) {
        FBackFile = stream.ReadString();
        FBackOpacity = stream.ReadSingle();
    }
    // Once a themes file was read, a note shows the registry's current
    // version of its theme; the stored copy serves only for unknown names.
    if (TColorThemes::Loaded) {
        const int index = TColorThemes::IndexOf(FName);
        if (index >= 0)
            Assign(TColorThemes::Items(index));
    }
    return true;
}
