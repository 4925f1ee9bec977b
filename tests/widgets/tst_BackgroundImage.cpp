#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "controls/PreviewNote.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "platform/ErrorDisplay.h"
#include "platform/ImageControl.h"
#include "store/DataSerializer.h"
#include "support/TestSupport.h"
#include "ui_frmMain.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

// A small picture in the data folder (or a folder below it).
QString MakePicture(const QString &ARelative)
{
    const QString path = QDir(TDataSerializer::GetDataPath()).filePath(ARelative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(64, 48, QImage::Format_ARGB32);
    picture.fill(QColor(30, 90, 200));
    QPainter painter(&picture);
    painter.setBrush(QColor(250, 210, 40));
    painter.drawEllipse(QPoint(32, 24), 14, 14);
    painter.end();
    picture.save(path);
    return path;
}

TImageControl *BackImage(TfrmMain &AWindow) { return AWindow.UI().layoutPreviewBase->imgBack; }

void Wheel(QWidget *AWidget, int ADelta)
{
    QWheelEvent event(QPointF(5, 5), AWidget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, ADelta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(AWidget, &event);
}

} // namespace

class tst_BackgroundImage : public QObject
{
    Q_OBJECT

private:
    QStringList FShownErrors;

private Q_SLOTS:
    void initTestCase() { TDarkStyle::Apply(*qApp); }
    void init()
    {
        TProgramUnits::Initialize();
        FShownErrors.clear();
        TErrorDisplay::SetDisplay([this](const QString &AMessage) { FShownErrors << AMessage; });
    }
    void cleanup()
    {
        TErrorDisplay::SetDisplay({});
        TFileDialog::SetChooser({});
        TProgramUnits::Finalize();
    }

    void storedPathForm_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<QString>("stored");
        QTest::newRow("absolute") << "back.png" << false << "<absolute>";
        QTest::newRow("relative, in the data folder") << "back.png" << true << "back.png";
        QTest::newRow("relative, in a folder below") << "pics/back.png" << true << "pics/back.png";
    }

    void storedPathForm()
    {
        QFETCH(QString, file);
        QFETCH(bool, relative);
        QFETCH(QString, stored);
        const QString path = MakePicture(file);
        TfrmMain window;
        window.UI().chbxRelative->setChecked(relative);
        // Chosen with "...": the dialog's filter is the image filter.
        TFileDialog::SetChooser([path](const TFileDialog &ADialog) {
            return ADialog.Filter().startsWith("PNG (*.png)|*.png|Jpeg") ? path : QString();
        });
        window.UI().edtBackFile->findChild<QToolButton *>()->click();
        QCOMPARE(window.UI().edtBackFile->text(), path);
        QCOMPARE(TColorThemes::Items(0).FBackFile, stored == "<absolute>" ? path : stored);
        QVERIFY(!BackImage(window)->Bitmap().isNull());

        // Loading the theme again shows the absolute path and the picture.
        window.UI().cmbbxThemes->setCurrentIndex(1);
        QVERIFY(BackImage(window)->Bitmap().isNull());
        window.UI().cmbbxThemes->setCurrentIndex(0);
        QCOMPARE(window.UI().edtBackFile->text(), path);
        QVERIFY(!BackImage(window)->Bitmap().isNull());
    }

    void checkBoxRewritesTheStoredForm()
    {
        const QString path = MakePicture("back.png");
        TfrmMain window;
        window.UI().edtBackFile->setText(path);
        QCOMPARE(TColorThemes::Items(0).FBackFile, path);
        window.UI().chbxRelative->setChecked(true);
        QCOMPARE(TColorThemes::Items(0).FBackFile, QStringLiteral("back.png"));
        QCOMPARE(window.UI().edtBackFile->text(), path);
        window.UI().chbxRelative->setChecked(false);
        QCOMPARE(TColorThemes::Items(0).FBackFile, path);
    }

    void typedPathIsStoredAtEveryStep()
    {
        const QString path = MakePicture("b.png");
        TfrmMain window;
        window.UI().edtBackFile->clear();
        window.UI().edtBackFile->setFocus();
        const QString withoutLast = path.chopped(1);
        QTest::keyClicks(window.UI().edtBackFile, withoutLast);
        QCOMPARE(TColorThemes::Items(0).FBackFile, withoutLast);
        QVERIFY(BackImage(window)->Bitmap().isNull());
        QTest::keyClicks(window.UI().edtBackFile, path.right(1));
        QCOMPARE(TColorThemes::Items(0).FBackFile, path);
        QVERIFY(!BackImage(window)->Bitmap().isNull());
        QTest::keyClick(window.UI().edtBackFile, Qt::Key_Backspace);
        QVERIFY(BackImage(window)->Bitmap().isNull());
        QCOMPARE(FShownErrors, QStringList());
    }

    void fileThatIsNoImageKeepsThePreviousPath()
    {
        const QString picture = MakePicture("good.png");
        const QString text = QDir(TDataSerializer::GetDataPath()).filePath("notes.txt");
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        TfrmMain window;
        window.UI().edtBackFile->setText(picture);
        TApplication::Guarded([&] { window.UI().edtBackFile->setText(text); });
        QCOMPARE(FShownErrors.size(), 1);
        QCOMPARE(TColorThemes::Items(0).FBackFile, picture);
    }

    void deletedPictureIsClearedAndPathStillShown()
    {
        const QString path = MakePicture("gone.png");
        TColorTheme theme = TColorThemes::Items(1);
        theme.FBackFile = "gone.png";
        TColorThemes::SetItems(1, theme);
        TfrmMain window;
        window.UI().cmbbxThemes->setCurrentIndex(1);
        QVERIFY(!BackImage(window)->Bitmap().isNull());
        QFile::remove(path);
        window.UI().cmbbxThemes->setCurrentIndex(0);
        window.UI().cmbbxThemes->setCurrentIndex(1);
        QVERIFY(BackImage(window)->Bitmap().isNull());
        QCOMPARE(window.UI().edtBackFile->text(), path);
    }

    void opacityControls()
    {
        TfrmMain window;
        auto &ui = window.UI();
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("50"));
        ui.trackOpacity->setValue(3760);
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("37"));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, 0.376f);
        QCOMPARE(BackImage(window)->Opacity(), 0.376);

        const QList<QToolButton *> spin = ui.edtOpacity->findChildren<QToolButton *>();
        QCOMPARE(spin.size(), 2);
        spin[0]->click();
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, 0.386f);
        spin[1]->click();
        spin[1]->click();
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("36"));
        // One step per wheel event, whatever its size.
        Wheel(ui.edtOpacity, 720);
        QCOMPARE(ui.trackOpacity->value(), 3760);
        Wheel(ui.edtOpacity, -1);
        Wheel(ui.edtOpacity, -120);
        QCOMPARE(ui.trackOpacity->value(), 3560);

        ui.trackOpacity->setValue(10000);
        spin[0]->click();
        Wheel(ui.edtOpacity, 120);
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("100"));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, 1.0f);
        ui.trackOpacity->setValue(0);
        spin[1]->click();
        Wheel(ui.edtOpacity, -120);
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("0"));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, 0.0f);
    }

    void noSelectionStillWorksOnThePreview()
    {
        const QString path = MakePicture("back.png");
        TfrmMain window;
        window.UI().cmbbxThemes->setCurrentIndex(-1);
        const TColorTheme before = TColorThemes::Items(0);
        window.UI().edtBackFile->setText(path);
        window.UI().trackOpacity->setValue(2000);
        QVERIFY(!BackImage(window)->Bitmap().isNull());
        QCOMPARE(BackImage(window)->Opacity(), 0.2);
        QCOMPARE(TColorThemes::Items(0), before);
    }

    void windowWithPictureAtFortyPercent()
    {
        QImage big(QStringLiteral(":/sample.png"));
        const QString path = QDir(TDataSerializer::GetDataPath()).filePath("landscape.png");
        big.scaled(400, 400).save(path);
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.UI().edtBackFile->setText(path);
        window.UI().trackOpacity->setValue(4000);
        TestSupport::SaveRendered(window.grab().toImage(), "window-background-40.png");
        QCOMPARE(window.UI().edtOpacity->text(), QStringLiteral("40"));
        QCOMPARE(BackImage(window)->Opacity(), 0.4);
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_BackgroundImage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_BackgroundImage.moc"
