#include "controls/URLMemo.h"

#include <QGlyphRun>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

// Characters up to U+00FF that end a URL; everything else belongs to it.
bool IsURLDelimiter(QChar AChar)
{
    switch (AChar.unicode()) {
    case u'\t': case u'\n': case u'\r': case u' ': case u'"': case u'(': case u')': case u'<':
    case u'>': case u'[': case u'\\': case u']': case u'^': case u'{': case u'|': case u'}':
        return true;
    default:
        return false;
    }
}

// Left/top edges inclusive, right/bottom exclusive.
bool HalfOpenContains(const QRectF &ARect, const QPointF &APoint)
{
    return APoint.x() >= ARect.left() && APoint.x() < ARect.right() && APoint.y() >= ARect.top()
        && APoint.y() < ARect.bottom();
}

// The rectangle of the characters [AFrom, ATo) of one visual row, in the
// coordinates of its layout.
QRectF RowRect(const QTextLine &ARow, int AFrom, int ATo)
{
    const qreal x1 = ARow.cursorToX(AFrom);
    const qreal x2 = ARow.cursorToX(ATo);
    return QRectF(QPointF(std::min(x1, x2), ARow.y()), QPointF(std::max(x1, x2), ARow.y() + ARow.height()));
}

// While an input method composes text, its composition is part of the line's
// layout at the preedit position, so layout positions after it are shifted.
// Splits the line range [AStart, AEnd) into layout ranges that leave the
// composition out, so that it is never painted over.
QList<std::pair<int, int>> LayoutRanges(const QTextLayout &ALayout, int AStart, int AEnd)
{
    const int preeditLength = int(ALayout.preeditAreaText().size());
    const int preeditPos = ALayout.preeditAreaPosition();
    if (preeditLength == 0 || preeditPos >= AEnd)
        return {{AStart, AEnd}};
    if (preeditPos <= AStart)
        return {{AStart + preeditLength, AEnd + preeditLength}};
    return {{AStart, preeditPos}, {preeditPos + preeditLength, AEnd + preeditLength}};
}

} // namespace

// A line whose layout is at least partly inside the viewport, with the
// viewport position of its layout's origin and its URLs.
struct TURLMemo::TVisibleLine
{
    QTextBlock Block;
    QPointF Offset;
    TLineURLs URLs;
};

// A piece of one visual row of a URL that a selection covers.
struct TURLMemo::TSelectedCell
{
    QTextBlock Block;
    QPointF Offset;
    int Row = 0;
    int From = 0; // layout positions
    int To = 0;
    QRectF Rect;  // viewport coordinates
    QBrush Fill;  // the selection's highlight
};

TURLMemo::TURLMemo(QWidget *AParent) : QPlainTextEdit(AParent)
{
    // Moves without a pressed button switch between the hand and the I-beam.
    viewport()->setMouseTracking(true);
}

QList<TURLMemo::TURLSpan> TURLMemo::FindURLs(const QString &ALine, const QStringList &ASchemes)
{
    QList<TURLSpan> urls;
    const qsizetype length = ALine.size();
    qsizetype from = 0;
    while (from < length) {
        qsizetype start = -1;
        qsizetype end = 0;
        for (const QString &scheme : ASchemes) {
            if (scheme.isEmpty())
                continue;
            start = ALine.indexOf(scheme, from, Qt::CaseSensitive);
            if (start >= 0) {
                end = start + scheme.size();
                break;
            }
        }
        if (start < 0)
            break;
        while (end < length && !IsURLDelimiter(ALine[end]))
            ++end;
        urls.append({start, end - start});
        from = end;
    }
    return urls;
}

void TURLMemo::SetURLDetection(bool AValue)
{
    FURLDetection = AValue;
    // Without detection nothing is painted, so nothing may be hit either.
    if (!AValue)
        FURLRegions.clear();
    viewport()->update();
}

void TURLMemo::SetURLColor(TAlphaColor AValue)
{
    FURLColor = AValue;
    viewport()->update();
}

void TURLMemo::AddText(const QString &AText)
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    cursor.insertText(AText);
    setTextCursor(cursor);
}

QList<TURLMemo::TVisibleLine> TURLMemo::VisibleLines() const
{
    QList<TVisibleLine> lines;
    const int height = viewport()->height();
    QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF rect = blockBoundingRect(block).translated(offset);
        if (rect.top() >= height)
            break;
        if (block.isVisible() && rect.bottom() > 0)
            lines.append({block, offset, {}});
        offset.ry() += rect.height();
    }
    return lines;
}

