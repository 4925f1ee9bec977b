#pragma once

#include <QWidget>

// The caption of a note image's hover overlay: black at alpha 0xCC, the
// picture's name on the left (cut by character when it does not fit) and
// its pixel size on the right, in white. It takes no mouse input.
class TCaptionBar : public QWidget
{
    Q_OBJECT

public:
    // The texts are measured and painted in AFont; the bar is the height
    // of a line of it plus 2.
    TCaptionBar(const QString &ANameText, const QString &ASizeText, const QFont &AFont, QWidget *AParent = nullptr);

    QString NameText() const { return FNameText; }
    QString SizeText() const { return FSizeText; }
    // The width kept for the size text: its measured width.
    int SizeTextWidth() const { return FSizeTextWidth; }

    static constexpr quint32 BackgroundColor = 0xCC000000;
    static constexpr quint32 FontColor = 0xFFFFFFFF;

protected:
    void paintEvent(QPaintEvent *AEvent) override;

private:
    QString FNameText;
    QString FSizeText;
    int FSizeTextWidth;
};
