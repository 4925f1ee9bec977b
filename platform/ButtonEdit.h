#pragma once

#include <QLineEdit>

class QToolButton;

// A line edit with small buttons embedded at its right end. The buttons
// never take the focus and show the arrow cursor.
class TButtonEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TButtonEdit(QWidget *AParent = nullptr);

    // Adds a button of ASize at the right end, left of earlier buttons.
    QToolButton *AddButton(const QString &AText, QSize ASize = QSize(18, 18));

protected:
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    void PlaceButtons();

    QList<QToolButton *> FButtons;
};
