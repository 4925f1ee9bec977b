// Feeds arbitrary bytes to the GIF animator with the default frame decoder:
// parsing, decoding, composing and writing the kept bytes back.
#include "graphics/GIFAnimator.h"
#include "graphics/GIFLZWDecoderFactory.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *AData, size_t ASize)
{
    static const bool registered = (TGIFLZWDecoderFactory::Register(), true);
    (void)registered;

    QByteArray bytes(reinterpret_cast<const char *>(AData), qsizetype(ASize));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    TGIFAnimator animator(nullptr);
    if (!animator.LoadFromStream(&input))
        return 0;

    QByteArray saved;
    QBuffer output(&saved);
    output.open(QIODevice::WriteOnly);
    animator.SaveToStream(&output);
    if (saved != bytes.left(input.pos()))
        std::abort(); // the kept bytes must be exactly those consumed
    for (int i = 0; i < animator.Count(); ++i) {
        const QImage bitmap = animator.Frames(i).FBitmap;
        if (!bitmap.isNull() && bitmap.format() != QImage::Format_ARGB32_Premultiplied)
            std::abort();
    }
    return 0;
}
