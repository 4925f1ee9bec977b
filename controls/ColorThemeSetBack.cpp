#include "model/ColorTheme.h"

#include "graphics/BitmapResizer.h"
#include "platform/ImageControl.h"
#include "store/DataSerializer.h"

#include <QFileInfo>
#include <QImageReader>
#include <QScopeGuard>

#include <limits>
#include <stdexcept>

namespace {

// Whether Qt has a codec for the file name's extension.
bool HasCodecFor(const QString &APath)
{
    return QImageReader::supportedImageFormats().contains(QFileInfo(APath).suffix().toLower().toLatin1());
}

// The picture decoded by its content, as the program's bitmap format;
// throws with the path and the decoder's reason when it cannot be read.
QImage LoadPicture(const QString &APath)
{
    QImageReader reader(APath);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(APath, reader.errorString()).toStdString());
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The picture resampled to AWidth, its height in proportion (truncated).
// Empty when the control has no width yet or the size cannot be allocated.
QImage FitToWidth(const QImage &APicture, int AWidth)
{
    const qint64 height = qint64(APicture.height()) * AWidth / APicture.width();
    if (height > std::numeric_limits<int>::max())
        return QImage();
    QImage fitted(AWidth, int(height), QImage::Format_ARGB32_Premultiplied);
    if (!TBitmapResizer::ResizeTo(APicture, fitted))
        return QImage(); // never show the uninitialised pixels of a failed resize
    return fitted;
}

} // namespace

void TColorTheme::SetBack(TImageControl *AImage, bool AHighSpeed) const
{
    if (AImage == nullptr)
        return;
    // For a relative path this makes the data folder the working directory.
    const QString path = TDataSerializer::GetAbsolutePath(FBackFile);
    if (!QFileInfo(path).isFile() || !HasCodecFor(path)) {
        AImage->ClearBitmap(); // the opacity stays as it is
        return;
    }
    AImage->BeginUpdate();
    const auto resume = qScopeGuard([AImage] { AImage->EndUpdate(); });
    const QImage picture = LoadPicture(path);
    // Widget widths are whole pixels: the truncation of the width is done.
    AImage->SetBitmap(AHighSpeed ? picture : FitToWidth(picture, AImage->width()));
    AImage->SetOpacity(FBackOpacity);
}
