#pragma once

#include <QtGlobal>

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
    // inline and also serves vectors of doubles.
    template <typename TDouble>
    [[gnu::always_inline]] static TDouble RoundHalfEven(TDouble AValue)
    {
        constexpr double Shifter = 6755399441055744.0;
        return (AValue + Shifter) - Shifter;
    }

    // ANumerator / ADenominator rounded to the nearest integer, ties to even,
    // for qint64 and __int128.
    template <typename TInteger>
    static TInteger DivRound(TInteger ANumerator, TInteger ADenominator)
    {
        if (ADenominator < 0) {
            ANumerator = -ANumerator;
            ADenominator = -ADenominator;
        }
        TInteger quotient = ANumerator / ADenominator;
        TInteger remainder = ANumerator % ADenominator;
        if (remainder < 0) { // C++ truncates towards zero: step down to the floor
            --quotient;
            remainder += ADenominator;
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
};

