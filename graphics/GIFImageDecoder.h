#pragma once

#include "graphics/GIFBlockReader.h"

#include <QImage>

// Decodes one GIF image into 32-bit premultiplied pixels at its own size.
class TGIFImageDecoder
{
public:
    struct TResult
    {
        // Null when the image cannot be decoded.
        QImage FBitmap;
        // True when some pixel is transparent: the transparent colour index
        // is set, or the data ended before the image was full.
        bool FHasTransparency = false;
    };

    // Uses the image's local colour table, else AGlobalColorTable; entries
    // missing from both are opaque black. Truncated data decodes what is
    // there and leaves the rest transparent; a code above the next free slot
    // ends the data like its end code. A minimum code size above 11 (codes
    // wider than 12 bits) gives no bitmap. AScratch is working memory that
    // the caller may keep for the next image.
    static TResult Decode(const TGIFImage &AImage, const std::vector<TGIFPaletteColor> &AGlobalColorTable,
                          std::vector<quint32> &AScratch);
};
