#include "model/StickyAttr.h"
#include "model/StickyBounds.h"
#include "store/StreamHelper.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTest>

namespace {

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/zeb/Notavell2";
}

// A version-5 note file: the theme "ピンク" with its own stored colours, one
// 3 x 2 static picture and a two-line body.
QByteArray NoteFile(const QString &ABody)
{
    TColorTheme theme;
    theme.Create(QStringLiteral("ピンク"), 0xFF010203, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005,
                 0xFF000006, 0xFF000007);
    TFontAttr font;
    font.Create(QStringLiteral("メイリオ"), 11, TFontAttr::fsItalic | TFontAttr::fsStrikeOut);
    TStickyAttr attr(theme, font, TZOrder::Bottom, true, false, true, false);
    attr.SetAlpha(80);
    TStickyBounds bounds;
    bounds.SetNormalBounds(TRectF{10.5f, 20, 330.5f, 260});
    bounds.SetShadedBounds(TRectF{10.5f, 20, 330.5f, 48});
    bounds.SetImageHeight(0.3f);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper stream(buffer);
    stream.WriteSignature(QStringLiteral("notavellv5"));
    attr.WriteToStream(buffer);
    bounds.WriteToStream(buffer);
    stream.WriteInteger(1);
    stream.WriteString(QStringLiteral("写真.png"));
    stream.WriteString(QStringLiteral("closebutton"));
    stream.WriteBoolean(false);
    stream.WriteBoolean(false);
    QImage picture(3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(0xFF336699);
    stream.WriteBitmap(picture);
    stream.WriteString(ABody);
    return buffer.data();
}

void Save(const QString &APath, const QByteArray &ABytes)
{
    QFile file(APath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ABytes);
}

// An expected output under tests/data/notes, for the note file APath.
QString Expected(const QString &AName, const QString &APath)
{
    QFile file(TestSupport::DataPath("notes/" + AName));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("@FILE@"), APath);
}

} // namespace

// The tool's note commands, run as a separate process.
class tst_NotesTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(DataFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(DataFolder()));
    }

    void noteAsJson()
    {
        const QString path = DataFolder() + "/1.nvl";
        Save(path, NoteFile(QStringLiteral("一行目\r\n\"二行目\"")));
        TestSupport::TToolRun run = TestSupport::RunThemesTool({"note", path});
        QCOMPARE(run.Status, 0);
        const QString expected = Expected("note-v5.json", path);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(run.OutText(), expected);
    }

    void noteTakesRegistryTheme()
    {
        // With a theme set in the data folder, the note shows its theme as
        // the notes application would: the registry's current colours.
        QVERIFY(QFile::copy(TestSupport::DataPath("json/pink-theme.json"), DataFolder() + "/themes.json"));
        const QString path = DataFolder() + "/2.nvl";
        Save(path, NoteFile(QStringLiteral("x")));
        TestSupport::TToolRun run = TestSupport::RunThemesTool({"note", path});
        QCOMPARE(run.Status, 0);
        QVERIFY2(run.OutText().contains(QStringLiteral("\"body\": \"fff8e8e8\"")), qPrintable(run.OutText()));
    }

    void defaultNote()
    {
        const QString path = DataFolder() + "/3.nvl";
        Save(path, NoteFile(QStringLiteral("x")));
        TestSupport::TToolRun run = TestSupport::RunThemesTool({"note", "--default", path});
        QCOMPARE(run.Status, 0);
        QCOMPARE(run.OutText(), Expected("note-v5-default.json", path));
    }

    void unreadableNote_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("foreign file") << QByteArray("hello") << "not a note file (no \"notavell\" signature)";
        QTest::newRow("tag v6") << QByteArray("notavellv6") << "unknown note file version (tag \"76 36\")";
        QTest::newRow("cut short") << NoteFile(QStringLiteral("x")).left(60) << "damaged note file at byte";
    }

    void unreadableNote()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString path = DataFolder() + "/bad.nvl";
        Save(path, bytes);
        TestSupport::TToolRun run = TestSupport::RunThemesTool({"note", path});
        QCOMPARE(run.Status, 1);
        QCOMPARE(run.OutText(), QString());
        QVERIFY2(run.ErrText().contains(path + ": " + reason), qPrintable(run.ErrText()));
        QCOMPARE(TestSupport::RunThemesTool({"note", DataFolder() + "/missing.nvl"}).Status, 1);
        QCOMPARE(TestSupport::RunThemesTool({"note"}).Status, 2);
    }

    void listsNotes()
    {
        Save(DataFolder() + "/100.nvl", NoteFile(QStringLiteral("最初の行\r\n次の行")));
        Save(DataFolder() + "/200.nvl", NoteFile(QString()));
        Save(DataFolder() + "/300.nvl", QByteArray("broken"));
        Save(DataFolder() + "/default.nvl", NoteFile(QStringLiteral("not listed")));
        TestSupport::TToolRun run = TestSupport::RunThemesTool({"notes"});
        QCOMPARE(run.Status, 1);
        QStringList lines = run.OutText().split(u'\n', Qt::SkipEmptyParts);
        lines.sort();
        QCOMPARE(lines, QStringList({"100.nvl\t最初の行", "200.nvl\t"}));
        QVERIFY2(run.ErrText().contains(QStringLiteral("300.nvl: not a note file")), qPrintable(run.ErrText()));
    }
};

QTEST_GUILESS_MAIN(tst_NotesTool)
#include "tst_NotesTool.moc"
