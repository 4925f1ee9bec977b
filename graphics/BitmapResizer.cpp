#include "graphics/BitmapResizer.h"

// The vectors below never cross this file's boundary, so the compilers'
// note that 32-byte vectors are passed differently with and without AVX is
// moot.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "graphics/FixedPoint.h"

#include <QThread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <exception>
#include <mutex>
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
// The channels of two pixels.
using TPixelSums = qint32 __attribute__((vector_size(32)));
// Kept in std::vector, whose allocations are only 16-byte aligned here.
using TWideQuad = qint64 __attribute__((vector_size(32), aligned(16)));
using TDoubleQuad = double __attribute__((vector_size(32)));
// The same for two pixels.
using TWideOctet = qint64 __attribute__((vector_size(64)));
using TDoubleOctet = double __attribute__((vector_size(64)));
using TBytes = quint8 __attribute__((vector_size(16)));
using TWideBytes = quint8 __attribute__((vector_size(32)));
using TShorts = quint16 __attribute__((vector_size(16)));
// Vectors are reinterpreted between lanes of 8, 16 and 32 bits.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the lane shuffles assume little-endian order");

// The four bytes of a pixel zero-extended to 32 bits: interleaved with
// zero bytes, which compiles to one zero-extending load.
[[gnu::always_inline]] inline TQuad LoadQuad(const uchar *APixel)
{
    TBytes bytes{};
    std::memcpy(&bytes, APixel, ChannelCount);
    return TQuad(__builtin_shufflevector(bytes, TBytes{}, 0, 16, 16, 16, 1, 16, 16, 16, 2, 16, 16, 16, 3, 16, 16, 16));
}

// The lowest byte of each 32-bit lane of AVector.
template <typename TLanes, int... ALane>
[[gnu::always_inline]] inline auto LowBytes(TLanes AVector, std::integer_sequence<int, ALane...>)
{
    using TAllBytes = std::conditional_t<sizeof(TLanes) == sizeof(TBytes), TBytes, TWideBytes>;
    const TAllBytes bytes = TAllBytes(AVector);
    return __builtin_shufflevector(bytes, bytes, 4 * ALane...);
}

// Non-negative 32-bit lanes divided by 10000, rounded half to even. GCC and
// Clang turn the division by a constant into multiplications.
template <typename TLanes>
[[gnu::always_inline]] inline TLanes DivideByOne(TLanes AValues)
{
    const TLanes quotient = AValues / qint32(One);
    const TLanes twiceRemainder = 2 * (AValues - quotient * qint32(One));
    // Comparisons yield -1 for true: subtracting rounds up.
    return quotient - ((twiceRemainder > qint32(One)) | ((twiceRemainder == qint32(One)) & ((quotient & 1) == 1)));
}

// Channels in fixed point back to bytes, one pixel per four lanes: rounded
// to whole units, then divided by 10000 and rounded, both ties to even. The
// filters stay within 0 ... 255; beyond the single-precision range of the
// area filter's edges (bitmaps over 32768 pixels wide or tall) they can
// overshoot by a few ten-thousandths, and saturating keeps white from
// wrapping round to black.
template <typename TLanes>
[[gnu::always_inline]] inline void StoreChannels(uchar *APixels, TLanes AFixed)
{
    constexpr int lanes = sizeof(TLanes) / sizeof(qint32);
    TLanes channels = DivideByOne(AFixed < 0 ? 0 : AFixed);
    channels = channels > 255 ? 255 : channels;
    const auto bytes = LowBytes(channels, std::make_integer_sequence<int, lanes>());
    std::memcpy(APixels, &bytes, lanes);
}

[[gnu::always_inline]] inline void StoreChannels(uchar *APixel, const TDoubleQuad &AFixed)
{
    StoreChannels(APixel, __builtin_convertvector(TFixedPoint::RoundHalfEven(AFixed), TQuad));
}

