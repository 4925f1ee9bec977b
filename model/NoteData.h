#pragma once

#include "model/WindowlessStickyData.h"

// A note's data without a window: attributes, bounds and contents under a
// file name, modified when any of the three is. What tools use to read,
// inspect and write a note file. Header-only; users link the widgets
// library, as contents hold note images.
class TNoteData : public TWindowlessStickyData
{
public:
    explicit TNoteData(const QString &AFilename = QString()) : FFilename(AFilename) {}

    void SetFilename(const QString &AFilename) { FFilename = AFilename; }

    QString GetFilename() override { return FFilename; }
    void ClearModified() override
    {
        FAttr.ClearModified();
        FBounds.ClearModified();
        FContents.ClearModified();
    }
    bool GetModified() override { return FAttr.Modified() || FBounds.Modified() || FContents.Modified(); }

private:
    QString FFilename;
};
