#pragma once

#include "model/ColorThemes.h"
#include "platform/FileDialog.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace Ui {
class frmMain;
}
class QToolButton;
class TColorEdit;
class TGlyphPath;
class TRectangle;
class TStyledControl;
class TURLMemo;

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
    TURLMemo *Memo() const { return FMemo; }
    TFileDialog &OpenDialog() { return dlgOpen; }
    TFileDialog &SaveDialog() { return dlgSave; }

    // A theme record with the colours of a new theme and AName; its
    // background file and opacity stay as they are.
    static TColorTheme &InitNewTheme(TColorTheme &ATheme, const QString &AName);

protected:
    bool event(QEvent *AEvent) override;
    bool eventFilter(QObject *AWatched, QEvent *AEvent) override;
    void resizeEvent(QResizeEvent *AEvent) override;

private:
    void FormCreate();
    void FormActivate();
    void btnExpandClick();
    void cmbbxThemesChange();

    // Preview.
    void btnCloseApplyStyleLookup(TStyledControl *ASender);
    void btnFitApplyStyleLookup(TStyledControl *ASender);
    void btnMinimizeApplyStyleLookup(TStyledControl *ASender);
    void splitterImageApplyStyleLookup(TStyledControl *ASender);
    void CreatePreviewMemo();
    TAlphaColor EditToColor(const TColorEdit *AEdit) const;
    void UpdatePreview();
    void ApplyThemeToPreview(const TColorTheme &ATheme);
    void SetHoverEffect(TGlyphPath *APath, TAlphaColor AColor);

    // Colour fields and the picker overlay.
    void EditChangeTracing();
    void EditButtonHandler(QToolButton *ASender);
    void StoreEditorsToTheme();
    void ShowPicker(TColorEdit *AEdit);
    void HidePicker();
    void colorPickerChange();
    void btnOKClick();
    void btnCancelClick();
    void rectPickerBaseClick();
    void PlacePicker();

    // Theme list.
    void btnAddClick();
    void btnEditNameClick();
    void btnDeleteClick();

    // Theme-set files.
    void PrepareFileDialog(TFileDialog &ADialog);
    void btnLoadClick();
    void btnSaveClick();

    // Background image and opacity.
    void edtButtonRefClick();
    void edtBackFileChangeTracking();
    void chbxRelativeChange();
    void trackOpacityChange();
    void edtButtonOpacityUpClick();
    void edtButtonOpacityDownClick();
    void edtOpacityMouseWheel(int ADelta);
    void LoadBackImage(const QString &APath);
    // The track's value in percent, 0 to 100 with two decimals.
    double OpacityPercent() const;

    int GetSelectedIndex() const;
    void FillThemeList();
    void LoadThemeToEditors();
    void ShowFilePath(const QString &APath);
    void ShowThemeSetInfo();

    // The seven colour fields, in the order of the tab sequence.
    QList<TColorEdit *> ColorEdits() const;
    void PlaceChildren();

    std::unique_ptr<Ui::frmMain> ui;
    TColorThemes FThemes;
    int FLayoutRightWidth = 0;
    TURLMemo *FMemo = nullptr;
    // The objects of the applied styles; null until a style is applied.
    QPointer<TGlyphPath> pathClose;
    QPointer<TGlyphPath> pathFit;
    QPointer<TGlyphPath> pathMin;
    QPointer<TRectangle> FSplitterBackground;
    QPointer<TRectangle> FSplitterGrip;
    // The field the picker overlay was opened for.
    QPointer<TColorEdit> FPickerEdit;
    TFileDialog dlgOpen{TFileDialog::TKind::Open, QStringLiteral("Json|*.json"), QStringLiteral(".json")};
    TFileDialog dlgSave{TFileDialog::TKind::Save, QStringLiteral("Json|*.json|txt|*.txt"), QStringLiteral(".json")};
    TFileDialog dlgOpenImage{TFileDialog::TKind::Open,
                             QStringLiteral("PNG (*.png)|*.png|Jpeg (*.jpg)|*.jpg|All (*.*)|*.*"), QStringLiteral(".png")};
};
