#include "model/StickyBounds.h"
#include "model/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

// With a GUI application the note model places notes on the real screen.
class tst_WorkArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void primaryScreenArea()
    {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(available != TWorkArea::FallbackArea);
        QCOMPARE(TWorkArea::PrimaryDisplay(), available);
        QCOMPARE(TWorkArea::Desktop(), available);
        const TStickyBounds bounds;
        QCOMPARE(bounds.NormalBounds().Left, float((available.left() + (available.width() - 320) / 2)));
        QCOMPARE(bounds.NormalBounds().Top, float((available.top() + (available.height() - 240) / 2)));
        QCOMPARE(bounds.NormalBounds().Width(), 320.0f);
    }
};

QTEST_MAIN(tst_WorkArea)
#include "tst_WorkArea.moc"
