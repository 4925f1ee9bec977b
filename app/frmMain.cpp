#include "app/frmMain.h"

#include "app/CreateDate.h"
#include "app/frmInputName.h"

#include "controls/ColorEdit.h"
#include "controls/ColorPanel.h"
#include "controls/GlyphPath.h"
#include "controls/HoverEffect.h"
#include "controls/PreviewNote.h"
#include "controls/Rectangle.h"
#include "controls/Splitter.h"
#include "controls/Text.h"
#include "controls/URLMemo.h"
#include "platform/Application.h"
#include "platform/ButtonEdit.h"
#include "platform/ImageControl.h"
#include "platform/StyleRegistry.h"
#include "model/ThemeSetJsonReader.h"
#include "store/DataSerializer.h"
#include "store/ThemeSetFile.h"
#include "ui_frmMain.h"

#include <QDate>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

#include <cmath>
#include <stdexcept>

namespace {

QString ColorToText(TAlphaColor AColor)
{
    return QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0'));
}

const QString SampleText = QStringLiteral(
    "あのイーハトーヴォのすきとおった風、夏でも底に冷たさをもつ青いそら、うつくしい森で飾られたモリーオ市、郊外のぎらぎらひかる草の波。\n"
    "\n"
    "The quick brown fox jumps over the lazy dog\n"
    "https://notavell2.example.org/themes");

} // namespace

TfrmMain::TfrmMain(QWidget *AParent) : QMainWindow(AParent), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    // Only the system menu and the close box; no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(960, 392);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The colour-order hint keeps its own colour whatever the style.
    QPalette hintPalette = ui->lblColorMessage->palette();
    hintPalette.setColor(QPalette::WindowText, Qt::yellow);
    ui->lblColorMessage->setPalette(hintPalette);
    ui->btnEditName->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->btnAdd->setText(QStringLiteral("+"));
    ui->btnDelete->setText(QStringLiteral("−"));
    QToolButton *edtButtonRef = ui->edtBackFile->AddButton(QStringLiteral("..."));
    connect(edtButtonRef, &QToolButton::clicked, this, &TfrmMain::edtButtonRefClick);
    connect(ui->edtBackFile, &QLineEdit::textChanged, this, &TfrmMain::edtBackFileChangeTracking);
    connect(ui->chbxRelative, &QCheckBox::stateChanged, this, &TfrmMain::chbxRelativeChange);
    connect(ui->trackOpacity, &QSlider::valueChanged, this, &TfrmMain::trackOpacityChange);
    QToolButton *opacityUp = ui->edtOpacity->AddButton(QStringLiteral("▴"), QSize(10, 18));
    QToolButton *opacityDown = ui->edtOpacity->AddButton(QStringLiteral("▾"), QSize(10, 18));
    connect(opacityUp, &QToolButton::clicked, this, &TfrmMain::edtButtonOpacityUpClick);
    connect(opacityDown, &QToolButton::clicked, this, &TfrmMain::edtButtonOpacityDownClick);
    ui->edtOpacity->installEventFilter(this);

    connect(ui->btnAdd, &QToolButton::clicked, this, &TfrmMain::btnAddClick);
    connect(ui->btnEditName, &QToolButton::clicked, this, &TfrmMain::btnEditNameClick);
    connect(ui->btnDelete, &QToolButton::clicked, this, &TfrmMain::btnDeleteClick);
    connect(ui->btnLoad, &QPushButton::clicked, this, &TfrmMain::btnLoadClick);
    connect(ui->btnSave, &QPushButton::clicked, this, &TfrmMain::btnSaveClick);
    // The locale's short date with a four-digit year, whatever format the
    // date editor picked when it was made.
    ui->edtCreated->setDisplayFormat(TCreateDate::DisplayFormat(QLocale()));

    for (TColorEdit *edit : ColorEdits()) {
        QToolButton *button = edit->AddButton(QStringLiteral("..."));
        connect(button, &QToolButton::clicked, this, [this, button] { EditButtonHandler(button); });
        connect(edit, &TColorEdit::TextChange, this, &TfrmMain::EditChangeTracing);
    }

    TPreviewNote *preview = ui->layoutPreviewBase;
    preview->btnClose->OnApplyStyleLookup = [this](TStyledControl *ASender) { btnCloseApplyStyleLookup(ASender); };
    preview->btnFit->OnApplyStyleLookup = [this](TStyledControl *ASender) { btnFitApplyStyleLookup(ASender); };
    preview->btnMinimize->OnApplyStyleLookup = [this](TStyledControl *ASender) { btnMinimizeApplyStyleLookup(ASender); };
    preview->splitterImage->OnApplyStyleLookup = [this](TStyledControl *ASender) { splitterImageApplyStyleLookup(ASender); };

    ui->rectPickerBase->SetFill(0xDD000000);
    ui->rectPickerBase->OnClick = [this] { rectPickerBaseClick(); };
    connect(ui->colorPicker, &TColorPanel::ColorChange, this, &TfrmMain::colorPickerChange);
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmMain::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmMain::btnCancelClick);
    // The cancel button is the overlay's default and cancel button: Enter
    // and Escape press it.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)}) {
        auto *shortcut = new QShortcut(key, ui->rectPickerBase);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, ui->btnCancel, &QPushButton::click);
    }

    connect(ui->btnExpand, &QToolButton::clicked, this, &TfrmMain::btnExpandClick);
    connect(ui->cmbbxThemes, &QComboBox::currentIndexChanged, this, &TfrmMain::cmbbxThemesChange);
    ui->cmbbxThemes->setFocus();

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

