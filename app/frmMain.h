#pragma once

#include "model/ColorThemes.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmMain;
}
class TButtonEdit;

// The designer's main window: the note preview, the seven colour fields,
// the theme list, the file commands, the background picture controls and
// the theme-set information panel.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget *AParent = nullptr);
    ~TfrmMain() override;

    // The window's composition, for the program's own code and for tests.
    Ui::frmMain &UI() { return *ui; }

protected:
    bool event(QEvent *AEvent) override;
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    void FormCreate();
    void FormActivate();
    void btnExpandClick();
    void cmbbxThemesChange();

    int GetSelectedIndex() const;
    void FillThemeList();
    void LoadThemeToEditors();
    void ShowFilePath(const QString &APath);
    void ShowThemeSetInfo();

    // The seven colour fields, in the order of the tab sequence.
    QList<TButtonEdit *> ColorEdits() const;
    void PlaceChildren();

    std::unique_ptr<Ui::frmMain> ui;
    TColorThemes FThemes;
    int FLayoutRightWidth = 0;
};
