#pragma once

// A rectangle of single-precision floats as note files store it: the four
// edges, not an origin and a size, so values read from a file come back
// bit for bit when written again.
struct TRectF
{
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;

    float Width() const { return Right - Left; }
    float Height() const { return Bottom - Top; }
    // Keeps the top edge and moves the bottom one.
    void SetHeight(float AHeight) { Bottom = Top + AHeight; }
    // Empty when the width or the height is not positive (NaN counts as empty).
    bool IsEmpty() const { return !(Right > Left) || !(Bottom > Top); }

    // Both corner points equal; a NaN edge never equals anything.
    bool operator==(const TRectF &) const = default;
};
