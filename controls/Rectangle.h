#pragma once

#include "model/AlphaColor.h"

#include <QWidget>

#include <functional>

// A filled rectangle without stroke. The fill is painted exactly as given,
// alpha included, over whatever lies behind the rectangle.
class TRectangle : public QWidget
{
    Q_OBJECT

public:
    explicit TRectangle(QWidget *AParent = nullptr, TAlphaColor AFill = 0);

    TAlphaColor Fill() const { return FFill; }
    void SetFill(TAlphaColor AFill);

    // A press and release of the left button on the rectangle itself.
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent *AEvent) override;
    void mousePressEvent(QMouseEvent *AEvent) override;
    void mouseReleaseEvent(QMouseEvent *AEvent) override;

private:
    TAlphaColor FFill;
    bool FPressed = false;
};
