#pragma once

#include "model/ColorTheme.h"
#include "model/FontAttr.h"
#include "model/ZOrder.h"

#include <functional>

class QIODevice;

// A note's look: colour theme, font, stacking order and flags, with change
// tracking. The stream form is the attribute section of a note file.
class TStickyAttr
{
public:
    using TNotifyEvent = std::function<void(TStickyAttr *ASender)>;

    // A new note's defaults (Init).
    TStickyAttr();
    // Exactly these seven values; alpha stays 0 and Modified false.
    TStickyAttr(const TColorTheme &AColor, const TFontAttr &AFont, TZOrder AZOrder, bool ASticky, bool AMinimize,
                bool ASecret, bool ALock);

    void Init();
    // Copies every value (the font's own modified flag too) and marks the
    // attributes modified; callbacks are neither copied nor fired.
    void Assign(const TStickyAttr &AAttr);
    void ClearModified();

    bool Modified() const { return FModified || FFont.FModified; }
    const TColorTheme &Color() const { return FColor; }
    const TFontAttr &Font() const { return FFont; }
    TZOrder ZOrder() const { return FZOrder; }
    bool Snap() const { return FSnap; }
    bool Shaded() const { return FShaded; }
    bool Lock() const { return FLock; }
    bool Secret() const { return FSecret; }
    qint32 Alpha() const { return FAlpha; }

    // Colour and alpha always assign and fire OnColorChange; the others
    // change only a different value, and only SetZOrder fires.
    void SetColor(const TColorTheme &AValue);
    void SetFont(const TFontAttr &AValue);
    void SetZOrder(TZOrder AValue);
    void SetSnap(bool AValue);
    void SetShaded(bool AValue);
    void SetLock(bool AValue);
    void SetSecret(bool AValue);
    void SetAlpha(qint32 AValue);

    TNotifyEvent OnZOrderChange;
    TNotifyEvent OnColorChange;

    void WriteToStream(QIODevice &AStream) const;
    // Reads the fields note-file version AVer carries; neither Modified nor a
    // callback changes. Stream errors propagate.
    bool ReadFromStream(QIODevice &AStream, int AVer);

private:
    bool FModified = false;
    TColorTheme FColor;
    TFontAttr FFont;
    TZOrder FZOrder = TZOrder::Normal;
    bool FSnap = false;
    bool FShaded = false;
    bool FLock = false;
    bool FSecret = false;
    qint32 FAlpha = 0;
};
