#pragma once

#include <QString>

// Why a theme-set text could not be read, and where: 1-based line and column
// (in UTF-16 code units) of the offending character.
struct TJsonReadError
{
    QString Message;
    int Line = 0;
    int Column = 0;

    // "line 3, column 14: expected ',' or '}'"
    QString ToString() const
    {
        return QStringLiteral("line %1, column %2: %3").arg(Line).arg(Column).arg(Message);
    }
};
