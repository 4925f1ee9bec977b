#include "graphics/BitmapResizer.h"

// The vectors below never cross this file's boundary, so the compilers'
// note that 32-byte vectors are passed differently with and without AVX is
// moot.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "graphics/FixedPoint.h"

#include <QThread>

#include <atomic>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

constexpr int ChannelCount = 4;
constexpr qint64 One = TFixedPoint::One;

// The four channels of a pixel side by side, so that the per-channel
// arithmetic maps onto SSE/AVX registers.
using TQuad = qint32 __attribute__((vector_size(16)));
// Kept in std::vector, whose allocations are only 16-byte aligned here.
using TWideQuad = qint64 __attribute__((vector_size(32), aligned(16)));
using TDoubleQuad = double __attribute__((vector_size(32)));
using TByteQuad = quint8 __attribute__((vector_size(4)));
using TShortQuad = quint16 __attribute__((vector_size(8)));
using TBytes = quint8 __attribute__((vector_size(16)));
using TShorts = quint16 __attribute__((vector_size(16)));
using TWideShorts = quint16 __attribute__((vector_size(32), aligned(16)));

// Four 16-bit values zero-extended to 32 bits.
[[gnu::always_inline]] inline TQuad WidenShorts(const quint16 *AValues)
{
#if defined(__clang__)
    TShortQuad shorts;
    std::memcpy(&shorts, AValues, sizeof shorts);
    return __builtin_convertvector(shorts, TQuad);
#else
    // GCC splits a direct conversion into single values; an interleaving
    // shuffle with zeros becomes one pmovzx instruction.
    TShorts shorts{};
    std::memcpy(&shorts, AValues, sizeof(TShortQuad));
    const TShorts words = __builtin_shuffle(shorts, TShorts{}, TShorts{0, 8, 1, 8, 2, 8, 3, 8});
    TQuad quad;
    std::memcpy(&quad, &words, sizeof quad);
    return quad;
#endif
}

// The four bytes of a pixel zero-extended to 32 bits.
[[gnu::always_inline]] inline TQuad LoadQuad(const uchar *APixel)
{
#if defined(__clang__)
    TByteQuad bytes;
    std::memcpy(&bytes, APixel, sizeof bytes);
    return __builtin_convertvector(bytes, TQuad);
#else
    TBytes bytes{};
    std::memcpy(&bytes, APixel, sizeof(TByteQuad));
    const TBytes widened = __builtin_shuffle(bytes, TBytes{}, TBytes{0, 16, 1, 16, 2, 16, 3, 16, 4, 16, 5, 16, 6, 16, 7, 16});
    quint16 shorts[ChannelCount];
    std::memcpy(shorts, &widened, sizeof shorts);
    return WidenShorts(shorts);
#endif
}

// Channels in fixed point back to bytes: rounded to whole units, then
// divided by 10000 and rounded, both ties to even. The filters stay within
// 0 ... 255; beyond the single-precision range of the area filter's edges
// (bitmaps over 32768 pixels wide or tall) they can overshoot by a few
// ten-thousandths, and saturating keeps white from wrapping round to black.
[[gnu::always_inline]] inline void StoreChannels(uchar *APixel, TQuad AFixed)
{
    const TQuad fixed = AFixed < 0 ? 0 : AFixed;
    // Divided by 10000, rounded half to even; GCC and Clang turn the
    // division by a constant into multiplications.
    TQuad channels = fixed / qint32(One);
    const TQuad twiceRemainder = 2 * (fixed - channels * qint32(One));
    // Comparisons yield -1 for true: subtracting rounds up.
    channels -= (twiceRemainder > qint32(One)) | ((twiceRemainder == qint32(One)) & ((channels & 1) == 1));
    channels = channels > 255 ? 255 : channels;
#if defined(__clang__)
    const TByteQuad bytes = __builtin_convertvector(channels, TByteQuad);
#else
    // The low byte of each word, picked out with one shuffle.
    TBytes all;
    std::memcpy(&all, &channels, sizeof all);
    const TBytes bytes = __builtin_shuffle(all, TBytes{0, 4, 8, 12, 0, 4, 8, 12, 0, 4, 8, 12, 0, 4, 8, 12});
#endif
    std::memcpy(APixel, &bytes, ChannelCount);
}

[[gnu::always_inline]] inline void StoreChannels(uchar *APixel, const TDoubleQuad &AFixed)
{
    StoreChannels(APixel, __builtin_convertvector(TFixedPoint::RoundHalfEven(AFixed), TQuad));
}

