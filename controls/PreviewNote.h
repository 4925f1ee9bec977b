#pragma once

#include <QWidget>

class QFrame;
class TImageControl;
class TRectangle;
class TSplitter;
class TStyledControl;
class TText;

// The preview sticky note: a styled panel behind it, four frame strips, a
// title bar with its text and three glyph buttons, and a body holding the
// background image, a picture strip with a sample photograph, a splitter and
// the client control (the sample-text memo). Its owner colours the parts.
class TPreviewNote : public QWidget
{
    Q_OBJECT

public:
    explicit TPreviewNote(QWidget *AParent = nullptr);

    // Puts AControl into the body below the splitter, filling the rest.
    void SetClientControl(QWidget *AControl);

    QFrame *pnlBackDummy;
    TRectangle *rectBase;
    TRectangle *rectTitle;
    TText *textTitle;
    QWidget *layoutButtonBase;
    TStyledControl *btnMinimize;
    TStyledControl *btnFit;
    TStyledControl *btnClose;
    TRectangle *rectBodyBack;
    TImageControl *imgBack;
    QWidget *layoutImageBack;
    TImageControl *imgSample;
    TSplitter *splitterImage;
    TRectangle *rectFrameTop;
    TRectangle *rectFrameBottom;
    TRectangle *rectFrameLeft;
    TRectangle *rectFrameRight;

protected:
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    void PlaceChildren();
    void ResizeImageStrip(int ADelta);

    QWidget *FClient = nullptr;
    int FImageStripHeight = 105;
};
