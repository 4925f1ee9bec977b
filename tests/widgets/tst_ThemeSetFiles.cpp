#include "app/CreateDate.h"
#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "controls/ColorEdit.h"
#include "controls/PreviewNote.h"
#include "controls/Rectangle.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "platform/ErrorDisplay.h"
#include "store/DataSerializer.h"
#include "support/TestSupport.h"
#include "ui_frmMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray ReadBytes(const QString &APath)
{
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &APath, const QByteArray &ABytes)
{
    QFile file(APath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ABytes);
}

QStringList Rows(TfrmMain &AWindow)
{
    QStringList rows;
    for (int i = 0; i < AWindow.UI().cmbbxThemes->count(); ++i)
        rows << AWindow.UI().cmbbxThemes->itemText(i);
    return rows;
}

QList<TColorTheme> Themes()
{
    QList<TColorTheme> themes;
    for (int i = 0; i < TColorThemes::Count(); ++i)
        themes << TColorThemes::Items(i);
    return themes;
}

} // namespace

class tst_ThemeSetFiles : public QObject
{
    Q_OBJECT

private:
    QStringList FShownErrors;
    QList<TFileDialog> FDialogsSeen;
    QString FChoice;

    // Runs a file command the way a click does: an escaping error is shown.
    static void Press(QAbstractButton *AButton)
    {
        TApplication::Guarded([AButton] { AButton->click(); });
    }

    void Open(TfrmMain &AWindow, const QString &APath)
    {
        FChoice = APath;
        Press(AWindow.UI().btnLoad);
    }

    void Save(TfrmMain &AWindow, const QString &APath)
    {
        FChoice = APath;
        Press(AWindow.UI().btnSave);
    }

private Q_SLOTS:
    void initTestCase() { TDarkStyle::Apply(*qApp); }

    void init()
    {
        TProgramUnits::Initialize();
        FShownErrors.clear();
        FDialogsSeen.clear();
        TErrorDisplay::SetDisplay([this](const QString &AMessage) { FShownErrors << AMessage; });
        TFileDialog::SetChooser([this](const TFileDialog &ADialog) {
            FDialogsSeen << ADialog;
            return FChoice;
        });
    }

    void cleanup()
    {
        TFileDialog::SetChooser({});
        TErrorDisplay::SetDisplay({});
        TProgramUnits::Finalize();
    }

    void openShowsRowsFirstThemeAndPath()
    {
        TfrmMain window;
        const QString path = TestSupport::DataPath("json/old-file.json");
        Open(window, path);
        QCOMPARE(FShownErrors, QStringList());
        QCOMPARE(Rows(window), (QStringList{"赤", "青"}));
        QCOMPARE(window.UI().cmbbxThemes->currentIndex(), 0);
        // An old file's colours are made opaque.
        QCOMPARE(window.UI().edtBody->text(), QStringLiteral("ffff0000"));
        QCOMPARE(window.UI().layoutPreviewBase->rectBodyBack->Fill(), TAlphaColor(0xFFFF0000));
        QCOMPARE(window.UI().textFilePath->text(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(window.UI().edtName->text(), QStringLiteral("古いセット"));
        QCOMPARE(window.UI().edtAuthor->text(), QStringLiteral("作者"));
    }

    void dialogsStartAtTheDataFoldersThemesFile()
    {
        TfrmMain window;
        const QString themes = TDataSerializer::GetThemesFile();
        QVERIFY(!themes.isEmpty());
        FChoice.clear();
        Press(window.UI().btnLoad);
        Press(window.UI().btnSave);
        QCOMPARE(FDialogsSeen.size(), 2);
        for (const TFileDialog &dialog : FDialogsSeen) {
            QCOMPARE(dialog.FileName(), themes);
            QCOMPARE(dialog.InitialDir(), QFileInfo(themes).absolutePath() + "/");
        }
        QCOMPARE(FDialogsSeen[0].Filter(), QStringLiteral("Json|*.json"));
        QCOMPARE(FDialogsSeen[1].Filter(), QStringLiteral("Json|*.json|txt|*.txt"));
        QCOMPARE(FDialogsSeen[1].DefaultExt(), QStringLiteral(".json"));
        // Cancelled dialogs change nothing.
        QCOMPARE(window.UI().textFilePath->text(), QStringLiteral("(default)"));
        QCOMPARE(TColorThemes::Count(), 8);

        // After an open the save dialog still proposes its own name.
        Open(window, TestSupport::DataPath("json/old-file.json"));
        FChoice.clear();
        Press(window.UI().btnSave);
        QCOMPARE(FDialogsSeen.last().FileName(), themes);
        Press(window.UI().btnLoad);
        QCOMPARE(FDialogsSeen.last().FileName(), QFileInfo(TestSupport::DataPath("json/old-file.json")).absoluteFilePath());
    }

    void saveThenOpenGivesTheSameSet()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("set.json");
        TfrmMain window;
        auto &ui = window.UI();
        ui.cmbbxThemes->setCurrentIndex(2);
        ui.edtBody->setText("80123456");
        ui.trackOpacity->setValue(4000);
        ui.edtBackFile->setText("/pictures/none.png");
        ui.edtName->setText("私のセット");
        ui.edtAuthor->setText("作者名");
        ui.edtCopyright->setText("(c) 2026");
        ui.edtRemarks->setText("備考です");
        ui.edtCreated->setDate(QDate(2026, 3, 4));
        const QString shownDate = ui.edtCreated->text();
        const QList<TColorTheme> saved = Themes();
        Save(window, path);
        QCOMPARE(FShownErrors, QStringList());
        QCOMPARE(ui.textFilePath->text(), path);

        const QByteArray bytes = ReadBytes(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF{\r\n"));
        QVERIFY(bytes.endsWith("}\r\n"));
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));

        Open(window, TestSupport::DataPath("json/old-file.json"));
        QCOMPARE(TColorThemes::Count(), 2);
        Open(window, path);
        QCOMPARE(Themes(), saved);
        QCOMPARE(Rows(window).size(), 8);
        QCOMPARE(ui.edtName->text(), QStringLiteral("私のセット"));
        QCOMPARE(ui.edtAuthor->text(), QStringLiteral("作者名"));
        QCOMPARE(ui.edtCopyright->text(), QStringLiteral("(c) 2026"));
        QCOMPARE(ui.edtRemarks->text(), QStringLiteral("備考です"));
        QCOMPARE(TColorThemes::CreateDate, shownDate);
        QCOMPARE(ui.edtCreated->date(), QDate(2026, 3, 4));
    }

    void notAThemeSetKeepsTheThemesBeingEdited_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("bad colour") << ReadBytes(TestSupport::DataPath("json/bad-colour.json"));
        QTest::newRow("not json") << QByteArray("hello\r\n");
        QTest::newRow("empty file") << QByteArray();
    }

