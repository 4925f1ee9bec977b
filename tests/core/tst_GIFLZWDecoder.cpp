#include "graphics/GIFAnimator.h"
#include "graphics/GIFLZWDecoder.h"
#include "support/GIFBuilder.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>

using TestSupport::TGIFBuilder;
using TestSupport::TGIFTestFrame;

namespace {

constexpr QRgb R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, Black = 0xFF000000, None = 0;
const QList<QRgb> Palette = {R, G, B, W};

TGIFTestFrame Row(int AX, const QByteArray &AIndices, int ADisposal = 0, int ATransparent = -1)
{
    TGIFTestFrame frame;
    frame.X = AX;
    frame.Width = int(AIndices.size());
    frame.Indices = AIndices;
    frame.Delay = 0;
    frame.Disposal = ADisposal;
    frame.Transparent = ATransparent;
    return frame;
}

QList<QRgb> Pixels(const QImage &AImage)
{
    QList<QRgb> pixels;
    for (int y = 0; y < AImage.height(); ++y) {
        for (int x = 0; x < AImage.width(); ++x)
            pixels.append(AImage.pixel(x, y));
    }
    return pixels;
}

// Every composed frame's pixels one after the other, loaded through an
// animator with the given decoder.
QList<QRgb> Composed(QByteArray ABytes, std::shared_ptr<TGIFLZWDecoder> ADecoder = std::make_shared<TGIFLZWDecoder>())
{
    TGIFAnimator animator(nullptr);
    animator.SetLZWDecorder(ADecoder);
    QBuffer buffer(&ABytes);
    buffer.open(QIODevice::ReadOnly);
    if (!animator.LoadFromStream(&buffer))
        return {};
    QList<QRgb> pixels;
    for (int i = 0; i < animator.Count(); ++i)
        pixels += Pixels(animator.Frames(i).FBitmap);
    return pixels;
}

QByteArray RawImage(int AWidth, int AHeight, int AMinCodeSize, const QByteArray &ALZWData)
{
    QByteArray bytes("\x2C\0\0\0\0", 5);
    bytes += char(AWidth & 0xFF) + QByteArray(1, char(AWidth >> 8)) + char(AHeight & 0xFF) + char(AHeight >> 8);
    bytes += char(0) + QByteArray(1, char(AMinCodeSize)) + TGIFBuilder::SubBlocks(ALZWData);
    return bytes;
}

} // namespace

