#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "platform/ErrorDisplay.h"
#include "support/TestSupport.h"
#include "ui_frmMain.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <stdexcept>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        TDarkStyle::Apply(*qApp);
    }

    void init() { TProgramUnits::Initialize(); }
    void cleanup() { TProgramUnits::Finalize(); }

    void firstStart()
    {
        TfrmMain window;
        auto &ui = window.UI();
        QCOMPARE(window.windowTitle(), QStringLiteral("Notavell2 Color Designer\u3000Version 1.1.0"));
        QCOMPARE(ui.cmbbxThemes->count(), 8);
        QCOMPARE(ui.cmbbxThemes->currentIndex(), 0);
        QCOMPARE(ui.cmbbxThemes->currentText(), QStringLiteral("ピンク"));
        QCOMPARE(ui.edtBody->text(), QStringLiteral("fff8e8e8"));
        QCOMPARE(ui.edtTItle->text(), QStringLiteral("ffe7a9b1"));
        QCOMPARE(ui.textFilePath->text(), QStringLiteral("(default)"));
        QCOMPARE(ui.edtName->text(), QString());
        QCOMPARE(ui.edtCreated->date(), QDate::currentDate());
        QVERIFY(ui.rectPickerBase->isHidden());
    }

    void collapseOnceThenExpand()
    {
        TfrmMain window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.centralWidget()->width(), 640);
        TestSupport::SaveRendered(window.grab().toImage(), "mainwindow-collapsed.png");

        window.UI().btnExpand->click();
        QCOMPARE(window.centralWidget()->width(), 960);
        QVERIFY(window.UI().btnExpand->isHidden());
        QCOMPARE(window.UI().layoutRIght->width(), 320);
        TestSupport::SaveRendered(window.grab().toImage(), "mainwindow-expanded.png");

        // A later activation (after a dialog, say) keeps the panel open.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.centralWidget()->width(), 960);
    }

    void escapedErrorIsShownAndProgramGoesOn()
    {
        QStringList shown;
        TErrorDisplay::SetDisplay([&](const QString &AMessage) { shown << AMessage; });
        QObject receiver;
        bool after = false;
        QTimer::singleShot(0, &receiver, [] { throw std::runtime_error("ファイルを開けません"); });
        QTimer::singleShot(5, &receiver, [&] { after = true; });
        QTRY_VERIFY(after);
        TErrorDisplay::SetDisplay({});
        QCOMPARE(shown, QStringList{"ファイルを開けません"});
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_MainWindow.moc"
