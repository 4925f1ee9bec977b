#pragma once

#include "model/Contents.h"
#include "model/StickyAttr.h"
#include "model/StickyBounds.h"
#include "model/StickyData.h"

// A note's data without a window: attributes, bounds and contents under a
// file name, modified when any of the three is. What tools use to read,
// inspect and write a note file. Header-only; users link the widgets
// library, as contents hold note images.
class TNoteData : public IStickyData
{
public:
    explicit TNoteData(const QString &AFilename = QString()) : FFilename(AFilename) {}
    virtual ~TNoteData() = default;

    void SetFilename(const QString &AFilename) { FFilename = AFilename; }

    void Debug(const QString &) override {}
    void KillFocus() override {}
    void WroteData() override {}
    void Peel() override {}
    QWidget *GetForm() override { return nullptr; }
    TStickyAttr *GetAttr() override { return &FAttr; }
    TStickyBounds *GetStickyBounds() override { return &FBounds; }
    TContents *GetContents() override { return &FContents; }
    QString GetFilename() override { return FFilename; }
    void ClearModified() override
    {
        FAttr.ClearModified();
        FBounds.ClearModified();
        FContents.ClearModified();
    }
    bool GetModified() override { return FAttr.Modified() || FBounds.Modified() || FContents.Modified(); }
    void MouseEnterClient() override {}
    void MouseLeaveClient() override {}

private:
    QString FFilename;
    TStickyAttr FAttr;
    TStickyBounds FBounds;
    TContents FContents;
};
