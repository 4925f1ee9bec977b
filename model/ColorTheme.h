#pragma once

#include "model/AlphaColor.h"

#include <QString>

class QIODevice;
class TImageControl;
struct TColorThemeJSON;

// One colour theme of a sticky note: a name, seven colours, an optional
// background picture and its opacity. A plain value record.
struct TColorTheme
{
    QString FName;
    TAlphaColor FBody = 0;
    TAlphaColor FBorder = 0;
    TAlphaColor FButton = 0;
    TAlphaColor FHover = 0;
    TAlphaColor FText = 0;
    TAlphaColor FTitleText = 0;
    TAlphaColor FLink = 0;
    QString FBackFile;
    float FBackOpacity = 0;

    // Fills name and colours in place and sets the opacity to 0.5; the
    // background path keeps whatever it held.
    void Create(const QString &AName, TAlphaColor ABody, TAlphaColor ABorder, TAlphaColor AButton,
                TAlphaColor AHover, TAlphaColor AText, TAlphaColor ATitleText, TAlphaColor ALink);
    void Assign(const TColorTheme &ATheme) { *this = ATheme; }
    // Takes name and colours of the registry's first theme; keeps the
    // background path and opacity.
    void SetDefault();
    // Copies all ten fields from a theme of the JSON form; a link colour of
    // exactly 0 (absent in the file) becomes opaque blue $FF0F83FD.
    void AssignJson(const TColorThemeJSON &AJson);
    // Shows the background picture in AImage with the theme's opacity: at
    // the picture's own size when AHighSpeed, else resampled to the
    // control's width. A missing picture, or one without a codec for its
    // extension, clears AImage; a picture that cannot be decoded throws.
    // Defined with the controls (controls/ColorThemeSetBack.cpp).
    void SetBack(TImageControl *AImage, bool AHighSpeed) const;

    // The full layout (name, seven colours, background path and opacity).
    void WriteToStream(QIODevice &AStream) const;
    // Reads the fields note-file version AVer carries, then takes the
    // registry's theme of the same name when a themes file was loaded.
    bool ReadFromStream(QIODevice &AStream, int AVer);

    bool operator==(const TColorTheme &) const = default;
};
