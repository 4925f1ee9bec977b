#include "model/StickyBounds.h"
#include "model/WorkArea.h"
#include "store/StreamHelper.h"

#include <QBuffer>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(TRectF)

namespace {

using TSetter = std::function<void(TStickyBounds &, bool ANewValue)>;

QByteArray Bits(const TRectF &ARect)
{
    return QByteArray(reinterpret_cast<const char *>(&ARect), sizeof ARect);
}

// Bounds as a version-2+ file stores them.
QByteArray BoundsBytes(const TRectF &ANormal, const TRectF &AShaded, float AImageHeight, bool AFlag)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper stream(buffer);
    stream.WriteRectF(ANormal);
    stream.WriteRectF(AShaded);
    stream.WriteSingle(AImageHeight);
    stream.WriteBoolean(AFlag);
    return buffer.data();
}

// Reads ABytes into ABounds; true when exactly all of them were consumed.
bool Read(const QByteArray &ABytes, int AVer, TStickyBounds &ABounds)
{
    QBuffer buffer;
    buffer.setData(ABytes);
    buffer.open(QIODevice::ReadOnly);
    return ABounds.ReadFromStream(buffer, AVer) && buffer.atEnd();
}

} // namespace

class tst_StickyBounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initPlacement()
    {
        // Without a GUI application the fixed 1920 x 1040 work area applies.
        QCOMPARE(TWorkArea::PrimaryDisplay(), TWorkArea::FallbackArea);
        const TStickyBounds bounds;
        QCOMPARE(Bits(bounds.NormalBounds()), Bits(TRectF{800, 400, 1120, 640}));
        QCOMPARE(Bits(bounds.ShadedBounds()), Bits(TRectF{800, 400, 1120, 428}));
        QCOMPARE(bounds.ImageHeight(), 0.0f);
        QCOMPARE(bounds.ModifiedImageHeight(), false);
        QCOMPARE(bounds.Modified(), false);
        QCOMPARE(bounds.ShadingMoved(), false);
    }

    void setters_data()
    {
        QTest::addColumn<TSetter>("setter");
        QTest::addColumn<bool>("newValue");
        QTest::addColumn<bool>("modified");
        const TSetter normal = [](TStickyBounds &b, bool n) {
            b.SetNormalBounds(n ? TRectF{1, 2, 3, 4} : b.NormalBounds());
        };
        const TSetter shaded = [](TStickyBounds &b, bool n) {
            b.SetShadedBounds(n ? TRectF{1, 2, 3, 4} : b.ShadedBounds());
        };
        const TSetter imageHeight = [](TStickyBounds &b, bool n) { b.SetImageHeight(n ? 12.5f : b.ImageHeight()); };
        const TSetter flag = [](TStickyBounds &b, bool n) { b.SetModifiedImageHeight(n != b.ModifiedImageHeight()); };
        QTest::newRow("normal same") << normal << false << false;
        QTest::newRow("normal new") << normal << true << true;
        QTest::newRow("shaded same") << shaded << false << false;
        QTest::newRow("shaded new") << shaded << true << true;
        QTest::newRow("image height same") << imageHeight << false << false;
        QTest::newRow("image height new") << imageHeight << true << true;
        QTest::newRow("image-height flag same still marks") << flag << false << true;
        QTest::newRow("image-height flag new") << flag << true << true;
    }

    void setters()
    {
        QFETCH(TSetter, setter);
        QFETCH(bool, newValue);
        QFETCH(bool, modified);
        TStickyBounds bounds;
        setter(bounds, newValue);
        QCOMPARE(bounds.Modified(), modified);
        bounds.ClearModified();
        QCOMPARE(bounds.Modified(), false);
    }

    void roundTripIsBitIdentical()
    {
        TStickyBounds bounds;
        const TRectF normal{-0.1f, 1e-39f, 1919.75f, 3.0e38f};
        const TRectF shaded{-0.0f, 7.3f, 8.1f, 7.30001f};
        bounds.SetNormalBounds(normal);
        bounds.SetShadedBounds(shaded);
        bounds.SetImageHeight(0.3f);
        bounds.SetModifiedImageHeight(true);
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        bounds.WriteToStream(buffer);
        QCOMPARE(buffer.data(), BoundsBytes(normal, shaded, 0.3f, true));
        for (int version : {2, 5}) {
            TStickyBounds back;
            QVERIFY(Read(buffer.data(), version, back));
            QCOMPARE(Bits(back.NormalBounds()), Bits(normal));
            QCOMPARE(Bits(back.ShadedBounds()), Bits(shaded));
            QCOMPARE(back.ImageHeight(), 0.3f);
            QCOMPARE(back.ModifiedImageHeight(), true);
            QCOMPARE(back.Modified(), false);
        }
    }

    void versionOneIntegerRectangles()
    {
        const QByteArray bytes = QByteArray::fromHex("0a000000 14000000 4a010000 04010000"  // 10 20 330 260
                                                     "f6ffffff 14000000 36010000 30000000"  // -10 20 310 48
                                                     "00004041 00");
        TStickyBounds bounds;
        QVERIFY(Read(bytes, 1, bounds));
        QCOMPARE(Bits(bounds.NormalBounds()), Bits(TRectF{10, 20, 330, 260}));
        QCOMPARE(Bits(bounds.ShadedBounds()), Bits(TRectF{-10, 20, 310, 48}));
        QCOMPARE(bounds.ImageHeight(), 12.0f);
        QCOMPARE(bounds.ModifiedImageHeight(), false);
    }

    void emptyRectanglesReplaced_data()
    {
        QTest::addColumn<TRectF>("normal");
        QTest::addColumn<TRectF>("shaded");
        QTest::addColumn<TRectF>("expectedNormal");
        QTest::addColumn<TRectF>("expectedShaded");
        const TRectF centred{800, 400, 1120, 640};
        QTest::newRow("zero-width normal centred") << TRectF{5, 5, 5, 100} << TRectF{1, 2, 3, 4} << centred
                                                   << TRectF{1, 2, 3, 4};
        QTest::newRow("negative-height normal centred") << TRectF{5, 50, 100, 10} << TRectF{1, 2, 3, 4} << centred
                                                        << TRectF{1, 2, 3, 4};
        QTest::newRow("zero-height shaded on normal") << TRectF{10, 20, 110, 220} << TRectF{1, 2, 3, 2}
                                                      << TRectF{10, 20, 110, 220} << TRectF{10, 20, 110, 48};
        QTest::newRow("both empty") << TRectF{} << TRectF{} << centred << TRectF{800, 400, 1120, 428};
        QTest::newRow("NaN edge counts as empty") << TRectF{std::nanf(""), 0, 10, 10} << TRectF{1, 2, 3, 4}
                                                  << centred << TRectF{1, 2, 3, 4};
    }

    void emptyRectanglesReplaced()
    {
        QFETCH(TRectF, normal);
        QFETCH(TRectF, shaded);
        QFETCH(TRectF, expectedNormal);
        QFETCH(TRectF, expectedShaded);
        TStickyBounds bounds;
        QVERIFY(Read(BoundsBytes(normal, shaded, 0, false), 5, bounds));
        QCOMPARE(Bits(bounds.NormalBounds()), Bits(expectedNormal));
        QCOMPARE(Bits(bounds.ShadedBounds()), Bits(expectedShaded));
    }

    void assignPutsShadedOnNormal()
    {
        TStickyBounds source;
        source.SetNormalBounds(TRectF{100, 200, 400, 500});
        source.SetShadedBounds(TRectF{700, 10, 750, 40});
        source.SetImageHeight(64);
        source.SetModifiedImageHeight(true);
        QVERIFY(source.ShadingMoved());
        TStickyBounds target;
        target.Assign(source);
        QCOMPARE(Bits(target.NormalBounds()), Bits(TRectF{100, 200, 400, 500}));
        QCOMPARE(Bits(target.ShadedBounds()), Bits(TRectF{100, 200, 400, 230}));
        QCOMPARE(target.ImageHeight(), 64.0f);
        QCOMPARE(target.ModifiedImageHeight(), false);
        QCOMPARE(target.Modified(), false);
        QCOMPARE(target.ShadingMoved(), false);
    }

    void shadingMoved_data()
    {
        QTest::addColumn<TRectF>("shaded");
        QTest::addColumn<bool>("moved");
        // The normal rectangle is (10, 20, 110, 220).
        QTest::newRow("same position and width") << TRectF{10, 20, 110, 48} << false;
        QTest::newRow("only height differs") << TRectF{10, 20, 110, 500} << false;
        QTest::newRow("only width differs") << TRectF{10, 20, 111, 48} << true;
        QTest::newRow("left differs") << TRectF{11, 20, 111, 48} << true;
        QTest::newRow("top differs") << TRectF{10, 21, 110, 48} << true;
        QTest::newRow("NaN left") << TRectF{std::nanf(""), 20, 110, 48} << true;
    }

    void shadingMoved()
    {
        QFETCH(TRectF, shaded);
        QFETCH(bool, moved);
        TStickyBounds bounds;
        bounds.SetNormalBounds(TRectF{10, 20, 110, 220});
        bounds.SetShadedBounds(shaded);
        QCOMPARE(bounds.ShadingMoved(), moved);
    }

    void truncatedStreamRaises()
    {
        const QByteArray bytes = BoundsBytes(TRectF{1, 2, 3, 4}, TRectF{1, 2, 3, 4}, 0, false);
        for (int version : {1, 5}) {
            for (qsizetype cut : {qsizetype(0), qsizetype(20), bytes.size() - 1}) {
                QBuffer buffer;
                buffer.setData(bytes.left(cut));
                buffer.open(QIODevice::ReadOnly);
                TStickyBounds bounds;
                QVERIFY_THROWS_EXCEPTION(EStreamError, bounds.ReadFromStream(buffer, version));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_StickyBounds)
#include "tst_StickyBounds.moc"