QList<TColorEdit *> TfrmMain::ColorEdits() const
{
    return {ui->edtTItle, ui->edtBody, ui->edtTitleText, ui->edtText,
            ui->edtButtonNormal, ui->edtButtonHover, ui->edtLink};
}

void TfrmMain::FormCreate()
{
    setWindowTitle(windowTitle() + QStringLiteral("\u3000Version ") + TApplication::GetVersion());
    CreatePreviewMemo();
    trackOpacityChange();
    HidePicker();
    FillThemeList();
    ShowFilePath(TColorThemes::Filename);
    ShowThemeSetInfo();
}

bool TfrmMain::event(QEvent *AEvent)
{
    const bool result = QMainWindow::event(AEvent);
    if (AEvent->type() == QEvent::WindowActivate)
        FormActivate();
    return result;
}

void TfrmMain::FormActivate()
{
    if (FLayoutRightWidth != 0)
        return;
    FLayoutRightWidth = ui->layoutRIght->width();
    resize(width() - FLayoutRightWidth, height());
}

void TfrmMain::btnExpandClick()
{
    resize(width() + FLayoutRightWidth, height());
    ui->btnExpand->hide();
}

void TfrmMain::resizeEvent(QResizeEvent *AEvent)
{
    QMainWindow::resizeEvent(AEvent);
    PlaceChildren();
}

void TfrmMain::PlaceChildren()
{
    // The editing column keeps its width; the information panel takes the
    // rest, and nothing when the window is collapsed.
    const QRect client = ui->centralwidget->rect();
    ui->layoutLeft->setGeometry(0, 0, ui->layoutLeft->width(), client.height());
    ui->layoutRIght->setGeometry(ui->layoutLeft->width(), 0,
                                 std::max(0, client.width() - ui->layoutLeft->width()), client.height());
    ui->layoutExpandBase->setGeometry(ui->layoutLeft->width() - ui->layoutExpandBase->width(), 0,
                                      ui->layoutExpandBase->width(), client.height());
    ui->btnExpand->move(ui->btnExpand->x(), (client.height() - ui->btnExpand->height()) / 2);
    ui->rectPickerBase->setGeometry(client);
    PlacePicker();
}

int TfrmMain::GetSelectedIndex() const
{
    const int row = ui->cmbbxThemes->currentIndex();
    return row >= 0 && row < TColorThemes::Count() ? row : -1;
}

