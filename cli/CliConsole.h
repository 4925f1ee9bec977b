#pragma once

#include <QByteArray>
#include <QString>

// Standard output and error of the tool: texts as UTF-8 lines, files as raw
// bytes.
namespace CliConsole {

void PrintLine(const QString &ALine);
void PrintError(const QString &ALine);
// Writes ABytes unchanged to standard output; false when that fails (a
// closed pipe, a full disk).
bool WriteBytes(const QByteArray &ABytes);

} // namespace CliConsole
