#include "controls/Text.h"

#include <QPainter>

TText::TText(QWidget *AParent) : QWidget(AParent)
{
}

void TText::SetText(const QString &AText)
{
    FText = AText;
    update();
}

void TText::SetFontColor(TAlphaColor AColor)
{
    if (FFontColor == AColor)
        return;
    FFontColor = AColor;
    update();
}

void TText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor::fromRgba(FFontColor));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FText);
}
