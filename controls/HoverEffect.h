#pragma once

#include "model/AlphaColor.h"

#include <QGraphicsEffect>
#include <QPointer>

// Replaces red, green and blue of every painted pixel with those of its
// colour and keeps each pixel's alpha. It is off at first and switches on
// while the pointer is over its trigger control, off when the pointer leaves.
class THoverEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    THoverEffect(QWidget *ATrigger, QObject *AParent = nullptr);

    TAlphaColor Color() const { return FColor; }
    void SetColor(TAlphaColor AColor);

protected:
    void draw(QPainter *APainter) override;
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
    QPointer<QWidget> FTrigger;
    TAlphaColor FColor = 0;
};
