#include "controls/Rectangle.h"

#include <QMouseEvent>
#include <QPainter>

TRectangle::TRectangle(QWidget *AParent, TAlphaColor AFill) : QWidget(AParent), FFill(AFill)
{
}

void TRectangle::SetFill(TAlphaColor AFill)
{
    if (FFill == AFill)
        return;
    FFill = AFill;
    update();
}

void TRectangle::paintEvent(QPaintEvent *)
{
    if (qAlpha(FFill) == 0)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(FFill));
}

void TRectangle::mousePressEvent(QMouseEvent *AEvent)
{
    FPressed = AEvent->button() == Qt::LeftButton;
    AEvent->accept();
}

void TRectangle::mouseReleaseEvent(QMouseEvent *AEvent)
{
    const bool clicked = FPressed && AEvent->button() == Qt::LeftButton && rect().contains(AEvent->position().toPoint());
    FPressed = false;
    AEvent->accept();
    if (clicked && OnClick)
        OnClick();
}
