#include "graphics/BitmapResizer.h"

#include "graphics/FixedPoint.h"

#include <QThread>

#include <cmath>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int ChannelCount = 4;
constexpr qint64 One = TFixedPoint::One;

bool HasByteChannels(QImage::Format AFormat)
{
    switch (AFormat) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
        return true;
    default:
        return false;
    }
}

// The byte that Qt expects to be 0xFF in a format without alpha, or -1.
// The filters treat it as a channel like the others, and the area filter's
// slight lean would otherwise leave it at 254.
int PaddingByte(QImage::Format AFormat)
{
    switch (AFormat) {
    case QImage::Format_RGB32:
        return Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;
    case QImage::Format_RGBX8888:
        return 3;
    default:
        return -1;
    }
}

// Scan-line addresses taken once, before any worker thread starts:
// QImage::scanLine may detach and is not safe to call concurrently.
template <typename TByte>
struct TLines
{
    TByte *Bits;
    qsizetype BytesPerLine;

    TByte *Line(int ARow) const { return Bits + ARow * BytesPerLine; }
};
using TSourceLines = TLines<const uchar>;
using TDestLines = TLines<uchar>;

// Runs ABand(first, end) over the rows 0 ... ARows - 1, split into bands
// across the processor's cores when there is enough work to repay a thread.
template <typename TBand>
void ForEachRowBand(int ARows, qint64 AWork, const TBand &ABand)
{
    constexpr qint64 WorkPerThread = qint64(1) << 18;
    const qint64 cores = std::min(QThread::idealThreadCount(), ARows);
    const int bands = int(std::clamp<qint64>(AWork / WorkPerThread, 1, std::max<qint64>(cores, 1)));
    const auto bandStart = [&](int ABand) { return int(qint64(ARows) * ABand / bands); };
    std::vector<std::jthread> workers;
    for (int band = 1; band < bands; ++band) {
        try {
            workers.emplace_back(ABand, bandStart(band), bandStart(band + 1));
        } catch (const std::system_error &) {
            ABand(bandStart(band), bandStart(band + 1)); // no thread to spare: do it here
        }
    }
    ABand(0, bandStart(1));
}

// Writes 0xFF into the padding byte of every pixel of a row.
void FillPadding(uchar *ALine, int AWidth, int APaddingByte)
{
    if (APaddingByte < 0)
        return;
    for (int j = 0; j < AWidth; ++j)
        ALine[ChannelCount * j + APaddingByte] = 0xFF;
}

// Runs AFilter(source, target) into a bitmap of ADest's size. The filter
// works in the source's format; a destination of another format receives
// the result converted to its own format, so it keeps its size and format.
template <typename TFilter>
bool FilterInto(const QImage &ASource, QImage &ADest, const TFilter &AFilter)
{
    const QImage source = ASource; // keeps the pixels should ADest share them
    const bool sameFormat = ADest.format() == source.format();
    QImage converted;
    if (!sameFormat)
        converted = QImage(ADest.size(), source.format());
    QImage &target = sameFormat ? ADest : converted;
    if (target.bits() == nullptr) // out of memory
        return false;
    AFilter(source, target);
    if (!sameFormat)
        ADest = converted.convertToFormat(ADest.format());
    return true;
}

// ---- Bilinear interpolation ----------------------------------------------

// The two source lines (rows or columns) a destination line reads, and the
// weight of the second.
struct TBilinearTap
{
    int Near;
    int Far;
    double Fraction;
};

std::vector<TBilinearTap> BilinearTaps(int ASourceSize, int ADestSize)
{
    const double ratio = double(ASourceSize) / ADestSize;
    const int last = ASourceSize - 1;
    std::vector<TBilinearTap> taps(ADestSize);
    for (int j = 0; j < ADestSize; ++j) {
        const double position = (j + 0.5) * ratio - 0.5;
        const double floor = std::floor(position);
        const int index = int(floor);
        // The fraction is taken before clamping: at the borders both taps
        // name the same line and the fraction no longer matters.
        taps[j] = {std::clamp(index, 0, last), std::clamp(index + 1, 0, last), position - floor};
    }
    return taps;
}

