#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int Tool(const QStringList &AArgs)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/notavell2-themes", AArgs);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

} // namespace

// The preview subcommand renders the designer's own preview note.
class tst_PreviewTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneTheme_data()
    {
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<QRgb>("body");
        QTest::newRow("first by default") << QStringList{} << QRgb(0xFFFF0000);
        QTest::newRow("by index") << QStringList{"--index", "1"} << QRgb(0xFF0000FF);
        QTest::newRow("by name") << QStringList{"--theme", "青"} << QRgb(0xFF0000FF);
    }

    void oneTheme()
    {
        QFETCH(QStringList, choice);
        QFETCH(QRgb, body);
        QTemporaryDir dir;
        const QString out = dir.filePath("note.png");
        QCOMPARE(Tool(QStringList{"preview", TestSupport::DataPath("json/old-file.json"), "-o", out} + choice), 0);
        const QImage picture(out);
        QCOMPARE(picture.size(), QSize(353, 289));
        QCOMPARE(picture.pixel(300, 60), body);
    }

    void sheetOfAllThemes()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("sheet.png");
        QCOMPARE(Tool({"preview", TestSupport::DataPath("json/old-file.json"), "--all", "-o", out}), 0);
        const QImage sheet(out);
        // Two themes side by side, each with a label above it.
        QVERIFY(sheet.width() > 2 * 353 && sheet.width() < 3 * 353);
        QVERIFY(sheet.height() > 289 + 20 && sheet.height() < 2 * 289);
        TestSupport::SaveRendered(sheet, "preview-tool-sheet.png");
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        const QString set = TestSupport::DataPath("json/old-file.json");
        QTest::newRow("no output") << QStringList{"preview", set} << 2;
        QTest::newRow("two choices") << QStringList{"preview", set, "--all", "--index", "0", "-o", "x.png"} << 2;
        QTest::newRow("bad index") << QStringList{"preview", set, "--index", "-1", "-o", "x.png"} << 2;
        QTest::newRow("index past the end") << QStringList{"preview", set, "--index", "2", "-o", "x.png"} << 1;
        QTest::newRow("unknown name") << QStringList{"preview", set, "--theme", "緑", "-o", "x.png"} << 1;
        QTest::newRow("not a theme set") << QStringList{"preview", TestSupport::DataPath("json/bad-colour.json"), "-o", "x.png"} << 1;
        QTest::newRow("empty set") << QStringList{"preview", TestSupport::DataPath("json/empty-themes.json"), "-o", "x.png"} << 1;
        QTest::newRow("unwritable output") << QStringList{"preview", set, "-o", "/nonexistent/dir/x.png"} << 1;
    }

    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QCOMPARE(Tool(args), status);
    }
};

QTEST_GUILESS_MAIN(tst_PreviewTool)
#include "tst_PreviewTool.moc"
