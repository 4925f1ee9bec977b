// Note files and the deletion log. Part of TDataSerializer; compiled into
// the widgets library because note contents hold note images, which are
// widgets.
#include "store/DataSerializer.h"

#include "model/StickyAttr.h"
#include "model/StickyBounds.h"
#include "model/StickyData.h"
#include "store/NoteLog.h"
#include "store/StreamHelper.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace {

const QString Magic = QStringLiteral("notavell");
const QString WrittenTag = QStringLiteral("v5");
const QString DefaultNoteName = QStringLiteral("default.nvl");

[[noreturn]] void Fail(const QString &AFileName, const QString &AMessage)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(AFileName, AMessage).toStdString());
}

// The version of the tag at AStream's position, trying "v5" down to "v1";
// 0 when none matches. The stream ends up right after a matching tag.
int ReadVersionTag(QBuffer &AStream)
{
    TStreamHelper stream(AStream);
    const qint64 tagPosition = AStream.pos();
    for (int version = 5; version >= 1; --version) {
        AStream.seek(tagPosition);
        if (stream.CheckSignature(QStringLiteral("v%1").arg(version)))
            return version;
    }
    return 0;
}

// A file that exists but must not be replaced: without write permission for
// us, or without any write permission bit (read-only for everyone, even for
// a user such as root whom the system would let write).
bool IsReadOnly(const QString &AFileName)
{
    const QFileInfo info(AFileName);
    if (!info.exists())
        return false;
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

bool SaveAtomically(const QString &AFileName, const QByteArray &ABytes)
{
    if (IsReadOnly(AFileName))
        return false;
    QSaveFile file(AFileName);
    return file.open(QIODevice::WriteOnly) && file.write(ABytes) == ABytes.size() && file.commit();
}

QByteArray LoadFile(const QString &AFileName)
{
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(AFileName, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(AFileName, file.errorString());
    return bytes;
}

// Replaces ATarget by a copy of ASource, atomically: the target is either
// the old file or the whole copy.
bool CopyReplacing(const QString &ASource, const QString &ATarget)
{
    QFile source(ASource);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    return source.error() == QFileDevice::NoError && SaveAtomically(ATarget, bytes);
}

} // namespace

QString TDataSerializer::GetNoteFile(IStickyData *AData, bool ADefault)
{
    const QString folder = GetDataPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QString();
    return QDir(folder).filePath(ADefault ? DefaultNoteName : AData->GetFilename());
}

int TDataSerializer::NoteFileVersion(const QByteArray &AFileImage)
{
    QBuffer buffer;
    buffer.setData(AFileImage);
    buffer.open(QIODevice::ReadOnly);
    if (!TStreamHelper(buffer).CheckSignature(Magic))
        return 0;
    return ReadVersionTag(buffer);
}

bool TDataSerializer::ReadData(IStickyData *AData, const TContents::TContentsReadProc &AProc, bool ADefault)
{
    const QString name = GetNoteFile(AData, ADefault);
    if (name.isEmpty() || !QFileInfo(name).isFile())
        return false;
    return ReadDataFrom(LoadFile(name), AData, AProc, ADefault);
}

bool TDataSerializer::ReadDataFrom(const QByteArray &AFileImage, IStickyData *AData,
                                   const TContents::TContentsReadProc &AProc, bool ADefault, QString *AReason)
{
    const auto fail = [AReason](const QString &AWhy) {
        if (AReason)
            *AReason = AWhy;
        return false;
    };
    QBuffer buffer;
    buffer.setData(AFileImage);
    buffer.open(QIODevice::ReadOnly);
    if (!TStreamHelper(buffer).CheckSignature(Magic))
        return fail(QStringLiteral("not a note file (no \"notavell\" signature)"));
    const int version = ReadVersionTag(buffer);
    if (version == 0)
        return fail(QStringLiteral("unknown note file version (tag \"%1\")")
                        .arg(QString::fromLatin1(AFileImage.mid(8, 2).toHex(' '))));
    // A section that fails to decode makes the file unreadable; whatever it
    // read so far stays for the caller to reset.
    try {
        if (!AData->GetAttr()->ReadFromStream(buffer, version) ||
            !AData->GetStickyBounds()->ReadFromStream(buffer, version))
            return fail(QStringLiteral("damaged note file"));
        if (ADefault)
            return true;
        return AData->GetContents()->ReadFromStream(buffer, version, AProc) || fail(QStringLiteral("damaged note file"));
    } catch (const std::exception &error) {
        return fail(QStringLiteral("damaged note file at byte %1: %2").arg(buffer.pos()).arg(QString::fromUtf8(error.what())));
    }
}

QByteArray TDataSerializer::BuildNoteFile(IStickyData *AData, bool ADefault)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper stream(buffer);
    stream.WriteSignature(Magic);
    stream.WriteSignature(WrittenTag);
    AData->GetAttr()->WriteToStream(buffer);
    AData->GetStickyBounds()->WriteToStream(buffer);
    if (!ADefault)
        AData->GetContents()->WriteToStream(buffer);
    return buffer.data();
}

bool TDataSerializer::WriteData(IStickyData *AData, bool ADefault)
{
    if (!AData->GetModified())
        return false;
    const QString name = GetNoteFile(AData, ADefault);
    if (name.isEmpty() || !QFileInfo(QFileInfo(name).absolutePath()).isDir())
        return false;
    // The previous file stays whole until the new one is complete, and data
    // that could not be saved stays modified so the next write tries again.
    if (!SaveAtomically(name, BuildNoteFile(AData, ADefault)))
        return false;
    AData->ClearModified();
    return true;
}

void TDataSerializer::DeleteData(IStickyData *AData, bool ANeedLog)
{
    const QString logName = GetLogFile();
    if (ANeedLog && !logName.isEmpty())
        TNoteLog::Append(logName, AData->GetContents()->Body(), QDateTime::currentDateTime(), QLocale());

    const QString lastName = GetLastFile();
    if (lastName.isEmpty())
        return;
    const QFileInfo lastInfo(lastName);
    const QString backupName = lastInfo.dir().filePath(lastInfo.completeBaseName() + QStringLiteral(".$$$"));

    // The note file goes only once its latest state is saved and a whole
    // copy of it is in "last.nvl", so its text is always in some file.
    bool moved = true;
    try {
        if (QFileInfo::exists(lastName)) {
            QFile::remove(backupName);
            QFile::copy(lastName, backupName);
        }
        const QString noteName = GetNoteFile(AData, false);
        const bool unsaved = AData->GetModified() && !WriteData(AData, false);
        if (unsaved)
            moved = false;
        else if (QFileInfo::exists(noteName))
            moved = CopyReplacing(noteName, lastName) && QFile::remove(noteName);
    } catch (const std::exception &) {
        moved = false;
    }

    if (QFileInfo::exists(backupName)) {
        if (!QFileInfo::exists(lastName))
            QFile::copy(backupName, lastName);
        QFile backup(backupName);
        if (!backup.remove())
            Fail(backupName, backup.errorString());
    }
    if (!moved)
        Fail(GetNoteFile(AData, false), QStringLiteral("the note could not be saved and moved to last.nvl"));
}
