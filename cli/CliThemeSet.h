#pragma once

#include <QString>

// Reads a theme-set file into the registry as the designer's open command
// does: UTF-8 with or without a byte-order mark, then the JSON reading rules.
namespace CliThemeSet {

// Empty when the file was read; otherwise the reason, for example
// "cannot read: ..." or "line 3, column 7: expected ':'". After a failure
// the registry holds no theme.
QString Load(const QString &APath);

} // namespace CliThemeSet
