#include "controls/CaptionBar.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr int TextMargin = 2;

} // namespace

TCaptionBar::TCaptionBar(const QString &ANameText, const QString &ASizeText, const QFont &AFont, QWidget *AParent)
    : QWidget(AParent), FNameText(ANameText), FSizeText(ASizeText)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(AFont);
    const QFontMetricsF metrics(AFont);
    FSizeTextWidth = int(std::ceil(metrics.horizontalAdvance(ASizeText)));
    setFixedHeight(int(std::ceil(metrics.height())) + 2);
}

void TCaptionBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgba(BackgroundColor));
    painter.setPen(QColor::fromRgba(FontColor));
    const QRect sizeRect(width() - TextMargin - FSizeTextWidth, 0, FSizeTextWidth, height());
    painter.drawText(sizeRect, Qt::AlignRight | Qt::AlignVCenter, FSizeText);
    const QRect nameRect(TextMargin, 0, std::max(0, sizeRect.left() - TextMargin), height());
    const QString name = fontMetrics().elidedText(FNameText, Qt::ElideRight, nameRect.width());
    painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
}
