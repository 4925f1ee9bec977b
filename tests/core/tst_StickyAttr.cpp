#include "model/ColorThemes.h"
#include "model/StickyAttr.h"
#include "store/StreamHelper.h"

#include <QBuffer>
#include <QTest>

namespace {

using TSetter = std::function<void(TStickyAttr &, bool ANewValue)>;

TColorTheme Theme(const QString &AName)
{
    TColorTheme theme;
    theme.Create(AName, 1, 2, 3, 4, 5, 6, 7);
    theme.FBackFile = QStringLiteral("b.png");
    return theme;
}

// Attributes with every field off its default.
TStickyAttr Sample()
{
    TFontAttr font;
    font.Create(QStringLiteral("Noto"), 9, TFontAttr::fsItalic);
    TStickyAttr attr(Theme(QStringLiteral("sample")), font, TZOrder::Bottom, false, true, true, true);
    attr.SetAlpha(42);
    attr.ClearModified();
    return attr;
}

void Compare(const TStickyAttr &AActual, const TStickyAttr &AExpected)
{
    QVERIFY(AActual.Color() == AExpected.Color());
    QVERIFY(AActual.Font() == AExpected.Font());
    QCOMPARE(AActual.ZOrder(), AExpected.ZOrder());
    QCOMPARE(AActual.Snap(), AExpected.Snap());
    QCOMPARE(AActual.Shaded(), AExpected.Shaded());
    QCOMPARE(AActual.Secret(), AExpected.Secret());
    QCOMPARE(AActual.Lock(), AExpected.Lock());
    QCOMPARE(AActual.Alpha(), AExpected.Alpha());
}

QByteArray Written(const TStickyAttr &AAttr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    AAttr.WriteToStream(buffer);
    return buffer.data();
}

} // namespace

