#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

class QIODevice;

// One colour-table entry exactly as a GIF stores it.
struct TGIFPaletteColor
{
    quint8 FRed = 0;
    quint8 FGreen = 0;
    quint8 FBlue = 0;
};

// The GIF header and logical screen descriptor (the first 13 bytes of a GIF)
// and the global colour table that may follow them.
struct TGIFHeader
{
    using TMagicNo = std::array<char, 3>;

    TMagicNo FSignature {};
    TMagicNo FVersion {};
    quint16 FLogicalScreenWidth = 0;
    quint16 FLogicalScreenHeight = 0;
    quint8 FPackedFields = 0;
    quint8 FBackgroundColorIndex = 0;
    quint8 FPixelAspectRatio = 0;
    std::vector<TGIFPaletteColor> FGlobalColorTable;

    // Reads the 13 bytes and the global colour table at AStream's position.
    // With fewer than 13 bytes left nothing is read and the header stays
    // zero (not valid); a colour table cut short by the end of the stream
    // keeps zero entries.
    void LoadFromStream(QIODevice *AStream);
    // True for a "GIF" "89a" header; GIF87a is not accepted.
    bool IsValid() const;
};

// Reads a colour table of ACount entries (what the stream holds of it).
std::vector<TGIFPaletteColor> ReadGIFColorTable(QIODevice *AStream, int ACount);
