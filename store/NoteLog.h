#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The log of deleted notes, "NotavellLog.txt": UTF-8 with a byte-order mark,
// lines ended by CR LF, five lines per deleted note (an empty line, a rule,
// the time stamp, a rule, the note's text). No size limit, no rotation.
class TNoteLog
{
public:
    // "yyyy/mm/dd(ddd) hh:nn:ss": the locale's date and time separators and
    // abbreviated weekday name, 24-hour clock.
    static QString TimeStamp(const QDateTime &ATime, const QLocale &ALocale);
    // Appends the entry for ABody to the log AFileName (created when
    // missing), keeping its lines and rewriting every line end as CR LF. The
    // file is replaced atomically; throws when it cannot be read or saved.
    static void Append(const QString &AFileName, const QString &ABody, const QDateTime &ATime,
                       const QLocale &ALocale);

    static constexpr QLatin1StringView Rule{"-----------------------"};
};