void TfrmMain::FillThemeList()
{
    ui->cmbbxThemes->clear();
    for (int i = 0; i < TColorThemes::Count(); ++i)
        ui->cmbbxThemes->addItem(TColorThemes::Items(i).FName);
    ui->cmbbxThemes->setCurrentIndex(TColorThemes::Count() > 0 ? 0 : -1);
}

void TfrmMain::cmbbxThemesChange()
{
    LoadThemeToEditors();
    UpdatePreview();
}

void TfrmMain::LoadThemeToEditors()
{
    const int index = GetSelectedIndex();
    if (index < 0)
        return;
    const TColorTheme theme = TColorThemes::Items(index);
    ui->edtBody->setText(ColorToText(theme.FBody));
    ui->edtTItle->setText(ColorToText(theme.FBorder));
    ui->edtButtonNormal->setText(ColorToText(theme.FButton));
    ui->edtButtonHover->setText(ColorToText(theme.FHover));
    ui->edtText->setText(ColorToText(theme.FText));
    ui->edtTitleText->setText(ColorToText(theme.FTitleText));
    ui->edtLink->setText(ColorToText(theme.FLink));

    const QString path = TDataSerializer::GetAbsolutePath(theme.FBackFile);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        LoadBackImage(path);
    else
        ui->layoutPreviewBase->imgBack->ClearBitmap();
    ui->edtBackFile->setText(path);

    // Whole percent, truncated; the small allowance keeps a stored 0.29
    // (0.2899999 as a float) at 29 instead of losing a percent per load.
    int percent = int(double(theme.FBackOpacity) * 100 + 1e-4);
    if (percent == 0)
        percent = 50;
    ui->trackOpacity->setValue(percent * 100);
    UpdatePreview();
}

void TfrmMain::ShowFilePath(const QString &APath)
{
    ui->textFilePath->setText(APath);
}

void TfrmMain::ShowThemeSetInfo()
{
    ui->edtName->setText(TColorThemes::Name);
    ui->edtAuthor->setText(TColorThemes::Author);
    ui->edtCopyright->setText(TColorThemes::Copyright);
    ui->edtRemarks->setText(TColorThemes::Remarks);
    const QDate today = QDate::currentDate();
    const QDate created = TColorThemes::CreateDate.isEmpty()
                              ? today
                              : TCreateDate::Parse(TColorThemes::CreateDate, QLocale(), today);
    ui->edtCreated->setDate(created.isValid() ? created : today);
}

// --- Preview ---

void TfrmMain::CreatePreviewMemo()
{
    FMemo = new TURLMemo(this);
    FMemo->setObjectName(QStringLiteral("FMemo"));
    TStyleRegistry::Apply(QStringLiteral("TransMemoStyle"), FMemo);
    FMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    FMemo->setPlainText(SampleText);
    ui->layoutPreviewBase->SetClientControl(FMemo);
}

void TfrmMain::btnCloseApplyStyleLookup(TStyledControl *ASender)
{
    pathClose = ASender->FindStyleResource<TGlyphPath>(QStringLiteral("CloseButtonPath"));
}

void TfrmMain::btnFitApplyStyleLookup(TStyledControl *ASender)
{
    pathFit = ASender->FindStyleResource<TGlyphPath>(QStringLiteral("FitButtonPath"));
}

void TfrmMain::btnMinimizeApplyStyleLookup(TStyledControl *ASender)
{
    pathMin = ASender->FindStyleResource<TGlyphPath>(QStringLiteral("MinimizeButtonPath"));
}

void TfrmMain::splitterImageApplyStyleLookup(TStyledControl *ASender)
{
    FSplitterBackground = ASender->FindStyleResource<TRectangle>(QStringLiteral("background"));
    FSplitterGrip = ASender->FindStyleResource<TRectangle>(QStringLiteral("grip"));
    UpdatePreview();
}

TAlphaColor TfrmMain::EditToColor(const TColorEdit *AEdit) const
{
    bool ok = false;
    const uint value = AEdit->text().toUInt(&ok, 16);
    return ok ? TAlphaColor(value) : TAlphaColor(0xFF000000);
}

