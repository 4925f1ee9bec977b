#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

namespace TestSupport {

// One image for TGIFBuilder.
struct TGIFTestFrame
{
    int X = 0;
    int Y = 0;
    int Width = 1;
    int Height = 1;
    // Width x Height colour indices, row by row from the top.
    QByteArray Indices;
    // Hundredths of a second; -1 writes no graphic control extension.
    int Delay = -1;
    int Disposal = 0;
    int Transparent = -1;
    bool Interlaced = false;
    // Empty: the image uses the global colour table.
    QList<QRgb> LocalPalette;
};

// Writes small GIF files for tests: header, colour tables, graphic control
// extensions, LZW-compressed (optionally interlaced) images and raw blocks.
class TGIFBuilder
{
public:
    TGIFBuilder(int AWidth, int AHeight, const QList<QRgb> &AGlobalPalette, const QByteArray &AVersion = "89a");

    TGIFBuilder &AddFrame(const TGIFTestFrame &AFrame);
    // Appends bytes as they are (extensions, damaged blocks ...).
    TGIFBuilder &AddRaw(const QByteArray &ABytes);
    QByteArray Bytes(bool ATrailer = true) const;

    // GIF LZW codes for AIndices, starting with a clear code, ending with
    // the end code, packed least significant bit first.
    static QByteArray EncodeLZW(const QByteArray &AIndices, int AMinCodeSize);
    // AData cut into data sub-blocks, followed by the block terminator.
    static QByteArray SubBlocks(const QByteArray &AData);

private:
    QByteArray FBytes;
};

} // namespace TestSupport
