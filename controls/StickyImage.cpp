#include "controls/StickyImage.h"

#include "controls/CaptionBar.h"
#include "graphics/GIFAnimator.h"
#include "store/StreamHelper.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QLayout>
#include <QSaveFile>

#include <stdexcept>

TStickyImage::TStickyImage(QWidget *AOwner) : TRemovableImage(AOwner)
{
}

// The animator goes first: it plays into this control.
TStickyImage::~TStickyImage() = default;

QIODevice *TStickyImage::GIFStream() const
{
    return FGIFAnimator ? FGIFAnimator->RawData() : nullptr;
}

bool TStickyImage::IsAnimatedGIF() const
{
    return FGIFAnimator && FGIFAnimator->Count() > 0;
}

void TStickyImage::SetAlwaysAnimate(bool AValue)
{
    if (!FGIFAnimator)
        return;
    FAlwaysAnimate = AValue;
    FGIFAnimator->SetEnabled(AValue);
}

void TStickyImage::Init(QWidget *AParent, const QString &AFilename, const QFont &ACanvasFont,
                        const QString &AStyleLookup, const TInitProc &AProc)
{
    FFilename = AFilename;
    if (QFileInfo(FFilename).suffix().isEmpty())
        FFilename += QStringLiteral(".png");
    SetStyleLookup(AStyleLookup);

    const QString sizeText = QStringLiteral(" %1 x %2 ").arg(Bitmap().width()).arg(Bitmap().height());
    FCaption = new TCaptionBar(FFilename, sizeText, ACanvasFont);
    AddOverParts(FCaption);

    if (AProc)
        AProc(this);
    // Left-aligned after every image already in the parent's row.
    setParent(AParent);
    if (AParent && AParent->layout())
        AParent->layout()->addWidget(this);
    show();
}

bool TStickyImage::TryLoadAnimationGIF(QIODevice *AStream)
{
    if (!FGIFAnimator)
        FGIFAnimator = std::make_unique<TGIFAnimator>(this);
    const bool loaded = FGIFAnimator->LoadFromStream(AStream);
    if (!loaded) {
        FGIFAnimator.reset();
        FAlwaysAnimate = false;
    }
    return loaded;
}

bool TStickyImage::TrySaveAnimationGIF(QIODevice *AStream)
{
    return IsAnimatedGIF() && FGIFAnimator->SaveToStream(AStream);
}

void TStickyImage::SaveToFile(const QString &AFilename)
{
    QSaveFile file(AFilename);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    if (!TrySaveAnimationGIF(&file)) {
        QImageWriter writer(&file, QFileInfo(AFilename).suffix().toLower().toLatin1());
        if (!writer.write(Bitmap()))
            throw std::runtime_error(writer.errorString().toStdString());
    }
    if (!file.commit())
        throw std::runtime_error(file.errorString().toStdString());
}

void TStickyImage::WriteToStream(QIODevice *AStream)
{
    TStreamHelper stream(*AStream);
    stream.WriteString(FFilename);
    stream.WriteString(StyleLookup());
    stream.WriteBoolean(FAlwaysAnimate);
    const bool isGIF = IsAnimatedGIF();
    stream.WriteBoolean(isGIF);
    if (isGIF)
        TrySaveAnimationGIF(AStream);
    else
        stream.WriteBitmap(Bitmap());
}

void TStickyImage::ReadFromStream(QIODevice *AStream)
{
    TStreamHelper stream(*AStream);
    FFilename = stream.ReadString();
    SetStyleLookup(stream.ReadString());
    FAlwaysAnimate = stream.ReadBoolean();
    try {
        if (stream.ReadBoolean()) {
            // The GIF ends itself: its loader stops after the trailer.
            if (TryLoadAnimationGIF(AStream) && FGIFAnimator->Count() > 0)
                SetBitmap(FGIFAnimator->Frames(0).FBitmap);
        } else {
            QImage bitmap = Bitmap();
            stream.ReadBitmap(bitmap);
            SetBitmap(bitmap);
        }
        SetAlwaysAnimate(FAlwaysAnimate);
    } catch (const std::exception &) {
        ClearBitmap();
    }
}

void TStickyImage::OverPartsVisibleChanged(bool AVisible)
{
    if (FGIFAnimator && !FAlwaysAnimate)
        FGIFAnimator->SetEnabled(AVisible);
}
