// The link-aware memo:
//  paint       one paint of a memo showing 60 lines, 40 of them with a URL,
//              with URL detection on against the same paint with it off;
//  scan        finding the URLs of those 60 lines against a
//              QRegularExpression scan of the same lines;
//  long_paint  one paint of a 100,000-line document against a 1,000-line
//              one, both scrolled to their middle (the cost must not grow
//              with the length of the text);
//  long_type   typing one character and repainting, in the same two
//              documents.
// Median of several rounds, microseconds per operation.
#include "controls/URLMemo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QAbstractTextDocumentLayout>
#include <QtMath>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 9;

template <typename F>
double MedianMicroseconds(int AOpsPerRound, F AOperation)
{
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < AOpsPerRound; ++i)
            AOperation(i);
        rounds.push_back(double(timer.nsecsElapsed()) / 1000.0 / AOpsPerRound);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

void Report(const char *AWorkload, double AOurs, double AAnchor)
{
    std::printf("BENCH %s ours=%.2f anchor=%.2f unit=us speed_ratio=%.3f\n", AWorkload, AOurs, AAnchor,
                AAnchor / AOurs);
    std::fflush(stdout);
}

// Line i of the sample text: two of every three lines hold a URL.
QString SampleLine(int AIndex)
{
    if (AIndex % 3 == 2)
        return QStringLiteral("Line %1: plain words without any address in them at all").arg(AIndex);
    return QStringLiteral("Line %1: see https://example.com/notes/%1?page=2 or (http://a.jp/%1).").arg(AIndex);
}

// The 60 lines of the single paint: 40 of them with one URL each.
QStringList SixtyLines()
{
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << (i % 3 == 2 ? SampleLine(i) : QStringLiteral("Line %1: see https://example.com/notes/%1?page=2 now").arg(i));
    return lines;
}

QString SampleText(int ALines)
{
    QStringList lines;
    for (int i = 0; i < ALines; ++i)
        lines << SampleLine(i);
    return lines.join(u'\n');
}

// A memo of 60 visible lines (no wrapping, so each line is one row).
void SetUp(TURLMemo &AMemo, const QString &AText)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    AMemo.setFont(font);
    AMemo.setFrameShape(QFrame::NoFrame);
    AMemo.setLineWrapMode(QPlainTextEdit::NoWrap);
    AMemo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AMemo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AMemo.setPlainText(AText);
    QTextDocument &document = *AMemo.document();
    const qreal rowHeight = document.documentLayout()->blockBoundingRect(document.firstBlock()).height();
    AMemo.resize(720, qCeil(60 * rowHeight + 2 * document.documentMargin()));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    // (a) One paint, detection on against off.
    {
        TURLMemo memo;
        SetUp(memo, SixtyLines().join(u'\n'));
        QImage canvas(memo.size(), QImage::Format_ARGB32_Premultiplied);
        memo.render(&canvas);
        std::fprintf(stderr, "visible lines %d-%d, URLs %lld\n", memo.FirstVisibleLineIndex(),
                     memo.LastVisibleLineIndex(), qlonglong(memo.URLRegions().size()));
        const double on = MedianMicroseconds(100, [&](int) { memo.render(&canvas); });
        memo.SetURLDetection(false);
        memo.render(&canvas);
        const double off = MedianMicroseconds(100, [&](int) { memo.render(&canvas); });
        Report("urlmemo_paint_60_lines_40_urls", on, off);
    }

    // (b) The scan alone against a regular expression over the same lines.
    {
        const QStringList lines = SixtyLines();
        const QStringList schemes{QStringLiteral("http:"), QStringLiteral("https:")};
        const QRegularExpression pattern(QStringLiteral(R"(https?:[^\t\n\r "()<>\[\\\]^{|}]*)"));
        qsizetype found = 0;
        const double ours = MedianMicroseconds(2000, [&](int) {
            for (const QString &line : lines)
                found += TURLMemo::FindURLs(line, schemes).size();
        });
        const double anchor = MedianMicroseconds(2000, [&](int) {
            for (const QString &line : lines)
                for (auto match = pattern.globalMatch(line); match.hasNext(); match.next())
                    ++found;
        });
        std::fprintf(stderr, "scan found %lld\n", qlonglong(found));
        Report("urlmemo_scan_60_lines", ours, anchor);
    }

    // (c, d) Paint and typing in a long document against a short one.
    {
        TURLMemo longMemo, shortMemo;
        for (auto [memo, lines] : {std::pair{&longMemo, 100000}, std::pair{&shortMemo, 1000}}) {
            SetUp(*memo, SampleText(lines));
            memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            memo->show();
            QTextCursor cursor(memo->document()->findBlockByNumber(lines / 2));
            memo->setTextCursor(cursor);
            memo->centerCursor();
        }
        QCoreApplication::processEvents();
        QImage canvas(longMemo.size(), QImage::Format_ARGB32_Premultiplied);
        for (TURLMemo *memo : {&longMemo, &shortMemo}) {
            memo->render(&canvas);
            std::fprintf(stderr, "visible lines %d-%d of %d, URLs %lld\n", memo->FirstVisibleLineIndex(),
                         memo->LastVisibleLineIndex(), memo->blockCount(), qlonglong(memo->URLRegions().size()));
        }
        const double longPaint = MedianMicroseconds(50, [&](int) { longMemo.render(&canvas); });
        const double shortPaint = MedianMicroseconds(50, [&](int) { shortMemo.render(&canvas); });
        Report("urlmemo_paint_100000_vs_1000_lines", longPaint, shortPaint);

        auto type = [&](TURLMemo &AMemo) {
            return [&](int AIndex) {
                AMemo.insertPlainText(AIndex % 2 ? QStringLiteral("x") : QStringLiteral("y"));
                AMemo.render(&canvas);
            };
        };
        const double longType = MedianMicroseconds(50, type(longMemo));
        const double shortType = MedianMicroseconds(50, type(shortMemo));
        Report("urlmemo_type_100000_vs_1000_lines", longType, shortType);
    }
    return 0;
}
