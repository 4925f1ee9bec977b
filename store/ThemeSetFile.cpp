#include "store/ThemeSetFile.h"

#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString &APath, const QString &AReason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(APath, AReason).toStdString());
}

} // namespace

QString TThemeSetFile::ReadText(const QString &APath)
{
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        Fail(APath, file.errorString());
    const QString tooLarge = QStringLiteral("the file is larger than %1 MB").arg(MaxFileSize / (1024 * 1024));
    QByteArray bytes;
    if (!file.isSequential()) {
        if (file.size() > MaxFileSize)
            Fail(APath, tooLarge);
        bytes.reserve(file.size());
    }
    // Read in pieces all the same: the size a pipe or a growing file reports
    // is not to be trusted, so memory follows what really arrives.
    for (;;) {
        const QByteArray piece = file.read(64 * 1024);
        if (piece.isEmpty())
            break;
        bytes += piece;
        if (bytes.size() > MaxFileSize)
            Fail(APath, tooLarge);
    }
    if (file.error() != QFileDevice::NoError)
        Fail(APath, file.errorString());
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    return QString::fromUtf8(text);
}

QByteArray TThemeSetFile::Encode(const QString &AJson)
{
    QString text;
    text.reserve(AJson.size() + 2);
    const QChar *p = AJson.constData();
    const QChar *end = p + AJson.size();
    while (p < end) {
        const QChar *line = p;
        while (p < end && *p != u'\r' && *p != u'\n')
            ++p;
        text.append(line, p - line);
        text.append(QLatin1StringView("\r\n"));
        // CR LF, a lone CR and a lone LF each end one line.
        if (p < end)
            p += (*p == u'\r' && p + 1 < end && p[1] == u'\n') ? 2 : 1;
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void TThemeSetFile::Write(const QString &APath, const QString &AJson)
{
    QSaveFile file(APath);
    if (!file.open(QIODevice::WriteOnly))
        Fail(APath, file.errorString());
    const QByteArray bytes = Encode(AJson);
    if (file.write(bytes) != bytes.size() || !file.commit())
        Fail(APath, file.errorString());
}
