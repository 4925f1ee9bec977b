#include "model/ColorTheme.h"

#include "model/ColorThemesJSON.h"

void TColorTheme::AssignJson(const TColorThemeJSON &AJson)
{
    FName = AJson.FName;
    FBody = AJson.FBody;
    FBorder = AJson.FBorder;
    FButton = AJson.FButton;
    FHover = AJson.FHover;
    FText = AJson.FText;
    FTitleText = AJson.FTitleText;
    FLink = AJson.FLink;
    FBackFile = AJson.FBackFile;
    FBackOpacity = AJson.FBackOpacity;
    // Files from before the link colour existed have none.
    if (FLink == 0)
        FLink = 0xFF0F83FD;
}