class tst_StickyAttr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { TColorThemes::Finalize(); }

    void defaults()
    {
        const TStickyAttr attr;
        QCOMPARE(attr.ZOrder(), TZOrder::Normal);
        QCOMPARE(attr.Snap(), true);
        QCOMPARE(attr.Shaded(), false);
        QCOMPARE(attr.Secret(), false);
        QCOMPARE(attr.Lock(), false);
        QCOMPARE(attr.Alpha(), 100);
        QCOMPARE(attr.Modified(), false);
        QCOMPARE(attr.Color().FName, TColorThemes::DefaultThemes().first().FName);
        QCOMPARE(attr.Font().FSize, 12);

        const TStickyAttr made(Theme(QStringLiteral("t")), TFontAttr(), TZOrder::Top, false, true, false, true);
        QCOMPARE(made.Alpha(), 0);
        QCOMPARE(made.Modified(), false);
        QCOMPARE(made.ZOrder(), TZOrder::Top);
        QCOMPARE(made.Snap(), false);
        QCOMPARE(made.Shaded(), true);
        QCOMPARE(made.Lock(), true);
    }

    void setters_data()
    {
        QTest::addColumn<TSetter>("setter");
        QTest::addColumn<bool>("newValue");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("colorChanges");
        QTest::addColumn<int>("zOrderChanges");
        const TSetter color = [](TStickyAttr &a, bool n) { a.SetColor(n ? Theme(QStringLiteral("x")) : a.Color()); };
        const TSetter alpha = [](TStickyAttr &a, bool n) { a.SetAlpha(n ? 50 : a.Alpha()); };
        const TSetter font = [](TStickyAttr &a, bool n) {
            TFontAttr f = a.Font();
            // The font's own flag differs, yet the record compares equal.
            f.FModified = !f.FModified;
            if (n)
                f.FSize += 1;
            a.SetFont(f);
        };
        const TSetter zOrder = [](TStickyAttr &a, bool n) { a.SetZOrder(n ? TZOrder::Top : a.ZOrder()); };
        const TSetter snap = [](TStickyAttr &a, bool n) { a.SetSnap(n != a.Snap()); };
        const TSetter shaded = [](TStickyAttr &a, bool n) { a.SetShaded(n != a.Shaded()); };
        const TSetter lock = [](TStickyAttr &a, bool n) { a.SetLock(n != a.Lock()); };
        const TSetter secret = [](TStickyAttr &a, bool n) { a.SetSecret(n != a.Secret()); };
        QTest::newRow("color same") << color << false << true << 1 << 0;
        QTest::newRow("color new") << color << true << true << 1 << 0;
        QTest::newRow("alpha same") << alpha << false << true << 1 << 0;
        QTest::newRow("alpha new") << alpha << true << true << 1 << 0;
        QTest::newRow("font same") << font << false << false << 0 << 0;
        QTest::newRow("font new") << font << true << true << 0 << 0;
        QTest::newRow("zorder same") << zOrder << false << false << 0 << 0;
        QTest::newRow("zorder new") << zOrder << true << true << 0 << 1;
        QTest::newRow("snap same") << snap << false << false << 0 << 0;
        QTest::newRow("snap new") << snap << true << true << 0 << 0;
        QTest::newRow("shaded same") << shaded << false << false << 0 << 0;
        QTest::newRow("shaded new") << shaded << true << true << 0 << 0;
        QTest::newRow("lock same") << lock << false << false << 0 << 0;
        QTest::newRow("lock new") << lock << true << true << 0 << 0;
        QTest::newRow("secret same") << secret << false << false << 0 << 0;
        QTest::newRow("secret new") << secret << true << true << 0 << 0;
    }

    void setters()
    {
        QFETCH(TSetter, setter);
        QFETCH(bool, newValue);
        QFETCH(bool, modified);
        QFETCH(int, colorChanges);
        QFETCH(int, zOrderChanges);
        TStickyAttr attr;
        int colorFired = 0;
        int zOrderFired = 0;
        attr.OnColorChange = [&](TStickyAttr *ASender) {
            QCOMPARE(ASender, &attr);
            ++colorFired;
        };
        attr.OnZOrderChange = [&](TStickyAttr *ASender) {
            QCOMPARE(ASender, &attr);
            // Fired after the change.
            QCOMPARE(ASender->ZOrder(), TZOrder::Top);
            ++zOrderFired;
        };
        setter(attr, newValue);
        QCOMPARE(attr.Modified(), modified);
        QCOMPARE(colorFired, colorChanges);
        QCOMPARE(zOrderFired, zOrderChanges);
    }

    void assignAndClearModified()
    {
        const TStickyAttr source = Sample();
        TStickyAttr target;
        int fired = 0;
        target.OnColorChange = [&](TStickyAttr *) { ++fired; };
        target.OnZOrderChange = [&](TStickyAttr *) { ++fired; };
        target.Assign(source);
        Compare(target, source);
        QCOMPARE(target.Modified(), true);
        QCOMPARE(fired, 0);
        QVERIFY(target.OnColorChange);
        target.ClearModified();
        QCOMPARE(target.Modified(), false);

        // The font's own flag travels with the font and counts as modified.
        TStickyAttr withFont;
        TFontAttr font = withFont.Font();
        font.Assign(Sample().Font());
        TStickyAttr carrier(withFont.Color(), font, TZOrder::Normal, true, false, false, false);
        QCOMPARE(carrier.Modified(), true);
        carrier.ClearModified();
        QCOMPARE(carrier.Modified(), false);
        QCOMPARE(carrier.Font().FModified, false);
    }

    void streamBytes()
    {
        const QByteArray bytes = Written(Sample());
        // Theme (named "sample", path "b.png") and font, then the tail.
        const qsizetype themeSize = 8 + 12 + 28 + 8 + 10 + 4;
        const qsizetype fontSize = 8 + 8 + 4 + 1;
        QCOMPARE(bytes.size(), themeSize + fontSize + 1 + 4 + 4);
        // z-order Bottom, snap false, shaded, secret and lock true, alpha 42.
        QCOMPARE(bytes.mid(themeSize + fontSize).toHex(' '), QByteArray::fromHex("02 00 ff ff ff 2a000000").toHex(' '));
    }

    void streamVersions_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("alphaRead");
        QTest::newRow("v5 reads alpha") << 5 << true;
        QTest::newRow("v4 keeps alpha") << 4 << false;
    }

    void streamVersions()
    {
        QFETCH(int, version);
        QFETCH(bool, alphaRead);
        const TStickyAttr written = Sample();
        QByteArray bytes = Written(written);
        if (!alphaRead)
            bytes.chop(4);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TStickyAttr read;
        int fired = 0;
        read.OnColorChange = [&](TStickyAttr *) { ++fired; };
        read.OnZOrderChange = [&](TStickyAttr *) { ++fired; };
        QVERIFY(read.ReadFromStream(buffer, version));
        QVERIFY(buffer.atEnd());
        TStickyAttr expected = written;
        if (!alphaRead)
            expected.SetAlpha(100);
        Compare(read, expected);
        QCOMPARE(read.Modified(), false);
        QCOMPARE(fired, 0);
    }

    void truncatedStreamRaises()
    {
        const QByteArray bytes = Written(Sample());
        for (qsizetype cut : {qsizetype(4), qsizetype(70), bytes.size() - 1}) {
            QBuffer buffer;
            buffer.setData(bytes.left(cut));
            buffer.open(QIODevice::ReadOnly);
            TStickyAttr attr;
            QVERIFY_THROWS_EXCEPTION(EStreamError, attr.ReadFromStream(buffer, 5));
        }
    }
};

QTEST_GUILESS_MAIN(tst_StickyAttr)
#include "tst_StickyAttr.moc"
