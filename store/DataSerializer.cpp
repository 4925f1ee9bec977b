#include "store/DataSerializer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <stdexcept>

namespace {

#ifdef Q_OS_WIN
// Windows paths are compared without regard to letter case and take either
// separator.
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
bool IsSeparator(QChar AChar) { return AChar == u'\\' || AChar == u'/'; }
#else
// On a case-sensitive file system two spellings name two folders, so
// comparing without case would produce paths leading elsewhere.
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
bool IsSeparator(QChar AChar) { return AChar == u'/'; }
#endif

const QChar Separator = QDir::separator();

// "C:" for a path with a drive letter, else empty.
QString DrivePart(const QString &APath)
{
    return APath.size() >= 2 && APath.at(1) == u':' ? APath.left(2) : QString();
}

// The folder components of APath (everything before the last separator).
QStringList FolderComponents(const QString &APath)
{
    qsizetype end = APath.size();
    while (end > 0 && !IsSeparator(APath.at(end - 1)))
        --end;
    QStringList components;
    QString current;
    for (qsizetype i = 0; i < end; ++i) {
        if (IsSeparator(APath.at(i))) {
            components << current;
            current.clear();
        } else {
            current += APath.at(i);
        }
    }
    return components;
}

QString FileNamePart(const QString &APath)
{
    qsizetype start = APath.size();
    while (start > 0 && !IsSeparator(APath.at(start - 1)))
        --start;
    return APath.mid(start);
}

} // namespace

QString TDataSerializer::GetDataPath()
{
    // Without a configuration folder the data folder is relative to the
    // working directory; it is made absolute here, as GetAbsolutePath moves
    // the working directory and a relative data folder would move with it.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = QDir(base.isEmpty() ? QDir::currentPath() : base)
                             .absoluteFilePath(QStringLiteral("zeb/Notavell2"));
    if (!QFileInfo(path).isDir())
        QDir().mkpath(path);
    return QFileInfo(path).isDir() ? QDir::toNativeSeparators(path) : QString();
}

QString TDataSerializer::DataFileName(const QString &AName)
{
    const QString folder = GetDataPath();
    return folder.isEmpty() ? QString() : folder + Separator + AName;
}

QString TDataSerializer::GetThemesFile() { return DataFileName(QStringLiteral("themes.json")); }
QString TDataSerializer::GetIniFile() { return DataFileName(QStringLiteral("notavell2.ini")); }
QString TDataSerializer::GetLastFile() { return DataFileName(QStringLiteral("last.nvl")); }
QString TDataSerializer::GetLogFile() { return DataFileName(QStringLiteral("NotavellLog.txt")); }

bool TDataSerializer::IsAbsolutePath(const QString &APath)
{
    return !APath.isEmpty() && (IsSeparator(APath.at(0)) || (APath.size() >= 2 && APath.at(1) == u':'));
}

QString TDataSerializer::GetRelativePath(const QString &AFullPath)
{
    if (!IsAbsolutePath(AFullPath))
        return AFullPath;
    const QString folder = GetDataPath();
    if (folder.isEmpty())
        return AFullPath;
    const QString base = folder + Separator;
    if (DrivePart(base).compare(DrivePart(AFullPath), Qt::CaseInsensitive) != 0)
        return AFullPath;

    const QStringList baseParts = FolderComponents(base);
    const QStringList targetParts = FolderComponents(AFullPath);
    qsizetype common = 0;
    while (common < baseParts.size() && common < targetParts.size()
           && baseParts.at(common).compare(targetParts.at(common), PathCase) == 0)
        ++common;

    QString result;
    for (qsizetype i = common; i < baseParts.size(); ++i)
        result += QStringLiteral("..") + Separator;
    for (qsizetype i = common; i < targetParts.size(); ++i)
        result += targetParts.at(i) + Separator;
    return result + FileNamePart(AFullPath);
}

QString TDataSerializer::GetAbsolutePath(const QString &ARelative)
{
    if (IsAbsolutePath(ARelative))
        return ARelative;
    // Without a data folder there is nothing sound to resolve against.
    const QString folder = GetDataPath();
    if (folder.isEmpty())
        return ARelative;
    if (!QDir::setCurrent(folder + Separator))
        throw std::runtime_error(QStringLiteral("%1: %2").arg(folder, qt_error_string()).toStdString());
    if (ARelative.isEmpty())
        return ARelative;
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(ARelative)));
}

QStringList TDataSerializer::GetDataFiles()
{
    QStringList files;
    const QString folder = GetDataPath();
    if (folder.isEmpty())
        return files;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.nvl")},
                                            QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : names)
        if (name != QLatin1String("default.nvl") && name != QLatin1String("last.nvl"))
            files << folder + Separator + name;
    return files;
}

void TDataSerializer::DeleteLastFile()
{
    const QString path = GetLastFile();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.remove())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
}

QString TDataSerializer::FilenameAt(const QDateTime &ALocalTime)
{
    static const qint64 firstDay = QDate(1, 1, 1).toJulianDay();
    const qint64 day = ALocalTime.date().toJulianDay() - firstDay + 1;
    const qint64 milliseconds = day * 86'400'000 + ALocalTime.time().msecsSinceStartOfDay();
    return QString::number(milliseconds) + QStringLiteral(".nvl");
}

QString TDataSerializer::CreateFilename()
{
    const QString folder = GetDataPath();
    if (folder.isEmpty())
        return QString();
    for (;;) {
        const QString name = FilenameAt(QDateTime::currentDateTime());
        if (!QFileInfo::exists(folder + Separator + name))
            return name;
        QThread::msleep(50 + FRandom.bounded(100));
    }
}

void TDataSerializer::Randomize()
{
    FRandom.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
}
