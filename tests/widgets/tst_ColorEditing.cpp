#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "controls/ColorEdit.h"
#include "controls/ColorPanel.h"
#include "controls/PreviewNote.h"
#include "controls/Rectangle.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "support/TestSupport.h"
#include "ui_frmMain.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class tst_ColorEditing : public QObject
{
    Q_OBJECT

private:
    static QToolButton *PickerButton(TColorEdit *AEdit) { return AEdit->findChild<QToolButton *>(); }

    static TAlphaColor BodyFill(TfrmMain &AWindow) { return AWindow.UI().layoutPreviewBase->rectBodyBack->Fill(); }

private Q_SLOTS:
    void initTestCase() { TDarkStyle::Apply(*qApp); }
    void init() { TProgramUnits::Initialize(); }
    void cleanup() { TProgramUnits::Finalize(); }

    void fieldFiltering_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("upper case turns lower") << "FF00FF00" << "ff00ff00";
        QTest::newRow("ninth character refused") << "ff00ff001" << "ff00ff00";
        QTest::newRow("non-hex refused") << "fgf-0 0x+z1" << "ff001";
        QTest::newRow("japanese refused") << "ｆｆ" << "";
    }

    void fieldFiltering()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmMain window;
        TColorEdit *edit = window.UI().edtBody;
        edit->clear();
        QSignalSpy changes(edit, &TColorEdit::TextChange);
        edit->setFocus();
        for (const QChar c : typed) {
            if (c.unicode() < 0x80)
                QTest::keyClick(edit, c.toLatin1());
            else {
                QInputMethodEvent commit;
                commit.setCommitString(c);
                QCoreApplication::sendEvent(edit, &commit);
            }
        }
        QCOMPARE(edit->text(), shown);
        // Exactly one change event for each character that was taken.
        QCOMPARE(changes.count(), int(shown.size()));
    }

    void assignedTextIsFilteredAndChangesOnce()
    {
        TfrmMain window;
        TColorEdit *edit = window.UI().edtLink;
        QSignalSpy changes(edit, &TColorEdit::TextChange);
        edit->setText("80FFAA00");
        QCOMPARE(edit->text(), QStringLiteral("80ffaa00"));
        QCOMPARE(changes.count(), 1);
        edit->setText("80ffaa00");
        edit->setText("80FFAA00");
        QCOMPARE(changes.count(), 1);
        QCOMPARE(TColorThemes::Items(0).FLink, TAlphaColor(0x80FFAA00));
    }

    void everyIntermediateTextIsStored()
    {
        TfrmMain window;
        TColorEdit *edit = window.UI().edtBody;
        edit->clear();
        QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0xFF000000));
        QCOMPARE(BodyFill(window), TAlphaColor(0xFF000000));
        edit->setFocus();
        QTest::keyClicks(edit, "ff0");
        QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0x00000FF0));
        QCOMPARE(BodyFill(window), TAlphaColor(0x00000FF0));
        QTest::keyClicks(edit, "000ff");
        QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0xFF0000FF));
        QCOMPARE(BodyFill(window), TAlphaColor(0xFF0000FF));
        // Name, other colours and background stay as they were.
        TColorTheme expected = TColorThemes::DefaultThemes().at(0);
        expected.FBody = 0xFF0000FF;
        TColorTheme stored = TColorThemes::Items(0);
        QCOMPARE(stored.FName, expected.FName);
        QCOMPARE(stored.FBorder, expected.FBorder);
        QCOMPARE(stored.FLink, expected.FLink);
    }

    void storesPathAndOpacityWithTheColours()
    {
        TfrmMain window;
        window.UI().trackOpacity->setValue(3760);
        window.UI().edtBackFile->setText("/pictures/back.png");
        window.UI().edtTItle->setText("ff112233");
        const TColorTheme stored = TColorThemes::Items(0);
        QCOMPARE(stored.FBorder, TAlphaColor(0xFF112233));
        QCOMPARE(stored.FBackFile, QStringLiteral("/pictures/back.png"));
        QCOMPARE(stored.FBackOpacity, 0.376f);
    }

    void noSelectionRepaintsWithoutStoring()
    {
        TfrmMain window;
        window.UI().cmbbxThemes->setCurrentIndex(-1);
        const QList<TColorTheme> before = {TColorThemes::Items(0), TColorThemes::Items(1)};
        window.UI().edtBody->setText("ff00ff00");
        QCOMPARE(BodyFill(window), TAlphaColor(0xFF00FF00));
        QCOMPARE(TColorThemes::Items(0), before[0]);
        QCOMPARE(TColorThemes::Items(1), before[1]);
    }

    void pickerOpensOnTheFieldsColour()
    {
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto &ui = window.UI();
        ui.edtText->setText("80ff0000");
        PickerButton(ui.edtText)->click();
        QVERIFY(ui.rectPickerBase->isVisible());
        QCOMPARE(ui.rectPickerBase->geometry(), ui.centralwidget->rect());
        QCOMPARE(ui.colorPicker->Color(), TAlphaColor(0x80FF0000));
        QCOMPARE(ui.lblColor->text(), QStringLiteral("80ff0000"));
        TestSupport::SaveRendered(window.grab().toImage(), "picker-open.png");

        // OK without a change: the text stays, so nothing is stored (the
        // registry's differing value survives), and the preview repaints.
        TColorTheme theme = TColorThemes::Items(0);
        theme.FText = 0xFF123456;
        TColorThemes::SetItems(0, theme);
        ui.btnOK->click();
        QVERIFY(!ui.rectPickerBase->isVisible());
        QCOMPARE(ui.edtText->text(), QStringLiteral("80ff0000"));
        QCOMPARE(TColorThemes::Items(0).FText, TAlphaColor(0xFF123456));
    }

    void pickerOkWritesStoresAndRepaints()
    {
        TfrmMain window;
        auto &ui = window.UI();
        PickerButton(ui.edtBody)->click();
        ui.colorPicker->SetColor(0xFF0000FF);
        QCOMPARE(ui.lblColor->text(), QStringLiteral("ff0000ff"));
        ui.btnOK->click();
        QCOMPARE(ui.edtBody->text(), QStringLiteral("ff0000ff"));
        QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0xFF0000FF));
        QCOMPARE(BodyFill(window), TAlphaColor(0xFF0000FF));
    }

    void pickerDismissedChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel button") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("enter") << "enter";
        QTest::newRow("dimmed area") << "dimmed";
    }

    void pickerDismissedChangesNothing()
    {
        QFETCH(QString, how);
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto &ui = window.UI();
        const QString text = ui.edtButtonHover->text();
        const TColorTheme theme = TColorThemes::Items(0);
        PickerButton(ui.edtButtonHover)->click();
        ui.colorPicker->SetColor(0xFF00FF00);
        if (how == "cancel")
            ui.btnCancel->click();
        else if (how == "escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (how == "enter")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(ui.rectPickerBase, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!ui.rectPickerBase->isVisible());
        QCOMPARE(ui.edtButtonHover->text(), text);
        QCOMPARE(TColorThemes::Items(0), theme);
    }

    void clickOnThePanelKeepsThePickerOpen()
    {
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto &ui = window.UI();
        PickerButton(ui.edtBody)->click();
        QTest::mouseClick(ui.colorPicker, Qt::LeftButton, {}, ui.colorPicker->ColorArea().center());
        QVERIFY(ui.rectPickerBase->isVisible());
    }

    void panelEditsAllFourChannels()
    {
        TColorPanel panel;
        panel.resize(292, 292);
        panel.SetColor(0xFFFF0000);
        QSignalSpy changes(&panel, &TColorPanel::ColorChange);
        panel.SetColor(0xFFFF0000);
        QCOMPARE(changes.count(), 0);

        // Dragged past the top-left of the colour area: white; bottom: black.
        // (QTest takes a point of 0, 0 for the widget's centre.)
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(&panel, QPoint(-4, -4));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(-4, -4));
        QCOMPARE(panel.Color(), TAlphaColor(0xFFFFFFFF));
        QTest::mouseClick(&panel, Qt::LeftButton, {}, panel.ColorArea().bottomRight());
        QCOMPARE(panel.Color(), TAlphaColor(0xFF000000));
        QCOMPARE(changes.count(), 3);

        // Full saturation and brightness, then a third down the hue track.
        QTest::mouseClick(&panel, Qt::LeftButton, {}, panel.ColorArea().topRight());
        QCOMPARE(panel.Color(), TAlphaColor(0xFFFF0000));
        const QRect hue = panel.HueTrack();
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(hue.center().x(), hue.top() + (hue.height() - 1) / 3));
        QCOMPARE(QString::number(panel.Color() & 0xFFFFFF, 16), QStringLiteral("ff00"));

        // The bottom of the alpha track is clear, the middle half.
        const QRect alpha = panel.AlphaTrack();
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(alpha.center().x(), alpha.bottom()));
        QCOMPARE(panel.Color(), TAlphaColor(0x0000FF00));
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(alpha.center().x(), alpha.top() + (alpha.height() - 1) / 2));
        QCOMPARE(panel.Color() >> 24, TAlphaColor(0x80));
        TestSupport::SaveRendered(panel.grab().toImage(), "colour-panel.png");
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_ColorEditing test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ColorEditing.moc"
