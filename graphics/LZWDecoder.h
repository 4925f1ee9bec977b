#pragma once

#include "graphics/GIFHeader.h"

#include <QImage>

class QIODevice;

// Turns the images of one GIF into the pictures an animator shows.
class ILZWDecoder
{
public:
    static constexpr const char *IID = "{CF5A347B-C12F-41FC-92E5-E3C991BED458}";

    virtual ~ILZWDecoder() = default;

    // Receives the whole GIF (a private copy positioned at 0, not to be kept
    // after the call) and its parsed header, before any frame is asked for.
    virtual void Prepare(QIODevice *AStream, const TGIFHeader &AHeader) = 0;
    // The picture to show for image AIndex (0-based, file order), given that
    // image's position, size and LZW data (positioned at 0, without the
    // minimum code size byte); a null image when there is none. Images are
    // asked for in order 0, 1, 2, ... after one Prepare.
    virtual QImage DecodeFrame(int AIndex, int AX, int AY, int AWidth, int AHeight, QIODevice *AData) = 0;
};
