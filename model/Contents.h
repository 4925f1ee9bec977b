#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QIODevice;
class QPlainTextEdit;
class TStickyImage;

// What a note shows: its body text and the note images attached to it, with
// change tracking. The body lives here until a text control is attached and
// in that control afterwards. The images are owned; one that is destroyed
// elsewhere (its own close button) leaves the list. The stream form is the
// last section of a note file.
//
// Note images are widgets, so the definitions live in the widgets library
// (controls/Contents.cpp).
class TContents
{
public:
    using TContentsReadProc = std::function<void(TStickyImage *AImage)>;

    TContents();
    // Forgets the text control without touching it and destroys the images.
    ~TContents();
    TContents(const TContents &) = delete;
    TContents &operator=(const TContents &) = delete;

    bool Modified() const { return FModified; }
    QPlainTextEdit *Memo() const;
    // The attached control's text, else the text held here.
    QString Body() const;
    const QList<TStickyImage *> &Images() const { return FImages; }
    bool HasImage() const { return !FImages.isEmpty(); }

    // From now on Body reads, and reading a stream writes, AMemo's text
    // (none detaches). Nothing is copied either way.
    void AssignMemo(QPlainTextEdit *AMemo);
    // A new note image without parent, appended to the list. The caller
    // places it in a window.
    TStickyImage *NewImage();
    // Destroys every image and empties the held body; the attached
    // control's text stays.
    void Clear();
    void ClearModified() { FModified = false; }
    // For the owner, for instance when the user edits the attached text.
    void SetModifiled() { FModified = true; }

    void WriteToStream(QIODevice &AStream) const;
    // Reads into fresh contents: images already listed are dropped from the
    // list, not destroyed. AProc, when given, receives each image after it
    // was read. Stream errors propagate; images read so far stay listed.
    bool ReadFromStream(QIODevice &AStream, int AVer, const TContentsReadProc &AProc);

private:
    void FreeNotification(TStickyImage *AImage);
    void StoreBody(const QString &AText);

    bool FModified = false;
    QString FBody;
    // Not owned; forgotten by itself should the control be destroyed first.
    QPointer<QPlainTextEdit> FMemo;
    QList<TStickyImage *> FImages;
    bool FProcessingClear = false;
    // Receives the images' destroyed signals; its own destruction cuts
    // them, so an image outliving the contents notifies no one.
    QObject FNotifier;
};
