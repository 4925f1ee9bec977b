#include "graphics/BitmapResizer.h"
#include "graphics/FixedPoint.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <cmath>
#include <functional>

namespace {

// A straightforward, slow resizer written directly from the rules, one
// destination pixel at a time, with exact 128-bit arithmetic everywhere.
// The fast code must agree with it pixel for pixel.
namespace Reference {

using Fixed = std::array<qint64, 4>; // channels by bit position: 0-7, 8-15, 16-23, 24-31
constexpr qint64 One = 10000;

qint64 Round(double AValue)
{
    return qint64(std::nearbyint(AValue)); // default rounding mode: ties to even
}

qint64 MulDiv(qint64 A, qint64 B, qint64 C)
{
    const __int128 product = __int128(A) * B;
    __int128 quotient = product / C;
    __int128 remainder = product % C;
    if (remainder < 0) {
        --quotient;
        remainder += C;
    }
    if (2 * remainder > C || (2 * remainder == C && quotient % 2 != 0))
        ++quotient;
    return qint64(quotient);
}

quint32 Pixel(const QImage &AImage, int AX, int AY)
{
    return reinterpret_cast<const quint32 *>(AImage.constScanLine(AY))[AX];
}

Fixed ToFixed(quint32 APixel)
{
    Fixed fixed;
    for (int c = 0; c < 4; ++c)
        fixed[c] = ((APixel >> (8 * c)) & 0xFF) * One;
    return fixed;
}

quint32 FromFixed(const Fixed &AFixed, QImage::Format AFormat)
{
    quint32 pixel = 0;
    for (int c = 0; c < 4; ++c)
        pixel |= quint32(std::clamp<qint64>(MulDiv(AFixed[c], 1, One), 0, 255)) << (8 * c);
    if (AFormat == QImage::Format_RGB32 || AFormat == QImage::Format_RGBX8888)
        pixel |= 0xFF000000; // the padding byte of a little-endian word
    return pixel;
}

QImage Bilinear(const QImage &ASource, int AWidth, int AHeight)
{
    QImage dest(AWidth, AHeight, ASource.format());
    const double rx = double(ASource.width()) / AWidth;
    const double ry = double(ASource.height()) / AHeight;
    const int maxX = ASource.width() - 1;
    const int maxY = ASource.height() - 1;
    for (int i = 0; i < AHeight; ++i) {
        const double sy = (i + 0.5) * ry - 0.5;
        int y0 = int(std::floor(sy));
        const double fy = sy - y0;
        int y1 = y0 + 1;
        y0 = std::max(y0, 0);
        y1 = std::min(y1, maxY);
        for (int j = 0; j < AWidth; ++j) {
            const double sx = (j + 0.5) * rx - 0.5;
            int x0 = int(std::floor(sx));
            const double fx = sx - x0;
            int x1 = x0 + 1;
            x0 = std::max(x0, 0);
            x1 = std::min(x1, maxX);
            const Fixed c00 = ToFixed(Pixel(ASource, x0, y0));
            const Fixed c10 = ToFixed(Pixel(ASource, x1, y0));
            const Fixed c01 = ToFixed(Pixel(ASource, x0, y1));
            const Fixed c11 = ToFixed(Pixel(ASource, x1, y1));
            Fixed result;
            for (int c = 0; c < 4; ++c) {
                const qint64 d1 = c10[c] - c00[c];
                const qint64 d2 = c11[c] + c00[c] - c10[c] - c01[c];
                const qint64 d3 = c01[c] - c00[c];
                double v = d1 * fx;
                v = v + d2 * (fx * fy);
                v = v + d3 * fy;
                v = v + c00[c];
                result[c] = Round(v);
            }
            reinterpret_cast<quint32 *>(dest.scanLine(i))[j] = FromFixed(result, dest.format());
        }
    }
    return dest;
}

qint64 Weight(int AIndex, float ALow, float AHigh)
{
    const double k = AIndex;
    if (k > ALow && AHigh > k + 1)
        return One;
    if (k > ALow)
        return Round((AHigh - k) * One);
    if (AHigh > k + 1)
        return Round((1 - (ALow - k)) * One);
    return Round((double(AHigh) - double(ALow)) * One);
}

QImage AreaAverage(const QImage &ASource, int AWidth, int AHeight)
{
    QImage dest(AWidth, AHeight, ASource.format());
    const int sw = ASource.width();
    const int sh = ASource.height();
    const double rx = double(sw) / AWidth;
    const double ry = double(sh) / AHeight;
    const double area = double(qint64(sw) * sh) / AWidth / AHeight;
    for (int i = 0; i < AHeight; ++i)
        for (int j = 0; j < AWidth; ++j) {
            const float left = float(j * rx);
            const float top = float(i * ry);
            const float right = float((j + 1) * rx - 0.001);
            const float bottom = float((i + 1) * ry - 0.001);
            Fixed sum{};
            // Edges rounded up past the last line carry no weight: stop there.
            for (int k = int(std::floor(top)); k <= std::min(int(std::floor(bottom)), sh - 1); ++k) {
                const qint64 wy = Weight(k, top, bottom);
                for (int m = int(std::floor(left)); m <= std::min(int(std::floor(right)), sw - 1); ++m) {
                    const qint64 w = MulDiv(Weight(m, left, right), wy, One);
                    const Fixed pixel = ToFixed(Pixel(ASource, m, k));
                    for (int c = 0; c < 4; ++c)
                        sum[c] += MulDiv(w, pixel[c], One);
                }
            }
            for (int c = 0; c < 4; ++c)
                sum[c] = Round(sum[c] / area);
            reinterpret_cast<quint32 *>(dest.scanLine(i))[j] = FromFixed(sum, dest.format());
        }
    return dest;
}

// The size dispatch, row for row as the rules list it.
QImage ResizeTo(const QImage &ASource, int dw, int dh)
{
    const int sw = ASource.width();
    const int sh = ASource.height();
    if (sw == dw && sh == dh)
        return ASource;
    if ((sw == dw && sh > dh) || (sw > dw && sh > dh))
        return AreaAverage(ASource, dw, dh);
    if ((sw == dw && sh < dh) || (sw < dw && sh < dh))
        return Bilinear(ASource, dw, dh);
    if (sw > dw) // sh <= dh
        return AreaAverage(Bilinear(ASource, sw, dh), dw, dh);
    return AreaAverage(Bilinear(ASource, dw, sh), dw, dh); // sw < dw, sh >= dh
}

} // namespace Reference

// A bitmap from ARGB words, row by row.
QImage Bitmap(int AWidth, int AHeight, const QList<quint32> &APixels,
              QImage::Format AFormat = QImage::Format_ARGB32_Premultiplied)
{
    Q_ASSERT(APixels.size() == AWidth * AHeight);
    QImage image(AWidth, AHeight, AFormat);
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            reinterpret_cast<quint32 *>(image.scanLine(y))[x] = APixels[y * AWidth + x];
    return image;
}

QImage RandomBitmap(int AWidth, int AHeight, QImage::Format AFormat, quint32 ASeed)
{
    QRandomGenerator random(ASeed);
    QImage image(AWidth, AHeight, AFormat);
    for (int y = 0; y < AHeight; ++y)
        random.fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), AWidth);
    return image;
}

