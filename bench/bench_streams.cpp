// Writes and reads back 100,000 note attribute + bounds records through a
// QBuffer with the stream primitives, against QDataStream writing and reading
// the same values through the same kind of buffer.
#include "model/StickyAttr.h"
#include "model/StickyBounds.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr int Records = 100000;
constexpr int Rounds = 5;

// Best records-per-second of several rounds.
double RecordsPerSecond(const std::function<void()> &AWork)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        AWork();
        best = qMin(best, timer.nsecsElapsed());
    }
    return Records / (double(qMax<qint64>(best, 1)) / 1e9);
}

void Report(const char *AWorkload, double AOurs, double AAnchor)
{
    std::printf("BENCH %s ours=%.0f anchor=%.0f unit=records/s speed_ratio=%.3f\n", AWorkload, AOurs, AAnchor,
                AOurs / AAnchor);
}

// The same values in QDataStream's own encodings.
void WriteAnchor(QDataStream &AStream, const TStickyAttr &AAttr, const TStickyBounds &ABounds)
{
    const TColorTheme &c = AAttr.Color();
    AStream << c.FName << c.FBody << c.FBorder << c.FButton << c.FHover << c.FText << c.FTitleText << c.FLink
            << c.FBackFile << c.FBackOpacity;
    AStream << AAttr.Font().FName << AAttr.Font().FSize << AAttr.Font().FStyles;
    AStream << quint8(AAttr.ZOrder()) << AAttr.Snap() << AAttr.Shaded() << AAttr.Secret() << AAttr.Lock()
            << AAttr.Alpha();
    for (const TRectF &r : {ABounds.NormalBounds(), ABounds.ShadedBounds()})
        AStream << r.Left << r.Top << r.Right << r.Bottom;
    AStream << ABounds.ImageHeight() << ABounds.ModifiedImageHeight();
}

void ReadAnchor(QDataStream &AStream, TColorTheme &AColor, TFontAttr &AFont, quint8 &AZOrder, bool (&AFlags)[5],
                qint32 &AAlpha, TRectF (&ARects)[2], float &AImageHeight)
{
    AStream >> AColor.FName >> AColor.FBody >> AColor.FBorder >> AColor.FButton >> AColor.FHover >> AColor.FText
        >> AColor.FTitleText >> AColor.FLink >> AColor.FBackFile >> AColor.FBackOpacity;
    AStream >> AFont.FName >> AFont.FSize >> AFont.FStyles;
    AStream >> AZOrder >> AFlags[0] >> AFlags[1] >> AFlags[2] >> AFlags[3] >> AAlpha;
    for (TRectF &r : ARects)
        AStream >> r.Left >> r.Top >> r.Right >> r.Bottom;
    AStream >> AImageHeight >> AFlags[4];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TStickyAttr attr;
    TColorTheme theme = attr.Color();
    theme.FBackFile = QStringLiteral("C:/Users/someone/Pictures/背景.png");
    attr.SetColor(theme);
    TStickyBounds bounds;
    bounds.SetImageHeight(120);

    QBuffer ours;
    ours.open(QIODevice::ReadWrite);
    const double oursWrite = RecordsPerSecond([&] {
        ours.seek(0);
        for (int i = 0; i < Records; ++i) {
            attr.WriteToStream(ours);
            bounds.WriteToStream(ours);
        }
    });
    const double oursRead = RecordsPerSecond([&] {
        ours.seek(0);
        TStickyAttr readAttr;
        TStickyBounds readBounds;
        for (int i = 0; i < Records; ++i) {
            readAttr.ReadFromStream(ours, 5);
            readBounds.ReadFromStream(ours, 5);
        }
    });

    QBuffer anchor;
    anchor.open(QIODevice::ReadWrite);
    QDataStream anchorStream(&anchor);
    anchorStream.setByteOrder(QDataStream::LittleEndian);
    anchorStream.setFloatingPointPrecision(QDataStream::SinglePrecision);
    const double anchorWrite = RecordsPerSecond([&] {
        anchor.seek(0);
        for (int i = 0; i < Records; ++i)
            WriteAnchor(anchorStream, attr, bounds);
    });
    const double anchorRead = RecordsPerSecond([&] {
        anchor.seek(0);
        TColorTheme color;
        TFontAttr font;
        quint8 zOrder;
        bool flags[5];
        qint32 alpha;
        TRectF rects[2];
        float imageHeight;
        for (int i = 0; i < Records; ++i)
            ReadAnchor(anchorStream, color, font, zOrder, flags, alpha, rects, imageHeight);
    });

    std::printf("# %lld bytes ours, %lld bytes QDataStream for %d records\n", ours.size(), anchor.size(), Records);
    Report("write_attr_bounds_100k", oursWrite, anchorWrite);
    Report("read_attr_bounds_100k", oursRead, anchorRead);
    return 0;
}
