#include "controls/Splitter.h"

#include <QMouseEvent>

TSplitter::TSplitter(QWidget *AParent) : TStyledControl(AParent)
{
    setCursor(Qt::SizeVerCursor);
}

void TSplitter::mousePressEvent(QMouseEvent *AEvent)
{
    FDragging = AEvent->button() == Qt::LeftButton;
    FPressY = int(AEvent->position().y());
}

void TSplitter::mouseMoveEvent(QMouseEvent *AEvent)
{
    if (!FDragging)
        return;
    const int delta = int(AEvent->position().y()) - FPressY;
    if (delta != 0 && OnDrag)
        OnDrag(delta);
}

void TSplitter::mouseReleaseEvent(QMouseEvent *)
{
    FDragging = false;
}