// Non-negative ASums / 2^AShift rounded half to even, in integers. In double
// precision the quotient of a 32-bit sum by a power of two is exact, so this
// is the same as rounding the double quotient.
template <typename TLanes>
[[gnu::always_inline]] inline TLanes ShiftRoundHalfEven(TLanes ASums, int AShift)
{
    if (AShift == 0)
        return ASums;
    const TLanes quotient = ASums >> AShift;
    const TLanes remainder = ASums & ((1 << AShift) - 1);
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
    // A band's failure (out of memory) reaches the caller as it would
    // without threads, instead of ending the program from a worker.
    std::mutex failureLock;
    std::exception_ptr failure;
    const auto work = [&] {
        try {
            for (int band = next++; band < bands; band = next++)
                ABand(int(qint64(ARows) * band / bands), int(qint64(ARows) * (band + 1) / bands));
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            next = bands; // the others stop after the band they are in
        }
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
    helpers.clear(); // joins them
    if (failure)
        std::rethrow_exception(failure);
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

[[gnu::always_inline]] inline void BilinearBand(const TSourceLines &ASource, const TDestLines &ADest,
                                                const std::vector<TBilinearTap> &AColumns,
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

// The channels of two neighbouring source pixels side by side, in 16 bits:
// c0 c0' c1 c1' c2 c2' c3 c3' for channels c of the even pixel and c' of
// the odd one. One multiply-add of pairs weighs both pixels and adds them up
// channel by channel.
using TPixelPair = qint16 __attribute__((vector_size(16)));

[[gnu::always_inline]] inline TQuad MultiplyAddPairs(TPixelPair AValues, TPixelPair AWeights)
{
#if defined(__SSE2__)
    return TQuad(_mm_madd_epi16(__m128i(AValues), __m128i(AWeights)));
#else
    TQuad sums;
    for (int c = 0; c < ChannelCount; ++c)
        sums[c] = AValues[2 * c] * AWeights[2 * c] + AValues[2 * c + 1] * AWeights[2 * c + 1];
    return sums;
#endif
}

// A pair's two column weights (each 0 ... 10000), the even column's in the
// low half.
[[gnu::always_inline]] inline TPixelPair SpreadWeights(quint32 APairWeights)
{
    const qint32 weights = qint32(APairWeights);
    return TPixelPair(TQuad{weights, weights, weights, weights});
}

// Per destination pixel, the weights of its source columns two columns at a
// time, the pairs of TPixelPair. Every pixel has the same number of pairs,
// so that the loop over them has a fixed length; a pair that lies outside a
// pixel's columns, wholly or in part, weighs them with 0.
struct TColumnPairs
{
    std::vector<int> FirstPair; // first pair of each destination pixel
    int PairsPerPixel = 1;
    std::vector<quint32> Weights; // PairsPerPixel for each destination pixel

    explicit TColumnPairs(const TAreaAxis &AColumns)
    {
        const int width = int(AColumns.First.size());
        FirstPair.reserve(width);
        for (int j = 0; j < width; ++j) {
            const int first = AColumns.First[j];
            FirstPair.push_back(first / 2);
            PairsPerPixel = std::max(PairsPerPixel, (first + AColumns.Count(j) - 1) / 2 - first / 2 + 1);
        }
        // Whole vectors for TScaledPairs.
        Weights.resize((size_t(width) * PairsPerPixel + 7) / 8 * 8);
        for (int j = 0; j < width; ++j) {
            const int first = AColumns.First[j];
            const int last = first + AColumns.Count(j) - 1;
            const auto weight = [&](int AColumn) {
                return AColumn < first || AColumn > last ? 0 : AColumns.Weights[AColumns.Start[j] + AColumn - first];
            };
            for (int k = 0; k < PairsPerPixel; ++k) {
                const int pair = first / 2 + k;
                const quint32 even = weight(2 * pair);
                const quint32 odd = weight(2 * pair + 1);
                Weights[size_t(j) * PairsPerPixel + k] = even | odd << 16;
            }
        }
    }
};

// The column weights of a row that itself weighs ARowWeight: each weight
// times the row's, divided by 10000. The tables of the last few row weights
// are kept: ratios such as 10 : 3 repeat a handful of edge-row weights, and
// with whole-number ratios there is only one.
class TScaledPairs
{
public:
    // TLanes: the 32-bit vector to compute in, a multiple of four lanes.
    template <typename TLanes>
    [[gnu::always_inline]] const quint32 *For(const TColumnPairs &AColumns, int ARowWeight)
    {
        constexpr size_t lanes = sizeof(TLanes) / sizeof(qint32);
        for (const TTable &table : FTables) {
            if (table.RowWeight == ARowWeight)
                return table.Weights.data();
        }
        TTable &table = FTables[FNext];
        FNext = (FNext + 1) % int(FTables.size());
        // Both weights of a product are at most 10000, so it fits 32 bits;
        // a vector of pairs at a time, the table being padded to eight.
        table.Weights.resize(AColumns.Weights.size());
        for (size_t k = 0; k < table.Weights.size(); k += lanes) {
            TLanes pairs;
            std::memcpy(&pairs, &AColumns.Weights[k], sizeof pairs);
            const TLanes even = DivideByOne((pairs & 0xFFFF) * ARowWeight);
            const TLanes odd = DivideByOne((pairs >> 16) * ARowWeight);
            pairs = even | odd << 16;
            std::memcpy(&table.Weights[k], &pairs, sizeof pairs);
        }
        table.RowWeight = ARowWeight;
        return table.Weights.data();
    }

private:
    struct TTable
    {
        int RowWeight = -1;
        std::vector<quint32> Weights;
    };
    std::array<TTable, 8> FTables;
    int FNext = 0;
};

// The area filter for a band of destination rows, summing in TSum (32-bit
// lanes where the weights provably keep the sums below 2^31). A source
// pixel weighs its column's weight times its row's, divided by 10000; only
// the first and last line of a destination line weigh less than 10000, and
// 10000 times a weight, divided by 10000, is that weight. So the source rows
// of weight 10000 are added up first and weighed once with the column
// weights, and each lighter row is weighed with the column weights scaled to
// it. AWide: 256-bit registers are at hand, and the rounding and storing
// take two pixels at a time.
template <typename TSum, bool AWide>
struct TAreaBand
{
    // The 32-bit vector of the rounding steps.
    using TLanes = std::conditional_t<AWide, TPixelSums, TQuad>;

    const TSourceLines &FSource;
    const TColumnPairs &FColumns;
    int FSourceWidth;
    qsizetype FRowBytes = qsizetype(ChannelCount) * FSourceWidth;
    int FWidth = int(FColumns.FirstPair.size());
    // Source rows gathered into pixel pairs; with an odd width the last
    // pair's second pixel stays 0, and so do the pairs past the end that the
    // last pixels' fixed number of pairs reaches (all of them weigh 0).
    std::vector<TPixelPair> FPairs = std::vector<TPixelPair>((FSourceWidth + 1) / 2 + FColumns.PairsPerPixel - 1);
    std::vector<TSum> FSums = std::vector<TSum>(FWidth);
    TScaledPairs FScaled{};

    // Up to this many rows are summed in the signed 16 bits of TPixelPair.
    static constexpr int MaxSummedRows = 32767 / 255;
    static constexpr int PrefetchDistance = 2048; // bytes ahead in each row

    [[gnu::always_inline]] void Run(const TDestLines &ADest, const TAreaAxis &ARows, double AArea, int APaddingByte,
                                    int AFirst, int AEnd)
    {
        for (int i = AFirst; i < AEnd; ++i) {
            std::fill(FSums.begin(), FSums.end(), TSum{});
            const auto rowWeight = [&](int ARow) { return ARows.Weights[ARows.Start[i] + ARow - ARows.First[i]]; };
            int sumFirst = ARows.First[i];
            int sumEnd = sumFirst + ARows.Count(i);
            if (rowWeight(sumFirst) != One) {
                AddRows(sumFirst, sumFirst + 1, FScaled.For<TLanes>(FColumns, rowWeight(sumFirst)));
                ++sumFirst;
            }
            if (sumEnd > sumFirst && rowWeight(sumEnd - 1) != One) {
                AddRows(sumEnd - 1, sumEnd, FScaled.For<TLanes>(FColumns, rowWeight(sumEnd - 1)));
                --sumEnd;
            }
            for (int k = sumFirst; k < sumEnd; k += MaxSummedRows)
                AddRows(k, std::min(k + MaxSummedRows, sumEnd), FColumns.Weights.data());
            Store(ADest.Line(i), AArea, APaddingByte);
        }
    }

    // Adds up source rows AFirst ... AEnd - 1 into FPairs, then weighs them
    // for every destination pixel.
    [[gnu::always_inline]] void AddRows(int AFirst, int AEnd, const quint32 *AWeights)
    {
        // Four pixels (two pairs) at a time, in 128-bit vectors, which every
        // x86-64 processor shuffles and widens in single instructions.
        const int chunks = FSourceWidth / 4;
        for (int n = 0; n < chunks; ++n) {
            const qsizetype offset = qsizetype(n) * sizeof(TBytes);
            // Within the row: an address beyond it is not even formed.
            const qsizetype ahead = std::min<qsizetype>(offset + PrefetchDistance, FRowBytes - 1);
            TShorts low{};  // pixels 0 and 1
            TShorts high{}; // pixels 2 and 3
            for (int k = AFirst; k < AEnd; ++k) {
                // The hardware prefetcher alone falls behind with several
                // rows read side by side.
                __builtin_prefetch(FSource.Line(k) + ahead);
                TBytes bytes;
                std::memcpy(&bytes, FSource.Line(k) + offset, sizeof bytes);
                low += TShorts(__builtin_shufflevector(bytes, TBytes{}, 0, 16, 1, 16, 2, 16, 3, 16, 4, 16, 5, 16, 6,
                                                       16, 7, 16));
                high += TShorts(__builtin_shufflevector(bytes, TBytes{}, 8, 16, 9, 16, 10, 16, 11, 16, 12, 16, 13,
                                                        16, 14, 16, 15, 16));
            }
            FPairs[2 * n] = TPixelPair(__builtin_shufflevector(low, low, 0, 4, 1, 5, 2, 6, 3, 7));
            FPairs[2 * n + 1] = TPixelPair(__builtin_shufflevector(high, high, 0, 4, 1, 5, 2, 6, 3, 7));
        }
        for (int x = 4 * chunks; x < FSourceWidth; ++x) {
            for (int c = 0; c < ChannelCount; ++c) {
                int sum = 0;
                for (int k = AFirst; k < AEnd; ++k)
                    sum += FSource.Line(k)[ChannelCount * x + c];
                FPairs[x / 2][2 * c + x % 2] = qint16(sum);
            }
        }
        switch (FColumns.PairsPerPixel) {
        case 1:
            Weigh<1>(AWeights);
            break;
        case 2:
            Weigh<2>(AWeights);
            break;
        case 3:
            Weigh<3>(AWeights);
            break;
        default:
            Weigh<0>(AWeights);
        }
    }

    // Adds the gathered pairs, weighed, to every destination pixel's sums;
    // APairs is the number of pairs per pixel, or 0 to take it at run time.
    template <int APairs>
    [[gnu::always_inline]] void Weigh(const quint32 *AWeights)
    {
        const int pairsPerPixel = APairs > 0 ? APairs : FColumns.PairsPerPixel;
        for (int j = 0; j < FWidth; ++j) {
            const TPixelPair *pairs = &FPairs[FColumns.FirstPair[j]];
            const quint32 *weights = AWeights + j * pairsPerPixel;
            TSum sum{};
            for (int k = 0; k < pairsPerPixel; ++k)
                sum += __builtin_convertvector(MultiplyAddPairs(pairs[k], SpreadWeights(weights[k])), TSum);
            FSums[j] += sum;
        }
    }

    [[gnu::always_inline]] void Store(uchar *AOut, double AArea, int APaddingByte)
    {
        // Dividing by a power of two (4 for halving) is multiplying by its
        // reciprocal, exactly, and much cheaper; in 32-bit lanes it is a
        // shift with integer rounding, cheaper still (the area is at least
        // 1: the filter only shrinks).
        int exponent;
        const bool powerOfTwo = std::frexp(AArea, &exponent) == 0.5;
        if constexpr (std::is_same_v<TSum, TQuad>) {
            if (powerOfTwo) {
                StorePixels(AOut, APaddingByte, [&](const auto &ASums) __attribute__((always_inline)) {
                    return ShiftRoundHalfEven(ASums, exponent - 1);
                });
                return;
            }
        }
        const double reciprocal = 1.0 / AArea;
        StorePixels(AOut, APaddingByte, [&](const auto &ASums) __attribute__((always_inline)) {
            using TLanes = std::decay_t<decltype(ASums)>;
            constexpr bool onePixel = sizeof(TLanes) == sizeof(TSum);
            using TDoubles = std::conditional_t<onePixel, TDoubleQuad, TDoubleOctet>;
            const TDoubles sums = __builtin_convertvector(ASums, TDoubles);
            const TDoubles fixed = TFixedPoint::RoundHalfEven(powerOfTwo ? sums * reciprocal : sums / AArea);
            return __builtin_convertvector(fixed, std::conditional_t<onePixel, TQuad, TPixelSums>);
        });
    }

    // Stores the channels of every destination pixel, AFixedOf turning the
    // sums of one pixel or two into fixed point. Two pixels at a time fill
    // 256-bit registers.
    template <typename TFixedOf>
    [[gnu::always_inline]] void StorePixels(uchar *AOut, int APaddingByte, const TFixedOf &AFixedOf)
    {
        using TTwoSums = std::conditional_t<std::is_same_v<TSum, TQuad>, TPixelSums, TWideOctet>;
        int j = 0;
        for (; AWide && j + 1 < FWidth; j += 2) {
            TTwoSums sums;
            std::memcpy(&sums, &FSums[j], sizeof sums);
            StoreChannels(AOut + ChannelCount * j, AFixedOf(sums));
        }
        for (; j < FWidth; ++j)
            StoreChannels(AOut + ChannelCount * j, AFixedOf(FSums[j]));
        FillPadding(AOut, FWidth, APaddingByte);
    }
};

template <typename TSum, bool AWide>
[[gnu::always_inline]] inline void AreaBand(const TSourceLines &ASource, const TDestLines &ADest,
                                            const TColumnPairs &AColumns, int ASourceWidth, const TAreaAxis &ARows,
                                            double AArea, int APaddingByte, int AFirst, int AEnd)
{
    TAreaBand<TSum, AWide>{ASource, AColumns, ASourceWidth}.Run(ADest, ARows, AArea, APaddingByte, AFirst, AEnd);
}

// Runs AWideKernel (an always-inline function) compiled for AVX2 when the
// processor has it, else ANarrowKernel, written for 128-bit registers,
// compiled for SSE4.1 (which brings byte shuffles) or else for plain
// x86-64. Fused multiply-adds stay disabled: they would change the rounding
// of the bilinear sums.
#if defined(__x86_64__)
template <auto AKernel, typename... TArgs>
__attribute__((target("avx2"))) void RunForAvx2(const TArgs &...AArgs)
{
    AKernel(AArgs...);
}

template <auto AKernel, typename... TArgs>
__attribute__((target("sse4.1"))) void RunForSse41(const TArgs &...AArgs)
{
    AKernel(AArgs...);
}
#endif

// The widest kernels the processor runs. The environment variable
// NOTAVELL2_RESIZER_ISA=sse4.1 or =x86-64 caps them, so that the narrower
// kernels can be checked (and compared) on any machine.
enum class TKernels { Plain, Sse41, Avx2 };

TKernels AvailableKernels()
{
#if defined(__x86_64__)
    static const TKernels kernels = [] {
        const QByteArray cap = qgetenv("NOTAVELL2_RESIZER_ISA");
        if (cap == "x86-64")
            return TKernels::Plain;
        if (__builtin_cpu_supports("avx2") && cap != "sse4.1")
            return TKernels::Avx2;
        return __builtin_cpu_supports("sse4.1") ? TKernels::Sse41 : TKernels::Plain;
    }();
    return kernels;
#else
    return TKernels::Plain;
#endif
}

template <auto AWideKernel, auto ANarrowKernel, typename... TArgs>
void RunForProcessor(const TArgs &...AArgs)
{
#if defined(__x86_64__)
    switch (AvailableKernels()) {
    case TKernels::Avx2:
        RunForAvx2<AWideKernel>(AArgs...);
        return;
    case TKernels::Sse41:
        RunForSse41<ANarrowKernel>(AArgs...);
        return;
    case TKernels::Plain:
        break;
    }
#endif
    ANarrowKernel(AArgs...);
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
                           RunForProcessor<BilinearBand, BilinearBand>(source, dest, columns, rows, padding,
                                                                       AFirst, AEnd);
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
        const TColumnPairs columnPairs(columns);
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
                               RunForProcessor<AreaBand<TQuad, true>, AreaBand<TQuad, false>>(
                                   source, dest, columnPairs, ASelf.width(), rows, area, padding, AFirst, AEnd);
                           else
                               RunForProcessor<AreaBand<TWideQuad, true>, AreaBand<TWideQuad, false>>(
                                   source, dest, columnPairs, ASelf.width(), rows, area, padding, AFirst, AEnd);
                       });
    });
}