void TfrmMain::UpdatePreview()
{
    TColorTheme theme;
    theme.Create(QString(), EditToColor(ui->edtBody), EditToColor(ui->edtTItle), EditToColor(ui->edtButtonNormal),
                 EditToColor(ui->edtButtonHover), EditToColor(ui->edtText), EditToColor(ui->edtTitleText),
                 EditToColor(ui->edtLink));
    ApplyThemeToPreview(theme);
}

void TfrmMain::ApplyThemeToPreview(const TColorTheme &ATheme)
{
    TPreviewNote *preview = ui->layoutPreviewBase;
    preview->rectTitle->SetFill(ATheme.FBorder);
    for (TRectangle *strip : {preview->rectFrameLeft, preview->rectFrameTop, preview->rectFrameRight, preview->rectFrameBottom})
        strip->SetFill(ATheme.FBorder);
    preview->rectBodyBack->SetFill(ATheme.FBody);
    // A new palette lays the memo's text out again: only when it changes.
    const QColor textColor = QColor::fromRgba(ATheme.FText);
    if (FMemo->palette().color(QPalette::Text) != textColor) {
        QPalette memoPalette = FMemo->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            memoPalette.setColor(group, QPalette::Text, textColor);
        FMemo->setPalette(memoPalette);
    }
    preview->textTitle->SetFontColor(ATheme.FTitleText);
    FMemo->SetURLColor(ATheme.FLink);
    for (TGlyphPath *path : {pathClose.data(), pathFit.data(), pathMin.data()}) {
        if (!path)
            continue;
        path->SetFill(ATheme.FButton);
        SetHoverEffect(path, ATheme.FHover);
    }
    if (FSplitterBackground)
        FSplitterBackground->SetFill(ATheme.FBorder);
    if (FSplitterGrip)
        FSplitterGrip->SetFill(ATheme.FButton);
}

void TfrmMain::SetHoverEffect(TGlyphPath *APath, TAlphaColor AColor)
{
    if (auto *effect = qobject_cast<THoverEffect *>(APath->graphicsEffect())) {
        effect->SetColor(AColor);
        return;
    }
    // The effect follows the pointer over the button that shows the glyph.
    QWidget *button = APath->parentWidget();
    while (button && !qobject_cast<TStyledControl *>(button))
        button = button->parentWidget();
    auto *effect = new THoverEffect(button, APath);
    effect->SetColor(AColor);
    APath->setGraphicsEffect(effect);
}

// --- Colour fields and the picker overlay ---

void TfrmMain::EditChangeTracing()
{
    StoreEditorsToTheme();
    UpdatePreview();
}

void TfrmMain::StoreEditorsToTheme()
{
    const int index = GetSelectedIndex();
    if (index < 0)
        return;
    TColorTheme theme = TColorThemes::Items(index);
    theme.FBody = EditToColor(ui->edtBody);
    theme.FBorder = EditToColor(ui->edtTItle);
    theme.FButton = EditToColor(ui->edtButtonNormal);
    theme.FHover = EditToColor(ui->edtButtonHover);
    theme.FText = EditToColor(ui->edtText);
    theme.FTitleText = EditToColor(ui->edtTitleText);
    theme.FLink = EditToColor(ui->edtLink);
    theme.FBackFile = ui->edtBackFile->text();
    theme.FBackOpacity = float(OpacityPercent() / 100.0);
    if (ui->chbxRelative->isChecked())
        theme.FBackFile = TDataSerializer::GetRelativePath(ui->edtBackFile->text());
    TColorThemes::SetItems(index, theme);
}

void TfrmMain::EditButtonHandler(QToolButton *ASender)
{
    if (auto *edit = qobject_cast<TColorEdit *>(ASender->parentWidget()))
        ShowPicker(edit);
}

void TfrmMain::ShowPicker(TColorEdit *AEdit)
{
    ui->rectPickerBase->setGeometry(ui->centralwidget->rect());
    ui->colorPicker->SetColor(EditToColor(AEdit));
    FPickerEdit = AEdit;
    ui->rectPickerBase->show();
    ui->rectPickerBase->raise();
    ui->btnCancel->setFocus();
}

