#pragma once

#include "model/Contents.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

class IStickyData;

// The per-user data folder shared with the notes application: where it is,
// the fixed file names in it, new note file names and picture-path
// conversion. Class-level operations only; every call recomputes the folder
// (nothing is cached). Note-file reading and writing is added to this class
// in files of its own.
class TDataSerializer
{
public:
    // --- Data folder and fixed file names (DataSerializer.cpp) ---

    // The data folder "zeb/Notavell2" below the user's configuration folder,
    // created with its parents when missing; empty when it does not exist
    // after the attempt.
    static QString GetDataPath();
    // The data folder joined with a fixed file name, or empty when the folder
    // is not available. The files are neither created nor tested.
    static QString GetThemesFile();
    static QString GetIniFile();
    static QString GetLastFile();
    static QString GetLogFile();

    // True when APath starts with a folder separator or has a drive colon as
    // its second character; every other path, the empty one included, is
    // relative.
    static bool IsAbsolutePath(const QString &APath);
    // AFullPath relative to the data folder ("sub/pic.png", "../../pic.png"),
    // or unchanged when it is relative already, on another drive, or the data
    // folder is not available.
    static QString GetRelativePath(const QString &AFullPath);
    // An absolute ARelative unchanged. Otherwise makes the data folder the
    // process's working directory (a lasting side effect other code relies
    // on) and returns ARelative resolved against it; "" stays "". Throws when
    // the working directory cannot be changed.
    static QString GetAbsolutePath(const QString &ARelative);

    // Full paths of the note files ("*.nvl" directly in the data folder,
    // without "default.nvl" and "last.nvl"), in file-system order.
    static QStringList GetDataFiles();
    // Deletes "last.nvl" when it exists; throws when it cannot be deleted.
    static void DeleteLastFile();
    // A new note file name (digits + ".nvl", no folder) that no file in the
    // data folder has yet; waits 50-149 ms and retries while the name for the
    // current millisecond is taken. Empty when the folder is not available.
    static QString CreateFilename();
    // The note file name for a local time: milliseconds counted from
    // 1 January of year 1, followed by ".nvl".
    static QString FilenameAt(const QDateTime &ALocalTime);

    // Program start-up: seeds the generator of CreateFilename's waits from
    // the clock.
    static void Randomize();

    // --- Note files and the deletion log (controls/DataSerializerNotes.cpp,
    // in the widgets library, as note contents hold note images) ---

    // Fills AData from its note file ("default.nvl" and no contents when
    // ADefault); false when there is no data folder or file, the file is no
    // note file, or a section fails to decode (values read so far stay).
    // Throws when the file exists but cannot be loaded. Never writes.
    static bool ReadData(IStickyData *AData, const TContents::TContentsReadProc &AProc, bool ADefault);
    // The same decoding from a whole note file held in memory; on false,
    // AReason (when given) tells why.
    static bool ReadDataFrom(const QByteArray &AFileImage, IStickyData *AData,
                             const TContents::TContentsReadProc &AProc, bool ADefault, QString *AReason = nullptr);
    // The version (1-5) a note file image is tagged with, or 0 when it is no
    // note file.
    static int NoteFileVersion(const QByteArray &AFileImage);
    // Saves modified data atomically and clears its modified state; false,
    // the data still modified, when it is not modified, there is no data
    // folder, or the file could not be saved (a read-only file is not
    // replaced). Errors while building the image propagate.
    static bool WriteData(IStickyData *AData, bool ADefault);
    // The complete note file for AData, as WriteData saves it.
    static QByteArray BuildNoteFile(IStickyData *AData, bool ADefault);
    // Removes the note's file and keeps it as "last.nvl", after appending its
    // text to the log when ANeedLog. Throws, leaving the note file in place,
    // when the note could not be saved or moved to "last.nvl".
    static void DeleteData(IStickyData *AData, bool ANeedLog);

private:
    // The full name of AData's note file; empty without a data folder.
    static QString GetNoteFile(IStickyData *AData, bool ADefault);
    static QString DataFileName(const QString &AName);

    static inline QRandomGenerator FRandom;
};
