#pragma once

#include "model/ColorThemesJSON.h"
#include "model/JsonReadError.h"

#include <QStringView>

#include <optional>

// Reads a theme-set JSON text into its shape in one pass over the UTF-16
// text. Member names match without regard to ASCII letter case, unknown
// members are skipped (syntax still checked), missing or null members leave
// their field empty. A colour must be an integer from 0 to 4294967295 (an
// exponent or fraction form is taken when its value is such an integer); the
// opacity any number that fits a 32-bit float; a text must be a string.
// Anything else is an error reported with its line and column.
class TThemeSetJsonReader
{
public:
    // Fills AResult and returns nothing, or returns why the text fails; on
    // failure AResult is left as it was.
    static std::optional<TJsonReadError> Parse(QStringView AText, TColorThemesJSON &AResult);

    // Deepest nesting of arrays and objects accepted inside skipped members.
    static constexpr int MaxSkipDepth = 512;
};
