#include "platform/ImageControl.h"

#include <QImageReader>
#include <QPainter>

TImageControl::TImageControl(QWidget *AParent) : QWidget(AParent)
{
}

void TImageControl::SetBitmap(const QImage &ABitmap)
{
    FBitmap = ABitmap;
    if (FUpdating == 0)
        update();
}

bool TImageControl::LoadFromFile(const QString &AFileName)
{
    QImageReader reader(AFileName);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    const bool ok = !image.isNull();
    SetBitmap(ok ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage());
    return ok;
}

void TImageControl::SetOpacity(double AOpacity)
{
    FOpacity = std::clamp(AOpacity, 0.0, 1.0);
    if (FUpdating == 0)
        update();
}

void TImageControl::BeginUpdate()
{
    ++FUpdating;
}

void TImageControl::EndUpdate()
{
    if (FUpdating > 0 && --FUpdating == 0)
        update();
}

QRectF TImageControl::FittedRect() const
{
    if (FBitmap.isNull() || width() <= 0 || height() <= 0)
        return QRectF();
    const QSizeF own = FBitmap.size();
    const double scale = std::min(width() / own.width(), height() / own.height());
    const QSizeF fitted = own * scale;
    return QRectF(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void TImageControl::paintEvent(QPaintEvent *)
{
    if (FBitmap.isNull() || FOpacity <= 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(FOpacity);
    painter.drawImage(FittedRect(), FBitmap);
}

void TImageControl::mouseReleaseEvent(QMouseEvent *AEvent)
{
    QWidget::mouseReleaseEvent(AEvent);
    if (OnMouseUp)
        OnMouseUp(this, AEvent);
}
