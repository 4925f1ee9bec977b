#include "graphics/BitmapResizer.h"
#include "model/ColorTheme.h"
#include "platform/ImageControl.h"
#include "store/DataSerializer.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

QImage Picture(int AWidth, int AHeight)
{
    QImage picture(AWidth, AHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, AWidth, AHeight);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, QColor(250, 200, 40));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::white, 9));
    painter.drawEllipse(picture.rect().adjusted(40, 40, -40, -40));
    return picture;
}

TColorTheme ThemeWithBack(const QString &ABackFile, float AOpacity)
{
    TColorTheme theme;
    theme.Create(QStringLiteral("テスト"), 0xFFFFFFFF, 0, 0, 0, 0, 0, 0);
    theme.FBackFile = ABackFile;
    theme.FBackOpacity = AOpacity;
    return theme;
}

// Counts the paint events of a widget.
class TPaintCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *AEvent) override
    {
        if (AEvent->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

} // namespace

class tst_ColorThemeSetBack : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FFolder;
    QString FPicturePath;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FFolder.isValid());
        FPicturePath = FFolder.filePath(QStringLiteral("back.png"));
        QVERIFY(Picture(1000, 750).save(FPicturePath));
    }

    void resamplesToTheControlWidth()
    {
        TImageControl image;
        image.resize(300, 400);
        image.SetOpacity(1);
        ThemeWithBack(FPicturePath, 0.25f).SetBack(&image, false);
        QCOMPARE(image.Bitmap().size(), QSize(300, 225)); // 750 * 300 div 1000
        QCOMPARE(image.Opacity(), 0.25);
        QImage expected(300, 225, QImage::Format_ARGB32_Premultiplied);
        QVERIFY(TBitmapResizer::ResizeTo(Picture(1000, 750), expected));
        QCOMPARE(image.Bitmap(), expected);
        TestSupport::SaveRendered(image.grab().toImage(), QStringLiteral("SetBack_fitted.png"));
    }

    void heightIsTruncated()
    {
        TImageControl image;
        image.resize(7, 10);
        ThemeWithBack(FPicturePath, 0.5f).SetBack(&image, false);
        QCOMPARE(image.Bitmap().size(), QSize(7, 5)); // 750 * 7 / 1000 = 5.25
    }

    void highSpeedKeepsThePictureSize()
    {
        TImageControl image;
        image.resize(300, 400);
        ThemeWithBack(FPicturePath, 0.75f).SetBack(&image, true);
        QCOMPARE(image.Bitmap(), Picture(1000, 750));
        QCOMPARE(image.Opacity(), 0.75);
    }

    void relativePathsResolveAgainstTheDataFolder()
    {
        const QString dataPath = TDataSerializer::GetDataPath();
        QVERIFY(QDir(dataPath).mkpath(QStringLiteral("backs")));
        QVERIFY(Picture(40, 30).save(QDir(dataPath).filePath(QStringLiteral("backs/small.png"))));
        TImageControl image;
        image.resize(20, 20);
        ThemeWithBack(QStringLiteral("backs/small.png"), 0.5f).SetBack(&image, false);
        QCOMPARE(image.Bitmap().size(), QSize(20, 15));
        QCOMPARE(QDir::current(), QDir(dataPath));
    }

    void clearsSilently_data()
    {
        QTest::addColumn<QString>("backFile");
        QTest::newRow("no background") << QString();
        QTest::newRow("missing file") << FFolder.filePath(QStringLiteral("missing.png"));
        QTest::newRow("a folder") << FFolder.path();
        const QString unknown = FFolder.filePath(QStringLiteral("back.unknownext"));
        QFile::copy(FPicturePath, unknown); // a picture, but no codec goes by that extension
        QTest::newRow("extension without codec") << unknown;
    }

    void clearsSilently()
    {
        QFETCH(QString, backFile);
        for (const bool highSpeed : {false, true}) {
            TImageControl image;
            image.resize(300, 400);
            image.SetBitmap(Picture(10, 10));
            image.SetOpacity(0.9);
            ThemeWithBack(backFile, 0.25f).SetBack(&image, highSpeed);
            QVERIFY(image.Bitmap().isNull());
            QCOMPARE(image.Opacity(), 0.9);
        }
    }

    void undecodablePictureThrowsAndResumesUpdates()
    {
        const QString broken = FFolder.filePath(QStringLiteral("broken.png"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();

        TImageControl image;
        image.resize(300, 400);
        const QImage before = Picture(10, 10);
        image.SetBitmap(before);
        image.SetOpacity(0.9);
        image.show();
        QVERIFY(QTest::qWaitForWindowExposed(&image));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ThemeWithBack(broken, 0.25f).SetBack(&image, false));
        QCOMPARE(image.Bitmap(), before);
        QCOMPARE(image.Opacity(), 0.9);

        TPaintCounter paints;
        image.installEventFilter(&paints);
        image.SetOpacity(0.5); // repaints only if the failed call resumed updates
        QTRY_VERIFY(paints.Count > 0);
    }

    void noControlIsIgnored()
    {
        ThemeWithBack(FPicturePath, 0.25f).SetBack(nullptr, false);
    }
};

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    tst_ColorThemeSetBack test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ColorThemeSetBack.moc"
