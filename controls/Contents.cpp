#include "model/Contents.h"

#include "controls/StickyImage.h"
#include "store/StreamHelper.h"

#include <QIODevice>
#include <QPlainTextEdit>

namespace {

// The fewest bytes a note image record takes: two empty strings and two
// flags. Bounds an image count read from a file by what the stream holds.
constexpr qint64 MinimumImageRecordSize = 8 + 8 + 1 + 1;

} // namespace

TContents::TContents() = default;

TContents::~TContents()
{
    FMemo = nullptr;
    Clear();
}

QPlainTextEdit *TContents::Memo() const
{
    return FMemo;
}

QString TContents::Body() const
{
    return FMemo ? FMemo->toPlainText() : FBody;
}

void TContents::AssignMemo(QPlainTextEdit *AMemo)
{
    FMemo = AMemo;
}

TStickyImage *TContents::NewImage()
{
    auto *image = new TStickyImage(nullptr);
    FImages.append(image);
    // The image is known by its address: by the time destroyed() is emitted
    // it is no longer a note image.
    QObject::connect(image, &QObject::destroyed, &FNotifier, [this, image] { FreeNotification(image); });
    FModified = true;
    return image;
}

void TContents::FreeNotification(TStickyImage *AImage)
{
    if (FProcessingClear)
        return;
    if (FImages.removeOne(AImage))
        FModified = true;
}

void TContents::Clear()
{
    FProcessingClear = true;
    const QList<TStickyImage *> images = FImages;
    FImages.clear();
    FBody.clear();
    for (TStickyImage *image : images)
        delete image;
    FProcessingClear = false;
    FModified = true;
}

void TContents::StoreBody(const QString &AText)
{
    if (FMemo)
        FMemo->setPlainText(AText);
    else
        FBody = AText;
    FModified = true;
}

void TContents::WriteToStream(QIODevice &AStream) const
{
    TStreamHelper stream(AStream);
    stream.WriteInteger(qint32(FImages.size()));
    for (TStickyImage *image : FImages)
        image->WriteToStream(&AStream);
    stream.WriteString(Body());
}

bool TContents::ReadFromStream(QIODevice &AStream, int AVer, const TContentsReadProc &AProc)
{
    Q_UNUSED(AVer); // the contents form is the same in every version
    if (!FImages.isEmpty()) {
        FImages.clear();
        FModified = true;
    }
    TStreamHelper stream(AStream);
    const qint32 count = stream.ReadInteger();
    if (count > 0 && AStream.bytesAvailable() / MinimumImageRecordSize < count)
        throw EStreamError("Stream read failed: image count larger than the remaining data");
    for (qint32 i = 0; i < count; ++i) {
        TStickyImage *image = NewImage();
        image->ReadFromStream(&AStream);
        if (AProc)
            AProc(image);
    }
    StoreBody(stream.ReadString());
    return true;
}
