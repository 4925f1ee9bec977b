#include "controls/URLMemo.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

// One reported click, as OnURLClick passed it.
struct TClick
{
    Qt::MouseButton Button;
    bool IsDoubleClick;
    QString URL;
    bool operator==(const TClick &) const = default;
};
Q_DECLARE_METATYPE(TClick)

namespace QTest {
template <>
char *toString(const TClick &AClick)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)")
                       .arg(int(AClick.Button))
                       .arg(AClick.IsDoubleClick ? "double" : "single", AClick.URL)
                       .toUtf8()
                       .constData());
}
} // namespace QTest

namespace {

const QColor TextColor(Qt::black);
const QColor BaseColor(Qt::white);
const QColor HostColor(40, 160, 60);

// A memo on a coloured host widget, shown offscreen and painted once.
struct TMemoFixture
{
    QWidget Host;
    TURLMemo *Memo;
    QList<TClick> Clicks;

    explicit TMemoFixture(const QString &AText, QSize ASize = QSize(360, 160), bool ATransparent = false)
    {
        Host.resize(ASize);
        Host.setAutoFillBackground(true);
        QPalette hostPalette = Host.palette();
        hostPalette.setColor(QPalette::Window, HostColor);
        Host.setPalette(hostPalette);

        Memo = new TURLMemo(&Host);
        Memo->setGeometry(QRect(QPoint(0, 0), ASize));
        Memo->setFrameShape(QFrame::NoFrame);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(16);
        Memo->setFont(font);
        QPalette palette = Memo->palette();
        palette.setColor(QPalette::Base, ATransparent ? QColor(Qt::transparent) : BaseColor);
        palette.setColor(QPalette::Text, TextColor);
        Memo->setPalette(palette);
        Memo->setPlainText(AText);
        Memo->OnURLClick = [this](TURLMemo *ASender, Qt::MouseButton AButton, bool AIsDoubleClick,
                                  const QString &AURL) {
            QCOMPARE(ASender, Memo);
            Clicks.append({AButton, AIsDoubleClick, AURL});
        };
        Host.show();
        if (!QTest::qWaitForWindowExposed(&Host))
            qFatal("memo host not exposed");
        Paint();
    }

    void Paint() { Memo->viewport()->repaint(); }

    // A point on the text area inside the character at (line, column).
    QPoint PointAt(int ALine, int AColumn) const
    {
        QTextCursor cursor(Memo->document()->findBlockByNumber(ALine));
        cursor.setPosition(cursor.block().position() + AColumn);
        const QRect rect = Memo->cursorRect(cursor);
        return QPoint(rect.left() + 3, rect.center().y());
    }

    // The host's picture; the text area starts at its top-left corner.
    QImage Render() { return Host.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // Where the layout positions [AFrom, ATo) of a line's first row are
    // painted, a little inside; the memo is scrolled to the top.
    QRect CellOf(int ALine, int AFrom, int ATo) const
    {
        const QTextBlock block = Memo->document()->findBlockByNumber(ALine);
        const QTextLine row = block.layout()->lineAt(0);
        const qreal top = Memo->document()->documentMargin() + row.y();
        return QRectF(QPointF(row.cursorToX(AFrom) + 1, top + 1), QPointF(row.cursorToX(ATo) - 1, top + row.height() - 1))
            .toRect();
    }
};

int CountPixels(const QImage &AImage, const QRect &ARect, const std::function<bool(QColor)> &AMatch)
{
    int count = 0;
    for (int y = ARect.top(); y <= ARect.bottom(); ++y)
        for (int x = ARect.left(); x <= ARect.right(); ++x)
            if (AMatch(AImage.pixelColor(x, y)))
                ++count;
    return count;
}

bool Near(QColor A, QColor B, int ATolerance = 12)
{
    return std::abs(A.red() - B.red()) <= ATolerance && std::abs(A.green() - B.green()) <= ATolerance
        && std::abs(A.blue() - B.blue()) <= ATolerance;
}

// Neutral dark pixels: what text in the text colour leaves behind.
bool Greyish(QColor AColor)
{
    return AColor.value() < 200 && AColor.saturation() < 40;
}

QStringList URLsOf(const QString &ALine, const QStringList &ASchemes)
{
    QStringList urls;
    for (const TURLMemo::TURLSpan &span : TURLMemo::FindURLs(ALine, ASchemes))
        urls << QStringLiteral("%1:%2").arg(span.Start).arg(ALine.mid(span.Start, span.Length));
    return urls;
}

const QStringList DefaultSchemes{QStringLiteral("http:"), QStringLiteral("https:")};

} // namespace

class tst_URLMemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findURLs_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("schemes");
        QTest::addColumn<QStringList>("found"); // "start:url"

