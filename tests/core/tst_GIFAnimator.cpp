#include "graphics/BitmapTarget.h"
#include "graphics/GIFAnimator.h"
#include "graphics/GIFLZWDecoderFactory.h"
#include "graphics/LZWDecoderFactory.h"
#include "platform/ServiceRegistry.h"
#include "support/GIFBuilder.h"

#include <QBuffer>
#include <QTest>

using TestSupport::TGIFBuilder;
using TestSupport::TGIFTestFrame;

namespace {

const QList<QRgb> Palette = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

TGIFTestFrame Pixel(int AColorIndex, int ADelay = -1)
{
    TGIFTestFrame frame;
    frame.Indices = QByteArray(1, char(AColorIndex));
    frame.Delay = ADelay;
    return frame;
}

QByteArray TwoFrames(bool ATrailer = true)
{
    return TGIFBuilder(1, 1, Palette).AddFrame(Pixel(0, 0)).AddFrame(Pixel(1, 0)).Bytes(ATrailer);
}

// An application extension with the given block size and identifier and one
// data sub-block.
QByteArray Application(int ABlockSize, const QByteArray &AIdentifier)
{
    return QByteArray("\x21\xFF", 2) + char(ABlockSize) + AIdentifier.leftJustified(11, '\0', true)
           + QByteArray("\x03\x01\x00\x00\x00", 5);
}

bool Load(TGIFAnimator &AAnimator, QByteArray ABytes)
{
    QBuffer buffer(&ABytes);
    buffer.open(QIODevice::ReadOnly);
    return AAnimator.LoadFromStream(&buffer);
}

QByteArray Saved(const TGIFAnimator &AAnimator)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    AAnimator.SaveToStream(&buffer);
    return bytes;
}

class TRecordingTarget : public IBitmapTarget
{
public:
    void AssignBitmap(const QImage &ABitmap) override { FShown.append(ABitmap.isNull() ? 0 : ABitmap.pixel(0, 0)); }
    QList<QRgb> FShown;
};

} // namespace

