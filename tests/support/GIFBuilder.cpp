#include "support/GIFBuilder.h"

#include <QHash>

namespace TestSupport {

namespace {

void AppendWord(QByteArray &ABytes, int AValue)
{
    ABytes.append(char(AValue & 0xFF));
    ABytes.append(char((AValue >> 8) & 0xFF));
}

// The table size code s of a colour table of 2 << s entries holding APalette.
int SizeCode(const QList<QRgb> &APalette)
{
    int code = 0;
    while ((2 << code) < APalette.size())
        ++code;
    return code;
}

void AppendColorTable(QByteArray &ABytes, const QList<QRgb> &APalette)
{
    const int entries = 2 << SizeCode(APalette);
    for (int i = 0; i < entries; ++i) {
        const QRgb color = i < APalette.size() ? APalette[i] : 0;
        ABytes.append(char(qRed(color)));
        ABytes.append(char(qGreen(color)));
        ABytes.append(char(qBlue(color)));
    }
}

QByteArray Interlaced(const QByteArray &AIndices, int AWidth, int AHeight)
{
    QByteArray stored;
    for (const auto &[first, step] : {std::pair(0, 8), std::pair(4, 8), std::pair(2, 4), std::pair(1, 2)}) {
        for (int row = first; row < AHeight; row += step)
            stored.append(AIndices.mid(row * AWidth, AWidth));
    }
    return stored;
}

class TBitWriter
{
public:
    void Write(int ACode, int AWidth)
    {
        FBits |= quint32(ACode) << FCount;
        FCount += AWidth;
        while (FCount >= 8) {
            FBytes.append(char(FBits & 0xFF));
            FBits >>= 8;
            FCount -= 8;
        }
    }
    QByteArray Finish()
    {
        if (FCount > 0)
            FBytes.append(char(FBits & 0xFF));
        return FBytes;
    }

private:
    QByteArray FBytes;
    quint32 FBits = 0;
    int FCount = 0;
};

} // namespace

TGIFBuilder::TGIFBuilder(int AWidth, int AHeight, const QList<QRgb> &AGlobalPalette, const QByteArray &AVersion)
{
    FBytes = "GIF" + AVersion;
    AppendWord(FBytes, AWidth);
    AppendWord(FBytes, AHeight);
    FBytes.append(char(AGlobalPalette.isEmpty() ? 0 : 0x80 | SizeCode(AGlobalPalette)));
    FBytes.append(char(0)); // background colour index
    FBytes.append(char(0)); // pixel aspect ratio
    if (!AGlobalPalette.isEmpty())
        AppendColorTable(FBytes, AGlobalPalette);
}

TGIFBuilder &TGIFBuilder::AddFrame(const TGIFTestFrame &AFrame)
{
    if (AFrame.Delay >= 0) {
        FBytes.append("\x21\xF9\x04", 3);
        FBytes.append(char((AFrame.Disposal & 7) << 2 | (AFrame.Transparent >= 0 ? 1 : 0)));
        AppendWord(FBytes, AFrame.Delay);
        FBytes.append(char(AFrame.Transparent >= 0 ? AFrame.Transparent : 0));
        FBytes.append(char(0));
    }
    FBytes.append(char(0x2C));
    AppendWord(FBytes, AFrame.X);
    AppendWord(FBytes, AFrame.Y);
    AppendWord(FBytes, AFrame.Width);
    AppendWord(FBytes, AFrame.Height);
    quint8 packed = AFrame.Interlaced ? 0x40 : 0;
    if (!AFrame.LocalPalette.isEmpty())
        packed |= 0x80 | SizeCode(AFrame.LocalPalette);
    FBytes.append(char(packed));
    if (!AFrame.LocalPalette.isEmpty())
        AppendColorTable(FBytes, AFrame.LocalPalette);

    int maxIndex = 0;
    for (const char index : AFrame.Indices)
        maxIndex = std::max(maxIndex, int(quint8(index)));
    int minCodeSize = 2;
    while ((1 << minCodeSize) <= maxIndex)
        ++minCodeSize;
    FBytes.append(char(minCodeSize));
    const QByteArray indices =
        AFrame.Interlaced ? Interlaced(AFrame.Indices, AFrame.Width, AFrame.Height) : AFrame.Indices;
    FBytes.append(SubBlocks(EncodeLZW(indices, minCodeSize)));
    return *this;
}

TGIFBuilder &TGIFBuilder::AddRaw(const QByteArray &ABytes)
{
    FBytes.append(ABytes);
    return *this;
}

QByteArray TGIFBuilder::Bytes(bool ATrailer) const
{
    return ATrailer ? FBytes + char(0x3B) : FBytes;
}

QByteArray TGIFBuilder::EncodeLZW(const QByteArray &AIndices, int AMinCodeSize)
{
    const int clearCode = 1 << AMinCodeSize;
    const int endCode = clearCode + 1;
    int width = AMinCodeSize + 1;
    int next = endCode + 1;
    QHash<int, int> table; // (prefix code << 8 | pixel) -> code
    TBitWriter writer;
    writer.Write(clearCode, width);
    if (AIndices.isEmpty()) {
        writer.Write(endCode, width);
        return writer.Finish();
    }
    int prefix = quint8(AIndices[0]);
    for (qsizetype i = 1; i < AIndices.size(); ++i) {
        const int pixel = quint8(AIndices[i]);
        const auto found = table.constFind(prefix << 8 | pixel);
        if (found != table.constEnd()) {
            prefix = *found;
            continue;
        }
        writer.Write(prefix, width);
        table.insert(prefix << 8 | pixel, next++);
        // The decoder defines each entry one code later, so it widens its
        // codes when the entry after the next one needs another bit.
        if (next > (1 << width) && width < 12)
            ++width;
        if (next == 4096) {
            writer.Write(clearCode, width);
            table.clear();
            width = AMinCodeSize + 1;
            next = endCode + 1;
        }
        prefix = pixel;
    }
    writer.Write(prefix, width);
    if (next == (1 << width) && width < 12)
        ++width;
    writer.Write(endCode, width);
    return writer.Finish();
}

QByteArray TGIFBuilder::SubBlocks(const QByteArray &AData)
{
    QByteArray blocks;
    for (qsizetype i = 0; i < AData.size(); i += 255) {
        const QByteArray part = AData.mid(i, 255);
        blocks.append(char(part.size()));
        blocks.append(part);
    }
    blocks.append(char(0));
    return blocks;
}

} // namespace TestSupport
