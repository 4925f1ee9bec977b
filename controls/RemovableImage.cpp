#include "controls/RemovableImage.h"

#include "platform/ConvertError.h"
#include "platform/MouseService.h"

#include <QBoxLayout>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr int PollInterval = 100;
constexpr int RowPaddingTop = 4;
constexpr int RowPaddingBottom = 4;
// The close button's left margin of 4.5, on whole pixels.
constexpr int CloseButtonMargin = 5;
constexpr int CloseButtonWidth = 16;

} // namespace

TRemovableImage::TRemovableImage(QWidget *AOwner) : TImageControl(AOwner), FMouse(IMouseService::Current())
{
    setMouseTracking(true);
    FInvisibleTimer.setInterval(PollInterval);
    connect(&FInvisibleTimer, &QTimer::timeout, this, &TRemovableImage::InvisibleTimerTick);

    // The overlay fills the control (padding left 2, right 3): the button
    // row on top, the added parts at the bottom.
    FRoot = new QWidget(this);
    FRoot->hide();
    FRoot->setGeometry(rect());
    auto *rootLayout = new QVBoxLayout(FRoot);
    rootLayout->setContentsMargins(2, 0, 3, 0);
    rootLayout->setSpacing(0);

    FButtonBase = new QWidget(FRoot);
    auto *rowLayout = new QHBoxLayout(FButtonBase);
    rowLayout->setContentsMargins(0, RowPaddingTop, 2, RowPaddingBottom);
    rowLayout->setSpacing(0);
    FButtonBase->setFixedHeight(int(FButtonSize) + RowPaddingTop + RowPaddingBottom);

    FCloseButton = new QPushButton(FButtonBase);
    FCloseButton->setFixedWidth(CloseButtonWidth);
    FCloseButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    FCloseButton->setFocusPolicy(Qt::NoFocus);
    FCloseButton->installEventFilter(this);
    connect(FCloseButton, &QPushButton::clicked, this, &TRemovableImage::CloseButtonClickHandler);
    rowLayout->addSpacing(CloseButtonMargin);
    rowLayout->addWidget(FCloseButton);
    rowLayout->addStretch();

    rootLayout->addWidget(FButtonBase);
    rootLayout->addStretch();
}

TRemovableImage::~TRemovableImage()
{
    FInvisibleTimer.stop();
}

void TRemovableImage::AddOverParts(QWidget *AParts)
{
    if (!FParts.contains(AParts)) {
        AParts->setParent(FRoot);
        FRoot->layout()->addWidget(AParts);
        AParts->show();
    }
    FParts.append(AParts);
}

void TRemovableImage::RemoveOverParts(QWidget *AParts)
{
    // Every listing goes: the part no longer exists.
    FParts.removeAll(AParts);
    delete AParts;
}

void TRemovableImage::SetStyleLookup(const QString &AStyleLookup)
{
    FStyleLookup = AStyleLookup;
    FCloseButton->setObjectName(AStyleLookup);
    if (FCloseButton->testAttribute(Qt::WA_WState_Polished))
        ApplyStyleLookup();
}

void TRemovableImage::SetButtonSize(double AValue)
{
    FButtonSize = AValue;
    FButtonBase->setFixedHeight(qRound(AValue) + RowPaddingTop + RowPaddingBottom);
}

void TRemovableImage::OverPartsVisibleChanged(bool)
{
}

void TRemovableImage::resizeEvent(QResizeEvent *AEvent)
{
    TImageControl::resizeEvent(AEvent);
    FRoot->setGeometry(rect());
}

void TRemovableImage::mouseMoveEvent(QMouseEvent *AEvent)
{
    TImageControl::mouseMoveEvent(AEvent);
    if (FRoot->isVisible())
        return;
    FRoot->show();
    FInvisibleTimer.start();
    OverPartsVisibleChanged(true);
}

void TRemovableImage::mouseReleaseEvent(QMouseEvent *AEvent)
{
    try {
        TImageControl::mouseReleaseEvent(AEvent);
    } catch (const EConvertError &) {
        // A handler's failed conversion is not worth an error message here.
    }
}

bool TRemovableImage::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (AWatched == FCloseButton && AEvent->type() == QEvent::Polish)
        ApplyStyleLookup();
    return TImageControl::eventFilter(AWatched, AEvent);
}

void TRemovableImage::InvisibleTimerTick()
{
    const QPointF local = mapFromGlobal(FMouse->GetMousePos());
    if (local.x() >= 0 && local.y() >= 0 && local.x() <= width() && local.y() <= height())
        return;
    FInvisibleTimer.stop();
    FRoot->hide();
    OverPartsVisibleChanged(false);
}

void TRemovableImage::CloseButtonClickHandler()
{
    // A second click before the deferred destruction has run does nothing.
    if (FDestroying)
        return;
    FDestroying = true;
    if (OnWillDestroy)
        OnWillDestroy(this);
    deleteLater();
}

void TRemovableImage::ApplyStyleLookup()
{
    if (OnApplyStyleLookup)
        OnApplyStyleLookup(this);
}
