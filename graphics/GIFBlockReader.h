#pragma once

#include "graphics/GIFHeader.h"

#include <QByteArray>

class QIODevice;

// One image of a GIF as the block reader found it, with what the graphic
// control extension before it said.
struct TGIFImage
{
    int FX = 0;
    int FY = 0;
    int FWidth = 0;
    int FHeight = 0;
    quint8 FPackedFields = 0;
    std::vector<TGIFPaletteColor> FLocalColorTable;
    quint8 FMinCodeSize = 0;
    // The image's LZW data: its data sub-blocks joined, without lengths.
    QByteArray FData;

    // Milliseconds before this image replaces the previous one: 10 x the
    // graphic control delay, 20 for a delay of 0, 0 without a graphic
    // control extension since the previous image.
    int FDelay = 0;
    int FDisposal = 0;
    // The transparent colour index, or -1.
    int FTransparentIndex = -1;

    bool IsInterlaced() const { return FPackedFields & 0x40; }
};

// Walks the blocks of a GIF after its header, one image at a time, with a
// fixed rule for every extension. Parsing stops at the trailer, at an
// unexpected byte and at a damaged or truncated block; the stream is then
// left just after the last byte consumed. No exception is raised for
// malformed data.
class TGIFBlockReader
{
public:
    // AStream stands just after the header and global colour table.
    explicit TGIFBlockReader(QIODevice *AStream) : FStream(AStream) {}

    // Reads up to and including the next image; false when parsing stops
    // before one was read completely.
    bool ReadNextImage(TGIFImage &AImage);

private:
    quint8 ReadByte();
    bool ReadImage(TGIFImage &AImage);
    bool ReadExtension();
    bool ReadGraphicControl();
    bool ReadApplication();
    bool SkipSubBlocks(int AFirstLength);

    QIODevice *FStream;
    // What the last graphic control extension since the previous image said.
    int FPendingDelay = 0;
    int FPendingDisposal = 0;
    int FPendingTransparentIndex = -1;
};
