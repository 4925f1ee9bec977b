#pragma once

#include "graphics/LZWDecoder.h"

#include <QList>
#include <QRect>

// The default frame decoder: decodes every image of the GIF once, with our
// own LZW decoder, into 32-bit premultiplied pixels at the image's own size,
// and composes the picture of frame n at frame 0's size: frame 0, then
// frames 1 to n at their positions, cut at frame 0's edge, transparent
// pixels showing the earlier frames through. GIF disposal is honoured:
// "restore to background" clears a frame's rectangle to transparent and
// "restore to previous" puts back what was under it, before the next frame
// is drawn.
class TGIFLZWDecoder : public ILZWDecoder
{
public:
    // Limits against decompression bombs. Images that pass them get no
    // bitmap; everything else goes on.
    struct TLimits
    {
        int FMaxFrameSide = 16384;
        qint64 FMaxFrameBytes = 128LL << 20;
        // All images' own pixels together.
        qint64 FMaxDecodedBytes = 256LL << 20;
        // All composed pictures handed out after one Prepare together.
        qint64 FMaxComposedBytes = 256LL << 20;
    };

    TGIFLZWDecoder();
    explicit TGIFLZWDecoder(const TLimits &ALimits) : FLimits(ALimits) {}

    struct TFrame
    {
        int FIndex = 0;
        int FX = 0;
        int FY = 0;
        // The image's own pixels; null when it could not be decoded.
        QImage FBitmap;
        int FDisposal = 0;
        bool FHasTransparency = false;
    };

    void Clear();
    int Count() const { return int(FFrames.size()); }
    // Image AIndex's own pixels; null for an index out of range.
    QImage Frames(int AIndex) const;

    void Prepare(QIODevice *AStream, const TGIFHeader &AHeader) override;
    // The positions, sizes and data come from Prepare's own parse of the
    // same bytes; the arguments other than AIndex are not needed.
    QImage DecodeFrame(int AIndex, int AX, int AY, int AWidth, int AHeight, QIODevice *AData) override;

private:
    void ComposeNext();
    void Dispose(int AIndex);
    void Draw(const TFrame &AFrame);
    QRect CanvasRect(int AIndex) const;

    const TLimits FLimits;
    QList<TFrame> FFrames;
    // The composition of frames 0 to FCanvasIndex.
    QImage FCanvas;
    int FCanvasIndex = -1;
    // What a "restore to previous" frame covered before it was drawn.
    QImage FSaved;
    qint64 FComposedBytes = 0;
};