// Non-negative ASums / 2^AShift rounded half to even, in integers. In double
// precision the quotient of a 32-bit sum by a power of two is exact, so this
// is the same as rounding the double quotient.
[[gnu::always_inline]] inline TQuad ShiftRoundHalfEven(TQuad ASums, int AShift)
{
    if (AShift == 0)
        return ASums;
    const TQuad quotient = ASums >> AShift;
    const TQuad remainder = ASums & ((1 << AShift) - 1);
    const qint32 half = 1 << (AShift - 1);
    // Comparisons yield -1 for true: subtracting rounds up.
    return quotient - ((remainder > half) | ((remainder == half) & ((quotient & 1) == 1)));
}

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

// Runs ABand(first, end) over the rows 0 ... ARows - 1. With enough work to
// repay a thread the rows are cut into bands that the processor's cores
// take in turn, so that a core slowed by other programs holds up no one.
template <typename TBand>
void ForEachRowBand(int ARows, qint64 AWork, const TBand &ABand)
{
    constexpr qint64 WorkPerBand = qint64(1) << 18;
    constexpr int BandsPerThread = 8;
    const int cores = std::max(1, std::min(QThread::idealThreadCount(), ARows));
    const int bands = int(std::clamp<qint64>(AWork / WorkPerBand, 1, std::min(ARows, cores * BandsPerThread)));
    const int threads = std::min(cores, bands);
    std::atomic<int> next = 0;
    const auto work = [&] {
        for (int band = next++; band < bands; band = next++)
            ABand(int(qint64(ARows) * band / bands), int(qint64(ARows) * (band + 1) / bands));
    };
    std::vector<std::jthread> helpers;
    for (int thread = 1; thread < threads; ++thread) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error &) {
            break; // no thread to spare: the others take its share
        }
    }
    work();
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

