#include "model/ColorThemes.h"
#include "model/FontAttr.h"

#include "support/TestSupport.h"

#include <QTest>

namespace {

TColorTheme Named(const QString &AName, TAlphaColor ABody = 0xFF000001)
{
    TColorTheme theme;
    theme.Create(AName, ABody, 2, 3, 4, 5, 6, 7);
    return theme;
}


} // namespace

class tst_ColorThemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { TColorThemes::Finalize(); }

    void builtInThemes()
    {
        TColorThemes::Initialize();
        QCOMPARE(TColorThemes::Count(), 8);
        QCOMPARE(TColorThemes::Filename, QStringLiteral("(default)"));
        QCOMPARE(TColorThemes::Loaded, false);
        QCOMPARE(TestSupport::RegistryNames(), QStringList({"ピンク", "緑", "青", "黄色", "紫", "白", "黒", "黒 (透過)"}));
        struct Row { TAlphaColor body, border, button, hover, text, titleText; };
        const Row rows[] = {
            {0xFFF8E8E8, 0xFFE7A9B1, 0xFFC65E6A, 0xFFAF3039, 0xFF000000, 0xFF000000},
            {0xFFEEFFDD, 0xFFAADBA9, 0xFF57966B, 0xFF406F4F, 0xFF000000, 0xFF000000},
            {0xFFE8FFFF, 0xFF88CCFF, 0xFF6688FF, 0xFF444488, 0xFF000000, 0xFF000000},
            {0xFFFFFFCC, 0xFFFFEE67, 0xFFFFBB20, 0xFFDD7720, 0xFF000000, 0xFF000000},
            {0xFFE0E0FF, 0xFF9080F2, 0xFF5C4581, 0xFF372A4E, 0xFF000000, 0xFF000000},
            {0xFFFFFFFF, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFF000000, 0xFFFFFFFF},
            {0xFF202020, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFFFFFFFF, 0xFFFFFFFF},
            {0xA0202020, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFFFFFFFF, 0xFFFFFFFF},
        };
        for (int i = 0; i < 8; ++i) {
            const TColorTheme t = TColorThemes::Items(i);
            QCOMPARE(t.FBody, rows[i].body);
            QCOMPARE(t.FBorder, rows[i].border);
            QCOMPARE(t.FButton, rows[i].button);
            QCOMPARE(t.FHover, rows[i].hover);
            QCOMPARE(t.FText, rows[i].text);
            QCOMPARE(t.FTitleText, rows[i].titleText);
            QCOMPARE(t.FLink, TAlphaColor(0xFF0F83FD));
            QCOMPARE(t.FBackFile, QString());
            QCOMPARE(t.FBackOpacity, 0.0f);
        }
    }

    void registryOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("result");
        // Starting list for every row: a, b, a (duplicate names allowed by SetItems).
        QTest::newRow("add existing name replaces first") << "add a" << QStringList{"a", "b", "a"} << 0;
        QTest::newRow("add case-different name appends") << "add A" << QStringList{"a", "b", "a", "A"} << 3;
        QTest::newRow("delete -1 ignored") << "delete -1" << QStringList{"a", "b", "a"} << -1;
        QTest::newRow("delete Count ignored") << "delete 3" << QStringList{"a", "b", "a"} << -1;
        QTest::newRow("delete 1") << "delete 1" << QStringList{"a", "a"} << -1;
        QTest::newRow("remove first of duplicates") << "remove a" << QStringList{"b", "a"} << -1;
        QTest::newRow("remove missing name") << "remove z" << QStringList{"a", "b", "a"} << -1;
        QTest::newRow("indexOf first of duplicates") << "indexOf a" << QStringList{"a", "b", "a"} << 0;
        QTest::newRow("indexOf is case-sensitive") << "indexOf B" << QStringList{"a", "b", "a"} << -1;
        QTest::newRow("set out of range ignored") << "set 3" << QStringList{"a", "b", "a"} << -1;
    }

    void registryOperations()
    {
        QFETCH(QString, operation);
        QFETCH(QStringList, expected);
        QFETCH(int, result);
        TColorThemes::Add(Named("a"));
        TColorThemes::Add(Named("b"));
        TColorThemes::Add(Named("c"));
        TColorThemes::SetItems(2, Named("a", 0xFF000002));

        const QString verb = operation.section(' ', 0, 0);
        const QString arg = operation.section(' ', 1);
        int got = -1;
        if (verb == "add")
            got = TColorThemes::Add(Named(arg, 0xFFABCDEF));
        else if (verb == "delete")
            TColorThemes::Delete(arg.toInt());
        else if (verb == "remove")
            TColorThemes::Remove(arg);
        else if (verb == "indexOf")
            got = TColorThemes::IndexOf(arg);
        else if (verb == "set")
            TColorThemes::SetItems(arg.toInt(), Named("x"));
        QCOMPARE(TestSupport::RegistryNames(), expected);
        QCOMPARE(got, result);
        if (operation == "add a") {
            QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0xFFABCDEF));
            QCOMPARE(TColorThemes::Items(2).FBody, TAlphaColor(0xFF000002));
        }
    }

    void itemsOutOfRangeReadTheme0()
    {
        TColorThemes::Add(Named("first", 0xFF111111));
        TColorThemes::Add(Named("second"));
        QCOMPARE(TColorThemes::Items(2).FName, QStringLiteral("first"));
        QCOMPARE(TColorThemes::Items(-5).FName, QStringLiteral("first"));
    }

    void emptyRegistryReadsFirstBuiltInTheme()
    {
        QCOMPARE(TColorThemes::Count(), 0);
        QCOMPARE(TColorThemes::Items(0), TColorThemes::DefaultThemes().first());
        TColorTheme theme;
        theme.FBackFile = "back.png";
        theme.FBackOpacity = 0.25f;
        theme.SetDefault();
        QCOMPARE(theme.FName, QStringLiteral("ピンク"));
        QCOMPARE(theme.FBody, TAlphaColor(0xFFF8E8E8));
        QCOMPARE(theme.FBackFile, QStringLiteral("back.png"));
        QCOMPARE(theme.FBackOpacity, 0.25f);
    }

    void themeCreateKeepsBackFile()
    {
        TColorTheme theme;
        theme.FBackFile = "pic.png";
        theme.FBackOpacity = 0.9f;
        theme.Create("n", 1, 2, 3, 4, 5, 6, 7);
        QCOMPARE(theme.FBackFile, QStringLiteral("pic.png"));
        QCOMPARE(theme.FBackOpacity, 0.5f);
        QCOMPARE(theme.FTitleText, TAlphaColor(6));
    }

    void fontEquality()
    {
        TFontAttr a, b;
        a.Create("Font", 12, TFontAttr::fsBold);
        b.Assign(a);
        QVERIFY(b.FModified);
        QVERIFY(a == b);
        b.Create("font", 12, TFontAttr::fsBold);
        QVERIFY(!(a == b));
    }

    void fontDefault_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("face");
        QTest::newRow("JA") << "JA" << "メイリオ";
        QTest::newRow("ja") << "ja" << "メイリオ";
        QTest::newRow("jp") << "jp" << "メイリオ";
        QTest::newRow("en") << "en" << "Segoe UI";
        QTest::newRow("ja-JP") << "ja-JP" << "Segoe UI";
    }

    void fontDefault()
    {
        QFETCH(QString, language);
        QFETCH(QString, face);
        TFontAttr font;
        font.Create("x", 30, TFontAttr::fsItalic);
        font.FModified = true;
        font.SetDefaultFor(language);
        QCOMPARE(font.FName, face);
        QCOMPARE(font.FSize, 12);
        QCOMPARE(font.FStyles, quint8(0));
        QVERIFY(font.FModified);
    }
};

QTEST_GUILESS_MAIN(tst_ColorThemes)
#include "tst_ColorThemes.moc"