void TfrmMain::HidePicker()
{
    ui->rectPickerBase->hide();
}

void TfrmMain::colorPickerChange()
{
    ui->lblColor->setText(ColorToText(ui->colorPicker->Color()));
}

void TfrmMain::btnOKClick()
{
    HidePicker();
    if (FPickerEdit)
        FPickerEdit->setText(ColorToText(ui->colorPicker->Color()));
    UpdatePreview();
}

void TfrmMain::btnCancelClick()
{
    HidePicker();
}

void TfrmMain::rectPickerBaseClick()
{
    HidePicker();
}

void TfrmMain::PlacePicker()
{
    // The panel and its buttons keep their design widths, centred across,
    // 8 pixels from the top and the bottom.
    const QRect overlay = ui->rectPickerBase->rect();
    const int height = std::max(0, overlay.height() - 16);
    QWidget *centre = ui->layoutPickerCenter;
    centre->setGeometry((overlay.width() - centre->width()) / 2, 8, centre->width(), height);
    ui->colorPicker->setGeometry(0, 0, centre->width() - ui->layoutPickerRightBase->width(), height);
    QWidget *right = ui->layoutPickerRightBase;
    right->setGeometry(centre->width() - right->width(), 0, right->width(), height);
    ui->lblColor->setGeometry(0, (height - ui->lblColor->height()) / 2, right->width(), ui->lblColor->height());
    QWidget *buttons = ui->layoutPickerButtonBase;
    buttons->setGeometry(0, height - 8 - buttons->height(), right->width(), buttons->height());
}

// --- Theme list ---

TColorTheme &TfrmMain::InitNewTheme(TColorTheme &ATheme, const QString &AName)
{
    ATheme.FName = AName;
    ATheme.FBody = 0xFF808080;
    ATheme.FBorder = 0xFF404040;
    ATheme.FButton = 0xFF808080;
    ATheme.FHover = 0xFFFFFFFF;
    ATheme.FText = 0xFF000000;
    ATheme.FTitleText = 0xFFFFFFFF;
    ATheme.FLink = 0xFF0F83FD;
    return ATheme;
}

void TfrmMain::btnAddClick()
{
    // The registry replaces a theme of the same name instead of adding one;
    // a new theme therefore takes the first free name "未設定", "未設定 (2)", ...
    const QString base = QStringLiteral("未設定");
    QString name = base;
    for (int number = 2; TColorThemes::IndexOf(name) >= 0; ++number)
        name = QStringLiteral("%1 (%2)").arg(base).arg(number);
    TColorTheme theme;
    TColorThemes::Add(InitNewTheme(theme, name));
    ui->cmbbxThemes->addItem(name);
    {
        const QSignalBlocker updating(ui->cmbbxThemes);
        ui->cmbbxThemes->setCurrentIndex(ui->cmbbxThemes->count() - 1);
    }
    cmbbxThemesChange();
}

void TfrmMain::btnEditNameClick()
{
    const int index = GetSelectedIndex();
    if (index < 0)
        return;
    QString name = TColorThemes::Items(index).FName;
    if (!InputThemeName(name, this))
        return;
    TColorTheme theme = TColorThemes::Items(index);
    theme.FName = name;
    TColorThemes::SetItems(index, theme);
    const QSignalBlocker updating(ui->cmbbxThemes);
    ui->cmbbxThemes->setItemText(index, name);
}

void TfrmMain::btnDeleteClick()
{
    const int index = GetSelectedIndex();
    if (index < 0)
        return;
    TColorThemes::Delete(index);
    const int left = TColorThemes::Count();
    {
        const QSignalBlocker updating(ui->cmbbxThemes);
        ui->cmbbxThemes->removeItem(index);
        ui->cmbbxThemes->setCurrentIndex(left == 0 ? -1 : std::min(index, left - 1));
    }
    if (left > 0) {
        cmbbxThemesChange();
        return;
    }
    for (TColorEdit *edit : ColorEdits())
        edit->clear();
    TColorTheme defaults;
    ApplyThemeToPreview(InitNewTheme(defaults, QString()));
}

