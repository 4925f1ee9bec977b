#pragma once

#include "model/AlphaColor.h"

#include <QHash>
#include <QList>
#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextLayout>

#include <functional>

class QTextBlock;

// A multi-line plain-text editor that finds URLs in its visible lines, paints
// them in a link colour, shows a hand cursor over them and reports clicks on
// them through OnURLClick. It never changes the text, the caret or the
// editing behaviour.
//
// Points (URLAtPt, mouse events) are in the coordinates of the text area,
// the viewport, as QPlainTextEdit's mouse handlers receive them.
class TURLMemo : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(bool URLDetection READ URLDetection WRITE SetURLDetection)
    Q_PROPERTY(quint32 URLColor READ URLColor WRITE SetURLColor)

public:
    // Where a URL lies in its line: a 0-based start column and a length.
    struct TURLSpan
    {
        qsizetype Start = 0;
        qsizetype Length = 0;
        bool operator==(const TURLSpan &) const = default;
    };

    // A URL found by the last paint: its text, its line (block number) and
    // one rectangle per visual row it occupies, in the coordinates of that
    // line's own layout (origin at the line's top-left in the laid-out text).
    struct TURLRegion
    {
        QString FURL;
        int FLine = 0;
        QList<QRectF> FRegion;
    };

    using TURLClickEvent = std::function<void(TURLMemo *Sender, Qt::MouseButton AButton,
                                              bool AIsDoubleClick, const QString &AURL)>;

    static constexpr TAlphaColor DefaultURLColor = 0xFF0F83FD;

    explicit TURLMemo(QWidget *AParent = nullptr);

    // The URLs of one line: the schemes are tried in list order and the
    // first one that occurs at or after the search start wins; the URL runs
    // from the scheme to the first delimiter (tab, line feed, carriage
    // return, space, " ( ) < > [ \ ] ^ { | }) or the end of the line. Any
    // character above U+00FF belongs to the URL. Empty schemes never match.
    static QList<TURLSpan> FindURLs(const QString &ALine, const QStringList &ASchemes);

    bool URLDetection() const { return FURLDetection; }
    void SetURLDetection(bool AValue);
    TAlphaColor URLColor() const { return FURLColor; }
    void SetURLColor(TAlphaColor AValue);

    // The scheme prefixes searched for, "http:" then "https:"; callers may
    // change the list, the next paint uses it.
    QStringList &Schems() { return FSchemes; }

    TURLClickEvent OnURLClick;

    // Inserts AText at the caret and puts the caret after it.
    void AddText(const QString &AText);

    // The URL under a point of the text area, or an empty string. Uses the
    // URLs of the last paint, placed where their lines are now.
    QString URLAtPt(qreal AX, qreal AY) const;
    const QList<TURLRegion> &URLRegions() const { return FURLRegions; }

    // Height of one visual row in the memo's font.
    qreal LineHeight() const;
    int FirstVisibleLineIndex() const;
    int LastVisibleLineIndex() const;
    // Size of the laid-out text: the widest visual row, and the bottom of
    // the last line (measured over one character when that line is empty).
    qreal GetContentWidth() const;
    qreal GetContentHeight() const;

    // Bracket a bulk change of the text: no repaint in between, and the
    // caret is scrolled into view at the end.
    void BeginFast();
    void EndFast();

protected:
    void paintEvent(QPaintEvent *AEvent) override;
    void mousePressEvent(QMouseEvent *AEvent) override;
    void mouseMoveEvent(QMouseEvent *AEvent) override;
    void mouseReleaseEvent(QMouseEvent *AEvent) override;
    void mouseDoubleClickEvent(QMouseEvent *AEvent) override;

private:
    // What a paint knows of the URLs of one line. It is kept for the next paint
    // while the line's text, its layout and the link colour stay the same, so
    // that an unchanged line is neither measured nor given formats again.
    struct TLineURLs
    {
        struct TRow
        {
            int Start = 0;
            int Length = 0;
            QRectF Rect;
            bool operator==(const TRow &) const = default;
        };
        // One visual row of one URL, in layout positions and coordinates.
        struct TPiece
        {
            qsizetype URL = 0;
            int Row = 0;
            int From = 0;
            int To = 0;
            QRectF Rect;
        };

        int Revision = -1;
        QString Text;
        TAlphaColor Color = 0;
        QList<TURLSpan> URLs;
        QList<QTextLayout::FormatRange> Formats; // the layout's formats as last seen
        QList<TRow> Rows;                        // the layout's rows when measured
        QList<TPiece> Pieces;
    };

    struct TVisibleLine;
    struct TSelectedCell;

    QList<TVisibleLine> VisibleLines() const;
    TLineURLs UpdateLine(const QTextBlock &ABlock, TLineURLs AKnown);
    void ApplyURLFormats(const QTextBlock &ABlock, const QList<TURLSpan> &AURLs);
    QList<TSelectedCell> BuildURLRegions(const QList<TVisibleLine> &ALines,
                                         const QAbstractTextDocumentLayout::PaintContext &AContext);
    QList<QImage> SaveBackgrounds(const QList<TSelectedCell> &ACells);
    void DrawSelectedURLs(const QList<TSelectedCell> &ACells, const QList<QImage> &ABackgrounds,
                          const QAbstractTextDocumentLayout::PaintContext &AContext);
    void URLClick(Qt::MouseButton AButton, bool AIsDoubleClick, const QString &AURL);

    QList<TURLRegion> FURLRegions;
    QHash<int, TLineURLs> FLineURLs; // the lines of the last paint, by number
    QString FDownedURL;
    QStringList FSchemes{QStringLiteral("http:"), QStringLiteral("https:")};
    bool FURLDetection = true;
    TAlphaColor FURLColor = DefaultURLColor;
    int FFast = 0;
};
