#pragma once

#include "controls/RemovableImage.h"

#include <functional>
#include <memory>

class TCaptionBar;
class TGIFAnimator;
class QIODevice;

// One picture attached to a note: a removable image that remembers the
// picture's file name, can play an animated GIF (while hovered, or always),
// shows a caption with the name and pixel size in its hover overlay, and
// has its own stream form inside a note's contents.
class TStickyImage : public TRemovableImage
{
    Q_OBJECT

public:
    using TInitProc = std::function<void(TStickyImage *AImage)>;

    explicit TStickyImage(QWidget *AOwner = nullptr);
    ~TStickyImage() override;

    QString Filename() const { return FFilename; }
    void SetFilename(const QString &AFilename) { FFilename = AFilename; }
    // Another image, stored and returned only.
    TStickyImage *Original() const { return FOriginal; }
    void SetOriginal(TStickyImage *AOriginal) { FOriginal = AOriginal; }
    // The GIF bytes as loaded, positioned at their start; null without a GIF.
    QIODevice *GIFStream() const;
    bool IsAnimatedGIF() const;
    bool AlwaysAnimate() const { return FAlwaysAnimate; }
    // Only with a GIF: stores the flag and runs or stops the animation.
    void SetAlwaysAnimate(bool AValue);
    TCaptionBar *Caption() const { return FCaption; }

    // Prepares a loaded picture for display: the file name (".png" added
    // when it has no extension), the close button's style, the caption
    // measured and painted in ACanvasFont; calls AProc, then joins AParent,
    // after the images already in its row layout.
    void Init(QWidget *AParent, const QString &AFilename, const QFont &ACanvasFont, const QString &AStyleLookup,
              const TInitProc &AProc = {});

    // Loads a GIF at AStream's position; on failure the image is static.
    bool TryLoadAnimationGIF(QIODevice *AStream);
    // Writes the GIF bytes; false (nothing written) for a static image.
    bool TrySaveAnimationGIF(QIODevice *AStream);
    // A GIF is written unchanged whatever the extension; a static picture
    // in the format the extension names. The file is replaced atomically;
    // errors are raised as std::runtime_error.
    void SaveToFile(const QString &AFilename);

    void WriteToStream(QIODevice *AStream);
    // Errors in the name, style and flag fields propagate; a broken picture
    // leaves an empty static image and raises nothing.
    void ReadFromStream(QIODevice *AStream);

protected:
    void OverPartsVisibleChanged(bool AVisible) override;

private:
    QString FFilename;
    std::unique_ptr<TGIFAnimator> FGIFAnimator;
    bool FAlwaysAnimate = false;
    TStickyImage *FOriginal = nullptr;
    TCaptionBar *FCaption = nullptr;
};
