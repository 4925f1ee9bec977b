#include "store/NoteLog.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <stdexcept>

namespace {

// The first separator between the fields of a locale's short format ("/" in
// "yyyy/MM/dd", "." in "dd.MM.yy"), else AFallback.
QString SeparatorOf(const QString &AFormat, const QString &AFallback)
{
    for (const QChar c : AFormat)
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return QString(c);
    return AFallback;
}

// The lines of AText split at CR LF, CR or LF; a final line end starts no
// further line.
QStringList LinesOf(const QString &AText)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = AText.split(lineEnd);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

[[noreturn]] void Fail(const QString &AFileName, const QString &AMessage)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(AFileName, AMessage).toStdString());
}

} // namespace

QString TNoteLog::TimeStamp(const QDateTime &ATime, const QLocale &ALocale)
{
    const QString date = SeparatorOf(ALocale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    const QString time = SeparatorOf(ALocale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    const QDate d = ATime.date();
    const QTime t = ATime.time();
    const auto two = [](int AValue) { return QStringLiteral("%1").arg(AValue, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1%2%3%2%4(%5) %6%7%8%7%9")
        .arg(QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')), date, two(d.month()), two(d.day()),
             ALocale.dayName(d.dayOfWeek(), QLocale::ShortFormat), two(t.hour()), time, two(t.minute()),
             two(t.second()));
}

void TNoteLog::Append(const QString &AFileName, const QString &ABody, const QDateTime &ATime,
                      const QLocale &ALocale)
{
    QStringList lines;
    QFile existing(AFileName);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            Fail(AFileName, existing.errorString());
        QString text = QString::fromUtf8(existing.readAll());
        if (existing.error() != QFileDevice::NoError)
            Fail(AFileName, existing.errorString());
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        lines = LinesOf(text);
    }
    lines << QString() << Rule << TimeStamp(ATime, ALocale) << Rule;
    // The text's own line breaks make further lines, ended like the others.
    lines << LinesOf(ABody + u'\n');

    QByteArray bytes("\xEF\xBB\xBF");
    bytes += lines.join(QStringLiteral("\r\n")).toUtf8();
    bytes += "\r\n";
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Fail(AFileName, file.errorString());
}