QString TURLMemo::URLAtPt(qreal AX, qreal AY) const
{
    if (FURLRegions.isEmpty())
        return {};
    const QList<TVisibleLine> lines = VisibleLines();
    const QPointF point(AX, AY);
    for (const TURLRegion &region : FURLRegions) {
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const TVisibleLine &ALine) {
            return ALine.Block.blockNumber() == region.FLine;
        });
        if (line == lines.end())
            continue;
        for (const QRectF &rect : region.FRegion)
            if (HalfOpenContains(rect.translated(line->Offset), point))
                return region.FURL;
    }
    return {};
}

qreal TURLMemo::LineHeight() const
{
    QTextLayout layout(QStringLiteral("あPly|"), document()->defaultFont(), viewport());
    layout.beginLayout();
    QTextLine row = layout.createLine();
    row.setLeadingIncluded(true);
    layout.endLayout();
    return row.height();
}

int TURLMemo::FirstVisibleLineIndex() const
{
    return firstVisibleBlock().blockNumber();
}

int TURLMemo::LastVisibleLineIndex() const
{
    const QList<TVisibleLine> lines = VisibleLines();
    return lines.isEmpty() ? FirstVisibleLineIndex() : lines.last().Block.blockNumber();
}

qreal TURLMemo::GetContentWidth() const
{
    qreal width = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        blockBoundingRect(block); // lays the line out when it is not yet
        const QTextLayout *layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine row = layout->lineAt(i);
            if (row.textLength() > 0)
                width = std::max(width, RowRect(row, row.textStart(), row.textStart() + row.textLength()).width());
        }
    }
    return width;
}

qreal TURLMemo::GetContentHeight() const
{
    // Content coordinates: the document's top at 0, the first line below the
    // document margin, as the editor lays them out when scrolled to the top.
    qreal top = document()->documentMargin();
    const QTextBlock last = document()->lastBlock();
    for (QTextBlock block = document()->begin(); block != last; block = block.next())
        top += blockBoundingRect(block).height();
    blockBoundingRect(last);
    const QTextLayout *layout = last.layout();
    if (layout->lineCount() == 0)
        return top;
    const QTextLine row = layout->lineAt(layout->lineCount() - 1);
    return top + row.y() + row.height();
}

void TURLMemo::BeginFast()
{
    if (FFast++ == 0)
        setUpdatesEnabled(false);
}

void TURLMemo::EndFast()
{
    if (FFast == 0 || --FFast > 0)
        return;
    setUpdatesEnabled(true); // repaints the whole control
    ensureCursorVisible();
}

// Marks the character formats that colour URLs among a layout's formats.
static constexpr int URLFormatMarker = QTextFormat::UserProperty + 0x55;

// The visible lines are scanned once per paint. The editor draws the URLs
// itself, in the link colour, through formats on the layouts of those lines:
// the text is drawn once and whatever lies behind the memo shows through.
// Only where a selection covers a URL does the editor's highlighted text get
// painted over, with the highlight kept under the URL's glyphs.
void TURLMemo::paintEvent(QPaintEvent *AEvent)
{
    QList<TVisibleLine> lines = VisibleLines();
    QHash<int, TLineURLs> known;
    for (TVisibleLine &line : lines) {
        line.URLs = UpdateLine(line.Block, FLineURLs.take(line.Block.blockNumber()));
        known.insert(line.Block.blockNumber(), line.URLs);
    }
    // Lines that left the view lose their link colour and their cached
    // shaping, so that neither grows with the part of the text ever shown.
    for (auto left = FLineURLs.cbegin(); left != FLineURLs.cend(); ++left) {
        const QTextBlock block = document()->findBlockByNumber(left.key());
        if (block.isValid() && !known.contains(left.key())) {
            ApplyURLFormats(block, {});
            block.layout()->setCacheEnabled(false);
        }
    }
    FLineURLs = std::move(known);
    if (!FURLDetection) {
        QPlainTextEdit::paintEvent(AEvent);
        return;
    }
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    QList<TSelectedCell> cells = BuildURLRegions(lines, context);
    cells.removeIf([&](const TSelectedCell &ACell) { return !AEvent->region().intersects(ACell.Rect.toAlignedRect()); });
    const QList<QImage> backgrounds = SaveBackgrounds(cells);
    QPlainTextEdit::paintEvent(AEvent);
    DrawSelectedURLs(cells, backgrounds, context);
}

