#pragma once

#include "model/Contents.h"
#include "model/StickyAttr.h"
#include "model/StickyBounds.h"
#include "model/StickyData.h"

// Note data without a window: the three parts and the window operations as
// no-ops. The file name and what counts as modified are the holder's own.
class TWindowlessStickyData : public IStickyData
{
public:
    TWindowlessStickyData() = default;
    virtual ~TWindowlessStickyData() = default;
    TWindowlessStickyData(const TWindowlessStickyData &) = delete;
    TWindowlessStickyData &operator=(const TWindowlessStickyData &) = delete;

    void Debug(const QString &) override {}
    void KillFocus() override {}
    void WroteData() override {}
    void Peel() override {}
    QWidget *GetForm() override { return nullptr; }
    TStickyAttr *GetAttr() override { return &FAttr; }
    TStickyBounds *GetStickyBounds() override { return &FBounds; }
    TContents *GetContents() override { return &FContents; }
    void MouseEnterClient() override {}
    void MouseLeaveClient() override {}

protected:
    // Destroyed in reverse order: contents, bounds, attributes.
    TStickyAttr FAttr;
    TStickyBounds FBounds;
    TContents FContents;
};