// --- Theme-set files ---

void TfrmMain::PrepareFileDialog(TFileDialog &ADialog)
{
    QString name = ADialog.FileName();
    if (name.isEmpty())
        name = TDataSerializer::GetThemesFile();
    ADialog.SetFileName(name);
    ADialog.SetInitialDir(name.isEmpty() ? QStringLiteral("/") : QFileInfo(name).absolutePath() + u'/');
}

void TfrmMain::btnLoadClick()
{
    PrepareFileDialog(dlgOpen);
    if (!dlgOpen.Execute(this))
        return;
    const QString path = dlgOpen.FileName();
    const QString text = TThemeSetFile::ReadText(path);
    // A file that is no theme set is refused before the registry is touched:
    // the themes being edited stay.
    TColorThemesJSON checked;
    if (const auto error = TThemeSetJsonReader::Parse(text, checked))
        throw std::runtime_error(QStringLiteral("%1: テーマセットとして読めません (%2)").arg(path, error->ToString()).toStdString());
    TColorThemes::ReadFromJSON(text);
    FillThemeList();
    ShowFilePath(path);
    ShowThemeSetInfo();
}

void TfrmMain::btnSaveClick()
{
    PrepareFileDialog(dlgSave);
    if (!dlgSave.Execute(this))
        return;
    const QString path = dlgSave.FileName();
    TColorThemes::Name = ui->edtName->text();
    TColorThemes::Author = ui->edtAuthor->text();
    TColorThemes::Copyright = ui->edtCopyright->text();
    TColorThemes::CreateDate = ui->edtCreated->text();
    TColorThemes::Remarks = ui->edtRemarks->text();
    TThemeSetFile::Write(path, TColorThemes::AsJSON());
    ShowFilePath(path);
}

// --- Background image and opacity ---

void TfrmMain::LoadBackImage(const QString &APath)
{
    if (!ui->layoutPreviewBase->imgBack->LoadFromFile(APath))
        throw std::runtime_error(QStringLiteral("%1: 画像として読み込めません").arg(APath).toStdString());
}

double TfrmMain::OpacityPercent() const
{
    return ui->trackOpacity->value() / 100.0;
}

void TfrmMain::edtButtonRefClick()
{
    if (dlgOpenImage.Execute(this))
        ui->edtBackFile->setText(dlgOpenImage.FileName());
}

void TfrmMain::edtBackFileChangeTracking()
{
    const QString path = ui->edtBackFile->text();
    TImageControl *image = ui->layoutPreviewBase->imgBack;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        LoadBackImage(path);
    else if (!image->Bitmap().isNull())
        image->ClearBitmap();
    StoreEditorsToTheme();
}

void TfrmMain::chbxRelativeChange()
{
    StoreEditorsToTheme();
}

void TfrmMain::trackOpacityChange()
{
    const double percent = OpacityPercent();
    ui->edtOpacity->setText(QString::number(int(percent)));
    ui->layoutPreviewBase->imgBack->SetOpacity(percent / 100.0);
    StoreEditorsToTheme();
}

void TfrmMain::edtButtonOpacityUpClick()
{
    ui->trackOpacity->setValue(ui->trackOpacity->value() + 100);
}

void TfrmMain::edtButtonOpacityDownClick()
{
    ui->trackOpacity->setValue(ui->trackOpacity->value() - 100);
}

void TfrmMain::edtOpacityMouseWheel(int ADelta)
{
    if (ADelta < 0)
        edtButtonOpacityDownClick();
    else
        edtButtonOpacityUpClick();
}

bool TfrmMain::eventFilter(QObject *AWatched, QEvent *AEvent)
{
    if (AWatched == ui->edtOpacity && AEvent->type() == QEvent::Wheel) {
        edtOpacityMouseWheel(static_cast<QWheelEvent *>(AEvent)->angleDelta().y());
        return true;
    }
    return QMainWindow::eventFilter(AWatched, AEvent);
}
