#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "controls/ColorEdit.h"
#include "controls/GlyphPath.h"
#include "controls/PreviewNote.h"
#include "controls/Splitter.h"
#include "controls/Text.h"
#include "controls/URLMemo.h"
#include "controls/StyledControl.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "support/TestSupport.h"
#include "ui_frmMain.h"

#include <QFrame>
#include <QTextBlock>
#include <QTextCursor>
#include <QPointer>
#include <QTest>

#include <array>

namespace {

// Where to look at each element of the preview: a widget and a point in it
// that the element's colour covers completely.
struct TProbe
{
    QWidget *Widget;
    QPoint At;
};

QRgb PixelAt(const QImage &AShot, TfrmMain &AWindow, const TProbe &AProbe)
{
    const QPoint at = AProbe.Widget->mapTo(AWindow.UI().layoutPreviewBase, AProbe.At);
    return AShot.pixel(at);
}

QImage Shot(TfrmMain &AWindow)
{
    return AWindow.UI().layoutPreviewBase->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

void SetColors(TfrmMain &AWindow, const QStringList &ABodyBorderButtonHoverTextTitleLink)
{
    auto &ui = AWindow.UI();
    const QList<TColorEdit *> edits{ui.edtBody, ui.edtTItle, ui.edtButtonNormal, ui.edtButtonHover,
                                    ui.edtText, ui.edtTitleText, ui.edtLink};
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(ABodyBorderButtonHoverTextTitleLink[i]);
}

// Pixels of text in a pure red, green or blue AColor over white: antialiased
// edges blend towards white, so the colour's full channel stays at 255
// while the other two drop.
int CountTextPixels(const QImage &AShot, const QRect &AArea, QRgb AColor)
{
    const auto channels = [](QRgb APixel) { return std::array<int, 3>{qRed(APixel), qGreen(APixel), qBlue(APixel)}; };
    const std::array<int, 3> wanted = channels(AColor);
    int count = 0;
    for (int y = AArea.top(); y <= AArea.bottom(); ++y)
        for (int x = AArea.left(); x <= AArea.right(); ++x) {
            const std::array<int, 3> pixel = channels(AShot.pixel(x, y));
            bool match = true;
            for (int c = 0; c < 3; ++c)
                match = match && (wanted[c] == 255 ? pixel[c] == 255 : pixel[c] < 128);
            count += match;
        }
    return count;
}

} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TfrmMain> FWindow;

    TfrmMain &ShownWindow()
    {
        FWindow = std::make_unique<TfrmMain>();
        FWindow->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(FWindow.get());
        return *FWindow;
    }

    // The memo's last line, the sample address, in preview coordinates.
    static QRect LinkRow(TfrmMain &AWindow)
    {
        TURLMemo *memo = AWindow.Memo();
        const QRect row = memo->cursorRect(QTextCursor(memo->document()->lastBlock()));
        const QPoint topLeft = memo->viewport()->mapTo(AWindow.UI().layoutPreviewBase, QPoint(0, row.top()));
        return QRect(topLeft, QSize(memo->viewport()->width(), row.height()));
    }

    TProbe Probe(const QString &AElement)
    {
        TPreviewNote *note = FWindow->UI().layoutPreviewBase;
        QWidget *splitterBackground = note->splitterImage->FindStyleResource<QWidget>("background");
        QWidget *grip = note->splitterImage->FindStyleResource<QWidget>("grip");
        const QHash<QString, TProbe> probes{
            {"body", {note->rectBodyBack, {300, 40}}},
            {"title bar", {note->rectTitle, {270, 10}}},
            {"frame top", {note->rectFrameTop, {170, 1}}},
            {"frame bottom", {note->rectFrameBottom, {170, 2}}},
            {"frame left", {note->rectFrameLeft, {1, 140}}},
            {"frame right", {note->rectFrameRight, {2, 140}}},
            {"splitter background", {splitterBackground, {20, 3}}},
            {"grip", {grip, {12, 3}}},
            // Fully inside each glyph's outline.
            {"close glyph", {note->btnClose, {6, 2}}},
            {"fit glyph", {note->btnFit, {4, 4}}},
            {"minimize glyph", {note->btnMinimize, {6, 2}}},
        };
        return probes.value(AElement);
    }

private Q_SLOTS:
    void initTestCase() { TDarkStyle::Apply(*qApp); }
    void init() { TProgramUnits::Initialize(); }
    void cleanup()
    {
        FWindow.reset();
        TProgramUnits::Finalize();
    }

