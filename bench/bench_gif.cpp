// Decoding and composing every frame of a GIF to 32-bit pixels: our
// animator with its default LZW decoder against giflib (DGifSlurp plus
// palette expansion and disposal) and against Qt's QImageReader frame loop,
// on the same inputs in the same run. The inputs are encoded here with
// giflib's encoder.
#include "graphics/GIFAnimator.h"
#include "graphics/GIFLZWDecoderFactory.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QList>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int Repeats = 5;

// --- Inputs --------------------------------------------------------------

struct TInput
{
    const char *FName;
    QByteArray FBytes;
    qint64 FPixels = 0; // pixels of all composed frames together
};

int WriteToArray(GifFileType *AGif, const GifByteType *AData, int ASize)
{
    static_cast<QByteArray *>(AGif->UserData)->append(reinterpret_cast<const char *>(AData), ASize);
    return ASize;
}

// Encodes AFrames full-screen frames; AIndices(frame, row) fills one row.
QByteArray EncodeGIF(int AWidth, int AHeight, int AFrames, const QList<QRgb> &APalette,
                     const std::function<void(int, int, GifByteType *)> &AIndices)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, WriteToArray, &error);
    EGifSetGifVersion(gif, true);
    GifColorType colors[256] = {};
    for (int i = 0; i < APalette.size(); ++i)
        colors[i] = {GifByteType(qRed(APalette[i])), GifByteType(qGreen(APalette[i])), GifByteType(qBlue(APalette[i]))};
    ColorMapObject *map = GifMakeMapObject(256, colors);
    EGifPutScreenDesc(gif, AWidth, AHeight, 8, 0, map);
    std::vector<GifByteType> row(AWidth);
    for (int frame = 0; frame < AFrames; ++frame) {
        if (AFrames > 1) {
            GraphicsControlBlock control {DISPOSE_DO_NOT, false, 4, NO_TRANSPARENT_COLOR};
            GifByteType extension[4];
            EGifGCBToExtension(&control, extension);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        }
        EGifPutImageDesc(gif, 0, 0, AWidth, AHeight, false, nullptr);
        for (int y = 0; y < AHeight; ++y) {
            AIndices(frame, y, row.data());
            EGifPutLine(gif, row.data(), AWidth);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

// A 6 x 7 x 6 colour cube and smooth moving colour fields dithered onto it
// with an 8 x 8 ordered matrix: the noisy indices of a photograph.
QList<QRgb> CubePalette()
{
    QList<QRgb> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                palette.append(qRgb(r * 51, g * 42, b * 51));
    return palette;
}

void PhotoRow(int AWidth, int AHeight, int AFrame, int AY, GifByteType *ARow)
{
    static const int bayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
    const double t = AFrame * 0.05;
    for (int x = 0; x < AWidth; ++x) {
        const double u = double(x) / AWidth, v = double(AY) / AHeight;
        const double r = 0.5 + 0.5 * std::sin(6.0 * u + 3.0 * v + t);
        const double g = 0.5 + 0.5 * std::sin(4.0 * v - 5.0 * u * v + 2.0 * t);
        const double b = 0.5 + 0.5 * std::cos(9.0 * (u - 0.5) * (v - 0.3) + t);
        const double d = (bayer[AY & 7][x & 7] + 0.5) / 64.0;
        const int ri = std::min(5, int(r * 5 + d)), gi = std::min(6, int(g * 6 + d)), bi = std::min(5, int(b * 5 + d));
        ARow[x] = GifByteType(ri * 42 + gi * 6 + bi);
    }
}

// Flat shapes in 16 colours moving over a plain background.
void CartoonRow(int AWidth, int AFrame, int AY, GifByteType *ARow)
{
    std::memset(ARow, AY < 180 ? 1 : 2, AWidth);
    for (int shape = 0; shape < 6; ++shape) {
        const int cx = (shape * 97 + AFrame * (3 + shape)) % (AWidth + 80) - 40;
        const int cy = 40 + shape * 35;
        const int radius = 18 + shape * 4;
        const int dy = AY - cy;
        if (dy * dy > radius * radius)
            continue;
        const int half = int(std::sqrt(double(radius * radius - dy * dy)));
        for (int x = std::max(0, cx - half); x < std::min(AWidth, cx + half); ++x)
            ARow[x] = GifByteType(3 + shape * 2 + (x > cx ? 1 : 0));
    }
}

QList<TInput> Inputs()
{
    const QList<QRgb> cube = CubePalette();
    QList<QRgb> flat;
    for (int i = 0; i < 16; ++i)
        flat.append(qRgb((i * 67) & 255, (i * 131) & 255, (i * 29 + 90) & 255));
    QList<TInput> inputs;
    inputs.append({"photo_480x270x120",
                   EncodeGIF(480, 270, 120, cube, [](int f, int y, GifByteType *row) { PhotoRow(480, 270, f, y, row); }),
                   480LL * 270 * 120});
    inputs.append({"photo_1920x1080",
                   EncodeGIF(1920, 1080, 1, cube, [](int f, int y, GifByteType *row) { PhotoRow(1920, 1080, f, y, row); }),
                   1920LL * 1080});
    inputs.append({"cartoon_480x270x120",
                   EncodeGIF(480, 270, 120, flat, [](int f, int y, GifByteType *row) { CartoonRow(480, f, y, row); }),
                   480LL * 270 * 120});
    return inputs;
}

// --- The three decoders ----------------------------------------------------

QList<QImage> DecodeOurs(const QByteArray &ABytes)
{
    QByteArray bytes = ABytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TGIFAnimator animator(nullptr);
    animator.LoadFromStream(&buffer);
    QList<QImage> frames;
    for (int i = 0; i < animator.Count(); ++i)
        frames.append(animator.Frames(i).FBitmap);
    return frames;
}

struct TReadState
{
    const QByteArray *FBytes;
    qsizetype FPos = 0;
};

int ReadFromArray(GifFileType *AGif, GifByteType *AData, int ASize)
{
    auto *state = static_cast<TReadState *>(AGif->UserData);
    const int n = int(std::min<qsizetype>(ASize, state->FBytes->size() - state->FPos));
    std::memcpy(AData, state->FBytes->constData() + state->FPos, n);
    state->FPos += n;
    return n;
}

// giflib's slurp, then each frame composed on a screen-sized canvas with
// its disposal, every composed frame kept as a picture of its own.
QList<QImage> DecodeGiflib(const QByteArray &ABytes)
{
    TReadState state {&ABytes};
    int error = 0;
    GifFileType *gif = DGifOpen(&state, ReadFromArray, &error);
    QList<QImage> frames;
    if (!gif || DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return frames;
    }
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(0);
    QImage saved;
    QRect previous;
    int previousDisposal = DISPOSAL_UNSPECIFIED;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        const GifImageDesc &desc = image.ImageDesc;
        GraphicsControlBlock control {DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif, i, &control);
        if (previousDisposal == DISPOSE_BACKGROUND) {
            for (int y = previous.top(); y <= previous.bottom(); ++y)
                std::memset(canvas.scanLine(y) + previous.left() * 4, 0, previous.width() * 4);
        } else if (previousDisposal == DISPOSE_PREVIOUS && !saved.isNull()) {
            for (int y = 0; y < saved.height(); ++y)
                std::memcpy(canvas.scanLine(previous.top() + y) + previous.left() * 4, saved.constScanLine(y),
                            saved.width() * 4);
        }
        const QRect area = QRect(desc.Left, desc.Top, desc.Width, desc.Height) & canvas.rect();
        if (control.DisposalMode == DISPOSE_PREVIOUS)
            saved = canvas.copy(area);
        const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        quint32 palette[256];
        for (int c = 0; c < 256; ++c) {
            const GifColorType color = map && c < map->ColorCount ? map->Colors[c] : GifColorType {0, 0, 0};
            palette[c] = 0xFF000000u | color.Red << 16 | color.Green << 8 | color.Blue;
        }
        const int transparent = control.TransparentColor;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const GifByteType *source = image.RasterBits + qsizetype(y - desc.Top) * desc.Width - desc.Left;
            quint32 *target = reinterpret_cast<quint32 *>(canvas.scanLine(y));
            for (int x = area.left(); x <= area.right(); ++x) {
                if (source[x] != transparent)
                    target[x] = palette[source[x]];
            }
        }
        frames.append(canvas); // the next change detaches a copy
        previous = area;
        previousDisposal = control.DisposalMode;
    }
    DGifCloseFile(gif, &error);
    return frames;
}

