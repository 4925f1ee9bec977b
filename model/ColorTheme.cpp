#include "model/ColorTheme.h"

#include "model/ColorThemes.h"

void TColorTheme::Create(const QString &AName, TAlphaColor ABody, TAlphaColor ABorder, TAlphaColor AButton,
                         TAlphaColor AHover, TAlphaColor AText, TAlphaColor ATitleText, TAlphaColor ALink)
{
    FName = AName;
    FBody = ABody;
    FBorder = ABorder;
    FButton = AButton;
    FHover = AHover;
    FText = AText;
    FTitleText = ATitleText;
    FLink = ALink;
    FBackOpacity = 0.5f;
}

void TColorTheme::SetDefault()
{
    const TColorTheme first = TColorThemes::Items(0);
    const QString backFile = FBackFile;
    const float backOpacity = FBackOpacity;
    *this = first;
    FBackFile = backFile;
    FBackOpacity = backOpacity;
}
