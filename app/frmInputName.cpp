#include "app/frmInputName.h"

#include "ui_frmInputName.h"

#include <QKeyEvent>

TfrmInputName::TfrmInputName(QWidget *AParent) : QDialog(AParent), ui(std::make_unique<Ui::frmInputName>())
{
    ui->setupUi(this);
    setFixedSize(320, 112);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ui->memoName->installEventFilter(this);
    FormCreate();
}

TfrmInputName::~TfrmInputName() = default;

void TfrmInputName::FormCreate()
{
    ui->memoName->setFocus();
}

void TfrmInputName::showEvent(QShowEvent *AEvent)
{
    QDialog::showEvent(AEvent);
    memoNameApplyStyleLookup();
}

void TfrmInputName::memoNameApplyStyleLookup()
{
    // Typing replaces the old name.
    ui->memoName->selectAll();
}

bool TfrmInputName::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (AWatched == ui->memoName && AEvent->type() == QEvent::KeyPress)
        return memoNameKeyDown(static_cast<QKeyEvent *>(AEvent)->key());
    return QDialog::eventFilter(AWatched, AEvent);
}

bool TfrmInputName::memoNameKeyDown(int AKey)
{
    if (!ui->memoName->hasFocus() || (AKey != Qt::Key_Return && AKey != Qt::Key_Enter))
        return false;
    accept();
    return true;
}

bool InputThemeName(QString &AName, QWidget *AParent)
{
    TfrmInputName dialog(AParent);
    dialog.UI().memoName->setPlainText(AName);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString name = dialog.UI().memoName->toPlainText();
    if (name.isEmpty())
        return false;
    AName = name;
    return true;
}