[[gnu::always_inline]] inline void BilinearBand(const TSourceLines &ASource, const TDestLines &ADest, const std::vector<TBilinearTap> &AColumns,
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
            // Fixed-point channels and their differences fit 32 bits (at
            // most 4 * 255 * 10000); the sum is formed in double precision
            // in this order.
            const TQuad c00 = LoadQuad(upperLeft) * qint32(One);
            const TQuad c10 = LoadQuad(upperRight) * qint32(One);
            const TQuad c01 = LoadQuad(lowerLeft) * qint32(One);
            const TQuad c11 = LoadQuad(lowerRight) * qint32(One);
            TDoubleQuad value = __builtin_convertvector(c10 - c00, TDoubleQuad) * fx;
            value += __builtin_convertvector(c11 + c00 - c10 - c01, TDoubleQuad) * fxy;
            value += __builtin_convertvector(c01 - c00, TDoubleQuad) * fy;
            value += __builtin_convertvector(c00, TDoubleQuad);
            StoreChannels(out + ChannelCount * j, value);
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

    int Count(int AIndex) const { return Start[AIndex + 1] - Start[AIndex]; }
    int MaxCount() const
    {
        int count = 0;
        for (size_t j = 0; j + 1 < Start.size(); ++j)
            count = std::max(count, Count(int(j)));
        return count;
    }
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

// The pixels of one source row, widened for summing.
template <typename TSum>
struct TPixelRow
{
    const uchar *Line;

    [[gnu::always_inline]] TSum operator()(int AColumn) const
    {
        return __builtin_convertvector(LoadQuad(Line + ChannelCount * AColumn), TSum);
    }
};

// Several source rows added up byte by byte in 16 bits.
template <typename TSum>
struct TSummedRows
{
    const quint16 *Sums;

    [[gnu::always_inline]] TSum operator()(int AColumn) const
    {
        return __builtin_convertvector(WidenShorts(Sums + ChannelCount * AColumn), TSum);
    }
};

// The area filter for a band of destination rows, summing in TSum (32-bit
// lanes where the weights provably keep the sums below 2^31). Only the first
// and last source line of a destination line carry a weight of their own;
// those between weigh exactly 10000, and a weight of 10000 times another,
// divided by 10000, is the other. So the source rows between a destination
// row's first and last are added up column by column and weighted once, and
// in every row the pixels between a destination pixel's first and last are
// added up and multiplied once.
template <typename TSum>
struct TAreaBand
{
    const TSourceLines &FSource;
    const TAreaAxis &FColumns;
    int FWidth = int(FColumns.First.size());
    std::vector<TSum> FSums = std::vector<TSum>(FWidth);
    int FSourceBytes = ChannelCount * (FColumns.First.back() + FColumns.Count(FWidth - 1));
    std::vector<quint16> FColumnSums = std::vector<quint16>(FSourceBytes);
    std::vector<int> FFirstWeights = std::vector<int>(FWidth);
    std::vector<int> FLastWeights = std::vector<int>(FWidth);
    // The edge weights times a row weight, kept for the next row with the
    // same weight (with whole-number ratios that is every row).
    std::vector<int> FScaledFirst = std::vector<int>(FWidth);
    std::vector<int> FScaledLast = std::vector<int>(FWidth);
    int FScaledFor = -1;

    [[gnu::always_inline]] void Run(const TDestLines &ADest, const TAreaAxis &ARows, double AArea, int APaddingByte,
                                    int AFirst, int AEnd)
    {
        for (int j = 0; j < FWidth; ++j) {
            FFirstWeights[j] = FColumns.Weights[FColumns.Start[j]];
            FLastWeights[j] = FColumns.Weights[FColumns.Start[j + 1] - 1];
        }
        for (int i = AFirst; i < AEnd; ++i) {
            std::fill(FSums.begin(), FSums.end(), TSum{});
            // Rows weighing 10000 are summed and weighted once; at most the
            // first and the last row weigh less.
            const int weights = ARows.Start[i] - ARows.First[i]; // index of a row's weight, less the row
            int sumFirst = ARows.First[i];
            int sumEnd = sumFirst + ARows.Count(i);
            if (ARows.Weights[weights + sumFirst] != One) {
                AddRow(TPixelRow<TSum>{FSource.Line(sumFirst)}, ARows.Weights[weights + sumFirst]);
                ++sumFirst;
            }
            if (sumEnd > sumFirst && ARows.Weights[weights + sumEnd - 1] != One) {
                AddRow(TPixelRow<TSum>{FSource.Line(sumEnd - 1)}, ARows.Weights[weights + sumEnd - 1]);
                --sumEnd;
            }
            if (sumEnd - sumFirst > 1 && sumEnd - sumFirst <= MaxSummedRows) {
                SumRows(sumFirst, sumEnd);
                AddRow(TSummedRows<TSum>{FColumnSums.data()}, One);
            } else {
                for (int k = sumFirst; k < sumEnd; ++k)
                    AddRow(TPixelRow<TSum>{FSource.Line(k)}, One);
            }
            uchar *out = ADest.Line(i);
            // Dividing by a power of two (4 for halving) is multiplying by
            // its reciprocal, exactly, and much cheaper.
            // In 32-bit lanes it is a shift with integer rounding, cheaper still
            // (the area is at least 1: the filter only shrinks).
            int exponent;
            if constexpr (std::is_same_v<TSum, TQuad>) {
                if (std::frexp(AArea, &exponent) == 0.5) {
                    for (int j = 0; j < FWidth; ++j)
                        StoreChannels(out + ChannelCount * j, ShiftRoundHalfEven(FSums[j], exponent - 1));
                    FillPadding(out, FWidth, APaddingByte);
                    continue;
                }
            }
            if (std::frexp(AArea, &exponent) == 0.5) {
                const double reciprocal = 1.0 / AArea;
                for (int j = 0; j < FWidth; ++j)
                    StoreChannels(out + ChannelCount * j, __builtin_convertvector(FSums[j], TDoubleQuad) * reciprocal);
            } else {
                for (int j = 0; j < FWidth; ++j)
                    StoreChannels(out + ChannelCount * j, __builtin_convertvector(FSums[j], TDoubleQuad) / AArea);
            }
            FillPadding(out, FWidth, APaddingByte);
        }
    }

    // 257 * 255 still fits 16 bits.
    static constexpr int MaxSummedRows = 257;

    // Adds up source rows AFirst ... AEnd - 1 byte by byte, sixteen bytes
    // at a time.
    [[gnu::always_inline]] void SumRows(int AFirst, int AEnd)
    {
        quint16 *sums = FColumnSums.data();
        const int chunks = FSourceBytes / int(sizeof(TBytes));
        // Two rows per pass, so that the sums are loaded and stored half as often.
        for (int k = AFirst; k < AEnd; k += 2) {
            const uchar *upper = FSource.Line(k);
            const uchar *lower = k + 1 < AEnd ? FSource.Line(k + 1) : nullptr;
            for (int n = 0; n < chunks; ++n) {
                const size_t offset = n * sizeof(TBytes);
                TBytes bytes;
                std::memcpy(&bytes, upper + offset, sizeof bytes);
                TWideShorts sum = __builtin_convertvector(bytes, TWideShorts);
                if (lower != nullptr) {
                    std::memcpy(&bytes, lower + offset, sizeof bytes);
                    sum += __builtin_convertvector(bytes, TWideShorts);
                }
                if (k > AFirst) {
                    TWideShorts before;
                    std::memcpy(&before, sums + offset, sizeof before);
                    sum += before;
                }
                std::memcpy(sums + offset, &sum, sizeof sum);
            }
            for (int x = chunks * int(sizeof(TBytes)); x < FSourceBytes; ++x)
                sums[x] = quint16((k > AFirst ? sums[x] : 0) + upper[x] + (lower != nullptr ? lower[x] : 0));
        }
    }

    template <typename TPixelAt>
    [[gnu::always_inline]] void AddRow(const TPixelAt &APixelAt, int ARowWeight)
    {
        if (ARowWeight == One) { // times 10000, divided by 10000: the column weights themselves
            AddRow(APixelAt, ARowWeight, FFirstWeights, FLastWeights);
            return;
        }
        if (ARowWeight != FScaledFor) {
            for (int j = 0; j < FWidth; ++j) {
                FScaledFirst[j] = int(TFixedPoint::MulDivRound(FFirstWeights[j], ARowWeight, One));
                FScaledLast[j] = int(TFixedPoint::MulDivRound(FLastWeights[j], ARowWeight, One));
            }
            FScaledFor = ARowWeight;
        }
        AddRow(APixelAt, ARowWeight, FScaledFirst, FScaledLast);
    }

    template <typename TPixelAt>
    [[gnu::always_inline]] void AddRow(const TPixelAt &APixelAt, int ARowWeight, const std::vector<int> &AFirstWeights,
                                       const std::vector<int> &ALastWeights)
    {
        for (int j = 0; j < FWidth; ++j) {
            const int first = FColumns.First[j];
            const int last = first + FColumns.Count(j) - 1;
            TSum sum = APixelAt(first) * AFirstWeights[j];
            if (last > first) {
                TSum middle{};
                for (int m = first + 1; m < last; ++m)
                    middle += APixelAt(m);
                sum += middle * ARowWeight + APixelAt(last) * ALastWeights[j];
            }
            FSums[j] += sum;
        }
    }
};

template <typename TSum>
[[gnu::always_inline]] inline void AreaBand(const TSourceLines &ASource, const TDestLines &ADest,
                                            const TAreaAxis &AColumns, const TAreaAxis &ARows, double AArea,
                                            int APaddingByte, int AFirst, int AEnd)
{
    TAreaBand<TSum>{ASource, AColumns}.Run(ADest, ARows, AArea, APaddingByte, AFirst, AEnd);
}

// Runs AKernel (an always-inline function) compiled for AVX2 when the
// processor has it, else for plain x86-64. Only AVX2 is enabled, not fused
// multiply-adds, which would change the rounding of the bilinear sums.
#if defined(__x86_64__)
template <auto AKernel, typename... TArgs>
__attribute__((target("avx2"))) void RunForAvx2(const TArgs &...AArgs)
{
    AKernel(AArgs...);
}
#endif

template <auto AKernel, typename... TArgs>
void RunForProcessor(const TArgs &...AArgs)
{
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx2")) {
        RunForAvx2<AKernel>(AArgs...);
        return;
    }
#endif
    AKernel(AArgs...);
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
                           RunForProcessor<BilinearBand>(source, dest, columns, rows, padding, AFirst, AEnd);
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
        // Every sum is at most 255 * 10000 per weighed source pixel.
        const bool fits32 = qint64(columns.MaxCount()) * rows.MaxCount() * 255 * One <= 0x7FFFFFFF;
        ForEachRowBand(ATarget.height(), qint64(ASelf.width()) * ASelf.height() * ChannelCount,
                       [&](int AFirst, int AEnd) {
                           if (fits32)
                               RunForProcessor<AreaBand<TQuad>>(source, dest, columns, rows, area, padding,
                                                                        AFirst, AEnd);
                           else
                               RunForProcessor<AreaBand<TWideQuad>>(source, dest, columns, rows, area, padding,
                                                                    AFirst, AEnd);
                       });
    });
}
