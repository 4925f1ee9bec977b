#pragma once

#include "graphics/BitmapTarget.h"

#include <QImage>
#include <QWidget>

#include <functional>

// A control that paints a bitmap scaled to fit inside itself with its
// aspect ratio kept, centred, at an opacity from 0 to 1. A GIF animator
// plays its frames into it.
class TImageControl : public QWidget, public IBitmapTarget
{
    Q_OBJECT

public:
    explicit TImageControl(QWidget *AParent = nullptr);

    const QImage &Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage &ABitmap);
    // Loads a picture file by its content; an unreadable file clears the
    // bitmap and returns false.
    bool LoadFromFile(const QString &AFileName);
    void ClearBitmap() { SetBitmap(QImage()); }
    void AssignBitmap(const QImage &ABitmap) override { SetBitmap(ABitmap); }

    double Opacity() const { return FOpacity; }
    void SetOpacity(double AOpacity);

    // Suspends repainting while a bitmap is rebuilt; nests.
    void BeginUpdate();
    void EndUpdate();

    // Where the bitmap is painted inside the control.
    QRectF FittedRect() const;

    // Called when a mouse button is released over the control.
    std::function<void(TImageControl *ASender, QMouseEvent *AEvent)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent *AEvent) override;
    void mouseReleaseEvent(QMouseEvent *AEvent) override;

private:
    QImage FBitmap;
    double FOpacity = 1.0;
    int FUpdating = 0;
};
