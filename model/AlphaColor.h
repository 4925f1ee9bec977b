#pragma once

#include <QtGlobal>

// A 32-bit colour, alpha in bits 31-24, then red, green, blue (ARGB).
using TAlphaColor = quint32;