        const QStringList none;
        QTest::newRow("ends before space") << "see http://a.jp/x now" << DefaultSchemes << QStringList{"4:http://a.jp/x"};
        QTest::newRow("runs to the line end") << "http://a.jp/x?q=1&r=2#top" << DefaultSchemes
                                              << QStringList{"0:http://a.jp/x?q=1&r=2#top"};
        QTest::newRow("inside parentheses") << "(http://a.jp/x)" << DefaultSchemes << QStringList{"1:http://a.jp/x"};
        QTest::newRow("comma and full stop belong") << "http://a.jp/, http://b.jp/." << DefaultSchemes
                                                    << QStringList{"0:http://a.jp/,", "14:http://b.jp/."};
        QTest::newRow("Japanese runs on") << "http://a.jp/xの説明\u3000です)" << DefaultSchemes
                                          << QStringList{"0:http://a.jp/xの説明\u3000です"};
        QTest::newRow("capitals are no scheme") << "HTTP://A.JP/ Http://a.jp/" << DefaultSchemes << none;
        QTest::newRow("scheme alone") << "http:" << DefaultSchemes << QStringList{"0:http:"};
        QTest::newRow("second scheme alone") << "x https:" << DefaultSchemes << QStringList{"2:https:"};
        QTest::newRow("https then http: first in list wins") << "https://a.jp/ http://b.jp/" << DefaultSchemes
                                                             << QStringList{"14:http://b.jp/"};
        QTest::newRow("http then https: both") << "http://b.jp/ https://a.jp/" << DefaultSchemes
                                               << QStringList{"0:http://b.jp/", "13:https://a.jp/"};
        QTest::newRow("adjacent URLs") << "http://a\"http://b" << DefaultSchemes
                                       << QStringList{"0:http://a", "9:http://b"};
        QTest::newRow("no schemes") << "http://a.jp/" << QStringList{} << none;
        QTest::newRow("only an empty scheme") << "http://a.jp/" << QStringList{""} << none;
        QTest::newRow("empty scheme skipped") << "go ftp://f.jp/" << QStringList{"", "ftp:"} << QStringList{"3:ftp://f.jp/"};
        QTest::newRow("empty line") << "" << DefaultSchemes << none;
    }

    void findURLs()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, schemes);
        QFETCH(QStringList, found);
        QCOMPARE(URLsOf(line, schemes), found);
    }

    // Exactly the sixteen delimiters end a URL; every other character up to
    // U+00FF, and every character above it, belongs to the URL.
    void delimiterSet()
    {
        const QString delimiters = QStringLiteral("\t\n\r \"()<>[\\]^{|}");
        QCOMPARE(delimiters.size(), 16);
        for (char16_t code = 1; code <= 0x3000; ++code) {
            const QString line = QStringLiteral("http://a") + QChar(code) + QStringLiteral("b");
            const bool ends = delimiters.contains(QChar(code));
            QCOMPARE(URLsOf(line, DefaultSchemes).value(0), QStringLiteral("0:") + (ends ? line.left(8) : line));
            if (code == 0x100)
                code = 0x2FFF; // the ideographic space stands for the rest
        }
    }

    void renderedURLTakesURLColor_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<quint32>("urlColor");
        QTest::newRow("opaque background") << false << quint32(TURLMemo::DefaultURLColor);
        QTest::newRow("transparent background, other colour") << true << quint32(0xFFE0301E);
    }

    void renderedURLTakesURLColor()
    {
        QFETCH(bool, transparent);
        QFETCH(quint32, urlColor);
        const QString text = QStringLiteral("abc http://example.com/x def");
        TMemoFixture fixture(text, QSize(360, 160), transparent);
        if (urlColor != fixture.Memo->URLColor())
            fixture.Memo->SetURLColor(urlColor); // repaints by itself
        QTRY_COMPARE(fixture.Memo->URLRegions().size(), 1);
        QCOMPARE(fixture.Memo->URLRegions().at(0).FURL, QStringLiteral("http://example.com/x"));

        const QImage image = fixture.Render();
        TestSupport::SaveRendered(image, QStringLiteral("urlmemo-%1.png").arg(transparent ? "transparent" : "opaque"));
        const QColor link = QColor::fromRgba(urlColor);
        const QColor background = transparent ? HostColor : BaseColor;
        const QRect url = fixture.CellOf(0, 4, 24);
        const QRect before = fixture.CellOf(0, 0, 3);
        const QRect after = fixture.CellOf(0, 25, 28);

        QVERIFY(CountPixels(image, url, [&](QColor c) { return Near(c, link, 2); }) > 20);
        QCOMPARE(CountPixels(image, url, Greyish), 0); // the editor's glyphs are gone
        QVERIFY(CountPixels(image, url, [&](QColor c) { return Near(c, background, 0); }) > 100);
        for (const QRect &plain : {before, after}) {
            QVERIFY(CountPixels(image, plain, [](QColor c) { return Near(c, TextColor, 2); }) > 10);
            QCOMPARE(CountPixels(image, plain, [&](QColor c) { return Near(c, link, 40); }), 0);
        }
    }

    void selectionKeepsHighlightUnderURL()
    {
        TMemoFixture fixture(QStringLiteral("abc http://example.com/x def"));
        fixture.Memo->setFocus();
        QTextCursor cursor = fixture.Memo->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(14, QTextCursor::KeepAnchor); // "abc http://exa"
        fixture.Memo->setTextCursor(cursor);
        fixture.Paint();

        const QImage image = fixture.Render();
        TestSupport::SaveRendered(image, QStringLiteral("urlmemo-selection.png"));
        const QColor highlight = fixture.Memo->palette().color(QPalette::Active, QPalette::Highlight);
        const QColor link = QColor::fromRgba(TURLMemo::DefaultURLColor);
        const QRect selectedURL = fixture.CellOf(0, 5, 13);
        const QRect unselectedURL = fixture.CellOf(0, 15, 24);
        QVERIFY(CountPixels(image, selectedURL, [&](QColor c) { return Near(c, highlight, 0); }) > 100);
        QVERIFY(CountPixels(image, selectedURL, [&](QColor c) { return Near(c, link, 2); }) > 10);
        QCOMPARE(CountPixels(image, unselectedURL, [&](QColor c) { return Near(c, highlight, 0); }), 0);
        QVERIFY(CountPixels(image, unselectedURL, [&](QColor c) { return Near(c, link, 2); }) > 10);
    }

    // While an input method composes inside a URL, the composition keeps the
    // editor's own painting; the URL's parts around it take the link colour.
    void compositionIsLeftAlone()
    {
        TMemoFixture fixture(QStringLiteral("http://example.com/abcdef"));
        fixture.Memo->setFocus();
        QTextCursor cursor = fixture.Memo->textCursor();
        cursor.setPosition(19); // between "/" and "abcdef"
        fixture.Memo->setTextCursor(cursor);
        QInputMethodEvent compose(QStringLiteral("WWW"), {});
        QApplication::sendEvent(fixture.Memo, &compose);
        fixture.Paint();

        const QImage image = fixture.Render();
        TestSupport::SaveRendered(image, QStringLiteral("urlmemo-composition.png"));
        QCOMPARE(fixture.Memo->toPlainText(), QStringLiteral("http://example.com/abcdef"));
        const QColor link = QColor::fromRgba(TURLMemo::DefaultURLColor);
        const QRect head = fixture.CellOf(0, 0, 18);
        const QRect composed = fixture.CellOf(0, 19, 22).adjusted(2, 0, -2, 0);
        const QRect tail = fixture.CellOf(0, 22, 28);
        QCOMPARE(CountPixels(image, head, Greyish), 0);
        QVERIFY(CountPixels(image, composed, [](QColor c) { return Near(c, TextColor, 2); }) > 10);
        QCOMPARE(CountPixels(image, composed, [&](QColor c) { return Near(c, link, 40); }), 0);
        QVERIFY(CountPixels(image, tail, [&](QColor c) { return Near(c, link, 2); }) > 10);
        QCOMPARE(CountPixels(image, tail, Greyish), 0);

        QInputMethodEvent commit(QString(), {});
        commit.setCommitString(QStringLiteral("ＷＷ"));
        QApplication::sendEvent(fixture.Memo, &commit);
        QCOMPARE(fixture.Memo->toPlainText(), QStringLiteral("http://example.com/ＷＷabcdef"));
        fixture.Paint();
        QCOMPARE(fixture.Memo->URLRegions().at(0).FURL, fixture.Memo->toPlainText());
    }

    // An edit inside a URL splits it, and the part cut off loses the colour.
    void editingALineRecolours()
    {
        TMemoFixture fixture(QStringLiteral("http://example.com/abcdef"));
        QTextCursor cursor = fixture.Memo->textCursor();
        cursor.setPosition(18);
        cursor.insertText(QStringLiteral(" "));
        fixture.Paint();
        QCOMPARE(fixture.Memo->URLRegions().size(), 1);
        QCOMPARE(fixture.Memo->URLRegions().at(0).FURL, QStringLiteral("http://example.com"));
        const QImage image = fixture.Render();
        const QColor link = QColor::fromRgba(TURLMemo::DefaultURLColor);
        QCOMPARE(CountPixels(image, fixture.CellOf(0, 0, 18), Greyish), 0);
        QVERIFY(CountPixels(image, fixture.CellOf(0, 19, 26), [](QColor c) { return Near(c, TextColor, 2); }) > 10);
        QCOMPARE(CountPixels(image, fixture.CellOf(0, 19, 26), [&](QColor c) { return Near(c, link, 40); }), 0);
    }

    void detectionOffPaintsAndHitsNothing()
    {
        TMemoFixture fixture(QStringLiteral("abc http://example.com/x def"));
        const QPoint onURL = fixture.PointAt(0, 10);
        QCOMPARE(fixture.Memo->URLAtPt(onURL.x(), onURL.y()), QStringLiteral("http://example.com/x"));
        fixture.Memo->SetURLDetection(false);
        fixture.Paint();
        QCOMPARE(fixture.Memo->URLAtPt(onURL.x(), onURL.y()), QString());
        const QImage image = fixture.Render();
        const QColor link = QColor::fromRgba(TURLMemo::DefaultURLColor);
        QCOMPARE(CountPixels(image, fixture.CellOf(0, 4, 24), [&](QColor c) { return Near(c, link, 40); }), 0);
    }

    void wrappedURLHitsOnEitherRow()
    {
        const QString url = QStringLiteral("http://example.com/") + QString(40, u'a');
        TMemoFixture fixture(QStringLiteral("go ") + url, QSize(200, 160));
        const QList<TURLMemo::TURLRegion> &regions = fixture.Memo->URLRegions();
        QCOMPARE(regions.size(), 1);
        QVERIFY(regions[0].FRegion.size() >= 2);
        QVERIFY(regions[0].FRegion[1].top() >= regions[0].FRegion[0].bottom());
        TestSupport::SaveRendered(fixture.Render(), QStringLiteral("urlmemo-wrapped.png"));

        const QPoint firstRow = fixture.PointAt(0, 5);
        const QPoint lastRow = fixture.PointAt(0, url.size());
        QVERIFY(lastRow.y() > firstRow.y());
        QCOMPARE(fixture.Memo->URLAtPt(firstRow.x(), firstRow.y()), url);
        QCOMPARE(fixture.Memo->URLAtPt(lastRow.x(), lastRow.y()), url);
        QCOMPARE(fixture.Memo->URLAtPt(fixture.PointAt(0, 1).x(), firstRow.y()), QString());
    }

    // Edges: left and top inclusive, right and bottom exclusive.
    void hitRectangleEdges()
    {
        TMemoFixture fixture(QStringLiteral("http://a.jp/"));
        // Scrolled to the top, the first line's layout sits below the
        // document margin.
        const QRectF rect = fixture.Memo->URLRegions().at(0).FRegion.at(0).translated(
            0, fixture.Memo->document()->documentMargin());
        const qreal left = rect.left(), top = rect.top(), right = rect.right(), bottom = rect.bottom();
        QCOMPARE(fixture.Memo->URLAtPt(left, top), QStringLiteral("http://a.jp/"));
        QCOMPARE(fixture.Memo->URLAtPt(right - 0.01, bottom - 0.01), QStringLiteral("http://a.jp/"));
        QCOMPARE(fixture.Memo->URLAtPt(right, top), QString());
        QCOMPARE(fixture.Memo->URLAtPt(left, bottom), QString());
        QCOMPARE(fixture.Memo->URLAtPt(left - 0.01, top), QString());
    }

    void scrolledOutLinesAreNeitherPaintedNorHit()
    {
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("line %1 http://example.com/%1").arg(i);
        TMemoFixture fixture(lines.join(u'\n'));
        TURLMemo &memo = *fixture.Memo;
        const int visible = memo.LastVisibleLineIndex() - memo.FirstVisibleLineIndex() + 1;
        QVERIFY(visible > 3 && visible < 20);
        QCOMPARE(memo.URLRegions().size(), visible);
        const QPoint onFirst = fixture.PointAt(0, 12);
        QCOMPARE(memo.URLAtPt(onFirst.x(), onFirst.y()), QStringLiteral("http://example.com/0"));

        memo.verticalScrollBar()->setValue(100);
        // Before the next paint the old URLs are placed where their lines are
        // now: out of view, so nothing is hit where line 0 was.
        QCOMPARE(memo.URLAtPt(onFirst.x(), onFirst.y()), QString());
        fixture.Paint();
        QCOMPARE(memo.FirstVisibleLineIndex(), 100);
        QCOMPARE(memo.URLRegions().size(), visible);
        for (const TURLMemo::TURLRegion &region : memo.URLRegions())
            QVERIFY(region.FLine >= 100 && region.FLine <= memo.LastVisibleLineIndex());
        // Line 0 keeps no link colour while out of view.
        QVERIFY(memo.document()->firstBlock().layout()->formats().isEmpty());
        const QPoint onTop = fixture.PointAt(100, 14);
        QCOMPARE(memo.URLAtPt(onTop.x(), onTop.y()), QStringLiteral("http://example.com/100"));
        TestSupport::SaveRendered(fixture.Render(), QStringLiteral("urlmemo-scrolled.png"));
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("press");   // (line, column)
        QTest::addColumn<QPoint>("release"); // (line, column)
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QList<TClick>>("expected");

        const QString text = QStringLiteral("see http://a.jp/x and http://b.jp/y\nhttp://a.jp/x");
        QTest::newRow("left press and release on one URL")
            << text << QPoint(0, 6) << QPoint(0, 12) << Qt::LeftButton
            << QList<TClick>{{Qt::LeftButton, false, "http://a.jp/x"}};
        QTest::newRow("right button") << text << QPoint(0, 25) << QPoint(0, 25) << Qt::RightButton
                                      << QList<TClick>{{Qt::RightButton, false, "http://b.jp/y"}};
        QTest::newRow("release elsewhere") << text << QPoint(0, 6) << QPoint(0, 1) << Qt::LeftButton << QList<TClick>{};
        QTest::newRow("release on another URL") << text << QPoint(0, 6) << QPoint(0, 25) << Qt::LeftButton
                                                << QList<TClick>{};
        QTest::newRow("press outside, release on URL") << text << QPoint(0, 1) << QPoint(0, 6) << Qt::LeftButton
                                                       << QList<TClick>{};
        QTest::newRow("release on a URL with the same text")
            << text << QPoint(0, 6) << QPoint(1, 4) << Qt::LeftButton
            << QList<TClick>{{Qt::LeftButton, false, "http://a.jp/x"}};
        const QString wrapped = QStringLiteral("http://example.com/") + QString(60, u'w');
        QTest::newRow("press and release on two rows of one URL")
            << wrapped << QPoint(0, 2) << QPoint(0, 70) << Qt::LeftButton
            << QList<TClick>{{Qt::LeftButton, false, wrapped}};
    }

    void clicks()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QList<TClick>, expected);
        TMemoFixture fixture(text, QSize(240, 160));
        QWidget *area = fixture.Memo->viewport();
        QTest::mousePress(area, button, {}, fixture.PointAt(press.x(), press.y()));
        QTest::mouseRelease(area, button, {}, fixture.PointAt(release.x(), release.y()));
        QCOMPARE(fixture.Clicks, expected);
        QCOMPARE(fixture.Memo->toPlainText(), text);
    }

    void doubleClickReportsThePressedURL()
    {
        TMemoFixture fixture(QStringLiteral("see http://a.jp/x"));
        QWidget *area = fixture.Memo->viewport();
        const QPoint onURL = fixture.PointAt(0, 8);
        QTest::mouseDClick(area, Qt::LeftButton, {}, onURL);
        QVERIFY(fixture.Clicks.contains(TClick{Qt::LeftButton, true, "http://a.jp/x"}));
        QCOMPARE(fixture.Clicks.count(TClick{Qt::LeftButton, true, "http://a.jp/x"}), 1);

        fixture.Clicks.clear();
        QTest::mouseDClick(area, Qt::LeftButton, {}, fixture.PointAt(0, 1));
        QCOMPARE(fixture.Clicks, QList<TClick>{});
    }

    void cursorShape()
    {
        TMemoFixture fixture(QStringLiteral("see http://a.jp/x"));
        QWidget *area = fixture.Memo->viewport();
        for (const int column : {8, 1, 6, 2}) {
            // Sent directly: QTest::mouseMove drops moves to where the
            // pointer already was in an earlier test.
            const QPointF pos = fixture.PointAt(0, column);
            QMouseEvent move(QEvent::MouseMove, pos, area->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(area, &move);
            QCOMPARE(area->cursor().shape(), column > 4 ? Qt::PointingHandCursor : Qt::IBeamCursor);
        }
    }

    void defaultsAndLiveSchemes()
    {
        TURLMemo memo;
        QVERIFY(memo.URLDetection());
        QCOMPARE(memo.URLColor(), TAlphaColor(0xFF0F83FD));
        QCOMPARE(memo.Schems(), DefaultSchemes);
        memo.setPlainText(QStringLiteral("http://a.jp/ ftp://f.jp/"));
        QCOMPARE(memo.URLAtPt(5, 5), QString()); // never painted

        TMemoFixture fixture(QStringLiteral("http://a.jp/ ftp://f.jp/"));
        fixture.Memo->Schems() = QStringList{QStringLiteral("ftp:")};
        fixture.Paint();
        QCOMPARE(fixture.Memo->URLRegions().size(), 1);
        QCOMPARE(fixture.Memo->URLRegions().at(0).FURL, QStringLiteral("ftp://f.jp/"));
    }

    void addTextInsertsAtTheCaret()
    {
        TURLMemo memo;
        memo.setPlainText(QStringLiteral("first\nab cd"));
        QTextCursor cursor(memo.document()->findBlockByNumber(1));
        cursor.setPosition(cursor.position() + 4);
        cursor.setPosition(cursor.position() - 1, QTextCursor::KeepAnchor); // a selection stays text
        memo.setTextCursor(cursor);
        memo.AddText(QStringLiteral("http://x.jp/ "));
        QCOMPARE(memo.toPlainText(), QStringLiteral("first\nab http://x.jp/ cd"));
        QCOMPARE(memo.textCursor().blockNumber(), 1);
        QCOMPARE(memo.textCursor().positionInBlock(), 3 + 13);
        QVERIFY(!memo.textCursor().hasSelection());
    }

    void measurements()
    {
        TMemoFixture fixture(QStringLiteral("ab\nabcd"));
        TURLMemo &memo = *fixture.Memo;
        const QFontMetricsF metrics(memo.font());
        QCOMPARE(qRound(memo.GetContentWidth()), qRound(metrics.horizontalAdvance(QStringLiteral("abcd"))));
        const qreal twoLines = memo.GetContentHeight();
        QVERIFY(memo.LineHeight() >= metrics.height());
        QVERIFY(twoLines > 2 * metrics.height());

        memo.setPlainText(QStringLiteral("ab\nabcd\n")); // an empty last line still counts
        QVERIFY(memo.GetContentHeight() > twoLines + metrics.height() - 1);
        memo.clear();
        QCOMPARE(memo.GetContentWidth(), 0.0);
    }

    void fastBulkAddShowsTheCaretAtTheEnd()
    {
        TMemoFixture fixture{QString()};
        TURLMemo &memo = *fixture.Memo;
        memo.BeginFast();
        QVERIFY(!memo.updatesEnabled());
        for (int i = 0; i < 300; ++i)
            memo.appendPlainText(QStringLiteral("line %1 http://example.com/%1").arg(i));
        memo.moveCursor(QTextCursor::End);
        memo.EndFast();
        QVERIFY(memo.updatesEnabled());
        fixture.Paint();
        QCOMPARE(memo.LastVisibleLineIndex(), 299);
        QCOMPARE(memo.URLRegions().last().FURL, QStringLiteral("http://example.com/299"));
    }
};

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    tst_URLMemo test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_URLMemo.moc"
