#include "model/ColorThemes.h"
#include "model/FontAttr.h"
#include "store/StreamHelper.h"

#include <QBuffer>
#include "support/TestSupport.h"

#include <QTest>

namespace {

TColorTheme Theme(const QString &AName, TAlphaColor ABase, const QString &ABackFile = QString(), float AOpacity = 0.25f)
{
    TColorTheme theme;
    theme.Create(AName, ABase + 1, ABase + 2, ABase + 3, ABase + 4, ABase + 5, ABase + 6, ABase + 7);
    theme.FBackFile = ABackFile;
    theme.FBackOpacity = AOpacity;
    return theme;
}

// A theme in the layout a note file of version AVer holds.
QByteArray ThemeBytes(const TColorTheme &ATheme, int AVer)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper stream(buffer);
    stream.WriteString(ATheme.FName);
    for (TAlphaColor color : {ATheme.FBody, ATheme.FBorder, ATheme.FButton, ATheme.FHover, ATheme.FText,
                              ATheme.FTitleText})
        stream.WriteColor(color);
    if (AVer >= 4)
        stream.WriteColor(ATheme.FLink);
    if (AVer >= 3) {
        stream.WriteString(ATheme.FBackFile);
        stream.WriteSingle(ATheme.FBackOpacity);
    }
    return buffer.data();
}

QByteArray Written(const std::function<void(QIODevice &)> &AWrite)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    AWrite(buffer);
    return buffer.data();
}


} // namespace