    void notAThemeSetKeepsTheThemesBeingEdited()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("broken.json");
        WriteBytes(path, content);
        TfrmMain window;
        window.UI().cmbbxThemes->setCurrentIndex(3);
        window.UI().edtBody->setText("ff010203");
        const QList<TColorTheme> before = Themes();
        Open(window, path);
        QCOMPARE(FShownErrors.size(), 1);
        QVERIFY2(FShownErrors[0].startsWith(path + ": "), qPrintable(FShownErrors[0]));
        QCOMPARE(Themes(), before);
        QCOMPARE(Rows(window).size(), 8);
        QCOMPARE(window.UI().cmbbxThemes->currentIndex(), 3);
        QCOMPARE(window.UI().edtBody->text(), QStringLiteral("ff010203"));
        QCOMPARE(window.UI().textFilePath->text(), QStringLiteral("(default)"));
        // Edits still reach the registry.
        window.UI().edtBody->setText("ff040506");
        QCOMPARE(TColorThemes::Items(3).FBody, TAlphaColor(0xFF040506));
    }

    void missingFileIsShownAndChangesNothing()
    {
        TfrmMain window;
        Open(window, "/nonexistent/themes.json");
        QCOMPARE(FShownErrors.size(), 1);
        QCOMPARE(TColorThemes::Count(), 8);
        QCOMPARE(window.UI().textFilePath->text(), QStringLiteral("(default)"));
    }

    void emptyThemesArrayEmptiesTheList()
    {
        TfrmMain window;
        Open(window, TestSupport::DataPath("json/empty-themes.json"));
        QCOMPARE(FShownErrors, QStringList());
        QCOMPARE(window.UI().cmbbxThemes->count(), 0);
        QCOMPARE(TColorThemes::Count(), 0);
        QCOMPARE(window.UI().edtName->text(), QStringLiteral("空"));
    }

    void readOnlyTargetIsRefusedAndKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("locked.json");
        WriteBytes(path, "previous");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        TfrmMain window;
        Save(window, path);
        QCOMPARE(FShownErrors.size(), 1);
        QVERIFY2(FShownErrors[0].contains("read-only"), qPrintable(FShownErrors[0]));
        QCOMPARE(ReadBytes(path), QByteArray("previous"));
        QCOMPARE(QFile::permissions(path) & QFileDevice::WriteOwner, QFileDevice::Permissions());
        QCOMPARE(window.UI().textFilePath->text(), QStringLiteral("(default)"));
    }

    void unwritableFolderIsReported()
    {
        TfrmMain window;
        Save(window, "/nonexistent/folder/set.json");
        QCOMPARE(FShownErrors.size(), 1);
        QCOMPARE(window.UI().textFilePath->text(), QStringLiteral("(default)"));
    }

    void symbolicLinkKeepsPointingAtItsFile()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath("real.json");
        const QString link = dir.filePath("link.json");
        WriteBytes(real, "old");
        QVERIFY(QFile::link(real, link));
        TfrmMain window;
        Save(window, link);
        QCOMPARE(FShownErrors, QStringList());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(link).symLinkTarget(), real);
        QVERIFY(ReadBytes(real).startsWith("\xEF\xBB\xBF{"));
    }

    void createDateKeepsItsCentury_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("date");
        QTest::newRow("four-digit year") << "3/4/2026" << QDate(2026, 3, 4);
        QTest::newRow("older two-digit year, nearest today") << "3/4/26" << QDate(2026, 3, 4);
        QTest::newRow("two-digit year of the last century") << "3/4/99" << QDate(1999, 3, 4);
        QTest::newRow("iso date") << "2026-03-04" << QDate(2026, 3, 4);
    }

    void createDateKeepsItsCentury()
    {
        QFETCH(QString, stored);
        QFETCH(QDate, date);
        // A locale whose short date has a two-digit year ("M/d/yy").
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QVERIFY(!us.dateFormat(QLocale::ShortFormat).contains("yyyy"));
        const QDate today(2026, 12, 11);
        QCOMPARE(TCreateDate::Parse(stored, us, today), date);
        QCOMPARE(TCreateDate::DisplayFormat(us), QStringLiteral("M/d/yyyy"));

        QLocale::setDefault(us);
        TColorThemes::CreateDate = stored;
        {
            TfrmMain window;
            QCOMPARE(window.UI().edtCreated->text(), us.toString(date, "M/d/yyyy"));
        }
        QLocale::setDefault(QLocale::system());
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_ThemeSetFiles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ThemeSetFiles.moc"
