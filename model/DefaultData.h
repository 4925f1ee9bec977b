#pragma once

#include "model/WindowlessStickyData.h"
#include "model/ZOrder.h"

// The default note: the look and position new notes start with, kept in
// "default.nvl" in the data folder (attributes and bounds only). Its contents
// stay empty. Defined in the widgets library (controls/DefaultData.cpp), as
// note contents hold note images.
class TDefaultData : public TWindowlessStickyData
{
public:
    // The new-note defaults, then "default.nvl" when it can be read; a
    // missing, foreign, damaged or unloadable file leaves the defaults.
    // Nothing is written.
    TDefaultData();

    // Makes AData's look and position the default and saves "default.nvl".
    void Assign(IStickyData *AData);
    // Gives AData the default look and position; nothing is written.
    void AssignTo(IStickyData *AData);
    // Sets the z-order and saves "default.nvl", also when it did not change.
    void SetZOrder(TZOrder AZOrder);

    QString GetFilename() override { return QStringLiteral("default.nvl"); }
    // Only the default data's own flag, not those of its parts.
    void ClearModified() override { FModified = false; }
    bool GetModified() override { return FModified; }

private:
    bool FModified = false;
};

// The program-wide default note data, created at start-up after the theme
// registry (TProgramUnits) and destroyed at exit.
extern TDefaultData *DefaultData;
