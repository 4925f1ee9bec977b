#pragma once

class QImage;

// Where an animator shows its frames: an image control on screen, or a
// stand-in in tests. Kept free of widgets so that the animator stays in the
// core library.
class IBitmapTarget
{
public:
    virtual ~IBitmapTarget() = default;
    // Shows a copy of ABitmap (a null image clears the picture).
    virtual void AssignBitmap(const QImage &ABitmap) = 0;
};
