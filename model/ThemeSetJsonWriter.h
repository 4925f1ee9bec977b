#pragma once

#include "model/ColorThemesJSON.h"

#include <QString>

// Writes a theme set as indented JSON text: members in shape order, four
// spaces per level, CR LF line ends and no line end after the final brace,
// "[]" for an empty array, colours as unsigned decimals, the opacity in
// 15-digit general form, and only the characters JSON needs (plus U+0085,
// U+2028, U+2029) escaped.
class TThemeSetJsonWriter
{
public:
    static QString Write(const TColorThemesJSON &ASet);
    // The opacity as written: general form with at most 15 significant
    // digits ("0.5", "1", "0.300000011920929", "1E-6"). A value that is not
    // finite is written as 0, so the text always stays valid JSON.
    static QString FormatOpacity(float AValue);
};
