#include "graphics/GIFLZWDecoder.h"

#include "graphics/GIFBlockReader.h"
#include "graphics/GIFImageDecoder.h"

#include <cstring>

namespace {

enum TDisposal { RestoreToBackground = 2, RestoreToPrevious = 3 };

} // namespace

TGIFLZWDecoder::TGIFLZWDecoder() : FLimits()
{
}

void TGIFLZWDecoder::Clear()
{
    FFrames.clear();
    FCanvas = QImage();
    FCanvasIndex = -1;
    FSaved = QImage();
    FComposedBytes = 0;
}

QImage TGIFLZWDecoder::Frames(int AIndex) const
{
    return AIndex >= 0 && AIndex < Count() ? FFrames[AIndex].FBitmap : QImage();
}

void TGIFLZWDecoder::Prepare(QIODevice *AStream, const TGIFHeader &)
{
    Clear();
    TGIFHeader header;
    header.LoadFromStream(AStream);
    if (!header.IsValid())
        return;
    TGIFBlockReader reader(AStream);
    TGIFImage image;
    qint64 decodedBytes = 0;
    std::vector<quint32> scratch;
    while (reader.ReadNextImage(image)) {
        TFrame frame;
        frame.FIndex = Count();
        frame.FX = image.FX;
        frame.FY = image.FY;
        frame.FDisposal = image.FDisposal;
        const qint64 bytes = qint64(image.FWidth) * image.FHeight * 4;
        if (image.FWidth <= FLimits.FMaxFrameSide && image.FHeight <= FLimits.FMaxFrameSide
            && bytes <= FLimits.FMaxFrameBytes && decodedBytes + bytes <= FLimits.FMaxDecodedBytes) {
            const TGIFImageDecoder::TResult decoded = TGIFImageDecoder::Decode(image, header.FGlobalColorTable, scratch);
            frame.FBitmap = decoded.FBitmap;
            frame.FHasTransparency = decoded.FHasTransparency;
            if (!frame.FBitmap.isNull())
                decodedBytes += bytes;
        }
        FFrames.append(frame);
    }
}

QImage TGIFLZWDecoder::DecodeFrame(int AIndex, int, int, int, int, QIODevice *)
{
    if (AIndex < 0 || AIndex >= Count() || FFrames[0].FBitmap.isNull())
        return QImage();
    if (AIndex <= FCanvasIndex) {
        FCanvas = QImage();
        FCanvasIndex = -1;
    }
    const qint64 bytes = FFrames[0].FBitmap.sizeInBytes();
    if (FComposedBytes + bytes > FLimits.FMaxComposedBytes)
        return QImage();
    while (FCanvasIndex < AIndex)
        ComposeNext();
    FComposedBytes += bytes;
    // Shared with the caller; the next composition detaches its own copy.
    return FCanvas;
}

// Each picture is made from the previous one, so composing all frames costs
// one copy and one draw per frame.
void TGIFLZWDecoder::ComposeNext()
{
    const int index = ++FCanvasIndex;
    const TFrame &frame = FFrames[index];
    if (index == 0) {
        FCanvas = frame.FBitmap;
        return;
    }
    Dispose(index - 1);
    if (frame.FBitmap.isNull())
        return;
    if (frame.FDisposal == RestoreToPrevious)
        FSaved = FCanvas.copy(CanvasRect(index));
    // An opaque frame that covers the whole picture is the picture: it is
    // shared rather than copied.
    if (!frame.FHasTransparency && frame.FX == 0 && frame.FY == 0 && frame.FBitmap.size() == FCanvas.size())
        FCanvas = frame.FBitmap;
    else
        Draw(frame);
}

void TGIFLZWDecoder::Dispose(int AIndex)
{
    const TFrame &frame = FFrames[AIndex];
    if (frame.FBitmap.isNull())
        return;
    const QRect area = CanvasRect(AIndex);
    if (area.isEmpty())
        return;
    // Frame 0 is the start of the composition: nothing lay under it.
    if (frame.FDisposal == RestoreToBackground || (frame.FDisposal == RestoreToPrevious && AIndex == 0)) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memset(FCanvas.scanLine(y) + area.left() * 4, 0, area.width() * 4);
    } else if (frame.FDisposal == RestoreToPrevious && !FSaved.isNull()) {
        for (int y = 0; y < FSaved.height(); ++y)
            std::memcpy(FCanvas.scanLine(area.top() + y) + area.left() * 4, FSaved.constScanLine(y),
                        FSaved.width() * 4);
    }
}

void TGIFLZWDecoder::Draw(const TFrame &AFrame)
{
    const QRect area = CanvasRect(AFrame.FIndex);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        quint32 *target = reinterpret_cast<quint32 *>(FCanvas.scanLine(y)) + area.left();
        const quint32 *source = reinterpret_cast<const quint32 *>(AFrame.FBitmap.constScanLine(y - AFrame.FY))
                                + (area.left() - AFrame.FX);
        if (!AFrame.FHasTransparency) {
            std::memcpy(target, source, area.width() * 4);
            continue;
        }
        // GIF pixels are opaque or fully transparent, so drawing one over
        // another is a copy of the opaque ones.
        for (int x = 0; x < area.width(); ++x) {
            if (source[x] >> 24)
                target[x] = source[x];
        }
    }
}

// Frame AIndex's rectangle on the canvas: frame 0 fills it, later frames
// stand at their own positions, cut at its edge.
QRect TGIFLZWDecoder::CanvasRect(int AIndex) const
{
    const TFrame &frame = FFrames[AIndex];
    if (AIndex == 0)
        return FCanvas.rect();
    return QRect(frame.FX, frame.FY, frame.FBitmap.width(), frame.FBitmap.height()) & FCanvas.rect();
}
