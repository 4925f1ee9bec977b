#include "model/StickyBounds.h"

#include "model/WorkArea.h"
#include "store/StreamHelper.h"

#include <cmath>

TStickyBounds::TStickyBounds()
{
    Init();
}

void TStickyBounds::Init()
{
    const QRect work = TWorkArea::PrimaryDisplay();
    // Whole pixels, truncated towards zero.
    const float x = float(std::trunc(work.left() + (work.width() - double(DefaultWidth)) / 2));
    const float y = float(std::trunc(work.top() + (work.height() - double(DefaultHeight)) / 2));
    FNormalBounds = TRectF{x, y, x + DefaultWidth, y + DefaultHeight};
    FShadedBounds = TRectF{x, y, x + DefaultWidth, y + ShadedHeight};
    FImageHeight = 0;
}

void TStickyBounds::Assign(const TStickyBounds &ABounds)
{
    FNormalBounds = ABounds.FNormalBounds;
    FShadedBounds = ABounds.FNormalBounds;
    FShadedBounds.SetHeight(ABounds.FShadedBounds.Height());
    FImageHeight = ABounds.FImageHeight;
}

bool TStickyBounds::ShadingMoved() const
{
    // Written as "not equal" so that a NaN counts as a difference.
    return !(FShadedBounds.Left == FNormalBounds.Left) || !(FShadedBounds.Top == FNormalBounds.Top)
        || !(FShadedBounds.Width() == FNormalBounds.Width());
}

void TStickyBounds::SetNormalBounds(const TRectF &AValue)
{
    if (FNormalBounds == AValue)
        return;
    FNormalBounds = AValue;
    FModified = true;
}

void TStickyBounds::SetShadedBounds(const TRectF &AValue)
{
    if (FShadedBounds == AValue)
        return;
    FShadedBounds = AValue;
    FModified = true;
}

void TStickyBounds::SetImageHeight(float AValue)
{
    if (FImageHeight == AValue)
        return;
    FImageHeight = AValue;
    FModified = true;
}

void TStickyBounds::SetModifiedImageHeight(bool AValue)
{
    FModifiedImageHeight = AValue;
    FModified = true;
}

void TStickyBounds::WriteToStream(QIODevice &AStream) const
{
    TStreamHelper stream(AStream);
    stream.WriteRectF(FNormalBounds);
    stream.WriteRectF(FShadedBounds);
    stream.WriteSingle(FImageHeight);
    stream.WriteBoolean(FModifiedImageHeight);
}

namespace {

TRectF ToRectF(const QRect &ARect)
{
    return TRectF{float(ARect.left()), float(ARect.top()), float(ARect.right()), float(ARect.bottom())};
}

} // namespace

bool TStickyBounds::ReadFromStream(QIODevice &AStream, int AVer)
{
    TStreamHelper stream(AStream);
    if (AVer >= 2) {
        FNormalBounds = stream.ReadRectF();
        FShadedBounds = stream.ReadRectF();
    } else {
        FNormalBounds = ToRectF(stream.ReadRect());
        FShadedBounds = ToRectF(stream.ReadRect());
    }
    const QRect work = TWorkArea::Desktop();
    if (FNormalBounds.IsEmpty()) {
        // Centred, not truncated to whole pixels.
        const float left = float(work.left() + (work.width() - DefaultWidth) / 2);
        const float top = float(work.top() + (work.height() - DefaultHeight) / 2);
        FNormalBounds = TRectF{left, top, left + DefaultWidth, top + DefaultHeight};
    }
    if (FShadedBounds.IsEmpty()) {
        FShadedBounds = FNormalBounds;
        FShadedBounds.SetHeight(ShadedHeight);
    }
    FImageHeight = stream.ReadSingle();
    FModifiedImageHeight = stream.ReadBoolean();
    return true;
}
