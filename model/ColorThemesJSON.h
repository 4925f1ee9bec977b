#pragma once

#include "model/AlphaColor.h"

#include <QList>
#include <QString>

// The JSON shapes of a theme set. Field names without the leading F and in
// lower case are the JSON member names; field order is the member order.
// A shape not filled from a text holds empty strings, zeros and no themes.
struct TColorThemeJSON
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
};

struct TColorThemesJSON
{
    QString FVersion;
    QString FName;
    QString FAuthor;
    QString FCopyright;
    QString FCreateDate;
    QString FRemarks;
    QList<TColorThemeJSON> FThemes;
};
