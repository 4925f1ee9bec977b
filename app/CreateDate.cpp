#include "app/CreateDate.h"

#include <QRegularExpression>

QString TCreateDate::DisplayFormat(const QLocale &ALocale)
{
    QString format = ALocale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    return format;
}

QDate TCreateDate::Parse(const QString &AText, const QLocale &ALocale, const QDate &AToday)
{
    const QString shortFormat = ALocale.dateFormat(QLocale::ShortFormat);
    if (!shortFormat.contains(QLatin1String("yyyy"))) {
        const QDate twoDigits = ALocale.toDate(AText, shortFormat);
        if (twoDigits.isValid()) {
            const int century = AToday.year() - AToday.year() % 100;
            int nearest = century + twoDigits.year() % 100;
            for (const int candidate : {nearest - 100, nearest + 100})
                if (std::abs(candidate - AToday.year()) < std::abs(nearest - AToday.year()))
                    nearest = candidate;
            return QDate(nearest, twoDigits.month(), twoDigits.day());
        }
    }
    const QDate fourDigits = ALocale.toDate(AText, DisplayFormat(ALocale));
    if (fourDigits.isValid())
        return fourDigits;
    return QDate::fromString(AText, Qt::ISODate);
}
