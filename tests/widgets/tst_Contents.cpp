#include "controls/StickyImage.h"
#include "model/Contents.h"
#include "store/StreamHelper.h"
#include "support/GIFBuilder.h"

#include <QApplication>
#include <QBuffer>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QImage Picture(QRgb AColor)
{
    QImage image(4, 3, QImage::Format_ARGB32_Premultiplied);
    image.fill(AColor);
    return image;
}

QByteArray Written(const TContents &AContents)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    AContents.WriteToStream(buffer);
    return buffer.data();
}

QBuffer *Reading(const QByteArray &ABytes, QObject *AParent)
{
    auto *buffer = new QBuffer(AParent);
    buffer->setData(ABytes);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

// A 2 x 2 GIF frame shown for a tenth of a second.
TestSupport::TGIFTestFrame Frame(const QByteArray &AIndices)
{
    TestSupport::TGIFTestFrame frame;
    frame.Width = 2;
    frame.Height = 2;
    frame.Indices = AIndices;
    frame.Delay = 10;
    return frame;
}

// Contents without images: the count 0 directly followed by the body.
QByteArray BodyOnly(const QString &ABody)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TStreamHelper(buffer).WriteInteger(0);
    TStreamHelper(buffer).WriteString(ABody);
    return buffer.data();
}

} // namespace

class tst_Contents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newContents()
    {
        const TContents contents;
        QVERIFY(contents.Images().isEmpty());
        QCOMPARE(contents.Body(), QString());
        QCOMPARE(contents.HasImage(), false);
        QCOMPARE(contents.Modified(), false);
        QCOMPARE(Written(contents).toHex(' '), QByteArray(12, 0).toHex(' '));
    }

    void imageDestroyedElsewhereLeavesList()
    {
        TContents contents;
        TStickyImage *image = contents.NewImage();
        QVERIFY(contents.HasImage());
        QCOMPARE(image->parent(), nullptr);
        contents.ClearModified();
        delete image;
        QVERIFY(contents.Images().isEmpty());
        QCOMPARE(contents.Modified(), true);
    }

    void clearDestroysEveryImage()
    {
        TContents contents;
        int destroyed = 0;
        for (int i = 0; i < 3; ++i)
            connect(contents.NewImage(), &QObject::destroyed, this, [&] { ++destroyed; });
        contents.ClearModified();
        contents.Clear();
        QCOMPARE(destroyed, 3);
        QVERIFY(contents.Images().isEmpty());
        QCOMPARE(contents.Modified(), true);
    }

    void destroyingContentsDestroysImagesNotMemo()
    {
        QPlainTextEdit memo(QStringLiteral("kept"));
        int destroyed = 0;
        {
            TContents contents;
            contents.AssignMemo(&memo);
            connect(contents.NewImage(), &QObject::destroyed, this, [&] { ++destroyed; });
        }
        QCOMPARE(destroyed, 1);
        QCOMPARE(memo.toPlainText(), QStringLiteral("kept"));
    }

    void memoHoldsTheBody()
    {
        TContents contents;
        QVERIFY(contents.ReadFromStream(*Reading(BodyOnly(QStringLiteral("held")), this), 5, nullptr));
        QCOMPARE(contents.Body(), QStringLiteral("held"));

        auto *memo = new QPlainTextEdit(QStringLiteral("in memo"));
        contents.AssignMemo(memo);
        QCOMPARE(contents.Memo(), memo);
        QCOMPARE(contents.Body(), QStringLiteral("in memo"));
        // Reading writes the control's text and leaves the held one alone.
        contents.ReadFromStream(*Reading(BodyOnly(QStringLiteral("from file")), this), 5, nullptr);
        QCOMPARE(memo->toPlainText(), QStringLiteral("from file"));
        contents.AssignMemo(nullptr);
        QCOMPARE(contents.Body(), QStringLiteral("held"));

        // A control destroyed while attached is forgotten.
        contents.AssignMemo(memo);
        delete memo;
        QCOMPARE(contents.Memo(), nullptr);
        QCOMPARE(contents.Body(), QStringLiteral("held"));
    }

    void roundTripWithTwoImages()
    {
        // A still picture, then an animated GIF: the GIF record has no
        // length, so the body after it reads right only if the GIF's own
        // end is found.
        const QByteArray gif = TestSupport::TGIFBuilder(2, 2, {0xFF000000, 0xFFFFFFFF})
                                   .AddFrame(Frame(QByteArray("\0\1\1\0", 4)))
                                   .AddFrame(Frame(QByteArray("\1\0\0\1", 4)))
                                   .Bytes();
        TContents source;
        TStickyImage *still = source.NewImage();
        still->SetFilename(QStringLiteral("first.png"));
        still->SetBitmap(Picture(0xFFFF0000));
        TStickyImage *animated = source.NewImage();
        animated->SetFilename(QStringLiteral("second.gif"));
        QBuffer gifStream;
        gifStream.setData(gif);
        gifStream.open(QIODevice::ReadOnly);
        QVERIFY(animated->TryLoadAnimationGIF(&gifStream));
        const QByteArray bytes = Written(source);

        TContents target;
        QStringList seen;
        QBuffer *stream = Reading(bytes + "tail", this);
        QVERIFY(target.ReadFromStream(*stream, 1, [&](TStickyImage *AImage) {
            // Called once the image has read its record.
            QCOMPARE(AImage, target.Images().last());
            seen << AImage->Filename();
        }));
        QCOMPARE(stream->read(4), QByteArray("tail"));
        QCOMPARE(seen, QStringList({"first.png", "second.gif"}));
        QCOMPARE(target.Images().size(), 2);
        QCOMPARE(target.Images().at(0)->Bitmap(), Picture(0xFFFF0000));
        QVERIFY(!target.Images().at(0)->IsAnimatedGIF());
        QVERIFY(target.Images().at(1)->IsAnimatedGIF());
        QCOMPARE(target.Images().at(1)->GIFStream()->readAll(), gif);
        QCOMPARE(target.Modified(), true);
        QCOMPARE(Written(target), bytes);
    }

    void readingDropsListedImages()
    {
        TContents contents;
        TStickyImage *old = contents.NewImage();
        QBuffer *stream = Reading(QByteArray(12, 0), this);
        contents.ReadFromStream(*stream, 5, nullptr);
        QVERIFY(contents.Images().isEmpty());
        // Dropped, not destroyed: whoever placed it in a window owns it now.
        delete old;
        QVERIFY(contents.Images().isEmpty());
    }

    void badInputRaises_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no body") << QByteArray(4, 0);
        QTest::newRow("huge image count") << QByteArray::fromHex("ffffff7f") + QByteArray(40, 0);
        QTest::newRow("impossible body length") << QByteArray::fromHex("00000000 ffffffff00000000");
    }

    void badInputRaises()
    {
        QFETCH(QByteArray, bytes);
        TContents contents;
        QBuffer *stream = Reading(bytes, this);
        QVERIFY_THROWS_EXCEPTION(EStreamError, contents.ReadFromStream(*stream, 5, nullptr));
    }
};

QTEST_MAIN(tst_Contents)
#include "tst_Contents.moc"
