#include "store/StreamHelper.h"
#include "support/FailingDevice.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

using TWrite = std::function<void(TStreamHelper &)>;
using TRead = std::function<void(TStreamHelper &)>;

QByteArray Written(const TWrite &AWrite)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper stream(buffer);
    AWrite(stream);
    return buffer.data();
}

QImage Gradient()
{
    QImage image(5, 3, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(40 * x, 80 * y, 200, 255));
    return image;
}

} // namespace

class tst_StreamHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesBytes_data()
    {
        QTest::addColumn<TWrite>("write");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("true is FF") << TWrite([](TStreamHelper &s) { s.WriteBoolean(true); }) << QByteArray::fromHex("ff");
        QTest::newRow("false") << TWrite([](TStreamHelper &s) { s.WriteBoolean(false); }) << QByteArray::fromHex("00");
        QTest::newRow("integer 1") << TWrite([](TStreamHelper &s) { s.WriteInteger(1); }) << QByteArray::fromHex("01000000");
        QTest::newRow("integer -2") << TWrite([](TStreamHelper &s) { s.WriteInteger(-2); }) << QByteArray::fromHex("feffffff");
        QTest::newRow("single 0.5") << TWrite([](TStreamHelper &s) { s.WriteSingle(0.5f); }) << QByteArray::fromHex("0000003f");
        QTest::newRow("colour big-endian") << TWrite([](TStreamHelper &s) { s.WriteColor(0xFF0F83FD); })
                                           << QByteArray::fromHex("ff0f83fd");
        QTest::newRow("string ab") << TWrite([](TStreamHelper &s) { s.WriteString(QStringLiteral("ab")); })
                                   << QByteArray::fromHex("0200000000000000 6100 6200");
        QTest::newRow("empty string") << TWrite([](TStreamHelper &s) { s.WriteString(QString()); })
                                      << QByteArray::fromHex("0000000000000000");
        QTest::newRow("non-BMP character counts 2")
            << TWrite([](TStreamHelper &s) { s.WriteString(QString::fromUtf8("\xF0\x9F\x98\x80")); })
            << QByteArray::fromHex("0200000000000000 3dd8 00de");
        QTest::newRow("rectangle of singles")
            << TWrite([](TStreamHelper &s) { s.WriteRectF(TRectF{1, 2, 0.5f, -1}); })
            << QByteArray::fromHex("0000803f 00000040 0000003f 000080bf");
        QTest::newRow("signature low bytes")
            << TWrite([](TStreamHelper &s) { s.WriteSignature(QStringLiteral("nota") + QChar(0x3076)); })
            << QByteArray("nota\x76");
        QTest::newRow("empty bitmap is count 0") << TWrite([](TStreamHelper &s) { s.WriteBitmap(QImage()); })
                                                 << QByteArray::fromHex("0000000000000000");
    }

    void writesBytes()
    {
        QFETCH(TWrite, write);
        QFETCH(QByteArray, expected);
        QCOMPARE(Written(write).toHex(' '), expected.toHex(' '));
    }

    void readsValues()
    {
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("01 80 00 ff0f83fd ff0f83fd 0200000000000000 61006200 7634 01000000"));
        buffer.open(QIODevice::ReadOnly);
        TStreamHelper stream(buffer);
        QCOMPARE(stream.ReadBoolean(), true);
        QCOMPARE(stream.ReadBoolean(), true);
        QCOMPARE(stream.ReadBoolean(), false);
        QCOMPARE(stream.ReadColor(), TAlphaColor(0xFF0F83FD));
        QCOMPARE(stream.ReadInteger(), -41742337);
        QCOMPARE(stream.ReadString(), QStringLiteral("ab"));
        // A mismatch in the second byte still consumes both.
        QCOMPARE(stream.CheckSignature(QStringLiteral("v5")), false);
        QCOMPARE(stream.ReadInteger(), 1);
    }

    void readsIntegerRectangle()
    {
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("0a000000 f6ffffff 40010000 00000080"));
        buffer.open(QIODevice::ReadOnly);
        const QRect rect = TStreamHelper(buffer).ReadRect();
        QCOMPARE(rect.left(), 10);
        QCOMPARE(rect.top(), -10);
        QCOMPARE(rect.right(), 320);
        QCOMPARE(rect.bottom(), std::numeric_limits<qint32>::min());
    }

    void missingBytesReadAsZero()
    {
        QBuffer buffer;
        buffer.setData(QByteArray::fromHex("ff0f"));
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(TStreamHelper(buffer).ReadColor(), TAlphaColor(0xFF0F0000));
        QVERIFY(buffer.atEnd());

        buffer.close();
        buffer.setData(QByteArray("no"));
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(TStreamHelper(buffer).CheckSignature(QStringLiteral("notavell")), false);
        buffer.seek(0);
        QCOMPARE(TStreamHelper(buffer).CheckSignature(QStringLiteral("no")), true);
    }

    void roundTrip()
    {
        const QString text = QStringLiteral("付箋\r\n") + QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0);
        const TRectF rect{-0.0f, 1e-40f, std::nanf(""), 3.4e38f};
        const QImage image = Gradient();
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        TStreamHelper stream(buffer);
        stream.WriteByte(0xA5);
        stream.WriteInteger(std::numeric_limits<qint32>::min());
        stream.WriteSingle(-1.25f);
        stream.WriteString(text);
        stream.WriteRectF(rect);
        stream.WriteBitmap(image);
        stream.WriteSignature(QStringLiteral("end"));
        buffer.seek(0);
        QCOMPARE(stream.ReadByte(), quint8(0xA5));
        QCOMPARE(stream.ReadInteger(), std::numeric_limits<qint32>::min());
        QCOMPARE(stream.ReadSingle(), -1.25f);
        QCOMPARE(stream.ReadString(), text);
        const TRectF back = stream.ReadRectF();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&back), sizeof back),
                 QByteArray(reinterpret_cast<const char *>(&rect), sizeof rect));
        QImage picture;
        stream.ReadBitmap(picture);
        QCOMPARE(picture.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(picture, image);
        QVERIFY(stream.CheckSignature(QStringLiteral("end")));
        QVERIFY(buffer.atEnd());
    }

    void bitmapCountZeroLeavesBitmap()
    {
        QBuffer buffer;
        buffer.setData(QByteArray(8, 0) + "rest");
        buffer.open(QIODevice::ReadOnly);
        QImage picture = Gradient();
        TStreamHelper(buffer).ReadBitmap(picture);
        QCOMPARE(picture, Gradient());
        QCOMPARE(buffer.pos(), 8);
    }

    void badInputRaises_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TRead>("read");
        const TRead boolean = [](TStreamHelper &s) { s.ReadBoolean(); };
        const TRead integer = [](TStreamHelper &s) { s.ReadInteger(); };
        const TRead single = [](TStreamHelper &s) { s.ReadSingle(); };
        const TRead string = [](TStreamHelper &s) { s.ReadString(); };
        const TRead rect = [](TStreamHelper &s) { s.ReadRect(); };
        const TRead rectF = [](TStreamHelper &s) { s.ReadRectF(); };
        const TRead bitmap = [](TStreamHelper &s) {
            QImage image;
            s.ReadBitmap(image);
        };
        QTest::newRow("boolean at end") << QByteArray() << boolean;
        QTest::newRow("integer short") << QByteArray::fromHex("010203") << integer;
        QTest::newRow("single short") << QByteArray::fromHex("00") << single;
        QTest::newRow("integer rectangle short") << QByteArray(15, 0) << rect;
        QTest::newRow("float rectangle short") << QByteArray(12, 0) << rectF;
        QTest::newRow("string count short") << QByteArray::fromHex("02000000") << string;
        QTest::newRow("string negative count") << QByteArray::fromHex("ffffffffffffffff 6100") << string;
        QTest::newRow("string count above 2^31-1") << QByteArray::fromHex("0000008000000000") + QByteArray(64, 'a')
                                                    << string;
        QTest::newRow("string huge count") << QByteArray::fromHex("ffffff7f00000000 6100") << string;
        QTest::newRow("string odd byte missing") << QByteArray::fromHex("0200000000000000 610062") << string;
        QTest::newRow("bitmap count beyond data") << QByteArray::fromHex("0010000000000000 89504e47") << bitmap;
        QTest::newRow("bitmap huge count") << QByteArray::fromHex("ffffffffffffff7f") << bitmap;
        QTest::newRow("bitmap not a picture") << QByteArray::fromHex("0400000000000000 01020304") << bitmap;
    }

    void badInputRaises()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TRead, read);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TStreamHelper stream(buffer);
        QVERIFY_THROWS_EXCEPTION(EStreamError, read(stream));
    }

    void writeErrorRaises()
    {
        TFailingDevice device(10);
        TStreamHelper stream(device);
        stream.WriteString(QStringLiteral("a"));
        QVERIFY_THROWS_EXCEPTION(EStreamError, stream.WriteInteger(1));
        QVERIFY_THROWS_EXCEPTION(EStreamError, stream.WriteBitmap(Gradient()));
    }
};

QTEST_GUILESS_MAIN(tst_StreamHelper)
#include "tst_StreamHelper.moc"