class tst_GIFAnimator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TGIFLZWDecoderFactory::Register(); }

    void rejectsOtherHeaders_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("GIF87a") << TGIFBuilder(1, 1, Palette, "87a").AddFrame(Pixel(0)).Bytes();
        QTest::newRow("not a GIF") << QByteArray("PNG89a").append(TwoFrames().mid(6));
        QTest::newRow("12 bytes") << TwoFrames().left(12);
        QTest::newRow("header only") << TGIFBuilder(1, 1, Palette).Bytes();
        QTest::newRow("image without data")
            << TGIFBuilder(1, 1, Palette).AddRaw(QByteArray("\x2C\0\0\0\0\1\0\1\0\0\2\0", 12)).Bytes();
    }
    void rejectsOtherHeaders()
    {
        QFETCH(QByteArray, bytes);
        TGIFAnimator animator(nullptr);
        QVERIFY(Load(animator, TwoFrames()));
        QVERIFY(!Load(animator, bytes));
        QCOMPARE(animator.Count(), 0);
        QVERIFY(!animator.RawData());
        QVERIFY(Saved(animator).isEmpty());
    }

    void delays_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("delay");
        const TGIFBuilder start(1, 1, Palette);
        QTest::newRow("delay 0") << TGIFBuilder(start).AddFrame(Pixel(0, 0)).Bytes() << 20;
        QTest::newRow("delay 5") << TGIFBuilder(start).AddFrame(Pixel(0, 5)).Bytes() << 50;
        QTest::newRow("no control") << TGIFBuilder(start).AddFrame(Pixel(0)).Bytes() << 0;
        QTest::newRow("later control counts")
            << TGIFBuilder(start).AddRaw(QByteArray("\x21\xF9\x04\0\x03\0\0\0", 8)).AddFrame(Pixel(0, 7)).Bytes()
            << 70;
        QTest::newRow("control of previous image not carried")
            << TGIFBuilder(start).AddFrame(Pixel(0, 9)).AddFrame(Pixel(0)).Bytes() << 0;
    }
    void delays()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, delay);
        TGIFAnimator animator(nullptr);
        QVERIFY(Load(animator, bytes));
        QCOMPARE(animator.Frames(animator.Count() - 1).FDelay, delay);
    }

    void gifFollowedByOtherData()
    {
        const QByteArray gif = TwoFrames();
        QByteArray bytes = "lead" + gif + "tail";
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        buffer.seek(4);
        TGIFAnimator animator(nullptr);
        QVERIFY(animator.LoadFromStream(&buffer));
        QCOMPARE(buffer.pos(), 4 + gif.size());
        QCOMPARE(buffer.readAll(), QByteArray("tail"));
        QCOMPARE(Saved(animator), gif);
        QIODevice *raw = animator.RawData();
        QVERIFY(raw);
        QCOMPARE(raw->readAll(), gif);
        QCOMPARE(animator.RawData()->pos(), 0);
    }

    // What is read when parsing stops early: the images before the stop,
    // and the bytes consumed up to it.
    void stopsParsing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("kept");
        const QByteArray one = TGIFBuilder(1, 1, Palette).AddFrame(Pixel(0, 0)).Bytes(false);
        const QByteArray two = TwoFrames(false);
        const QByteArray frame = two.mid(one.size());
        QTest::newRow("no trailer") << two << 2 << int(two.size());
        QTest::newRow("looping extension") << one + Application(11, "NETSCAPE2.0") + frame << 2 << -1;
        QTest::newRow("application block size 10")
            << one + Application(10, "NETSCAPE2.0") + frame << 1 << int(one.size()) + 15;
        const QByteArray xmp = QByteArray("\x21\xFF\x0BXMP DataXMP", 14) + "<x:xmpmeta/>\x01\xFF\xFE\x01" + char(0) + char(0);
        QTest::newRow("XMP data") << one + xmp + frame << 2 << -1;
        QTest::newRow("comment") << one + QByteArray("\x21\xFE\x02hi\0", 6) + frame << 2 << -1;
        QTest::newRow("comment cut short") << one + QByteArray("\x21\xFE\x09hi", 5) << 1 << int(one.size()) + 3;
        QTest::newRow("unknown label") << one + QByteArray("\x21\x99", 2) + frame << 2 << -1;
        QTest::newRow("unknown label, then its data") << one + QByteArray("\x21\x99\x05", 3) + frame << 1
                                                      << int(one.size()) + 3;
        QTest::newRow("control with terminator 1")
            << one + QByteArray("\x21\xF9\x04\0\0\0\0\1", 8) + frame << 1 << int(one.size()) + 8;
        QTest::newRow("control cut short") << one + frame.left(5) << 1 << int(one.size()) + 2;
        QTest::newRow("image cut in its descriptor") << one + frame.mid(8, 6) << 1 << int(one.size()) + 1;
    }
    void stopsParsing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(int, kept);
        TGIFAnimator animator(nullptr);
        QVERIFY(Load(animator, bytes));
        QCOMPARE(animator.Count(), count);
        QCOMPARE(Saved(animator), kept < 0 ? bytes : bytes.left(kept));
    }

    void frames()
    {
        TGIFTestFrame moved = Pixel(2, 3);
        moved.X = 1;
        moved.Y = 2;
        TGIFAnimator animator(nullptr);
        QVERIFY(Load(animator, TGIFBuilder(4, 4, Palette).AddFrame(Pixel(0)).AddFrame(moved).Bytes()));
        const TGIFAnimator::TFrame frame = animator.Frames(1);
        QCOMPARE(QList<int>({frame.FX, frame.FY, frame.FWidth, frame.FHeight, frame.FDelay}),
                 QList<int>({1, 2, 1, 1, 30}));
        QVERIFY(!frame.FBitmap.isNull());
        for (const int index : {-1, animator.Count()}) {
            const TGIFAnimator::TFrame none = animator.Frames(index);
            QCOMPARE(QList<int>({none.FX, none.FY, none.FWidth, none.FHeight, none.FDelay}), QList<int>(5, 0));
            QVERIFY(none.FBitmap.isNull());
        }
    }

    void withoutDecoderListsFramesWithoutBitmaps()
    {
        TServiceRegistry::RemoveService<ILZWDecoderFactory>();
        TGIFAnimator animator(nullptr);
        TGIFLZWDecoderFactory::Register();
        QVERIFY(Load(animator, TwoFrames()));
        QCOMPARE(animator.Count(), 2);
        QVERIFY(animator.Frames(0).FBitmap.isNull());
        QCOMPARE(Saved(animator), TwoFrames());

        TGIFAnimator withDecoder(nullptr);
        withDecoder.SetLZWDecorder(nullptr);
        QVERIFY(Load(withDecoder, TwoFrames()));
        QVERIFY(withDecoder.Frames(1).FBitmap.isNull());
    }

    void enabledNeedsFramesAndTarget()
    {
        TRecordingTarget target;
        TGIFAnimator withoutTarget(nullptr);
        QVERIFY(Load(withoutTarget, TwoFrames()));
        withoutTarget.SetEnabled(true);
        QVERIFY(!withoutTarget.Enabled());

        TGIFAnimator withoutFrames(&target);
        withoutFrames.Start();
        QVERIFY(!withoutFrames.Enabled());

        TGIFAnimator animator(&target);
        QVERIFY(Load(animator, TwoFrames()));
        animator.Start();
        QVERIFY(animator.Enabled());
        animator.Stop();
        QVERIFY(!animator.Enabled());
    }

    void playsFramesInOrderAndRepeats()
    {
        TRecordingTarget target;
        TGIFAnimator animator(&target);
        QVERIFY(Load(animator, TwoFrames()));
        animator.Start();
        QTRY_VERIFY(target.FShown.size() >= 3);
        animator.Stop();
        QCOMPARE(target.FShown.mid(0, 3), QList<QRgb>({Palette[0], Palette[1], Palette[0]}));
        // Stopped, nothing more is shown; frames are only played with a delay passed.
        const qsizetype shown = target.FShown.size();
        QTest::qWait(40);
        QCOMPARE(target.FShown.size(), shown);
    }
};

QTEST_GUILESS_MAIN(tst_GIFAnimator)
#include "tst_GIFAnimator.moc"
