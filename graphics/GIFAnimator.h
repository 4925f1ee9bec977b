#pragma once

#include "graphics/LZWDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QTimer>

#include <memory>

class IBitmapTarget;
class QIODevice;
class QString;

// Loads an animated GIF from a stream, keeps its bytes so that they can be
// written out unchanged, gets one ready-to-show bitmap per frame from a
// pluggable frame decoder and plays the frames into a target, polled by a
// short timer against the clock so that frame timing does not drift.
class TGIFAnimator
{
public:
    struct TFrame
    {
        int FX = 0;
        int FY = 0;
        int FWidth = 0;
        int FHeight = 0;
        // Milliseconds that must pass before this frame replaces the previous one.
        int FDelay = 0;
        // Null when no decoder was available or it gave no picture.
        QImage FBitmap;
    };

    // ATargetImage is borrowed and may be null (nothing is played then).
    // The decoder comes from the factory in the service registry, if any.
    explicit TGIFAnimator(IBitmapTarget *ATargetImage);
    ~TGIFAnimator();
    TGIFAnimator(const TGIFAnimator &) = delete;
    TGIFAnimator &operator=(const TGIFAnimator &) = delete;

    // Replaces the decoder used by later loads (null: frames without bitmaps).
    void SetLZWDecorder(std::shared_ptr<ILZWDecoder> ADecoder);

    // Drops the frames and the GIF bytes; playback state is kept.
    void Clear();
    // Throws std::runtime_error when the file cannot be opened.
    bool LoadFromFile(const QString &AFilename);
    // Parses a GIF89a at AStream's position; true when at least one image
    // was read. AStream is left just after the last byte consumed (after the
    // trailer of a complete GIF), so data following the GIF can be read next.
    bool LoadFromStream(QIODevice *AStream);
    // Writes the GIF bytes as loaded; false (nothing written) without data.
    // Throws std::runtime_error when AStream does not take them all.
    bool SaveToStream(QIODevice *AStream) const;

    // A copy of frame AIndex; a zeroed frame for an index out of range.
    TFrame Frames(int AIndex) const;
    int Count() const { return int(FFrames.size()); }
    // The GIF bytes positioned at 0, owned by the animator; null without data.
    QIODevice *RawData();

    bool Enabled() const { return FTimer.isActive(); }
    // Playback runs only with frames and a target.
    void SetEnabled(bool AValue);
    // Plays from frame 0.
    void Start();
    // Pauses at the frame shown.
    void Stop() { SetEnabled(false); }

private:
    bool HasData() const { return !FStreamData.isEmpty() && !FFrames.isEmpty(); }
    void TimerTick();

    IBitmapTarget *FImage;
    std::shared_ptr<ILZWDecoder> FLZWDecoder;
    QTimer FTimer;
    // The next frame to show.
    int FIndex = 0;
    // Monotonic milliseconds at which the previous frame was shown.
    qint64 FPrevTime = 0;
    QByteArray FStreamData;
    QBuffer FStream;
    QList<TFrame> FFrames;
};
