#include "controls/PreviewNote.h"

#include "controls/PreviewStyles.h"
#include "controls/Rectangle.h"
#include "controls/Splitter.h"
#include "controls/Text.h"
#include "platform/ImageControl.h"

#include <QFrame>

namespace {

constexpr int FrameWidth = 4;
constexpr int TitleHeight = 16;
constexpr int SplitterHeight = 6;
constexpr int GlyphButtonSize = 12;
constexpr int GlyphButtonMargin = 2;

template<typename T>
T *Named(T *AControl, const char *AName)
{
    AControl->setObjectName(QString::fromLatin1(AName));
    return AControl;
}

TStyledControl *GlyphButton(QWidget *AParent, const char *AName, const char *AStyle)
{
    auto *button = Named(new TStyledControl(AParent), AName);
    button->SetStyleLookup(QString::fromLatin1(AStyle));
    button->setCursor(Qt::ArrowCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAttribute(Qt::WA_Hover);
    return button;
}

TRectangle *FrameStrip(QWidget *AParent, const char *AName)
{
    auto *strip = Named(new TRectangle(AParent, 0xFFF0C0C0), AName);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    return strip;
}

} // namespace

TPreviewNote::TPreviewNote(QWidget *AParent) : QWidget(AParent)
{
    TPreviewStyles::Register();

    pnlBackDummy = Named(new QFrame(this), "pnlBackDummy");
    pnlBackDummy->setFrameShape(QFrame::StyledPanel);
    pnlBackDummy->setAutoFillBackground(true);
    pnlBackDummy->setAttribute(Qt::WA_TransparentForMouseEvents);

    rectBase = Named(new TRectangle(this, 0x00000000), "rectBase");

    rectTitle = Named(new TRectangle(rectBase, 0xFFFFD7DC), "rectTitle");
    rectTitle->setCursor(Qt::PointingHandCursor);
    textTitle = Named(new TText(rectTitle), "textTitle");
    textTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    textTitle->SetText(QStringLiteral("あのイーハトーヴォの Brown Fox"));
    layoutButtonBase = Named(new QWidget(rectTitle), "layoutButtonBase");
    btnMinimize = GlyphButton(layoutButtonBase, "btnMinimize", "MinimizeButtonStyle");
    btnFit = GlyphButton(layoutButtonBase, "btnFit", "FitButtonStyle");
    btnClose = GlyphButton(layoutButtonBase, "btnClose", "CloseButtonStyle");

    rectBodyBack = Named(new TRectangle(rectBase, 0xFFFFF0F0), "rectBodyBack");
    imgBack = Named(new TImageControl(rectBodyBack), "imgBack");
    imgBack->setAttribute(Qt::WA_TransparentForMouseEvents);
    layoutImageBack = Named(new QWidget(rectBodyBack), "layoutImageBack");
    layoutImageBack->setCursor(Qt::ArrowCursor);
    imgSample = Named(new TImageControl(layoutImageBack), "imgSample");
    imgSample->setGeometry(7, 4, 97, 97);
    imgSample->SetBitmap(QImage(QStringLiteral(":/sample.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    splitterImage = Named(new TSplitter(rectBodyBack), "splitterImage");
    splitterImage->SetStyleLookup(QStringLiteral("SplitterImageStyle"));
    splitterImage->SetMinSize(20);
    splitterImage->OnDrag = [this](int ADelta) { ResizeImageStrip(ADelta); };

    rectFrameTop = FrameStrip(rectBase, "rectFrameTop");
    rectFrameBottom = FrameStrip(rectBase, "rectFrameBottom");
    rectFrameLeft = FrameStrip(rectBase, "rectFrameLeft");
    rectFrameRight = FrameStrip(rectBase, "rectFrameRight");

    PlaceChildren();
}

void TPreviewNote::SetClientControl(QWidget *AControl)
{
    FClient = AControl;
    AControl->setParent(rectBodyBack);
    AControl->show();
    PlaceChildren();
}

void TPreviewNote::resizeEvent(QResizeEvent *AEvent)
{
    QWidget::resizeEvent(AEvent);
    PlaceChildren();
}

void TPreviewNote::ResizeImageStrip(int ADelta)
{
    const int bodyRoom = rectBodyBack->height() - SplitterHeight;
    FImageStripHeight = std::clamp(FImageStripHeight + ADelta, splitterImage->MinSize(), std::max(splitterImage->MinSize(), bodyRoom));
    PlaceChildren();
}

void TPreviewNote::PlaceChildren()
{
    const QRect all = rect();
    pnlBackDummy->setGeometry(all);
    rectBase->setGeometry(all);

    const int w = all.width();
    const int h = all.height();
    rectFrameTop->setGeometry(0, 0, w, FrameWidth);
    rectFrameBottom->setGeometry(0, h - FrameWidth, w, FrameWidth);
    rectFrameLeft->setGeometry(0, FrameWidth, FrameWidth, h - 2 * FrameWidth);
    rectFrameRight->setGeometry(w - FrameWidth, FrameWidth, FrameWidth, h - 2 * FrameWidth);

    const QRect inner(FrameWidth, FrameWidth, w - 2 * FrameWidth, h - 2 * FrameWidth);
    rectTitle->setGeometry(inner.x(), inner.y(), inner.width(), TitleHeight);
    // The title bar's content sits 2 in from the sides and 2 higher than
    // the bar, so the 12-pixel buttons touch its top edge.
    const QRect titleContent(2, -2, inner.width() - 4, TitleHeight);
    const int buttonBaseWidth = 52;
    layoutButtonBase->setGeometry(titleContent.right() + 1 - buttonBaseWidth, titleContent.y(), buttonBaseWidth, titleContent.height());
    textTitle->setGeometry(titleContent.x(), titleContent.y(), titleContent.width() - buttonBaseWidth, titleContent.height());
    const int buttonStep = GlyphButtonSize + 2 * GlyphButtonMargin;
    const int buttonTop = GlyphButtonMargin;
    const int buttonHeight = titleContent.height() - 2 * GlyphButtonMargin;
    btnMinimize->setGeometry(GlyphButtonMargin, buttonTop, GlyphButtonSize, buttonHeight);
    btnFit->setGeometry(buttonStep + GlyphButtonMargin, buttonTop, GlyphButtonSize, buttonHeight);
    btnClose->setGeometry(buttonBaseWidth - GlyphButtonMargin - GlyphButtonSize, buttonTop, GlyphButtonSize, buttonHeight);

    rectBodyBack->setGeometry(inner.x(), inner.y() + TitleHeight, inner.width(), inner.height() - TitleHeight);
    const QRect body = rectBodyBack->rect();
    imgBack->setGeometry(body);
    const int strip = std::min(FImageStripHeight, std::max(0, body.height() - SplitterHeight));
    layoutImageBack->setGeometry(0, 0, body.width(), strip);
    splitterImage->setGeometry(0, strip, body.width(), SplitterHeight);
    if (FClient)
        FClient->setGeometry(0, strip + SplitterHeight, body.width(), std::max(0, body.height() - strip - SplitterHeight));
}