class tst_ColorThemeStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { TColorThemes::Finalize(); }

    void themeBytes()
    {
        TColorTheme theme;
        theme.Create(QStringLiteral("A"), 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
                     0xFF000000);
        const QByteArray bytes = Written([&](QIODevice &d) { theme.WriteToStream(d); });
        QCOMPARE(bytes.size(), 50);
        QCOMPARE(bytes.toHex(' '), (QByteArray::fromHex("0100000000000000 4100") + QByteArray::fromHex("ff000000").repeated(7)
                                    + QByteArray(8, 0) + QByteArray::fromHex("0000003f"))
                                       .toHex(' '));
    }

    void fontBytes_data()
    {
        QTest::addColumn<quint8>("styles");
        QTest::addColumn<QByteArray>("styleByte");
        QTest::newRow("bold") << quint8(TFontAttr::fsBold) << QByteArray::fromHex("01");
        QTest::newRow("none") << quint8(0) << QByteArray::fromHex("00");
        QTest::newRow("bold italic") << quint8(TFontAttr::fsBold | TFontAttr::fsItalic) << QByteArray::fromHex("03");
        QTest::newRow("all four") << quint8(15) << QByteArray::fromHex("0f");
    }

    void fontBytes()
    {
        QFETCH(quint8, styles);
        QFETCH(QByteArray, styleByte);
        TFontAttr font;
        font.Create(QStringLiteral("Segoe UI"), 12, styles);
        font.FModified = true;
        const QByteArray bytes = Written([&](QIODevice &d) { font.WriteToStream(d); });
        QCOMPARE(bytes.size(), 29);
        QCOMPARE(bytes.toHex(' '), (QByteArray::fromHex("0800000000000000") + QByteArray("S\0e\0g\0o\0e\0 \0U\0I\0", 16)
                                    + QByteArray::fromHex("0c000000") + styleByte)
                                       .toHex(' '));
        TFontAttr back;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(back.ReadFromStream(buffer));
        QVERIFY(back == font);
        QCOMPARE(back.FModified, false);
    }

    void themeReadPerVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("hasLink");
        QTest::addColumn<bool>("hasBack");
        for (int version : {1, 2})
            QTest::addRow("v%d: name and six colours", version) << version << false << false;
        QTest::newRow("v3: background without link") << 3 << false << true;
        QTest::newRow("v4: full layout") << 4 << true << true;
        QTest::newRow("v5: full layout") << 5 << true << true;
    }

    void themeReadPerVersion()
    {
        QFETCH(int, version);
        QFETCH(bool, hasLink);
        QFETCH(bool, hasBack);
        const TColorTheme stored = Theme(QStringLiteral("stored"), 0x10, QStringLiteral("back.png"), 0.75f);
        const TColorTheme before = Theme(QStringLiteral("before"), 0x20, QStringLiteral("old.png"), 0.5f);
        QBuffer buffer;
        buffer.setData(ThemeBytes(stored, version) + "tail");
        buffer.open(QIODevice::ReadOnly);
        TColorTheme theme = before;
        QVERIFY(theme.ReadFromStream(buffer, version));
        QCOMPARE(buffer.read(4), QByteArray("tail"));

        TColorTheme expected = stored;
        if (!hasLink)
            expected.FLink = before.FLink;
        if (!hasBack) {
            expected.FBackFile = before.FBackFile;
            expected.FBackOpacity = before.FBackOpacity;
        }
        QVERIFY(theme == expected);
    }

    void registryRefresh_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<bool>("fromRegistry");
        QTest::newRow("loaded, same name") << true << "Pink" << true;
        QTest::newRow("loaded, name differs in case") << true << "pink" << false;
        QTest::newRow("loaded, unknown name") << true << "Other" << false;
        QTest::newRow("not loaded, same name") << false << "Pink" << false;
    }

    void registryRefresh()
    {
        QFETCH(bool, loaded);
        QFETCH(QString, storedName);
        QFETCH(bool, fromRegistry);
        const TColorTheme registered = Theme(QStringLiteral("Pink"), 0x30, QStringLiteral("r.png"), 1);
        TColorThemes::Add(registered);
        TColorThemes::Loaded = loaded;
        const TColorTheme stored = Theme(storedName, 0x40, QStringLiteral("s.png"), 0.5f);
        QBuffer buffer;
        buffer.setData(ThemeBytes(stored, 5));
        buffer.open(QIODevice::ReadOnly);
        TColorTheme theme;
        theme.ReadFromStream(buffer, 5);
        QVERIFY(theme == (fromRegistry ? registered : stored));
    }

    void registryRoundTrip()
    {
        TColorThemes::AddDefaultThemes();
        TColorThemes::SetItems(2, Theme(QStringLiteral("背景付き"), 0x50, QStringLiteral("C:/絵.png"), 0.3f));
        const QList<TColorTheme> before = [] {
            QList<TColorTheme> themes;
            for (int i = 0; i < TColorThemes::Count(); ++i)
                themes << TColorThemes::Items(i);
            return themes;
        }();
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        TColorThemes::WriteToStream(buffer);
        TColorThemes::Clear();
        buffer.seek(0);
        TColorThemes::ReadFromStream(buffer, 5);
        QVERIFY(buffer.atEnd());
        QCOMPARE(TColorThemes::Count(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QVERIFY(TColorThemes::Items(i) == before.at(i));
    }

    void registryCountBelowOne_data()
    {
        QTest::addColumn<QByteArray>("count");
        QTest::newRow("zero") << QByteArray::fromHex("00000000");
        QTest::newRow("negative") << QByteArray::fromHex("ffffffff");
    }

    void registryCountBelowOne()
    {
        QFETCH(QByteArray, count);
        TColorThemes::Add(Theme(QStringLiteral("a"), 0));
        QBuffer buffer;
        buffer.setData(count + ThemeBytes(Theme(QStringLiteral("b"), 0), 5));
        buffer.open(QIODevice::ReadOnly);
        TColorThemes::ReadFromStream(buffer, 5);
        QCOMPARE(buffer.pos(), 4);
        QCOMPARE(TestSupport::RegistryNames(), QStringList{"a"});
    }

    void registryReadsInPlace()
    {
        // Version 1 carries no link and no background: the old entry keeps
        // its own, a new entry has zeros.
        TColorThemes::Add(Theme(QStringLiteral("old"), 0x60, QStringLiteral("old.png"), 0.5f));
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("02000000") + ThemeBytes(Theme(QStringLiteral("x"), 0x70), 1)
                       + ThemeBytes(Theme(QStringLiteral("y"), 0x80), 1));
        buffer.open(QIODevice::ReadOnly);
        TColorThemes::ReadFromStream(buffer, 1);
        QVERIFY(buffer.atEnd());
        QCOMPARE(TestSupport::RegistryNames(), QStringList({"x", "y"}));
        QCOMPARE(TColorThemes::Items(0).FBody, TAlphaColor(0x71));
        QCOMPARE(TColorThemes::Items(0).FLink, TAlphaColor(0x67));
        QCOMPARE(TColorThemes::Items(0).FBackFile, QStringLiteral("old.png"));
        QCOMPARE(TColorThemes::Items(1).FLink, TAlphaColor(0));
        QCOMPARE(TColorThemes::Items(1).FBackFile, QString());
        QCOMPARE(TColorThemes::Items(1).FBackOpacity, 0.0f);

        // Shrinking drops the entries beyond the new count.
        buffer.close();
        buffer.setData(QByteArray::fromHex("01000000") + ThemeBytes(Theme(QStringLiteral("z"), 0x90), 5));
        buffer.open(QIODevice::ReadOnly);
        TColorThemes::ReadFromStream(buffer, 5);
        QCOMPARE(TestSupport::RegistryNames(), QStringList{"z"});
    }

    void registryDuplicateNameWhileLoaded()
    {
        // A repeated name finds the entry read earlier in the same stream.
        TColorThemes::Loaded = true;
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("02000000") + ThemeBytes(Theme(QStringLiteral("d"), 0x10), 5)
                       + ThemeBytes(Theme(QStringLiteral("d"), 0x20), 5));
        buffer.open(QIODevice::ReadOnly);
        TColorThemes::ReadFromStream(buffer, 5);
        QCOMPARE(TColorThemes::Count(), 2);
        QCOMPARE(TColorThemes::Items(1).FBody, TAlphaColor(0x11));
    }

    void registryHugeCountRaisesUnchanged()
    {
        TColorThemes::Add(Theme(QStringLiteral("a"), 0));
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("ffffff7f") + ThemeBytes(Theme(QStringLiteral("b"), 0), 5));
        buffer.open(QIODevice::ReadOnly);
        QVERIFY_THROWS_EXCEPTION(EStreamError, TColorThemes::ReadFromStream(buffer, 5));
        QCOMPARE(TestSupport::RegistryNames(), QStringList{"a"});
    }

    void truncatedThemeRaises()
    {
        const QByteArray bytes = ThemeBytes(Theme(QStringLiteral("t"), 0, QStringLiteral("p")), 5);
        QBuffer buffer;
        buffer.setData(bytes.left(bytes.size() - 1));
        buffer.open(QIODevice::ReadOnly);
        TColorTheme theme;
        QVERIFY_THROWS_EXCEPTION(EStreamError, theme.ReadFromStream(buffer, 5));
    }
};

QTEST_GUILESS_MAIN(tst_ColorThemeStream)
#include "tst_ColorThemeStream.moc"
