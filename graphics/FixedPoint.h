#pragma once

#include <QtGlobal>

#include <algorithm>

// Fixed-point arithmetic of the bitmap resizer: values carry four decimal
// places (1.0 = 10000) in signed 64-bit integers, and every rounding goes to
// the nearest integer with ties to even, so results do not depend on the
// order of evaluation or on the platform's rounding of integer division.
struct TFixedPoint
{
    static constexpr qint64 One = 10000;

    // Nearest integer, ties to even, for |AValue| < 2^51. Adding and taking
    // away 1.5 * 2^52 leaves no bits below the binary point, so the default
    // IEEE rounding mode does the work; unlike std::nearbyint this stays
    // inline and vectorises.
    static double RoundHalfEven(double AValue)
    {
        constexpr double Shifter = 6755399441055744.0;
        return (AValue + Shifter) - Shifter;
    }

    // Also true for __int128, which std::is_signed only knows in GNU mode.
    template <typename TInteger>
    static constexpr bool Signed = TInteger(-1) < TInteger(0);

    // ANumerator / ADenominator rounded to the nearest integer, ties to even.
    template <typename TInteger>
    static TInteger DivRound(TInteger ANumerator, TInteger ADenominator)
    {
        if constexpr (Signed<TInteger>) {
            if (ADenominator < 0) {
                ANumerator = -ANumerator;
                ADenominator = -ADenominator;
            }
        }
        TInteger quotient = ANumerator / ADenominator;
        TInteger remainder = ANumerator % ADenominator;
        if constexpr (Signed<TInteger>) {
            if (remainder < 0) { // C++ truncates towards zero: step down to the floor
                --quotient;
                remainder += ADenominator;
            }
        }
        const TInteger twice = 2 * remainder;
        if (twice > ADenominator || (twice == ADenominator && (quotient & 1) != 0))
            ++quotient;
        return quotient;
    }

    // AFactor1 * AFactor2 / ADivisor with the product formed exactly in 128
    // bits, rounded to the nearest integer, ties to even. Products that fit
    // 64 bits take the cheaper 64-bit division.
    static qint64 MulDivRound(qint64 AFactor1, qint64 AFactor2, qint64 ADivisor)
    {
        qint64 product;
        if (!__builtin_mul_overflow(AFactor1, AFactor2, &product))
            return DivRound<qint64>(product, ADivisor);
        return qint64(DivRound<__int128>(__int128(AFactor1) * AFactor2, ADivisor));
    }

    // A non-negative channel in fixed point back to a byte. The filters keep
    // their results within 0 ... 255 * One; far beyond the single-precision
    // range of the area filter's edges (images wider or taller than 32768
    // pixels) the edges can add a few ten-thousandths, and saturating keeps
    // white from wrapping round to black.
    static quint8 ToChannel(quint32 AFixed)
    {
        const quint32 value = DivRound<quint32>(AFixed, One);
        return quint8(std::min<quint32>(value, 255));
    }
};

// A pixel's four channels, one per byte of the 32-bit word, in fixed point.
struct TFixedPixel
{
    qint64 Channel[4] = {};
};
