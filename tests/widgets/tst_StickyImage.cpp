#include "controls/CaptionBar.h"
#include "controls/StickyImage.h"
#include "graphics/GIFLZWDecoderFactory.h"
#include "platform/Application.h"
#include "platform/ServiceRegistry.h"
#include "support/TestMouse.h"
#include "store/StreamHelper.h"
#include "support/GIFBuilder.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using TestSupport::TGIFBuilder;
using TestSupport::TGIFTestFrame;

using TestSupport::TTestMouse;

namespace {

constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00;

// Two 2 x 2 frames, red then green, 20 ms each.
QByteArray TwoFrameGIF()
{
    TGIFBuilder builder(2, 2, {Red, Green});
    for (const char index : {0, 1}) {
        TGIFTestFrame frame;
        frame.Width = 2;
        frame.Height = 2;
        frame.Indices = QByteArray(4, index);
        frame.Delay = 0;
        builder.AddFrame(frame);
    }
    return builder.Bytes();
}

QImage Pattern()
{
    QImage image(6, 4, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, qRgba(x * 40, y * 60, 200, 255));
    return image;
}

// A record written by AWrite, followed by the integer 1234.
QByteArray Record(const std::function<void(QIODevice *)> &AWrite)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    AWrite(&buffer);
    TStreamHelper(buffer).WriteInteger(1234);
    return bytes;
}

QRgb ShownPixel(const TStickyImage &AImage)
{
    return AImage.Bitmap().isNull() ? 0 : AImage.Bitmap().pixel(0, 0);
}

void MoveMouse(QWidget *AWidget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), AWidget->mapToGlobal(QPointF(1, 1)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(AWidget, &move);
}

} // namespace

