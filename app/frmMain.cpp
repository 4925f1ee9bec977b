#include "app/frmMain.h"

#include "platform/Application.h"
#include "platform/ButtonEdit.h"
#include "ui_frmMain.h"

#include <QDate>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

namespace {

QString ColorToText(TAlphaColor AColor)
{
    return QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0'));
}

} // namespace

TfrmMain::TfrmMain(QWidget *AParent) : QMainWindow(AParent), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    // Only the system menu and the close box; no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(960, 392);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ui->lblColorMessage->setStyleSheet(QStringLiteral("color: yellow;"));
    ui->btnEditName->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    ui->btnAdd->setText(QStringLiteral("+"));
    ui->btnDelete->setText(QStringLiteral("−"));
    for (TButtonEdit *edit : ColorEdits())
        edit->AddButton(QStringLiteral("..."));
    ui->edtBackFile->AddButton(QStringLiteral("..."));

    QFont fieldFont(QStringLiteral("MS Gothic"));
    fieldFont.setStyleHint(QFont::Monospace);
    fieldFont.setPixelSize(16);
    for (TButtonEdit *edit : ColorEdits())
        edit->setFont(fieldFont);

    connect(ui->btnExpand, &QToolButton::clicked, this, &TfrmMain::btnExpandClick);
    connect(ui->cmbbxThemes, &QComboBox::currentIndexChanged, this, &TfrmMain::cmbbxThemesChange);
    ui->cmbbxThemes->setFocus();

    FormCreate();
}

TfrmMain::~TfrmMain() = default;

QList<TButtonEdit *> TfrmMain::ColorEdits() const
{
    return {ui->edtTItle, ui->edtBody, ui->edtTitleText, ui->edtText,
            ui->edtButtonNormal, ui->edtButtonHover, ui->edtLink};
}

void TfrmMain::FormCreate()
{
    setWindowTitle(windowTitle() + QStringLiteral("\u3000Version ") + TApplication::GetVersion());
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
    const QDate created = QLocale().toDate(TColorThemes::CreateDate, QLocale::ShortFormat);
    ui->edtCreated->setDate(created.isValid() ? created : QDate::currentDate());
}
