#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

void TErrorDisplay::Show(const QString &AMessage)
{
    if (FShow) {
        FShow(AMessage);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), AMessage);
}

void TErrorDisplay::SetDisplay(TShowFunc AShow)
{
    FShow = std::move(AShow);
}