    void colourTable_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QRgb>("expected");
        // body red, border green, button blue, hover white, text, title, link.
        QTest::newRow("body") << "body" << QRgb(0xFFFF0000);
        QTest::newRow("title bar") << "title bar" << QRgb(0xFF00FF00);
        QTest::newRow("frame top") << "frame top" << QRgb(0xFF00FF00);
        QTest::newRow("frame bottom") << "frame bottom" << QRgb(0xFF00FF00);
        QTest::newRow("frame left") << "frame left" << QRgb(0xFF00FF00);
        QTest::newRow("frame right") << "frame right" << QRgb(0xFF00FF00);
        QTest::newRow("splitter background") << "splitter background" << QRgb(0xFF00FF00);
        QTest::newRow("grip") << "grip" << QRgb(0xFF0000FF);
        QTest::newRow("close glyph") << "close glyph" << QRgb(0xFF0000FF);
        QTest::newRow("fit glyph") << "fit glyph" << QRgb(0xFF0000FF);
        QTest::newRow("minimize glyph") << "minimize glyph" << QRgb(0xFF0000FF);
    }

    void colourTable()
    {
        QFETCH(QString, element);
        QFETCH(QRgb, expected);
        TfrmMain &window = ShownWindow();
        SetColors(window, {"ffff0000", "ff00ff00", "ff0000ff", "ffffffff", "ff101010", "ff202020", "ff303030"});
        const QImage shot = Shot(window);
        TestSupport::SaveRendered(shot, "preview-colour-table.png");
        QCOMPARE(QString::number(PixelAt(shot, window, Probe(element)), 16), QString::number(expected, 16));
    }

    void textColours()
    {
        TfrmMain &window = ShownWindow();
        SetColors(window, {"ffffffff", "ffffffff", "ffffffff", "ffffffff", "ffff0000", "ff0000ff", "ff00ff00"});
        const QImage shot = Shot(window);
        TPreviewNote *note = window.UI().layoutPreviewBase;
        const QRect memo(window.Memo()->mapTo(note, QPoint()), window.Memo()->size());
        const QRect title(note->textTitle->mapTo(note, QPoint()), note->textTitle->size());
        TestSupport::SaveRendered(shot, "preview-text-colours.png");
        QVERIFY(CountTextPixels(shot, memo, 0xFFFF0000) > 50);
        QCOMPARE(CountTextPixels(shot, memo, 0xFF0000FF), 0);
        QVERIFY(CountTextPixels(shot, title, 0xFF0000FF) > 20);
        QCOMPARE(CountTextPixels(shot, title, 0xFFFF0000), 0);
        QVERIFY(CountTextPixels(shot, LinkRow(window), 0xFF00FF00) > 20);

        // A new link colour repaints the address at once.
        window.UI().edtLink->setText("ff0000ff");
        const QImage relinked = Shot(window);
        QCOMPARE(CountTextPixels(relinked, LinkRow(window), 0xFF00FF00), 0);
        QVERIFY(CountTextPixels(relinked, LinkRow(window), 0xFF0000FF) > 20);
    }

    void transparentBodyShowsThePanelBehind()
    {
        TfrmMain &window = ShownWindow();
        SetColors(window, {"00ff0000", "ff00ff00", "ff0000ff", "ffffffff", "ff000000", "ff000000", "ff0f83fd"});
        const QImage shot = Shot(window);
        const QImage panel = window.UI().layoutPreviewBase->pnlBackDummy->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        TestSupport::SaveRendered(shot, "preview-transparent-body.png");
        for (const QString element : {"body"}) {
            const TProbe probe = Probe(element);
            const QPoint at = probe.Widget->mapTo(window.UI().layoutPreviewBase, probe.At);
            QCOMPARE(shot.pixel(at), panel.pixel(at));
        }
        // The memo has no background of its own: below the text, the panel.
        TURLMemo *memo = window.Memo();
        const QPoint belowText = memo->mapTo(window.UI().layoutPreviewBase, QPoint(memo->width() - 3, memo->height() - 3));
        QCOMPARE(shot.pixel(belowText), panel.pixel(belowText));
    }

    void hoverEachButtonOnItsOwn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("close") << "close";
        QTest::newRow("fit") << "fit";
        QTest::newRow("minimize") << "minimize";
    }

    void hoverEachButtonOnItsOwn()
    {
        QFETCH(QString, button);
        TfrmMain &window = ShownWindow();
        // Button colour half transparent: the hover colour replaces red,
        // green and blue and keeps that alpha.
        SetColors(window, {"ffffffff", "ffffffff", "800000ff", "ffff0000", "ff000000", "ff000000", "ff0f83fd"});
        TPreviewNote *note = window.UI().layoutPreviewBase;
        const QMap<QString, TStyledControl *> buttons{{"close", note->btnClose}, {"fit", note->btnFit}, {"minimize", note->btnMinimize}};
        const QImage before = Shot(window);
        QTest::mouseMove(&window, buttons[button]->mapTo(&window, QPoint(6, 6)));
        QTRY_VERIFY(buttons[button]->underMouse());
        const QImage hovered = Shot(window);
        TestSupport::SaveRendered(hovered, "preview-hover-" + button + ".png");
        // Blended over white, 80 alpha of blue gives 7f7fff; of red ff7f7f.
        for (auto it = buttons.cbegin(); it != buttons.cend(); ++it) {
            const TProbe probe = Probe(it.key() + " glyph");
            const QRgb expected = it.key() == button ? qRgb(0xff, 0x7f, 0x7f) : qRgb(0x7f, 0x7f, 0xff);
            QCOMPARE(QString::number(PixelAt(before, window, probe), 16), QString::number(qRgb(0x7f, 0x7f, 0xff), 16));
            QCOMPARE(QString::number(PixelAt(hovered, window, probe), 16), QString::number(expected, 16));
        }
        QTest::mouseMove(&window, QPoint(200, 200));
        QTRY_VERIFY(!buttons[button]->underMouse());
        const QImage after = Shot(window);
        QCOMPARE(PixelAt(after, window, Probe(button + " glyph")), qRgb(0x7f, 0x7f, 0xff));
    }

    void glyphKeepsDesignFillUntilStyledAndUpdated()
    {
        // Not shown: no style is applied yet, so the start-up update found
        // no glyph to colour.
        TfrmMain window;
        TStyledControl *close = window.UI().layoutPreviewBase->btnClose;
        QVERIFY(!close->IsStyleApplied());
        close->ApplyStyle();
        auto *path = close->FindStyleResource<TGlyphPath>("CloseButtonPath");
        QVERIFY(path);
        QCOMPARE(path->Fill(), TAlphaColor(0xFFFFA0A0));
        window.UI().edtButtonNormal->setText("ff123456");
        QCOMPARE(path->Fill(), TAlphaColor(0xFF123456));
        // A new application of the style gives a new glyph in its design
        // fill and a new effect at the next update.
        // (The new glyph may reuse the old one's address: watch the old one.)
        const QPointer<TGlyphPath> old = path;
        close->ApplyStyle();
        auto *fresh = close->FindStyleResource<TGlyphPath>("CloseButtonPath");
        QVERIFY(fresh && old.isNull());
        QCOMPARE(fresh->Fill(), TAlphaColor(0xFFFFA0A0));
        QVERIFY(!fresh->graphicsEffect());
        window.UI().edtButtonNormal->setText("ff654321");
        QCOMPARE(fresh->Fill(), TAlphaColor(0xFF654321));
        QVERIFY(fresh->graphicsEffect());
    }

    void emptyFieldPaintsOpaqueBlack()
    {
        TfrmMain &window = ShownWindow();
        SetColors(window, {"ffff0000", "ff00ff00", "ff0000ff", "ffffffff", "ff000000", "ff000000", "ff0f83fd"});
        window.UI().edtBody->clear();
        const QImage shot = Shot(window);
        QCOMPARE(PixelAt(shot, window, Probe("body")), QRgb(0xFF000000));
        QCOMPARE(PixelAt(shot, window, Probe("title bar")), QRgb(0xFF00FF00));
    }

    void builtInThemesLookLikeNotes()
    {
        TfrmMain &window = ShownWindow();
        for (int i = 0; i < window.UI().cmbbxThemes->count(); ++i) {
            window.UI().cmbbxThemes->setCurrentIndex(i);
            const QImage shot = Shot(window);
            TestSupport::SaveRendered(shot, QStringLiteral("preview-theme-%1.png").arg(i));
            const TColorTheme theme = TColorThemes::Items(i);
            QCOMPARE(PixelAt(shot, window, Probe("title bar")), QRgb(theme.FBorder));
        }
    }
};

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    tst_Preview test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Preview.moc"
