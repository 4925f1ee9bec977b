#include "controls/StyledControl.h"

#include "platform/StyleRegistry.h"

#include <QEvent>

TStyledControl::TStyledControl(QWidget *AParent) : QWidget(AParent)
{
}

void TStyledControl::ApplyStyle()
{
    delete FStyleRoot;
    // The style's objects live in a container of their own that fills the
    // control, so the next application can drop them all at once.
    auto *root = new QWidget(this);
    root->setObjectName(QStringLiteral("style"));
    root->setAttribute(Qt::WA_TransparentForMouseEvents);
    root->setGeometry(rect());
    TStyleRegistry::Apply(FStyleLookup, root);
    root->show();
    FStyleRoot = root;
    if (OnApplyStyleLookup)
        OnApplyStyleLookup(this);
}

bool TStyledControl::event(QEvent *AEvent)
{
    if (AEvent->type() == QEvent::Polish && !FStyleRoot)
        ApplyStyle();
    return QWidget::event(AEvent);
}

void TStyledControl::resizeEvent(QResizeEvent *AEvent)
{
    QWidget::resizeEvent(AEvent);
    if (FStyleRoot)
        FStyleRoot->setGeometry(rect());
}