void BilinearBand(const TSourceLines &ASource, const TDestLines &ADest, const std::vector<TBilinearTap> &AColumns,
                  const std::vector<TBilinearTap> &ARows, int APaddingByte, int AFirst, int AEnd)
{
    const int width = int(AColumns.size());
    for (int i = AFirst; i < AEnd; ++i) {
        const uchar *upper = ASource.Line(ARows[i].Near);
        const uchar *lower = ASource.Line(ARows[i].Far);
        const double fy = ARows[i].Fraction;
        uchar *out = ADest.Line(i);
        for (int j = 0; j < width; ++j) {
            const TBilinearTap &column = AColumns[j];
            const uchar *upperLeft = upper + ChannelCount * column.Near;
            const uchar *upperRight = upper + ChannelCount * column.Far;
            const uchar *lowerLeft = lower + ChannelCount * column.Near;
            const uchar *lowerRight = lower + ChannelCount * column.Far;
            const double fx = column.Fraction;
            const double fxy = fx * fy;
            for (int c = 0; c < ChannelCount; ++c) {
                // Fixed-point channels and their differences fit 32 bits
                // (at most 4 * 255 * 10000); the sum is formed in double
                // precision in this order, without fused multiply-adds.
                const qint32 c00 = upperLeft[c] * qint32(One);
                const qint32 c10 = upperRight[c] * qint32(One);
                const qint32 c01 = lowerLeft[c] * qint32(One);
                const qint32 c11 = lowerRight[c] * qint32(One);
                double value = double(c10 - c00) * fx;
                value += double(c11 + c00 - c10 - c01) * fxy;
                value += double(c01 - c00) * fy;
                value += double(c00);
                // An interpolation of non-negative channels: never below 0.
                out[ChannelCount * j + c] = TFixedPoint::ToChannel(quint32(qint32(TFixedPoint::RoundHalfEven(value))));
            }
        }
        FillPadding(out, width, APaddingByte);
    }
}

// ---- Area averaging ------------------------------------------------------

// For each destination line the source lines it covers and their weights.
struct TAreaAxis
{
    std::vector<int> First;   // first source line of each destination line
    std::vector<int> Start;   // where its weights begin in Weights; one extra entry at the end
    std::vector<int> Weights; // weights in 1/10000, each from 0 to 10000
};

// How much of source line AIndex lies within [ALow, AHigh], in 1/10000.
int CoverWeight(int AIndex, float ALow, float AHigh)
{
    const double index = AIndex;
    const double low = ALow;
    const double high = AHigh;
    const bool startsInside = index > low;
    const bool endsInside = high > index + 1;
    double part;
    if (startsInside)
        part = endsInside ? 1.0 : high - index;
    else
        part = endsInside ? 1.0 - (low - index) : high - low;
    return int(TFixedPoint::RoundHalfEven(part * One));
}

TAreaAxis AreaAxis(int ASourceSize, int ADestSize)
{
    const double ratio = double(ASourceSize) / ADestSize;
    TAreaAxis axis;
    axis.First.reserve(ADestSize);
    axis.Start.reserve(ADestSize + 1);
    axis.Weights.reserve(ASourceSize + 2 * ADestSize);
    for (int j = 0; j < ADestSize; ++j) {
        // Single precision, as stored. Taking 0.001 off the far edge keeps
        // it out of the next line when it falls on a whole number.
        const float low = float(j * ratio);
        const float high = float((j + 1) * ratio - 0.001);
        const int first = int(std::floor(low));
        // Beyond 2^15 a float cannot hold the 0.001 and the edge rounds up
        // onto the next whole number; that line would get weight 0 and at
        // the far border lies outside the bitmap.
        const int last = std::min(int(std::floor(high)), ASourceSize - 1);
        axis.First.push_back(first);
        axis.Start.push_back(int(axis.Weights.size()));
        for (int index = first; index <= last; ++index)
            axis.Weights.push_back(CoverWeight(index, low, high));
    }
    axis.Start.push_back(int(axis.Weights.size()));
    return axis;
}

void AreaBand(const TSourceLines &ASource, const TDestLines &ADest, const TAreaAxis &AColumns, const TAreaAxis &ARows,
              double AArea, int APaddingByte, int AFirst, int AEnd)
{
    const int width = int(AColumns.First.size());
    std::vector<TFixedPixel> sums(width);
    // Column weights times one row weight, kept for the next row with the
    // same weight (with whole-number ratios that is every row).
    std::vector<int> scaled(AColumns.Weights.size());
    int scaledFor = -1;
    for (int i = AFirst; i < AEnd; ++i) {
        std::fill(sums.begin(), sums.end(), TFixedPixel());
        for (int n = ARows.Start[i]; n < ARows.Start[i + 1]; ++n) {
            const int rowWeight = ARows.Weights[n];
            const int *weights = AColumns.Weights.data(); // row weight 1: the column weights themselves
            if (rowWeight != One) {
                if (rowWeight != scaledFor) {
                    for (size_t m = 0; m < scaled.size(); ++m)
                        scaled[m] = int(TFixedPoint::MulDivRound(AColumns.Weights[m], rowWeight, One));
                    scaledFor = rowWeight;
                }
                weights = scaled.data();
            }
            const uchar *line = ASource.Line(ARows.First[i] + n - ARows.Start[i]);
            for (int j = 0; j < width; ++j) {
                const uchar *pixel = line + ChannelCount * AColumns.First[j];
                qint64 *sum = sums[j].Channel;
                for (int m = AColumns.Start[j]; m < AColumns.Start[j + 1]; ++m, pixel += ChannelCount) {
                    // multiply-divide(w, channel * 10000, 10000) is exactly w * channel
                    const qint64 weight = weights[m];
                    for (int c = 0; c < ChannelCount; ++c)
                        sum[c] += weight * pixel[c];
                }
            }
        }
        uchar *out = ADest.Line(i);
        for (int j = 0; j < width; ++j)
            for (int c = 0; c < ChannelCount; ++c) {
                // The sums stay far below 2^53, so the double is exact.
                const double average = TFixedPoint::RoundHalfEven(double(sums[j].Channel[c]) / AArea);
                out[ChannelCount * j + c] = TFixedPoint::ToChannel(quint32(average));
            }
        FillPadding(out, width, APaddingByte);
    }
}

} // namespace

