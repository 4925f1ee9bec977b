#pragma once

#include <QtGlobal>

// A note window's stacking order, stored as one byte. A byte read from a
// file outside the three names is kept as it is, so it is written back
// unchanged.
enum class TZOrder : quint8 { Normal = 0, Top = 1, Bottom = 2 };
