#include "controls/URLMemo.h"

#include <QAbstractTextDocumentLayout>
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
// viewport position of its layout's origin.
struct TURLMemo::TVisibleLine
{
    QTextBlock Block;
    QPointF Offset;
};

// One visual row of a URL that is to be painted.
struct TURLMemo::TPaintSegment
{
    QTextBlock Block;
    QPointF Offset;
    int Row = 0;
    int From = 0; // layout positions
    int To = 0;
    QRectF Rect;  // viewport coordinates
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
            lines.append({block, offset});
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

void TURLMemo::paintEvent(QPaintEvent *AEvent)
{
    if (!FURLDetection) {
        QPlainTextEdit::paintEvent(AEvent);
        return;
    }
    QList<TPaintSegment> segments;
    ScanVisibleLines(VisibleLines(), segments);
    segments.removeIf([&](const TPaintSegment &ASegment) {
        return !AEvent->region().intersects(ASegment.Rect.toAlignedRect());
    });
    const QList<QImage> backgrounds = SaveBackgrounds(segments);
    QPlainTextEdit::paintEvent(AEvent);
    DrawURLs(segments, backgrounds);
}

void TURLMemo::ScanVisibleLines(const QList<TVisibleLine> &ALines, QList<TPaintSegment> &ASegments)
{
    FURLRegions.clear();
    const int height = viewport()->height();
    for (const TVisibleLine &line : ALines) {
        const QString text = line.Block.text();
        const QList<TURLSpan> spans = FindURLs(text, FSchemes);
        if (spans.isEmpty())
            continue;
        const QTextLayout *layout = line.Block.layout();
        for (const TURLSpan &span : spans) {
            TURLRegion region{text.mid(span.Start, span.Length), line.Block.blockNumber(), {}};
            for (const auto &[from, to] : LayoutRanges(*layout, int(span.Start), int(span.Start + span.Length))) {
                for (int i = 0; i < layout->lineCount(); ++i) {
                    const QTextLine row = layout->lineAt(i);
                    const int rowFrom = std::max(from, row.textStart());
                    const int rowTo = std::min(to, row.textStart() + row.textLength());
                    if (rowFrom >= rowTo)
                        continue;
                    const QRectF rect = RowRect(row, rowFrom, rowTo);
                    region.FRegion.append(rect);
                    const QRectF onView = rect.translated(line.Offset);
                    if (onView.bottom() > 0 && onView.top() < height && onView.width() > 0)
                        ASegments.append({line.Block, line.Offset, i, rowFrom, rowTo, onView});
                }
            }
            FURLRegions.append(std::move(region));
        }
    }
}

// The pixels under each segment before the editor paints its text: putting
// them back erases the editor's glyphs to whatever lies behind the text,
// which also works when the memo's background is transparent.
QList<QImage> TURLMemo::SaveBackgrounds(const QList<TPaintSegment> &ASegments)
{
    QList<QImage> backgrounds;
    if (ASegments.isEmpty())
        return backgrounds;
    QPainter probe(viewport());
    const QPaintDevice *device = probe.paintEngine() ? probe.paintEngine()->paintDevice() : nullptr;
    const QTransform toDevice = probe.deviceTransform();
    for (const TPaintSegment &segment : ASegments) {
        const QRect deviceRect = toDevice.mapRect(segment.Rect.toAlignedRect());
        QImage background;
        if (device && device->devType() == QInternal::Image)
            background = static_cast<const QImage *>(device)->copy(deviceRect);
        else if (device && device->devType() == QInternal::Pixmap)
            background = static_cast<const QPixmap *>(device)->copy(deviceRect).toImage();
        backgrounds.append(background);
    }
    return backgrounds;
}

void TURLMemo::DrawURLs(const QList<TPaintSegment> &ASegments, const QList<QImage> &ABackgrounds)
{
    if (ASegments.isEmpty())
        return;
    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    const QBrush backgroundBrush = viewport()->palette().brush(viewport()->backgroundRole());
    QPainter painter(viewport());
    for (qsizetype i = 0; i < ASegments.size(); ++i) {
        const TPaintSegment &segment = ASegments[i];
        const QTextLayout *layout = segment.Block.layout();
        const QTextLine row = layout->lineAt(segment.Row);
        const QRect cell = segment.Rect.toAlignedRect();
        painter.save();
        painter.setClipRect(cell);

        // Erase what the editor painted there.
        if (!ABackgrounds[i].isNull()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QRectF(cell), ABackgrounds[i]);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        } else {
            painter.fillRect(cell, backgroundBrush);
        }

        // Selection highlights keep their fill under the URL text.
        const int blockPos = segment.Block.position();
        for (const QAbstractTextDocumentLayout::Selection &selection : context.selections) {
            const QBrush fill = selection.format.background();
            if (fill.style() == Qt::NoBrush || !selection.cursor.hasSelection())
                continue;
            const int start = selection.cursor.selectionStart() - blockPos;
            const int end = selection.cursor.selectionEnd() - blockPos;
            for (const auto &[from, to] : LayoutRanges(*layout, std::max(start, 0), std::max(end, 0))) {
                const int selFrom = std::max(from, segment.From);
                const int selTo = std::min(to, segment.To);
                if (selFrom < selTo) {
                    QRectF rect = RowRect(row, selFrom, selTo).translated(segment.Offset);
                    rect.moveLeft(std::floor(rect.left()));
                    QPainterPath path;
                    path.addRect(rect);
                    painter.fillPath(path, fill);
                }
            }
        }

        // The URL's own glyphs, as the layout placed them, in the link colour.
        painter.setPen(QColor::fromRgba(FURLColor));
        for (const QGlyphRun &run : row.glyphRuns(segment.From, segment.To - segment.From))
            painter.drawGlyphRun(segment.Offset, run);

        // The caret, when it stands in the erased cell.
        const int blockLength = segment.Block.length();
        const bool caretShown = !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);
        int caret = -1;
        if (caretShown && context.cursorPosition >= blockPos && context.cursorPosition < blockPos + blockLength)
            caret = context.cursorPosition - blockPos;
        else if (caretShown && context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty())
            caret = layout->preeditAreaPosition() - (context.cursorPosition + 2);
        if (caret >= 0 && !overwriteMode())
            layout->drawCursor(&painter, segment.Offset, caret, cursorWidth());
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