TURLMemo::TLineURLs TURLMemo::UpdateLine(const QTextBlock &ABlock, TLineURLs AKnown)
{
    QTextLayout *layout = ABlock.layout();
    const QString text = ABlock.text();
    QList<TURLSpan> urls = FURLDetection ? FindURLs(text, FSchemes) : QList<TURLSpan>{};
    // While an input method composes, the layout changes without the text.
    const bool composing = !layout->preeditAreaText().isEmpty();
    const bool unchanged = !composing && AKnown.Revision == ABlock.revision() && AKnown.Color == FURLColor
        && AKnown.URLs == urls && AKnown.Text == text;
    TLineURLs line = unchanged ? std::move(AKnown) : TLineURLs{composing ? -1 : ABlock.revision(), text, FURLColor, std::move(urls), {}, {}, {}};

    if (!unchanged || layout->formats() != line.Formats) {
        ApplyURLFormats(ABlock, line.URLs);
        line.Formats = layout->formats();
    }
    // The formats split the line's text into more items; keeping the shaped
    // line between paints, instead of shaping it again in each, pays for that.
    layout->setCacheEnabled(!line.URLs.isEmpty());
    QList<TLineURLs::TRow> rows;
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine row = layout->lineAt(i);
        rows.append({row.textStart(), row.textLength(), row.naturalTextRect()});
    }
    if (!unchanged || rows != line.Rows) {
        line.Rows = std::move(rows);
        line.Pieces.clear();
        for (qsizetype url = 0; url < line.URLs.size(); ++url) {
            const TURLSpan &span = line.URLs[url];
            for (const auto &[from, to] : LayoutRanges(*layout, int(span.Start), int(span.Start + span.Length))) {
                for (int i = 0; i < layout->lineCount(); ++i) {
                    const QTextLine row = layout->lineAt(i);
                    const int rowFrom = std::max(from, row.textStart());
                    const int rowTo = std::min(to, row.textStart() + row.textLength());
                    if (rowFrom < rowTo)
                        line.Pieces.append({url, i, rowFrom, rowTo, RowRect(row, rowFrom, rowTo)});
                }
            }
        }
    }
    return line;
}

void TURLMemo::ApplyURLFormats(const QTextBlock &ABlock, const QList<TURLSpan> &AURLs)
{
    QTextLayout *layout = ABlock.layout();
    QList<QTextLayout::FormatRange> kept, ours, wanted;
    for (const QTextLayout::FormatRange &range : layout->formats())
        (range.format.hasProperty(URLFormatMarker) ? ours : kept).append(range);
    if (!AURLs.isEmpty()) {
        QTextCharFormat link;
        link.setForeground(QColor::fromRgba(FURLColor));
        link.setProperty(URLFormatMarker, true);
        for (const TURLSpan &span : AURLs)
            for (const auto &[from, to] : LayoutRanges(*layout, int(span.Start), int(span.Start + span.Length)))
                wanted.append({from, to - from, link});
    }
    if (ours == wanted)
        return;
    // Other formats (an input method's) stay. New formats drop the line's
    // layout: the change is announced at once, so that it is not merged into
    // the next edit's, and the line is laid out again.
    layout->setFormats(kept + wanted);
    document()->markContentsDirty(ABlock.position(), ABlock.length());
    blockBoundingRect(ABlock);
}

QList<TURLMemo::TSelectedCell> TURLMemo::BuildURLRegions(const QList<TVisibleLine> &ALines,
                                                         const QAbstractTextDocumentLayout::PaintContext &AContext)
{
    FURLRegions.clear();
    QList<TSelectedCell> cells;
    const int height = viewport()->height();
    for (const TVisibleLine &line : ALines) {
        const TLineURLs &urls = line.URLs;
        const QTextLayout &layout = *line.Block.layout();
        const int blockPos = line.Block.position();
        for (qsizetype url = 0; url < urls.URLs.size(); ++url)
            FURLRegions.append({urls.Text.mid(urls.URLs[url].Start, urls.URLs[url].Length), line.Block.blockNumber(), {}});
        const qsizetype first = FURLRegions.size() - urls.URLs.size();
        for (const TLineURLs::TPiece &piece : urls.Pieces) {
            FURLRegions[first + piece.URL].FRegion.append(piece.Rect);
            const QRectF onView = piece.Rect.translated(line.Offset);
            if (onView.bottom() <= 0 || onView.top() >= height)
                continue;
            for (const QAbstractTextDocumentLayout::Selection &selection : AContext.selections) {
                const QBrush fill = selection.format.background();
                if (fill.style() == Qt::NoBrush || !selection.cursor.hasSelection())
                    continue;
                const int start = std::max(selection.cursor.selectionStart() - blockPos, 0);
                const int end = std::max(selection.cursor.selectionEnd() - blockPos, 0);
                for (const auto &[selFrom, selTo] : LayoutRanges(layout, start, end)) {
                    const int cellFrom = std::max(selFrom, piece.From);
                    const int cellTo = std::min(selTo, piece.To);
                    if (cellFrom < cellTo)
                        cells.append({line.Block, line.Offset, piece.Row, cellFrom, cellTo,
                                      RowRect(layout.lineAt(piece.Row), cellFrom, cellTo).translated(line.Offset), fill});
                }
            }
        }
    }
    return cells;
}

