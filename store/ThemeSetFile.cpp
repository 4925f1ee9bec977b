#include "store/ThemeSetFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString &APath, const QString &AReason)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(APath, AReason).toStdString());
}

// The file a path finally names, through any symbolic links.
QFileInfo Target(const QString &APath)
{
    QFileInfo info(APath);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info;
}

// True when the permission bits that apply to this process (owner, group
// or others) deny writing. Checked by the bits themselves, so a read-only
// file is refused also when running as root, who may replace anything.
bool DeniesWriting(const QFileInfo &ATarget)
{
    const QFileDevice::Permissions permissions = ATarget.permissions();
#ifdef Q_OS_UNIX
    if (ATarget.ownerId() == ::geteuid())
        return !(permissions & QFileDevice::WriteOwner);
    if (ATarget.groupId() == ::getegid())
        return !(permissions & QFileDevice::WriteGroup);
    return !(permissions & QFileDevice::WriteOther);
#else
    return !(permissions & QFileDevice::WriteUser);
#endif
}

// Makes the replaced directory entry itself durable.
void SyncFolder(const QString &AFolder)
{
#ifdef Q_OS_UNIX
    const int folder = ::open(QFile::encodeName(AFolder).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#else
    Q_UNUSED(AFolder);
#endif
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
    // QSaveFile writes through symbolic links, so a link keeps naming its file.
    const QFileInfo target = Target(APath);
    if (target.exists() && DeniesWriting(target))
        Fail(APath, QStringLiteral("the file is read-only"));
    QSaveFile file(APath);
    if (!file.open(QIODevice::WriteOnly))
        Fail(APath, file.errorString());
    const QByteArray bytes = Encode(AJson);
    if (file.write(bytes) != bytes.size() || !file.commit())
        Fail(APath, file.errorString());
    SyncFolder(target.absolutePath());
}
