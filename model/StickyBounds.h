#pragma once

#include "model/RectF.h"

class QIODevice;

// Where a note window sits on screen in its normal and its shaded (rolled
// up) form, and how tall its image area is. The stream form is the bounds
// section of a note file.
class TStickyBounds
{
public:
    // A new note's placement (Init).
    TStickyBounds();

    // 320 x 240 centred on the primary display's work area; the shaded form
    // 320 x 28 at the same corner; image height 0.
    void Init();
    // Takes the normal rectangle and the image height; the shaded rectangle
    // is put on the normal one with the source's shaded height.
    void Assign(const TStickyBounds &ABounds);
    void ClearModified() { FModified = false; }

    bool Modified() const { return FModified; }
    const TRectF &NormalBounds() const { return FNormalBounds; }
    const TRectF &ShadedBounds() const { return FShadedBounds; }
    float ImageHeight() const { return FImageHeight; }
    bool ModifiedImageHeight() const { return FModifiedImageHeight; }
    // The shaded rectangle was moved away from the normal one: its left or
    // top edge or its width differs (heights are not compared).
    bool ShadingMoved() const;

    void SetNormalBounds(const TRectF &AValue);
    void SetShadedBounds(const TRectF &AValue);
    void SetImageHeight(float AValue);
    // Always assigns and marks the bounds modified.
    void SetModifiedImageHeight(bool AValue);

    void WriteToStream(QIODevice &AStream) const;
    // Version 1 stores integer rectangles; an empty stored rectangle is
    // replaced by a default one. Modified does not change.
    bool ReadFromStream(QIODevice &AStream, int AVer);

    static constexpr float DefaultWidth = 320;
    static constexpr float DefaultHeight = 240;
    static constexpr float ShadedHeight = 28;

private:
    bool FModified = false;
    TRectF FNormalBounds;
    TRectF FShadedBounds;
    float FImageHeight = 0;
    bool FModifiedImageHeight = false;
};