// The pixels under each cell before the editor paints its text: putting them
// back erases the editor's glyphs to whatever lies behind the text, which
// also works when the memo's background is transparent.
QList<QImage> TURLMemo::SaveBackgrounds(const QList<TSelectedCell> &ACells)
{
    QList<QImage> backgrounds;
    if (ACells.isEmpty())
        return backgrounds;
    QPainter probe(viewport());
    const QPaintDevice *device = probe.paintEngine() ? probe.paintEngine()->paintDevice() : nullptr;
    const QTransform toDevice = probe.deviceTransform();
    for (const TSelectedCell &cell : ACells) {
        const QRect deviceRect = toDevice.mapRect(cell.Rect.toAlignedRect());
        QImage background;
        if (device && device->devType() == QInternal::Image)
            background = static_cast<const QImage *>(device)->copy(deviceRect);
        else if (device && device->devType() == QInternal::Pixmap)
            background = static_cast<const QPixmap *>(device)->copy(deviceRect).toImage();
        backgrounds.append(background);
    }
    return backgrounds;
}

void TURLMemo::DrawSelectedURLs(const QList<TSelectedCell> &ACells, const QList<QImage> &ABackgrounds,
                                const QAbstractTextDocumentLayout::PaintContext &AContext)
{
    if (ACells.isEmpty())
        return;
    const QBrush backgroundBrush = viewport()->palette().brush(viewport()->backgroundRole());
    const bool caretShown = !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QPainter painter(viewport());
    for (qsizetype i = 0; i < ACells.size(); ++i) {
        const TSelectedCell &cell = ACells[i];
        const QTextLayout *layout = cell.Block.layout();
        const QTextLine row = layout->lineAt(cell.Row);
        const QRect pixels = cell.Rect.toAlignedRect();
        painter.save();
        painter.setClipRect(pixels);

        // Erase what the editor painted there, then lay the highlight again.
        if (!ABackgrounds[i].isNull()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QRectF(pixels), ABackgrounds[i]);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        } else {
            painter.fillRect(pixels, backgroundBrush);
        }
        QRectF highlight = cell.Rect;
        highlight.moveLeft(std::floor(highlight.left())); // as the editor aligns it
        QPainterPath path;
        path.addRect(highlight);
        painter.fillPath(path, cell.Fill);

        // The URL's own glyphs, as the layout placed them, in the link colour.
        painter.setPen(QColor::fromRgba(FURLColor));
        for (const QGlyphRun &run : row.glyphRuns(cell.From, cell.To - cell.From))
            painter.drawGlyphRun(cell.Offset, run);

        // The caret, when it stands in the erased cell.
        const int blockPos = cell.Block.position();
        int caret = -1;
        if (caretShown && AContext.cursorPosition >= blockPos && AContext.cursorPosition < blockPos + cell.Block.length())
            caret = AContext.cursorPosition - blockPos;
        else if (caretShown && AContext.cursorPosition < -1 && !layout->preeditAreaText().isEmpty())
            caret = layout->preeditAreaPosition() - (AContext.cursorPosition + 2);
        if (caret >= 0 && !overwriteMode())
            layout->drawCursor(&painter, cell.Offset, caret, cursorWidth());
        painter.restore();
    }
}

void TURLMemo::URLClick(Qt::MouseButton AButton, bool AIsDoubleClick, const QString &AURL)
{
    if (OnURLClick)
        OnURLClick(this, AButton, AIsDoubleClick, AURL);
}

void TURLMemo::mousePressEvent(QMouseEvent *AEvent)
{
    QPlainTextEdit::mousePressEvent(AEvent);
    FDownedURL = URLAtPt(AEvent->position().x(), AEvent->position().y());
}

void TURLMemo::mouseMoveEvent(QMouseEvent *AEvent)
{
    QPlainTextEdit::mouseMoveEvent(AEvent);
    const bool overURL = !URLAtPt(AEvent->position().x(), AEvent->position().y()).isEmpty();
    viewport()->setCursor(overURL ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void TURLMemo::mouseReleaseEvent(QMouseEvent *AEvent)
{
    QPlainTextEdit::mouseReleaseEvent(AEvent);
    if (FDownedURL.isEmpty())
        return;
    // The pressed URL stays remembered: a double click reports it as well.
    if (URLAtPt(AEvent->position().x(), AEvent->position().y()) == FDownedURL)
        URLClick(AEvent->button(), false, FDownedURL);
}

void TURLMemo::mouseDoubleClickEvent(QMouseEvent *AEvent)
{
    // Qt delivers the second press of a double click as this event.
    QPlainTextEdit::mouseDoubleClickEvent(AEvent);
    FDownedURL = URLAtPt(AEvent->position().x(), AEvent->position().y());
    if (AEvent->button() == Qt::LeftButton && !FDownedURL.isEmpty())
        URLClick(Qt::LeftButton, true, FDownedURL);
}
