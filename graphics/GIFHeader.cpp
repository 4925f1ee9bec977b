#include "graphics/GIFHeader.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr int HeaderSize = 13;

} // namespace

std::vector<TGIFPaletteColor> ReadGIFColorTable(QIODevice *AStream, int ACount)
{
    std::vector<TGIFPaletteColor> table(ACount);
    static_assert(sizeof(TGIFPaletteColor) == 3);
    AStream->read(reinterpret_cast<char *>(table.data()), qint64(ACount) * 3);
    return table;
}

void TGIFHeader::LoadFromStream(QIODevice *AStream)
{
    *this = TGIFHeader();
    if (AStream->bytesAvailable() < HeaderSize)
        return;
    uchar bytes[HeaderSize];
    AStream->read(reinterpret_cast<char *>(bytes), HeaderSize);
    std::memcpy(FSignature.data(), bytes, 3);
    std::memcpy(FVersion.data(), bytes + 3, 3);
    FLogicalScreenWidth = quint16(bytes[6] | bytes[7] << 8);
    FLogicalScreenHeight = quint16(bytes[8] | bytes[9] << 8);
    FPackedFields = bytes[10];
    FBackgroundColorIndex = bytes[11];
    FPixelAspectRatio = bytes[12];
    if (FPackedFields & 0x80)
        FGlobalColorTable = ReadGIFColorTable(AStream, 2 << (FPackedFields & 7));
}

bool TGIFHeader::IsValid() const
{
    return FSignature == TMagicNo {'G', 'I', 'F'} && FVersion == TMagicNo {'8', '9', 'a'};
}
