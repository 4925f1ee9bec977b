#pragma once

#include "model/AlphaColor.h"

#include <QWidget>

// A compact colour panel that edits all four channels: a colour area
// (saturation across, brightness down) for the current hue, a hue track and
// an alpha track over a checkerboard. ColorChange fires only when the colour
// actually changes, whether by the pointer or by SetColor.
class TColorPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TColorPanel(QWidget *AParent = nullptr);

    TAlphaColor Color() const { return FColor; }
    void SetColor(TAlphaColor AColor);

    // Where the parts lie, for painting, the pointer and tests.
    QRect ColorArea() const;
    QRect HueTrack() const;
    QRect AlphaTrack() const;

Q_SIGNALS:
    void ColorChange();

protected:
    void paintEvent(QPaintEvent *AEvent) override;
    void mousePressEvent(QMouseEvent *AEvent) override;
    void mouseMoveEvent(QMouseEvent *AEvent) override;
    void mouseReleaseEvent(QMouseEvent *AEvent) override;

private:
    enum class TPart { None, Area, Hue, Alpha };

    void Track(const QPoint &APos);
    void Change(double AHue, double ASaturation, double AValue, int AAlpha);

    // The exact colour, and the hue, saturation and brightness the pointer
    // edits (a grey keeps the hue the track shows).
    TAlphaColor FColor = 0xFFFFFFFF;
    double FHue = 0;
    double FSaturation = 0;
    double FValue = 1;
    int FAlpha = 255;
    TPart FDragging = TPart::None;
};
