#pragma once

#include "platform/ImageControl.h"

#include <QList>
#include <QTimer>

#include <functional>
#include <memory>

class IMouseService;
class QPushButton;

// An image control that shows an overlay while the pointer is over it: a
// close button in its top-left corner and the parts its owner adds. A click
// on the close button announces the removal and then destroys the control
// from the event queue. The overlay hides on the first poll (every 100 ms)
// that finds the pointer outside; the right and bottom edges count as inside.
class TRemovableImage : public TImageControl
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TRemovableImage *ASender)>;

    explicit TRemovableImage(QWidget *AOwner = nullptr);
    ~TRemovableImage() override;

    // AParts joins the overlay (below the button row) and shows and hides
    // with it.
    void AddOverParts(QWidget *AParts);
    // Takes AParts out of the overlay and destroys it.
    void RemoveOverParts(QWidget *AParts);
    const QList<QWidget *> &Parts() const { return FParts; }

    QPushButton *CloseButton() const { return FCloseButton; }
    QWidget *ButtonBase() const { return FButtonBase; }
    QWidget *OverlayRoot() const { return FRoot; }
    QString StyleLookup() const { return FStyleLookup; }
    void SetStyleLookup(const QString &AStyleLookup);
    double ButtonSize() const { return FButtonSize; }
    // The button row becomes AValue + its top and bottom padding high; the
    // close button takes the row's inner height and keeps its width.
    void SetButtonSize(double AValue);

    // Fired, with this control as sender, when the close button takes its style.
    TNotifyEvent OnApplyStyleLookup;
    // Fired once when the close button is clicked, before the destruction.
    TNotifyEvent OnWillDestroy;

protected:
    // Called with true when the overlay shows and with false when it hides.
    virtual void OverPartsVisibleChanged(bool AVisible);

    void resizeEvent(QResizeEvent *AEvent) override;
    void mouseMoveEvent(QMouseEvent *AEvent) override;
    // A conversion error raised by the mouse-up handler is swallowed.
    void mouseReleaseEvent(QMouseEvent *AEvent) override;
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
    void InvisibleTimerTick();
    void CloseButtonClickHandler();
    void ApplyStyleLookup();

    std::shared_ptr<IMouseService> FMouse;
    QTimer FInvisibleTimer;
    QList<QWidget *> FParts;
    QWidget *FRoot;
    QWidget *FButtonBase;
    QPushButton *FCloseButton;
    QString FStyleLookup;
    double FButtonSize = 16;
    bool FDestroying = false;
};
