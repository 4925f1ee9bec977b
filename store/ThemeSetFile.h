#pragma once

#include <QByteArray>
#include <QString>

// The file form of a theme set: UTF-8 text, written with a byte-order mark,
// CR LF line ends and a CR LF after the last line; read with or without the
// mark and with any line ends.
class TThemeSetFile
{
public:
    // Larger files are refused rather than read into memory whole.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // The whole file as text, a leading byte-order mark skipped. Throws with
    // the path and the reason when the file cannot be read.
    static QString ReadText(const QString &APath);
    // The exact file bytes for a JSON text: mark, the text's lines joined
    // with CR LF, and a CR LF after the last line.
    static QByteArray Encode(const QString &AJson);
    // Replaces APath atomically with Encode(AJson); throws on failure, and
    // the old file then stays as it was.
    static void Write(const QString &APath, const QString &AJson);
};
