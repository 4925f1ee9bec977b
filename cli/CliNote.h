#pragma once

#include "OrderedJson.h"

#include <QString>

class TNoteData;

// Note files for the command-line tool, read as the notes application reads
// them after its start-up (the registry from the data folder).
namespace CliNote {

// Reads the note file APath (any folder) into ANote; as the default note
// (attributes and bounds only) when ADefault. Empty when it was read,
// otherwise the reason. AVersion receives the file's version.
QString Load(const QString &APath, TNoteData &ANote, bool ADefault, int &AVersion);
// The note as the "note" command prints it.
TOrderedJson Describe(const QString &APath, int AVersion, TNoteData &ANote, bool ADefault);

} // namespace CliNote