bool TBitmapResizer::CanResample(const QImage &ASource, const QImage &ADest)
{
    // isNull() also covers a width or height of 0.
    return !ASource.isNull() && !ADest.isNull() && HasByteChannels(ASource.format());
}

bool TBitmapResizer::ResizeTo(const QImage &ASource, QImage &ADest)
{
    if (!CanResample(ASource, ADest))
        return false;
    const int sw = ASource.width();
    const int sh = ASource.height();
    const int dw = ADest.width();
    const int dh = ADest.height();
    // Widen and shrink the other way through a bitmap of the larger size in
    // each dimension: bilinear up, then area down.
    const auto twoStep = [&](int AWidth, int AHeight) {
        QImage temporary(AWidth, AHeight, ASource.format());
        return !temporary.isNull() && BilinearTo(ASource, temporary) && AreaAverageTo(temporary, ADest);
    };
    if (sw == dw) {
        if (sh == dh) {
            ADest = ASource.convertToFormat(ADest.format()); // a plain copy when the formats agree
            return true;
        }
        return sh > dh ? AreaAverageTo(ASource, ADest) : BilinearTo(ASource, ADest);
    }
    if (sw > dw) {
        // With the height kept, the bilinear step of the two-step path would
        // be an exact copy: go straight to the area filter.
        return sh >= dh ? AreaAverageTo(ASource, ADest) : twoStep(sw, dh);
    }
    return sh < dh ? BilinearTo(ASource, ADest) : twoStep(dw, sh);
}

bool TBitmapResizer::BilinearTo(const QImage &ASource, QImage &ADest)
{
    if (!CanResample(ASource, ADest))
        return false;
    return FilterInto(ASource, ADest, [](const QImage &ASelf, QImage &ATarget) {
        const std::vector<TBilinearTap> columns = BilinearTaps(ASelf.width(), ATarget.width());
        const std::vector<TBilinearTap> rows = BilinearTaps(ASelf.height(), ATarget.height());
        const TSourceLines source{ASelf.constBits(), ASelf.bytesPerLine()};
        const TDestLines dest{ATarget.bits(), ATarget.bytesPerLine()};
        const int padding = PaddingByte(ATarget.format());
        ForEachRowBand(ATarget.height(), qint64(ATarget.width()) * ATarget.height() * ChannelCount,
                       [&](int AFirst, int AEnd) {
                           BilinearBand(source, dest, columns, rows, padding, AFirst, AEnd);
                       });
    });
}

bool TBitmapResizer::AreaAverageTo(const QImage &ASource, QImage &ADest)
{
    if (!CanResample(ASource, ADest))
        return false;
    if (ADest.width() > ASource.width() || ADest.height() > ASource.height())
        return false;
    return FilterInto(ASource, ADest, [](const QImage &ASelf, QImage &ATarget) {
        const TAreaAxis columns = AreaAxis(ASelf.width(), ATarget.width());
        const TAreaAxis rows = AreaAxis(ASelf.height(), ATarget.height());
        const double area = double(qint64(ASelf.width()) * ASelf.height()) / ATarget.width() / ATarget.height();
        const TSourceLines source{ASelf.constBits(), ASelf.bytesPerLine()};
        const TDestLines dest{ATarget.bits(), ATarget.bytesPerLine()};
        const int padding = PaddingByte(ATarget.format());
        ForEachRowBand(ATarget.height(), qint64(ASelf.width()) * ASelf.height() * ChannelCount,
                       [&](int AFirst, int AEnd) {
                           AreaBand(source, dest, columns, rows, area, padding, AFirst, AEnd);
                       });
    });
}
