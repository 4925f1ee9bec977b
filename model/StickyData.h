#pragma once

#include <QString>

class QWidget;
class TContents;
class TStickyAttr;
class TStickyBounds;

// What the data store needs of a note-data holder to read, write and delete
// the note: its attributes, bounds, contents, file name and modified state.
// The other operations belong to note windows. References to it do not own:
// the holder's owner destroys it, never through this interface.
class IStickyData
{
public:
    virtual void Debug(const QString &AText) = 0;
    virtual void KillFocus() = 0;
    virtual void WroteData() = 0;
    virtual void Peel() = 0;
    // The note's window, or none.
    virtual QWidget *GetForm() = 0;
    virtual TStickyAttr *GetAttr() = 0;
    virtual TStickyBounds *GetStickyBounds() = 0;
    virtual TContents *GetContents() = 0;
    // The note file's name without folder.
    virtual QString GetFilename() = 0;
    virtual void ClearModified() = 0;
    virtual bool GetModified() = 0;
    virtual void MouseEnterClient() = 0;
    virtual void MouseLeaveClient() = 0;

protected:
    ~IStickyData() = default;
};
