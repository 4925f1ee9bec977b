#include "controls/GlyphPath.h"

#include <QPainter>

TGlyphPath::TGlyphPath(const QPainterPath &APath, TAlphaColor AFill, QWidget *AParent)
    : QWidget(AParent), FPath(APath), FFill(AFill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TGlyphPath::SetFill(TAlphaColor AFill)
{
    if (FFill == AFill)
        return;
    FFill = AFill;
    update();
}

void TGlyphPath::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width() / DesignSize, height() / DesignSize);
    painter.fillPath(FPath, QColor::fromRgba(FFill));
}