class tst_StickyImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        TGIFLZWDecoderFactory::Register();
        TServiceRegistry::AddService<IMouseService>(FMouse);
    }

    void initCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::newRow("without extension") << "写真" << "写真.png";
        QTest::newRow("with extension") << "photo.jpg" << "photo.jpg";
    }
    void initCaption()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QWidget parent;
        auto *row = new QHBoxLayout(&parent);
        auto *earlier = new QWidget;
        row->addWidget(earlier);
        auto *image = new TStickyImage;
        image->SetBitmap(QImage(640, 480, QImage::Format_ARGB32_Premultiplied));
        TStickyImage *called = nullptr;
        image->Init(&parent, name, QFont(), "closebutton", [&](TStickyImage *AImage) { called = AImage; });
        QCOMPARE(called, image);
        QCOMPARE(image->Filename(), stored);
        QCOMPARE(image->StyleLookup(), QString("closebutton"));
        QCOMPARE(image->Caption()->NameText(), stored);
        QCOMPARE(image->Caption()->SizeText(), QString(" 640 x 480 "));
        QCOMPARE(image->Parts(), QList<QWidget *>({image->Caption()}));
        QCOMPARE(image->parentWidget(), &parent);
        QCOMPARE(row->indexOf(image), 1);
    }

    void rendersTheOverlay()
    {
        TStickyImage image;
        image.SetBitmap(Pattern().scaled(240, 160));
        image.Init(nullptr, "ふせん写真", QFont(), "closebutton");
        image.resize(240, 160);
        MoveMouse(&image);
        const QImage shot = image.grab().toImage();
        TestSupport::SaveRendered(shot, "StickyImage_hovered.png");
        // The caption's translucent black lies over the bottom rows.
        const QColor bottom = shot.pixelColor(120, shot.height() - 2);
        QVERIFY(bottom.red() < 60 && bottom.blue() < 90);
    }

    void staticImageRoundTrip()
    {
        TStickyImage image;
        image.SetBitmap(Pattern());
        image.SetFilename("a.png");
        image.SetStyleLookup("closebutton");
        QByteArray bytes = Record([&](QIODevice *AStream) { image.WriteToStream(AStream); });
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TStickyImage read;
        read.ReadFromStream(&buffer);
        QCOMPARE(TStreamHelper(buffer).ReadInteger(), 1234);
        QCOMPARE(read.Filename(), QString("a.png"));
        QCOMPARE(read.StyleLookup(), QString("closebutton"));
        QVERIFY(!read.IsAnimatedGIF());
        QCOMPARE(read.Bitmap().convertToFormat(QImage::Format_ARGB32), Pattern().convertToFormat(QImage::Format_ARGB32));
    }

    void gifRoundTripAndAnimation_data()
    {
        QTest::addColumn<bool>("alwaysAnimate");
        QTest::newRow("while hovered") << false;
        QTest::newRow("always") << true;
    }
    void gifRoundTripAndAnimation()
    {
        QFETCH(bool, alwaysAnimate);
        QByteArray gif = TwoFrameGIF();
        QBuffer source(&gif);
        source.open(QIODevice::ReadOnly);
        TStickyImage image;
        QVERIFY(image.TryLoadAnimationGIF(&source));
        QByteArray bytes = Record([&](QIODevice *AStream) {
            image.SetAlwaysAnimate(alwaysAnimate);
            image.WriteToStream(AStream);
            image.SetAlwaysAnimate(false);
        });

        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TStickyImage read;
        read.resize(20, 20);
        read.ReadFromStream(&buffer);
        QCOMPARE(TStreamHelper(buffer).ReadInteger(), 1234);
        QVERIFY(read.IsAnimatedGIF());
        QCOMPARE(read.AlwaysAnimate(), alwaysAnimate);
        QCOMPARE(read.GIFStream()->readAll(), gif);
        if (alwaysAnimate) {
            QTRY_COMPARE(ShownPixel(read), Green);
        } else {
            QCOMPARE(ShownPixel(read), Red);
            QTest::qWait(100);
            QCOMPARE(ShownPixel(read), Red);
            read.show();
            FMouse->FPos = read.mapToGlobal(QPointF(5, 5)); // the pointer stays over it
            MoveMouse(&read);
            QTRY_COMPARE(ShownPixel(read), Green);
        }
    }

    void brokenPictureGivesAnEmptyStaticImage_data()
    {
        QTest::addColumn<bool>("isGIF");
        QTest::addColumn<QByteArray>("picture");
        QTest::newRow("not a loadable GIF") << true << QByteArray("GIF87a and then nothing useful");
        QTest::newRow("PNG bytes broken") << false << QByteArray("\x0A\0\0\0\0\0\0\0not a png!", 18);
        QTest::newRow("PNG cut short") << false << QByteArray("\xFF\0\0\0\0\0\0\0abc", 11);
    }
    void brokenPictureGivesAnEmptyStaticImage()
    {
        QFETCH(bool, isGIF);
        QFETCH(QByteArray, picture);
        QByteArray bytes = Record([&](QIODevice *AStream) {
            TStreamHelper stream(*AStream);
            stream.WriteString("b.gif");
            stream.WriteString("closebutton");
            stream.WriteBoolean(true);
            stream.WriteBoolean(isGIF);
            AStream->write(picture);
        });
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TStickyImage read;
        read.ReadFromStream(&buffer);
        QCOMPARE(read.Filename(), QString("b.gif"));
        QVERIFY(!read.IsAnimatedGIF());
        // A failed GIF load clears the flag; a static picture keeps it as stored.
        QCOMPARE(read.AlwaysAnimate(), !isGIF);
        QVERIFY(read.Bitmap().isNull());
    }

    void errorsBeforeThePicturePropagate()
    {
        QByteArray bytes = Record([](QIODevice *AStream) { TStreamHelper(*AStream).WriteString("c.png"); });
        bytes.chop(4 + 3); // the integer, and part of the name
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        TStickyImage read;
        QVERIFY_THROWS_EXCEPTION(EStreamError, read.ReadFromStream(&buffer));
    }

    void alwaysAnimateNeedsAGIF()
    {
        TStickyImage image;
        image.SetBitmap(Pattern());
        image.SetAlwaysAnimate(true);
        QVERIFY(!image.AlwaysAnimate());
    }

    void saveToFile()
    {
        QTemporaryDir folder;
        QByteArray gif = TwoFrameGIF();
        QBuffer source(&gif);
        source.open(QIODevice::ReadOnly);
        TStickyImage animated;
        QVERIFY(animated.TryLoadAnimationGIF(&source));
        animated.SaveToFile(folder.filePath("anim.png"));
        QFile saved(folder.filePath("anim.png"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), gif);

        TStickyImage still;
        still.SetBitmap(Pattern());
        still.SaveToFile(folder.filePath("still.png"));
        QCOMPARE(QImage(folder.filePath("still.png")).convertToFormat(QImage::Format_ARGB32),
                 Pattern().convertToFormat(QImage::Format_ARGB32));

        QVERIFY_THROWS_EXCEPTION(std::runtime_error, still.SaveToFile(folder.filePath("still.unknown")));
        QVERIFY(!QFile::exists(folder.filePath("still.unknown")));
    }

private:
    std::shared_ptr<TTestMouse> FMouse = std::make_shared<TTestMouse>();
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_StickyImage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_StickyImage.moc"
