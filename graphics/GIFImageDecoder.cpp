#include "graphics/GIFImageDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int MaxCodeBits = 12;
constexpr int TableSize = 1 << MaxCodeBits;
constexpr int MaxMinCodeSize = MaxCodeBits - 1;

// Expands the LZW codes of AData into at most ACount pixels of AOut, mapping
// literal codes through APalette, and returns the number of pixels written.
// Each table entry is remembered as the place in AOut where its string was
// first written: an entry is the previous code's string plus the first pixel
// of the current one, and the two lie next to each other in the output, so
// a code expands by copying earlier pixels.
qsizetype ExpandLZW(const QByteArray &AData, int AMinCodeSize, const quint32 *APalette, quint32 *AOut,
                    qsizetype ACount)
{
    const int clearCode = 1 << AMinCodeSize;
    const int endCode = clearCode + 1;
    int width = AMinCodeSize + 1;
    int next = endCode + 1;
    std::array<qsizetype, TableSize> offsets;
    std::array<int, TableSize> lengths;

    const uchar *data = reinterpret_cast<const uchar *>(AData.constData());
    const uchar *const dataEnd = data + AData.size();
    quint64 bits = 0;
    int bitCount = 0;

    qsizetype pos = 0;
    qsizetype prevPos = -1; // where the previous code's string starts; -1 after a clear
    int prevLength = 0;
    while (pos < ACount) {
        if (bitCount < width) {
            while (bitCount <= 56 && data < dataEnd) {
                bits |= quint64(*data++) << bitCount;
                bitCount += 8;
            }
            if (bitCount < width)
                break;
        }
        const int code = int(bits & ((1u << width) - 1));
        bits >>= width;
        bitCount -= width;

        if (code == clearCode) {
            width = AMinCodeSize + 1;
            next = endCode + 1;
            prevPos = -1;
            continue;
        }
        if (code == endCode)
            break;

        const qsizetype start = pos;
        int length;
        if (code < clearCode) {
            AOut[pos++] = APalette[code];
            length = 1;
        } else {
            qsizetype from;
            if (code < next) {
                from = offsets[code];
                length = lengths[code];
            } else if (code == next && prevPos >= 0) {
                // The entry being defined: the previous string and its own
                // first pixel. The forward copy reads that pixel once written.
                from = prevPos;
                length = prevLength + 1;
            } else {
                break; // a code above the next free slot
            }
            const qsizetype copied = std::min<qsizetype>(length, ACount - pos);
            for (qsizetype k = 0; k < copied; ++k)
                AOut[pos + k] = AOut[from + k];
            pos += copied;
        }

        if (prevPos >= 0 && next < TableSize) {
            offsets[next] = prevPos;
            lengths[next] = prevLength + 1;
            ++next;
        }
        if (next >= (1 << width) && width < MaxCodeBits)
            ++width;
        prevPos = start;
        prevLength = length;
    }
    return pos;
}

// The row an interlaced image's ARow-th stored row belongs to.
int InterlacedRow(int ARow, int AHeight)
{
    struct Pass { int first, step; };
    constexpr Pass passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const Pass &pass : passes) {
        const int rows = (AHeight - pass.first + pass.step - 1) / pass.step;
        if (ARow < rows)
            return pass.first + ARow * pass.step;
        ARow -= std::max(rows, 0);
    }
    return ARow;
}

} // namespace

TGIFImageDecoder::TResult TGIFImageDecoder::Decode(const TGIFImage &AImage,
                                                   const std::vector<TGIFPaletteColor> &AGlobalColorTable,
                                                   std::vector<quint32> &AScratch)
{
    TResult result;
    if (AImage.FMinCodeSize > MaxMinCodeSize || AImage.FWidth <= 0 || AImage.FHeight <= 0)
        return result;

    const std::vector<TGIFPaletteColor> &colors =
        (AImage.FPackedFields & 0x80) ? AImage.FLocalColorTable : AGlobalColorTable;
    const int literalCount = 1 << AImage.FMinCodeSize;
    std::array<quint32, TableSize / 2> palette;
    for (int i = 0; i < literalCount; ++i) {
        const TGIFPaletteColor color = i < int(colors.size()) ? colors[i] : TGIFPaletteColor();
        palette[i] = 0xFF000000u | quint32(color.FRed) << 16 | quint32(color.FGreen) << 8 | color.FBlue;
    }
    if (AImage.FTransparentIndex >= 0 && AImage.FTransparentIndex < literalCount)
        palette[AImage.FTransparentIndex] = 0;

    QImage bitmap(AImage.FWidth, AImage.FHeight, QImage::Format_ARGB32_Premultiplied);
    if (bitmap.isNull())
        return result;
    const qsizetype count = qsizetype(AImage.FWidth) * AImage.FHeight;
    // Expanding into a buffer that stays in the cache and copying whole rows
    // out is faster than scattered writes into fresh memory.
    AScratch.resize(count);
    quint32 *pixels = AScratch.data();

    const qsizetype written = ExpandLZW(AImage.FData, AImage.FMinCodeSize, palette.data(), pixels, count);
    std::fill(pixels + written, pixels + count, 0u);

    for (int row = 0; row < AImage.FHeight; ++row) {
        const int target = AImage.IsInterlaced() ? InterlacedRow(row, AImage.FHeight) : row;
        std::memcpy(bitmap.scanLine(target), pixels + qsizetype(row) * AImage.FWidth, AImage.FWidth * 4);
    }
    result.FBitmap = bitmap;
    result.FHasTransparency = AImage.FTransparentIndex >= 0 || written < count;
    return result;
}
