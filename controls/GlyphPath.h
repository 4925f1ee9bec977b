#pragma once

#include "model/AlphaColor.h"

#include <QPainterPath>
#include <QWidget>

// A filled vector glyph without stroke. The path is drawn in a square design
// space of DesignSize units and stretched over the whole control.
class TGlyphPath : public QWidget
{
    Q_OBJECT

public:
    static constexpr double DesignSize = 512;

    TGlyphPath(const QPainterPath &APath, TAlphaColor AFill, QWidget *AParent = nullptr);

    const QPainterPath &Path() const { return FPath; }
    TAlphaColor Fill() const { return FFill; }
    void SetFill(TAlphaColor AFill);

protected:
    void paintEvent(QPaintEvent *AEvent) override;

private:
    QPainterPath FPath;
    TAlphaColor FFill;
};
