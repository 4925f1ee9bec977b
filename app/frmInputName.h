#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmInputName;
}

// The modal dialog that asks for a theme's name. Enter confirms (and never
// inserts a line break), Escape cancels.
class TfrmInputName : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmInputName(QWidget *AParent = nullptr);
    ~TfrmInputName() override;

    Ui::frmInputName &UI() { return *ui; }

protected:
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;
    void showEvent(QShowEvent *AEvent) override;

private:
    void FormCreate();
    void memoNameApplyStyleLookup();
    bool memoNameKeyDown(int AKey);

    std::unique_ptr<Ui::frmInputName> ui;
};

// Shows the dialog with AName; true when the user confirmed a non-empty
// name, which is then written back into AName. AParent centres the dialog.
bool InputThemeName(QString &AName, QWidget *AParent);