QList<QImage> DecodeQt(const QByteArray &ABytes)
{
    QByteArray bytes = ABytes;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    QList<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.append(frame);
    return frames;
}

// Megapixels per second, best of Repeats runs.
double Speed(const TInput &AInput, QList<QImage> (*ADecode)(const QByteArray &))
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QList<QImage> frames = ADecode(AInput.FBytes);
        best = std::min(best, timer.nsecsElapsed());
    }
    return AInput.FPixels / 1e6 / (best / 1e9);
}

bool SamePixels(const QList<QImage> &AOurs, const QList<QImage> &ATheirs)
{
    if (AOurs.size() != ATheirs.size())
        return false;
    for (qsizetype i = 0; i < AOurs.size(); ++i) {
        if (AOurs[i].convertToFormat(QImage::Format_ARGB32) != ATheirs[i].convertToFormat(QImage::Format_ARGB32))
            return false;
    }
    return true;
}

} // namespace

int main()
{
    TGIFLZWDecoderFactory::Register();
    int status = 0;
    for (const TInput &input : Inputs()) {
        const QList<QImage> ours = DecodeOurs(input.FBytes);
        if (!SamePixels(ours, DecodeGiflib(input.FBytes)) || !SamePixels(ours, DecodeQt(input.FBytes))) {
            std::fprintf(stderr, "%s: our frames differ from the anchors'\n", input.FName);
            status = 1;
        }
        const double speed = Speed(input, DecodeOurs);
        const double giflib = Speed(input, DecodeGiflib);
        const double qt = Speed(input, DecodeQt);
        std::printf("BENCH gif_%s_vs_giflib ours=%.1f anchor=%.1f unit=Mpx/s speed_ratio=%.2f\n", input.FName, speed,
                    giflib, speed / giflib);
        std::printf("BENCH gif_%s_vs_qt ours=%.1f anchor=%.1f unit=Mpx/s speed_ratio=%.2f\n", input.FName, speed, qt,
                    speed / qt);
        std::printf("     (%s: %lld bytes)\n", input.FName, (long long)input.FBytes.size());
    }
    return status;
}
