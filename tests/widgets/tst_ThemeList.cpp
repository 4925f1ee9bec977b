#include "app/ProgramUnits.h"
#include "app/frmInputName.h"
#include "app/frmMain.h"
#include "controls/ColorEdit.h"
#include "controls/PreviewNote.h"
#include "controls/Rectangle.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "ui_frmInputName.h"
#include "ui_frmMain.h"

#include <QPlainTextEdit>
#include "support/TestSupport.h"

#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Rows and registry entries name the same themes in the same order.
bool Aligned(TfrmMain &AWindow)
{
    QComboBox *list = AWindow.UI().cmbbxThemes;
    if (list->count() != TColorThemes::Count())
        return false;
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i) != TColorThemes::Items(i).FName)
            return false;
    return true;
}

// Runs AAnswer on the next name dialog once it is active; a dialog that the
// answer leaves open is cancelled, so a failing check cannot hang the test.
void OnNameDialog(std::function<void(TfrmInputName *)> AAnswer)
{
    QTimer::singleShot(0, [AAnswer] {
        auto *dialog = qobject_cast<TfrmInputName *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (QTest::qWaitForWindowActive(dialog))
            AAnswer(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Answers the next name dialog: types AText over the selected old name (if
// not null) and ends it with AKey.
void AnswerNameDialog(const QString &AText, Qt::Key AKey)
{
    OnNameDialog([AText, AKey](TfrmInputName *dialog) {
        QPlainTextEdit *memo = dialog->UI().memoName;
        QVERIFY(memo->hasFocus());
        if (!AText.isNull()) {
            QInputMethodEvent commit;
            commit.setCommitString(AText);
            QCoreApplication::sendEvent(memo, &commit);
        }
        QTest::keyClick(memo, AKey);
        // Enter closes the dialog and never reaches the text.
        QVERIFY(!memo->toPlainText().contains(u'\n'));
    });
}


} // namespace

class tst_ThemeList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TDarkStyle::Apply(*qApp); }
    void init() { TProgramUnits::Initialize(); }
    void cleanup() { TProgramUnits::Finalize(); }

    void addShowsTheDefaults()
    {
        TfrmMain window;
        auto &ui = window.UI();
        ui.edtBackFile->setText("/nowhere/picture.png");
        ui.btnAdd->click();
        QCOMPARE(ui.cmbbxThemes->count(), 9);
        QCOMPARE(ui.cmbbxThemes->currentIndex(), 8);
        QCOMPARE(ui.cmbbxThemes->currentText(), QStringLiteral("未設定"));
        QCOMPARE(ui.edtBody->text(), QStringLiteral("ff808080"));
        QCOMPARE(ui.edtTItle->text(), QStringLiteral("ff404040"));
        QCOMPARE(ui.edtButtonNormal->text(), QStringLiteral("ff808080"));
        QCOMPARE(ui.edtButtonHover->text(), QStringLiteral("ffffffff"));
        QCOMPARE(ui.edtText->text(), QStringLiteral("ff000000"));
        QCOMPARE(ui.edtTitleText->text(), QStringLiteral("ffffffff"));
        QCOMPARE(ui.edtLink->text(), QStringLiteral("ff0f83fd"));
        QCOMPARE(ui.edtBackFile->text(), QString());
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("50"));
        const TColorTheme stored = TColorThemes::Items(8);
        QCOMPARE(stored.FBackOpacity, 0.5f);
        QCOMPARE(stored.FBackFile, QString());
        QCOMPARE(window.UI().layoutPreviewBase->rectBodyBack->Fill(), TAlphaColor(0xFF808080));
        QVERIFY(Aligned(window));
    }

    void addWhileUnsetExistsTakesTheNextFreeName()
    {
        TfrmMain window;
        window.UI().btnAdd->click();
        window.UI().btnAdd->click();
        window.UI().btnAdd->click();
        QCOMPARE(TestSupport::RegistryNames().mid(8), (QStringList{"未設定", "未設定 (2)", "未設定 (3)"}));
        QCOMPARE(window.UI().cmbbxThemes->currentIndex(), 10);
        QVERIFY(Aligned(window));
    }

    void deleteSelectsTheNeighbour_data()
    {
        QTest::addColumn<int>("themes");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("expected");
        QTest::newRow("middle of three") << 3 << 1 << 1;
        QTest::newRow("last row") << 3 << 2 << 1;
        QTest::newRow("first row") << 3 << 0 << 0;
    }

    void deleteSelectsTheNeighbour()
    {
        QFETCH(int, themes);
        QFETCH(int, selected);
        QFETCH(int, expected);
        while (TColorThemes::Count() > themes)
            TColorThemes::Delete(TColorThemes::Count() - 1);
        TfrmMain window;
        auto &ui = window.UI();
        ui.cmbbxThemes->setCurrentIndex(selected);
        QStringList names = TestSupport::RegistryNames();
        names.removeAt(selected);
        ui.btnDelete->click();
        QCOMPARE(TestSupport::RegistryNames(), names);
        QVERIFY(Aligned(window));
        QCOMPARE(ui.cmbbxThemes->currentIndex(), expected);
        // The theme now selected is the one in the editors.
        QCOMPARE(ui.edtBody->text(), QStringLiteral("%1").arg(TColorThemes::Items(expected).FBody, 8, 16, QLatin1Char('0')));
    }

    void deletingTheOnlyThemeEmptiesTheEditors()
    {
        while (TColorThemes::Count() > 1)
            TColorThemes::Delete(TColorThemes::Count() - 1);
        TfrmMain window;
        auto &ui = window.UI();
        ui.btnDelete->click();
        QCOMPARE(TColorThemes::Count(), 0);
        QCOMPARE(ui.cmbbxThemes->count(), 0);
        for (TColorEdit *edit : {ui.edtBody, ui.edtTItle, ui.edtLink})
            QCOMPARE(edit->text(), QString());
        // The preview shows the colours of a new theme.
        QCOMPARE(ui.layoutPreviewBase->rectBodyBack->Fill(), TAlphaColor(0xFF808080));
        QCOMPARE(ui.layoutPreviewBase->rectTitle->Fill(), TAlphaColor(0xFF404040));
        // Nothing is selected: deleting again and editing do nothing.
        ui.btnDelete->click();
        ui.edtBody->setText("ff00ff00");
        QCOMPARE(TColorThemes::Count(), 0);
        ui.btnAdd->click();
        QCOMPARE(TestSupport::RegistryNames(), QStringList{"未設定"});
        QVERIFY(Aligned(window));
    }

    void renameThroughTheDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("enter confirms") << "若草" << int(Qt::Key_Return) << "若草";
        QTest::newRow("escape cancels") << "若草" << int(Qt::Key_Escape) << "ピンク";
        QTest::newRow("empty keeps the old name") << "" << int(Qt::Key_Return) << "ピンク";
        QTest::newRow("spaces are a name") << "   " << int(Qt::Key_Return) << "   ";
        QTest::newRow("a name another theme has") << "ブルー" << int(Qt::Key_Return) << "ブルー";
        QTest::newRow("enter without typing keeps it") << QString() << int(Qt::Key_Return) << "ピンク";
    }

    void renameThroughTheDialog()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, name);
        TfrmMain window;
        window.show();
        auto &ui = window.UI();
        const QString colours = ui.edtBody->text();
        if (typed.isEmpty() && !typed.isNull()) {
            // Delete the selected old name, leaving the text empty.
            OnNameDialog([](TfrmInputName *dialog) {
                QTest::keyClick(dialog->UI().memoName, Qt::Key_Delete);
                QTest::keyClick(dialog->UI().memoName, Qt::Key_Return);
            });
        } else {
            AnswerNameDialog(typed, Qt::Key(key));
        }
        ui.btnEditName->click();
        QCOMPARE(TColorThemes::Items(0).FName, name);
        QCOMPARE(ui.cmbbxThemes->itemText(0), name);
        QCOMPARE(TColorThemes::Count(), 8);
        QVERIFY(Aligned(window));
        QCOMPARE(ui.edtBody->text(), colours);
    }

    void cancelButtonOfTheDialog()
    {
        QString name = QStringLiteral("ピンク");
        OnNameDialog([](TfrmInputName *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("テーマの名前"));
            dialog->UI().memoName->setPlainText("別名");
            dialog->UI().btnCancel->click();
        });
        QVERIFY(!InputThemeName(name, nullptr));
        QCOMPARE(name, QStringLiteral("ピンク"));
    }

    void opacityZeroShowsFiftyAndStoresHalf()
    {
        TColorTheme zero = TColorThemes::Items(1);
        zero.FBackOpacity = 0;
        TColorThemes::SetItems(1, zero);
        TColorTheme odd = TColorThemes::Items(2);
        odd.FBackOpacity = 0.555f;
        TColorThemes::SetItems(2, odd);
        TfrmMain window;
        auto &ui = window.UI();
        ui.trackOpacity->setValue(8000);
        ui.cmbbxThemes->setCurrentIndex(1);
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("50"));
        QCOMPARE(TColorThemes::Items(1).FBackOpacity, 0.5f);
        ui.cmbbxThemes->setCurrentIndex(2);
        QCOMPARE(TColorThemes::Items(2).FBackOpacity, 0.55f);
        // A stored 0.29 is 0.28999999 as a float: it stays 29 percent.
        odd.FBackOpacity = 0.29f;
        TColorThemes::SetItems(0, odd);
        ui.cmbbxThemes->setCurrentIndex(0);
        QCOMPARE(ui.edtOpacity->text(), QStringLiteral("29"));
        QCOMPARE(TColorThemes::Items(0).FBackOpacity, 0.29f);
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_ThemeList test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ThemeList.moc"