// Empty when equal, else where and how the two first differ.
QString Difference(const QImage &AActual, const QImage &AExpected)
{
    if (AActual.size() != AExpected.size() || AActual.format() != AExpected.format())
        return QStringLiteral("size or format differs: %1x%2 format %3, expected %4x%5 format %6")
            .arg(AActual.width()).arg(AActual.height()).arg(AActual.format())
            .arg(AExpected.width()).arg(AExpected.height()).arg(AExpected.format());
    for (int y = 0; y < AActual.height(); ++y)
        for (int x = 0; x < AActual.width(); ++x) {
            const quint32 actual = Reference::Pixel(AActual, x, y);
            const quint32 expected = Reference::Pixel(AExpected, x, y);
            if (actual != expected)
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x).arg(y).arg(actual, 8, 16, QLatin1Char('0')).arg(expected, 8, 16, QLatin1Char('0'));
        }
    return QString();
}

using TResize = std::function<bool(const QImage &, QImage &)>;

} // namespace

class tst_BitmapResizer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedCases_data()
    {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<QImage>("expected");

        // Red grows left to right, green top to bottom, blue both ways;
        // quarter steps put some blue values exactly on .5 (ties to even).
        QTest::newRow("2x2 to 4x4: bilinear, borders repeated")
            << Bitmap(2, 2, {0xFF00000A, 0xFFFF0014, 0xFF00C81E, 0xFFFFC828})
            << Bitmap(4, 4, {0xFF00000A, 0xFF40000C, 0xFFBF0012, 0xFFFF0014,
                             0xFF00320F, 0xFF403212, 0xFFBF3216, 0xFFFF3219,
                             0xFF009619, 0xFF40961C, 0xFFBF9620, 0xFFFF9623,
                             0xFF00C81E, 0xFF40C820, 0xFFBFC826, 0xFFFFC828});
        // Block weights 10000, 9990, 9990 and 9980 over an area of 4: white
        // stays white (254.745), a 2 in the last pixel gives 0.499, a 2 in
        // the first exactly 0.5 (to even: 0), ten everywhere 9.99.
        QTest::newRow("4x4 to 2x2: area, 0.001 shortening")
            << Bitmap(4, 4, {0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF000000,
                             0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000, 0xFF020000,
                             0xFF020000, 0xFF000000, 0xFF0A0A0A, 0xFF0A0A0A,
                             0xFF000000, 0xFF000000, 0xFF0A0A0A, 0xFF0A0A0A})
            << Bitmap(2, 2, {0xFFFFFFFF, 0xFF000000,
                             0xFF000000, 0xFF0A0A0A});
        // Bilinear across, then the area filter at ratio 1 both ways
        // (0.999 * 0.999): 255 becomes 254, 250 stays (249.5 to even).
        QTest::newRow("2x1 to 4x1: widening only, two steps")
            << Bitmap(2, 1, {0xFFFA0000, 0xFFFA00C8})
            << Bitmap(4, 1, {0xFEFA0000, 0xFEFA0032, 0xFEFA0096, 0xFEFA00C8});
        // Ratio 1 vertically: weights 9990 and 9980, area 2.
        QTest::newRow("4x1 to 2x1: narrowing only, area directly")
            << Bitmap(4, 1, {0xFFFF0000, 0xFFFF0064, 0xFFC8C900, 0xFFC90000})
            << Bitmap(2, 1, {0xFFFF0032, 0xFFC86400});
        QTest::newRow("1x1 to 4x3: uniform")
            << Bitmap(1, 1, {0x80402010})
            << Bitmap(4, 3, QList<quint32>(12, 0x80402010));
        const QImage random = RandomBitmap(5, 3, QImage::Format_ARGB32_Premultiplied, 1);
        QTest::newRow("5x3 to 5x3: copy") << random << random;
    }

    void workedCases()
    {
        QFETCH(QImage, source);
        QFETCH(QImage, expected);
        // The resizer must agree with the reference on these too, and the
        // reference with the hand-worked pixels.
        QCOMPARE(Difference(Reference::ResizeTo(source, expected.width(), expected.height()), expected), QString());
        QImage dest(expected.size(), source.format());
        QVERIFY(TBitmapResizer::ResizeTo(source, dest));
        QCOMPARE(Difference(dest, expected), QString());
    }

    void equalSizesArePlainCopies()
    {
        const QImage source = RandomBitmap(7, 4, QImage::Format_ARGB32_Premultiplied, 2);
        QImage dest(7, 4, QImage::Format_ARGB32_Premultiplied);
        QVERIFY(TBitmapResizer::ResizeTo(source, dest));
        QCOMPARE(dest.constBits(), source.constBits()); // shared, not filtered
    }

    void matchesReference_data()
    {
        QTest::addColumn<QSize>("sourceSize");
        QTest::addColumn<QSize>("destSize");
        QTest::addColumn<int>("format");

        const auto row = [](const char *AName, QSize ASource, QSize ADest,
                            QImage::Format AFormat = QImage::Format_ARGB32_Premultiplied) {
            QTest::newRow(AName) << ASource << ADest << int(AFormat);
        };
        // One row per branch of the size dispatch, then odd ratios, then
        // sizes large enough to be split across threads.
        row("same width, shorter", {9, 13}, {9, 5});
        row("same width, taller", {9, 5}, {9, 13});
        row("narrower, shorter", {17, 11}, {5, 4});
        row("narrower, same height", {17, 6}, {7, 6});
        row("narrower, taller", {17, 6}, {7, 15});
        row("wider, taller", {5, 4}, {17, 11});
        row("wider, same height", {5, 6}, {13, 6});
        row("wider, shorter", {5, 16}, {13, 7});
        row("to a single pixel", {23, 19}, {1, 1});
        row("coprime shrink", {101, 67}, {37, 29}, QImage::Format_ARGB32);
        row("coprime growth", {37, 29}, {101, 67}, QImage::Format_RGBA8888);
        row("premultiplied RGBA", {31, 7}, {12, 20}, QImage::Format_RGBA8888_Premultiplied);
        row("opaque RGB32 keeps its padding byte", {8, 5}, {21, 5}, QImage::Format_RGB32);
        row("opaque RGBX8888 keeps its padding byte", {21, 5}, {8, 9}, QImage::Format_RGBX8888);
        // Areas that are powers of two are divided by shifting.
        row("quarter size, area 16", {64, 48}, {16, 12});
        row("halved width, area 2", {40, 9}, {20, 9});
        // 325 rows to a destination row: more than one 16-bit column sum holds.
        row("rows summed in several parts", {3, 1300}, {3, 4});
        row("sums beyond 32 bits", {5, 30000}, {2, 3});
        row("threaded shrink", {700, 500}, {301, 199});
        row("threaded growth", {150, 110}, {640, 481});
        // A float cannot hold the 0.001 there: the far edge rounds onto the
        // next whole number, which at the border lies outside the bitmap.
        row("tall strip past float precision", {1, 40000}, {1, 3});
        row("wide strip past float precision", {40000, 1}, {26667, 1});
    }

    void matchesReference()
    {
        QFETCH(QSize, sourceSize);
        QFETCH(QSize, destSize);
        QFETCH(int, format);
        const QImage source = RandomBitmap(sourceSize.width(), sourceSize.height(), QImage::Format(format),
                                           quint32(qHash(QByteArray(QTest::currentDataTag()))));
        QImage dest(destSize, source.format());
        QVERIFY(TBitmapResizer::ResizeTo(source, dest));
        QCOMPARE(Difference(dest, Reference::ResizeTo(source, destSize.width(), destSize.height())), QString());
    }

    void filtersMatchReferenceCalledDirectly()
    {
        // Called directly, bilinear also serves a shrinking dimension.
        const QImage source = RandomBitmap(19, 23, QImage::Format_ARGB32_Premultiplied, 3);
        QImage bilinear(41, 9, source.format());
        QVERIFY(TBitmapResizer::BilinearTo(source, bilinear));
        QCOMPARE(Difference(bilinear, Reference::Bilinear(source, 41, 9)), QString());
        QImage area(19, 9, source.format());
        QVERIFY(TBitmapResizer::AreaAverageTo(source, area));
        QCOMPARE(Difference(area, Reference::AreaAverage(source, 19, 9)), QString());
    }

    void refusesWhatItCannotResample_data()
    {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<QSize>("destSize");

        const QImage rgba = RandomBitmap(4, 4, QImage::Format_ARGB32_Premultiplied, 4);
        QTest::newRow("three bytes per pixel") << rgba.convertToFormat(QImage::Format_RGB888) << QSize(2, 2);
        QTest::newRow("indexed") << rgba.convertToFormat(QImage::Format_Indexed8) << QSize(2, 2);
        QTest::newRow("16 bits per pixel") << rgba.convertToFormat(QImage::Format_RGB16) << QSize(2, 2);
        QTest::newRow("four bytes but 10-bit channels") << rgba.convertToFormat(QImage::Format_A2RGB30_Premultiplied)
                                                        << QSize(2, 2);
        QTest::newRow("null source") << QImage() << QSize(2, 2);
        QTest::newRow("source without rows") << QImage(4, 0, QImage::Format_ARGB32_Premultiplied) << QSize(2, 2);
        QTest::newRow("destination without columns") << rgba << QSize(0, 2);
    }

    void refusesWhatItCannotResample()
    {
        QFETCH(QImage, source);
        QFETCH(QSize, destSize);
        const QList<TResize> operations = {TBitmapResizer::ResizeTo, TBitmapResizer::BilinearTo,
                                           TBitmapResizer::AreaAverageTo};
        for (const TResize &operation : operations) {
            QImage dest(destSize, QImage::Format_ARGB32_Premultiplied);
            dest.fill(0x12345678);
            const QImage before = dest.copy();
            QVERIFY(!TBitmapResizer::CanResample(source, dest));
            QVERIFY(!operation(source, dest));
            QCOMPARE(dest, before);
        }
    }

    void areaFilterRefusesToGrow()
    {
        const QImage source = RandomBitmap(4, 4, QImage::Format_ARGB32_Premultiplied, 5);
        QImage dest(5, 3, source.format());
        dest.fill(0x12345678);
        const QImage before = dest.copy();
        QVERIFY(!TBitmapResizer::AreaAverageTo(source, dest));
        QCOMPARE(dest, before);
    }

    void otherDestinationFormatKeepsSizeAndFormat_data()
    {
        QTest::addColumn<int>("destFormat");
        QTest::newRow("RGBA8888") << int(QImage::Format_RGBA8888);
        QTest::newRow("RGB888, not resampled itself") << int(QImage::Format_RGB888);
    }

    void otherDestinationFormatKeepsSizeAndFormat()
    {
        // The resampling happens in the source's format; the result is then
        // converted into the destination's.
        QFETCH(int, destFormat);
        const QImage source = RandomBitmap(9, 7, QImage::Format_ARGB32, 6);
        for (const QSize size : {QSize(4, 3), QSize(9, 7), QSize(13, 5)}) {
            QImage dest(size, QImage::Format(destFormat));
            QVERIFY(TBitmapResizer::ResizeTo(source, dest));
            const QImage expected = Reference::ResizeTo(source, size.width(), size.height());
            QCOMPARE(dest, expected.convertToFormat(QImage::Format(destFormat)));
        }
    }

    void destinationSharingTheSourceLeavesTheSourceAlone()
    {
        QImage image = RandomBitmap(6, 6, QImage::Format_ARGB32_Premultiplied, 7);
        const QImage original = image.copy();
        QImage dest = image; // shares the pixels
        QVERIFY(TBitmapResizer::AreaAverageTo(image, dest));
        QCOMPARE(image, original);
        QCOMPARE(Difference(dest, Reference::AreaAverage(original, 6, 6)), QString());
        QVERIFY(TBitmapResizer::BilinearTo(image, image)); // the same object on both sides
        QCOMPARE(image, original); // bilinear at ratio 1 copies exactly
    }

    void fixedPointRounding_data()
    {
        QTest::addColumn<qint64>("factor1");
        QTest::addColumn<qint64>("factor2");
        QTest::addColumn<qint64>("divisor");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("below half") << qint64(4) << qint64(1) << qint64(10) << qint64(0);
        QTest::newRow("half to even, down") << qint64(25) << qint64(1) << qint64(10) << qint64(2);
        QTest::newRow("half to even, up") << qint64(35) << qint64(1) << qint64(10) << qint64(4);
        QTest::newRow("negative half to even") << qint64(-25) << qint64(1) << qint64(10) << qint64(-2);
        QTest::newRow("negative above half") << qint64(-26) << qint64(1) << qint64(10) << qint64(-3);
        QTest::newRow("negative divisor") << qint64(35) << qint64(1) << qint64(-10) << qint64(-4);
        QTest::newRow("weights") << qint64(9990) << qint64(9990) << qint64(10000) << qint64(9980);
        // (2^62 + 1) * 6 / 4 = 1.5 * 2^62 + 1.5: needs 128 bits, rounds up to even
        QTest::newRow("product beyond 64 bits") << (qint64(1) << 62) + 1 << qint64(6) << qint64(4)
                                                << (qint64(3) << 61) + 2;
    }

    void fixedPointRounding()
    {
        QFETCH(qint64, factor1);
        QFETCH(qint64, factor2);
        QFETCH(qint64, divisor);
        QFETCH(qint64, expected);
        QCOMPARE(TFixedPoint::MulDivRound(factor1, factor2, divisor), expected);
        QCOMPARE(Reference::MulDiv(factor1, factor2, std::abs(divisor)) * (divisor < 0 ? -1 : 1), expected);
    }
};

QTEST_GUILESS_MAIN(tst_BitmapResizer)
#include "tst_BitmapResizer.moc"
