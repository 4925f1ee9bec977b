#pragma once

#include "model/AlphaColor.h"

#include <QWidget>

// A single line of text, left aligned and vertically centred, without word
// wrap, in a font colour of its own (not taken from the window style).
class TText : public QWidget
{
    Q_OBJECT

public:
    explicit TText(QWidget *AParent = nullptr);

    QString Text() const { return FText; }
    void SetText(const QString &AText);
    TAlphaColor FontColor() const { return FFontColor; }
    void SetFontColor(TAlphaColor AColor);

protected:
    void paintEvent(QPaintEvent *AEvent) override;

private:
    QString FText;
    TAlphaColor FFontColor = 0xFF000000;
};
