#pragma once

#include "controls/StyledControl.h"

#include <functional>

// A horizontal splitter bar: dragging it up or down reports the distance to
// its owner, which resizes the control above it.
class TSplitter : public TStyledControl
{
    Q_OBJECT

public:
    explicit TSplitter(QWidget *AParent = nullptr);

    // Smallest size the control above the bar may be given.
    int MinSize() const { return FMinSize; }
    void SetMinSize(int ASize) { FMinSize = ASize; }

    std::function<void(int ADelta)> OnDrag;

protected:
    void mousePressEvent(QMouseEvent *AEvent) override;
    void mouseMoveEvent(QMouseEvent *AEvent) override;
    void mouseReleaseEvent(QMouseEvent *AEvent) override;

private:
    int FMinSize = 20;
    int FPressY = 0;
    bool FDragging = false;
};
