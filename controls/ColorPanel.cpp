#include "controls/ColorPanel.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int TrackWidth = 20;
constexpr int Gap = 8;
constexpr int Checker = 6;

double Fraction(int AOffset, int ALength)
{
    return ALength <= 1 ? 0.0 : std::clamp(double(AOffset) / (ALength - 1), 0.0, 1.0);
}

void PaintCheckerboard(QPainter &APainter, const QRect &ARect)
{
    APainter.fillRect(ARect, QColor(0xff, 0xff, 0xff));
    for (int y = ARect.top(); y <= ARect.bottom(); y += Checker)
        for (int x = ARect.left() + ((y - ARect.top()) / Checker % 2) * Checker; x <= ARect.right(); x += 2 * Checker)
            APainter.fillRect(QRect(x, y, Checker, Checker).intersected(ARect), QColor(0xcc, 0xcc, 0xcc));
}

void PaintMarkerLine(QPainter &APainter, const QRect &ATrack, double AFraction)
{
    const int y = ATrack.top() + int(AFraction * (ATrack.height() - 1));
    APainter.setPen(QPen(Qt::black, 3));
    APainter.drawLine(ATrack.left() - 2, y, ATrack.right() + 2, y);
    APainter.setPen(QPen(Qt::white, 1));
    APainter.drawLine(ATrack.left() - 2, y, ATrack.right() + 2, y);
}

} // namespace

TColorPanel::TColorPanel(QWidget *AParent) : QWidget(AParent)
{
    setMinimumSize(96, 64);
}

void TColorPanel::SetColor(TAlphaColor AColor)
{
    if (AColor == FColor)
        return;
    FColor = AColor;
    const QColor color = QColor::fromRgba(AColor);
    // A grey has no hue of its own: keep the one the hue track shows.
    const double hue = color.hsvHueF() < 0 ? FHue : color.hsvHueF();
    FHue = hue;
    FSaturation = color.hsvSaturationF();
    FValue = color.valueF();
    FAlpha = qAlpha(AColor);
    update();
    Q_EMIT ColorChange();
}

QRect TColorPanel::ColorArea() const
{
    return QRect(0, 0, std::max(1, width() - 2 * (TrackWidth + Gap)), height());
}

QRect TColorPanel::HueTrack() const
{
    return QRect(ColorArea().right() + 1 + Gap, 0, TrackWidth, height());
}

QRect TColorPanel::AlphaTrack() const
{
    return QRect(HueTrack().right() + 1 + Gap, 0, TrackWidth, height());
}

void TColorPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = ColorArea();
    const QRect hue = HueTrack();
    const QRect alpha = AlphaTrack();

    // Colour area: the pure hue, whitened to the left, darkened downwards.
    painter.fillRect(area, QColor::fromHsvF(float(FHue), 1, 1));
    QLinearGradient white(area.topLeft(), area.topRight());
    white.setColorAt(0, Qt::white);
    white.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(area, white);
    QLinearGradient black(area.topLeft(), area.bottomLeft());
    black.setColorAt(0, QColor(0, 0, 0, 0));
    black.setColorAt(1, Qt::black);
    painter.fillRect(area, black);
    const QPoint mark(area.left() + int(FSaturation * (area.width() - 1)), area.top() + int((1 - FValue) * (area.height() - 1)));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(mark, 5, 5);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(mark, 5, 5);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QLinearGradient hues(hue.topLeft(), hue.bottomLeft());
    for (int step = 0; step <= 6; ++step)
        hues.setColorAt(step / 6.0, QColor::fromHsvF(step == 6 ? 0.0f : step / 6.0f, 1, 1));
    painter.fillRect(hue, hues);
    PaintMarkerLine(painter, hue, FHue);

    // Alpha track: the colour from opaque at the top to clear at the bottom.
    PaintCheckerboard(painter, alpha);
    const QColor opaque = QColor::fromRgb(Color() | 0xFF000000u);
    QLinearGradient alphas(alpha.topLeft(), alpha.bottomLeft());
    alphas.setColorAt(0, opaque);
    alphas.setColorAt(1, QColor(opaque.red(), opaque.green(), opaque.blue(), 0));
    painter.fillRect(alpha, alphas);
    PaintMarkerLine(painter, alpha, 1 - FAlpha / 255.0);
}

void TColorPanel::mousePressEvent(QMouseEvent *AEvent)
{
    if (AEvent->button() != Qt::LeftButton)
        return;
    const QPoint pos = AEvent->position().toPoint();
    FDragging = ColorArea().contains(pos) ? TPart::Area
                : HueTrack().contains(pos)  ? TPart::Hue
                : AlphaTrack().contains(pos) ? TPart::Alpha
                                             : TPart::None;
    Track(pos);
}

void TColorPanel::mouseMoveEvent(QMouseEvent *AEvent)
{
    Track(AEvent->position().toPoint());
}

void TColorPanel::mouseReleaseEvent(QMouseEvent *)
{
    FDragging = TPart::None;
}

void TColorPanel::Track(const QPoint &APos)
{
    switch (FDragging) {
    case TPart::Area: {
        const QRect area = ColorArea();
        Change(FHue, Fraction(APos.x() - area.left(), area.width()), 1 - Fraction(APos.y() - area.top(), area.height()), FAlpha);
        break;
    }
    case TPart::Hue: {
        // The bottom end is red again; keep it at the top end's hue.
        const double hue = Fraction(APos.y() - HueTrack().top(), HueTrack().height());
        Change(hue >= 1 ? 0 : hue, FSaturation, FValue, FAlpha);
        break;
    }
    case TPart::Alpha:
        Change(FHue, FSaturation, FValue, int(std::lround(255 * (1 - Fraction(APos.y() - AlphaTrack().top(), AlphaTrack().height())))));
        break;
    case TPart::None:
        break;
    }
}

void TColorPanel::Change(double AHue, double ASaturation, double AValue, int AAlpha)
{
    const TAlphaColor before = FColor;
    FHue = AHue;
    FSaturation = ASaturation;
    FValue = AValue;
    FAlpha = AAlpha;
    const QColor rgb = QColor::fromHsvF(float(FHue), float(FSaturation), float(FValue));
    FColor = (TAlphaColor(FAlpha) << 24) | (rgb.rgb() & 0x00FFFFFFu);
    update();
    if (FColor != before)
        Q_EMIT ColorChange();
}
