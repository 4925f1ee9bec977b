#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Fixture(const QString &AName)
{
    QFile file(TestSupport::DataPath(AName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The command-line tool, run as a separate process on small fixtures.
class tst_ThemesTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void check()
    {
        const QString pink = TestSupport::DataPath("json/pink-theme.json");
        const QString old = TestSupport::DataPath("json/old-file.json");
        const QString bad = TestSupport::DataPath("json/bad-colour.json");
        const QString empty = TestSupport::DataPath("json/empty-themes.json");

        TestSupport::TToolRun run = TestSupport::RunThemesTool({"check", pink, old});
        QCOMPARE(run.Status, 0);
        QCOMPARE(QString::fromUtf8(run.Out),
                 pink + ": 1 theme, set \"\"\n" + old + ": 2 themes, set \"古いセット\"\n");

        run = TestSupport::RunThemesTool({"check", bad, pink, empty, "/nonexistent/x.json"});
        QCOMPARE(run.Status, 1);
        QCOMPARE(QString::fromUtf8(run.Out),
                 bad + ": line 4, column 27: \"body\" must be an integer from 0 to 4294967295\n" + pink
                     + ": 1 theme, set \"\"\n" + empty + ": 0 themes, set \"空\"\n"
                     + "/nonexistent/x.json: cannot read: No such file or directory\n");
    }

    void format()
    {
        const QByteArray expected = Fixture("json/old-file.formatted.json");
        QVERIFY(expected.startsWith("\xEF\xBB\xBF{\r\n    \"version\": \"1.1\",\r\n"));
        QVERIFY(expected.endsWith("}\r\n"));

        TestSupport::TToolRun run = TestSupport::RunThemesTool({"format", TestSupport::DataPath("json/old-file.json")});
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Out, expected);
        QCOMPARE(run.Err, QByteArray());

        // Formatting is stable, and -o writes the same bytes.
        QTemporaryDir dir;
        const QString out = dir.filePath("out.json");
        run = TestSupport::RunThemesTool({"format", "-o", out, TestSupport::DataPath("json/old-file.formatted.json")});
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.Out, QByteArray());
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected);

        // A file that does not load: its reason, no output, no file.
        const QString notWritten = dir.filePath("never.json");
        run = TestSupport::RunThemesTool({"format", TestSupport::DataPath("json/bad-colour.json"), "-o", notWritten});
        QCOMPARE(run.Status, 1);
        QCOMPARE(run.Out, QByteArray());
        QVERIFY(run.Err.contains("line 4, column 27: \"body\" must be an integer"));
        QVERIFY(!QFile::exists(notWritten));

        run = TestSupport::RunThemesTool({"format", TestSupport::DataPath("json/pink-theme.json"), "-o", "/nonexistent/out.json"});
        QCOMPARE(run.Status, 1);
        QVERIFY(run.Err.startsWith("/nonexistent/out.json: "));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: notavell2-themes COMMAND";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "notavell2-themes 1.1.0\n";
        QTest::newRow("no arguments") << QStringList{} << 2 << "Usage: notavell2-themes COMMAND";
        QTest::newRow("unknown command") << QStringList{"paint"} << 2 << "unknown command \"paint\"";
        QTest::newRow("check without files") << QStringList{"check"} << 2 << "check: no file given";
        QTest::newRow("check unknown option") << QStringList{"check", "-x", "a"} << 2 << "unknown option -x";
        QTest::newRow("format without file") << QStringList{"format"} << 2 << "format: no file given";
        QTest::newRow("format -o without value") << QStringList{"format", "a", "-o"} << 2 << "-o needs";
        QTest::newRow("format two inputs") << QStringList{"format", "a", "b"} << 2 << "only one input";
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        TestSupport::TToolRun run = TestSupport::RunThemesTool(args);
        QCOMPARE(run.Status, status);
        // Help and version go to standard output, complaints to standard error.
        const QByteArray &text = status == 0 ? run.Out : run.Err;
        QVERIFY2(QString::fromUtf8(text).contains(message), text.constData());
    }
};

QTEST_GUILESS_MAIN(tst_ThemesTool)
#include "tst_ThemesTool.moc"