class tst_GIFLZWDecoder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesOneImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QRgb>>("pixels");
        // Qt's reader shows colours missing from the table differently.
        QTest::addColumn<bool>("sameInQt");
        TGIFTestFrame grid;
        grid.Width = 3;
        grid.Height = 2;
        grid.Indices = QByteArray("\0\1\2\3\0\1", 6);
        QTest::newRow("global table") << TGIFBuilder(3, 2, Palette).AddFrame(grid).Bytes()
                                      << QList<QRgb>({R, G, B, W, R, G}) << true;
        TGIFTestFrame local = Row(0, QByteArray("\0\1", 2));
        local.LocalPalette = {W, B};
        QTest::newRow("local table") << TGIFBuilder(2, 1, Palette).AddFrame(local).Bytes() << QList<QRgb>({W, B}) << true;
        QTest::newRow("index beyond the table")
            << TGIFBuilder(2, 1, {R, G}).AddFrame(Row(0, QByteArray("\1\3", 2))).Bytes() << QList<QRgb>({G, Black}) << false;
        QTest::newRow("transparent index")
            << TGIFBuilder(2, 1, Palette).AddFrame(Row(0, QByteArray("\2\1", 2), 0, 1)).Bytes()
            << QList<QRgb>({B, None}) << true;

        TGIFTestFrame interlaced;
        interlaced.Height = 10;
        interlaced.Interlaced = true;
        QList<QRgb> rows;
        for (int row = 0; row < 10; ++row) {
            interlaced.Indices.append(char(row % 4));
            rows.append(Palette[row % 4]);
        }
        QTest::newRow("interlaced") << TGIFBuilder(1, 10, Palette).AddFrame(interlaced).Bytes() << rows << true;

        // Noise fills the code table several times: code widths up to 12
        // bits and the clear codes that restart the table.
        QList<QRgb> colors;
        for (int i = 0; i < 256; ++i)
            colors.append(qRgb(i, 255 - i, i / 2));
        TGIFTestFrame noise;
        noise.Width = 200;
        noise.Height = 100;
        QRandomGenerator random(7);
        QList<QRgb> expected;
        for (int i = 0; i < 200 * 100; ++i) {
            const int index = random.bounded(i % 3 == 0 ? 256 : 8);
            noise.Indices.append(char(index));
            expected.append(colors[index]);
        }
        QTest::newRow("noise, 256 colours") << TGIFBuilder(200, 100, colors).AddFrame(noise).Bytes() << expected << true;
    }
    void decodesOneImage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QRgb>, pixels);
        QFETCH(bool, sameInQt);
        QCOMPARE(Composed(bytes), pixels);
        // Qt's own reader agrees, so the test encoder writes standard GIFs.
        if (sameInQt) {
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer, "gif");
            QCOMPARE(Pixels(reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied)), pixels);
        }
    }

    // Frame 0 is red R R R; frame 1 stands at x 1 (two pixels), frame 2 at
    // x 0 (one blue pixel). Listed: the pixels of frames 0, 1 and 2.
    void composes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QRgb>>("pixels");
        const auto gif = [](int AFirstDisposal, const TGIFTestFrame &ASecond) {
            return TGIFBuilder(3, 1, Palette)
                .AddFrame(Row(0, QByteArray(3, 0), AFirstDisposal))
                .AddFrame(ASecond)
                .AddFrame(Row(0, "\2"))
                .Bytes();
        };
        const QByteArray greens("\1\1", 2);
        QTest::newRow("unspecified disposal") << gif(0, Row(1, greens, 0))
                                              << QList<QRgb>({R, R, R, R, G, G, B, G, G});
        QTest::newRow("do not dispose") << gif(0, Row(1, greens, 1)) << QList<QRgb>({R, R, R, R, G, G, B, G, G});
        QTest::newRow("restore to background")
            << gif(0, Row(1, greens, 2)) << QList<QRgb>({R, R, R, R, G, G, B, None, None});
        QTest::newRow("restore to previous")
            << gif(0, Row(1, greens, 3)) << QList<QRgb>({R, R, R, R, G, G, B, R, R});
        QTest::newRow("frame 0 restored to background")
            << gif(2, Row(1, greens, 0)) << QList<QRgb>({R, R, R, None, G, G, B, G, G});
        QTest::newRow("transparent pixel shows earlier frames")
            << gif(0, Row(1, QByteArray("\1\3", 2), 0, 3)) << QList<QRgb>({R, R, R, R, G, R, B, G, R});
        QTest::newRow("cut at frame 0's edge")
            << gif(0, Row(2, QByteArray("\1\3", 2))) << QList<QRgb>({R, R, R, R, R, G, B, R, G});
    }
    void composes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QRgb>, pixels);
        QCOMPARE(Composed(bytes), pixels);
    }

    // Listed: frame 0's pixels; none when it gets no bitmap.
    void badData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QRgb>>("pixels");
        const TGIFBuilder start(4, 1, Palette);
        const QByteArray codes = TGIFBuilder::EncodeLZW(QByteArray("\0\1\2\3\3\2\1\0", 8), 2);
        QTest::newRow("truncated data") << TGIFBuilder(start).AddRaw(RawImage(8, 1, 2, codes.left(2))).Bytes()
                                        << QList<QRgb>({R, G, B, W, None, None, None, None});
        QTest::newRow("data overruns the frame")
            << TGIFBuilder(start).AddRaw(RawImage(3, 1, 2, codes)).Bytes() << QList<QRgb>({R, G, B});
        // Clear code 4, literal 1, then 7 while 6 is the next free slot.
        QTest::newRow("code above the next free slot")
            << TGIFBuilder(start).AddRaw(RawImage(2, 1, 2, QByteArray("\xCC\x01", 2))).Bytes()
            << QList<QRgb>({G, None});
        QTest::newRow("minimum code size 12")
            << TGIFBuilder(start).AddRaw(RawImage(1, 1, 12, QByteArray("\0\0\0", 3))).Bytes() << QList<QRgb>();
        QTest::newRow("wider than the side limit")
            << TGIFBuilder(start).AddRaw(RawImage(16385, 1, 2, codes)).Bytes() << QList<QRgb>();
        QTest::newRow("empty frame") << TGIFBuilder(start).AddRaw(RawImage(0, 0, 2, codes)).Bytes() << QList<QRgb>();
    }
    void badData()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QRgb>, pixels);
        QCOMPARE(Composed(bytes), pixels);
    }

    void memoryLimits()
    {
        TGIFBuilder builder(2, 1, Palette);
        for (int i = 0; i < 4; ++i)
            builder.AddFrame(Row(0, QByteArray(2, char(i))));
        const QByteArray gif = builder.Bytes();

        // Each frame's own pixels take 8 bytes: the fourth passes 24.
        TGIFLZWDecoder::TLimits decoded;
        decoded.FMaxDecodedBytes = 24;
        QCOMPARE(Composed(gif, std::make_shared<TGIFLZWDecoder>(decoded)),
                 QList<QRgb>({R, R, G, G, B, B, B, B}));

        TGIFLZWDecoder::TLimits composed;
        composed.FMaxComposedBytes = 16;
        QCOMPARE(Composed(gif, std::make_shared<TGIFLZWDecoder>(composed)), QList<QRgb>({R, R, G, G}));
    }

    void manyTinyFramesOnAHugeScreen()
    {
        TGIFBuilder builder(4096, 4096, Palette);
        for (int i = 0; i < 2000; ++i) {
            TGIFTestFrame frame = Row(i % 4096, QByteArray(1, char(i % 4)));
            frame.Y = i;
            builder.AddFrame(frame);
        }
        const QList<QRgb> pixels = Composed(builder.Bytes());
        QCOMPARE(pixels.size(), 2000);
        QCOMPARE(pixels.last(), R);
    }

    void framesOnRequest()
    {
        QByteArray bytes = TGIFBuilder(3, 1, Palette)
                               .AddFrame(Row(0, QByteArray(3, 0)))
                               .AddFrame(Row(1, "\1"))
                               .AddFrame(Row(2, "\2"))
                               .Bytes();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TGIFLZWDecoder decoder;
        decoder.Prepare(&buffer, TGIFHeader());
        QCOMPARE(decoder.Count(), 3);
        QCOMPARE(Pixels(decoder.Frames(1)), QList<QRgb>({G}));
        QVERIFY(decoder.Frames(-1).isNull());
        QVERIFY(decoder.Frames(3).isNull());
        QVERIFY(decoder.DecodeFrame(3, 0, 0, 1, 1, nullptr).isNull());
        QVERIFY(decoder.DecodeFrame(-1, 0, 0, 1, 1, nullptr).isNull());
        QCOMPARE(Pixels(decoder.DecodeFrame(0, 0, 0, 3, 1, nullptr)), QList<QRgb>({R, R, R}));
        // Out of order, a picture is composed again from frame 0.
        QCOMPARE(Pixels(decoder.DecodeFrame(2, 2, 0, 1, 1, nullptr)), QList<QRgb>({R, G, B}));
        QCOMPARE(Pixels(decoder.DecodeFrame(1, 1, 0, 1, 1, nullptr)), QList<QRgb>({R, G, R}));
    }
};

QTEST_GUILESS_MAIN(tst_GIFLZWDecoder)
#include "tst_GIFLZWDecoder.moc"
