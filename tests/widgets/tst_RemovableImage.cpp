#include "controls/RemovableImage.h"
#include "platform/Application.h"
#include "platform/ConvertError.h"
#include "platform/ServiceRegistry.h"
#include "support/TestMouse.h"

#include <QCoreApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using TestSupport::TTestMouse;

namespace {

class TCountingImage : public TRemovableImage
{
public:
    QList<bool> FChanges;

protected:
    void OverPartsVisibleChanged(bool AVisible) override { FChanges.append(AVisible); }
};

// Mouse-up called directly, so an escaping error is seen by the test.
class TReleasableImage : public TRemovableImage
{
public:
    using TRemovableImage::mouseReleaseEvent;
};

void MoveMouse(QWidget *AWidget, QPoint ALocal)
{
    QMouseEvent move(QEvent::MouseMove, ALocal, AWidget->mapToGlobal(QPointF(ALocal)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(AWidget, &move);
}

} // namespace

class tst_RemovableImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TServiceRegistry::AddService<IMouseService>(FMouse); }

    void hoverShowsUntilThePointerLeaves_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<bool>("stays");
        QTest::newRow("inside") << QPoint(50, 40) << true;
        QTest::newRow("on the right edge") << QPoint(100, 40) << true;
        QTest::newRow("on the bottom edge") << QPoint(50, 80) << true;
        QTest::newRow("right of it") << QPoint(101, 40) << false;
        QTest::newRow("below it") << QPoint(50, 81) << false;
        QTest::newRow("left of it") << QPoint(-1, 40) << false;
        QTest::newRow("above it") << QPoint(50, -1) << false;
    }
    void hoverShowsUntilThePointerLeaves()
    {
        QFETCH(QPoint, pointer);
        QFETCH(bool, stays);
        TCountingImage image;
        image.resize(100, 80);
        image.show();
        QVERIFY(!image.OverlayRoot()->isVisible());
        MoveMouse(&image, QPoint(10, 10));
        MoveMouse(&image, QPoint(20, 10));
        QVERIFY(image.OverlayRoot()->isVisible());
        QCOMPARE(image.FChanges, QList<bool>({true}));

        FMouse->FPos = image.mapToGlobal(QPointF(pointer));
        if (stays) {
            QTest::qWait(250);
            QCOMPARE(image.FChanges, QList<bool>({true}));
            QVERIFY(image.OverlayRoot()->isVisible());
        } else {
            QTRY_COMPARE(image.FChanges, QList<bool>({true, false}));
            QVERIFY(!image.OverlayRoot()->isVisible());
            QTest::qWait(150);
            QCOMPARE(image.FChanges.size(), 2);
        }
    }

    void closeButtonDestroysOnce()
    {
        auto *image = new TRemovableImage;
        QPointer<TRemovableImage> alive(image);
        int willDestroy = 0, destroyed = 0;
        image->OnWillDestroy = [&](TRemovableImage *ASender) {
            ++willDestroy;
            QCOMPARE(ASender, image);
            QVERIFY(alive); // still valid during the handler
        };
        connect(image, &QObject::destroyed, this, [&] { ++destroyed; });
        image->CloseButton()->click();
        image->CloseButton()->click();
        QVERIFY(alive);
        QCOMPARE(willDestroy, 1);
        QTRY_VERIFY(!alive);
        QCOMPARE(destroyed, 1);
        QCOMPARE(willDestroy, 1);
    }

    void overParts()
    {
        TRemovableImage image;
        image.resize(100, 80);
        image.show();
        auto *part = new QWidget;
        QPointer<QWidget> partAlive(part);
        image.AddOverParts(part);
        image.AddOverParts(part);
        QCOMPARE(image.Parts(), QList<QWidget *>({part, part}));
        QCOMPARE(part->parentWidget(), image.OverlayRoot());
        QVERIFY(!part->isVisible());
        MoveMouse(&image, QPoint(5, 5));
        QVERIFY(part->isVisible());
        image.RemoveOverParts(part);
        QVERIFY(!partAlive);
        QVERIFY(image.Parts().isEmpty());
    }

    void buttonSize()
    {
        TRemovableImage image;
        image.resize(100, 80);
        image.show();
        MoveMouse(&image, QPoint(5, 5));
        QCOMPARE(image.ButtonSize(), 16.0);
        image.OverlayRoot()->layout()->activate();
        image.ButtonBase()->layout()->activate();
        QCOMPARE(image.ButtonBase()->height(), 24);
        QCOMPARE(image.CloseButton()->size(), QSize(16, 16));

        image.SetButtonSize(20);
        image.OverlayRoot()->layout()->activate();
        image.ButtonBase()->layout()->activate();
        QCOMPARE(image.ButtonBase()->height(), 28);
        QCOMPARE(image.CloseButton()->size(), QSize(16, 20));
    }

    void styleLookupReportsTheControl()
    {
        TRemovableImage image;
        QList<TRemovableImage *> senders;
        image.OnApplyStyleLookup = [&](TRemovableImage *ASender) { senders.append(ASender); };
        image.SetStyleLookup("closebutton");
        QVERIFY(senders.isEmpty()); // no style taken before the button is shown
        image.show();
        MoveMouse(&image, QPoint(5, 5));
        QCOMPARE(senders, QList<TRemovableImage *>({&image}));
        image.SetStyleLookup("otherbutton");
        QCOMPARE(image.StyleLookup(), QString("otherbutton"));
        QCOMPARE(senders.size(), 2);
    }

    void mouseUpSwallowsOnlyConversionErrors()
    {
        TReleasableImage image;
        int calls = 0;
        bool conversion = true;
        image.OnMouseUp = [&](TImageControl *, QMouseEvent *) {
            ++calls;
            if (conversion)
                throw EConvertError("not a number");
            throw std::runtime_error("壊れた");
        };
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        image.mouseReleaseEvent(&release);
        conversion = false;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, image.mouseReleaseEvent(&release));
        QCOMPARE(calls, 2);
    }

private:
    std::shared_ptr<TTestMouse> FMouse = std::make_shared<TTestMouse>();
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_RemovableImage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_RemovableImage.moc"
