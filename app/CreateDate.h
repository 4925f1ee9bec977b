#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The creation date of a theme set as the information panel shows and
// stores it: the locale's short date, always with a four-digit year, so a
// saved date reads back as the same day in any century.
class TCreateDate
{
public:
    // The locale's short date format with its year widened to "yyyy".
    static QString DisplayFormat(const QLocale &ALocale);
    // A stored date text: the display format, or an older file's two-digit
    // year (taken as the year nearest AToday), or an ISO date. Invalid when
    // none of them fits.
    static QDate Parse(const QString &AText, const QLocale &ALocale, const QDate &AToday);
};
