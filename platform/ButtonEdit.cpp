#include "platform/ButtonEdit.h"

#include <QApplication>
#include <QToolButton>

TButtonEdit::TButtonEdit(QWidget *AParent) : QLineEdit(AParent)
{
}

QToolButton *TButtonEdit::AddButton(const QString &AText, QSize ASize)
{
    auto *button = new QToolButton(this);
    button->setText(AText);
    // The application font of buttons, not the edit's own face.
    button->setFont(QApplication::font("QToolButton"));
    button->setFixedSize(ASize);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    FButtons.append(button);
    PlaceButtons();
    return button;
}

void TButtonEdit::resizeEvent(QResizeEvent *AEvent)
{
    QLineEdit::resizeEvent(AEvent);
    PlaceButtons();
}

void TButtonEdit::PlaceButtons()
{
    int right = width() - 2;
    for (QToolButton *button : std::as_const(FButtons)) {
        right -= button->width();
        button->move(right, (height() - button->height()) / 2);
    }
    setTextMargins(0, 0, width() - 2 - right, 0);
}
