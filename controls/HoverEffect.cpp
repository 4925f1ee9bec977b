#include "controls/HoverEffect.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

THoverEffect::THoverEffect(QWidget *ATrigger, QObject *AParent) : QGraphicsEffect(AParent), FTrigger(ATrigger)
{
    setEnabled(false);
    if (ATrigger)
        ATrigger->installEventFilter(this);
}

void THoverEffect::SetColor(TAlphaColor AColor)
{
    if (FColor == AColor)
        return;
    FColor = AColor;
    update();
}

bool THoverEffect::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (AWatched == FTrigger) {
        if (AEvent->type() == QEvent::Enter)
            setEnabled(true);
        else if (AEvent->type() == QEvent::Leave || AEvent->type() == QEvent::Hide)
            setEnabled(false);
    }
    return false;
}

void THoverEffect::draw(QPainter *APainter)
{
    QPoint offset;
    QPixmap pixmap = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (pixmap.isNull())
        return;
    {
        // SourceIn keeps the destination's alpha and takes the source's colour.
        QPainter tint(&pixmap);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(pixmap.rect(), QColor(qRed(FColor), qGreen(FColor), qBlue(FColor)));
    }
    const QTransform restore = APainter->worldTransform();
    APainter->setWorldTransform(QTransform());
    APainter->drawPixmap(offset, pixmap);
    APainter->setWorldTransform(restore);
}
