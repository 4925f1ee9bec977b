#pragma once

#include <QImage>

// Redraws a source bitmap into a destination bitmap of another size:
// bilinear interpolation along a dimension that grows, area averaging along
// one that shrinks, and both in turn through a temporary bitmap when one
// dimension grows while the other shrinks. The destination keeps the size
// (and pixel format) it has; the caller sizes it first.
//
// All pixel arithmetic is fixed point with four decimal places and fixed
// rounding rules, so the results are exact and reproducible. The four bytes
// of a pixel are treated as four independent channels, which makes every
// 32-bit format with 8-bit channels work alike.
class TBitmapResizer
{
public:
    // Both bitmaps non-empty and the source in a 32-bit format with four
    // 8-bit channels.
    static bool CanResample(const QImage &ASource, const QImage &ADest);

    // Picks the filter (or the two-step path) from the two sizes.
    static bool ResizeTo(const QImage &ASource, QImage &ADest);
    // The growing filter; also samples correctly when a dimension shrinks.
    static bool BilinearTo(const QImage &ASource, QImage &ADest);
    // The shrinking filter; false when the destination is larger than the
    // source in either dimension.
    static bool AreaAverageTo(const QImage &ASource, QImage &ADest);
};
