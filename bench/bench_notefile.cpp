// Reads back 1,000 note files of typical size (a few KB of text, one
// 256 x 256 PNG picture) from a data folder through ReadData, against
// reading the same files' bytes and decoding the same PNGs with Qt directly:
// the work no note reader can avoid.
#include "model/NoteData.h"
#include "store/DataSerializer.h"
#include "store/StreamHelper.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <functional>

namespace {

constexpr int Files = 1000;
constexpr int Rounds = 5;

QByteArray PictureAsPng()
{
    QImage image(256, 256, QImage::Format_ARGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            image.setPixel(x, y, qRgba(x, y, (x * y) & 0xFF, 255) ^ (random.bounded(16) << 8));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return png;
}

QString Body()
{
    QString text;
    for (int line = 0; line < 40; ++line)
        text += QStringLiteral("%1行目: 付箋のメモ本文 https://example.com/page/%1 some ASCII text too\r\n").arg(line);
    return text;
}

// One note file: attribute and bounds sections, then one static picture
// record and the body. Records where its PNG starts.
QByteArray NoteFile(const QByteArray &APng, qsizetype &APngOffset)
{
    TNoteData note;
    note.GetAttr()->SetAlpha(90);
    QByteArray bytes = TDataSerializer::BuildNoteFile(&note, true);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    TStreamHelper stream(buffer);
    stream.WriteInteger(1);
    stream.WriteString(QStringLiteral("スクリーンショット.png"));
    stream.WriteString(QStringLiteral("closebutton"));
    stream.WriteBoolean(false);
    stream.WriteBoolean(false);
    QImage decoded = QImage::fromData(APng);
    stream.WriteBitmap(decoded);
    stream.WriteString(Body());
    buffer.close();
    // WriteBitmap encodes again; find the PNG it wrote.
    APngOffset = bytes.indexOf(QByteArray("\x89PNG", 4));
    return bytes;
}

// Best files-per-second of each workload; the rounds alternate between the
// two so that a change in the machine's load hits both alike.
std::pair<double, double> FilesPerSecond(const std::function<void()> &AOurs, const std::function<void()> &AAnchor)
{
    qint64 best[2] = {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()};
    for (int round = 0; round < Rounds; ++round) {
        int side = 0;
        for (const auto *work : {&AOurs, &AAnchor}) {
            QElapsedTimer timer;
            timer.start();
            (*work)();
            best[side] = qMin(best[side], timer.nsecsElapsed());
            ++side;
        }
    }
    return {Files / (double(best[0]) / 1e9), Files / (double(best[1]) / 1e9)};
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    qsizetype pngOffset = 0;
    const QByteArray file = NoteFile(PictureAsPng(), pngOffset);
    const qint64 pngSize = qFromLittleEndian<qint64>(file.constData() + pngOffset - 8);
    const QDir folder(TDataSerializer::GetDataPath());
    QStringList names;
    for (int i = 0; i < Files; ++i) {
        names << QStringLiteral("%1.nvl").arg(638000000000000 + i);
        QFile out(folder.filePath(names.last()));
        out.open(QIODevice::WriteOnly);
        out.write(file);
    }

    int failures = 0;
    const auto readNotes = [&] {
        for (const QString &name : names) {
            TNoteData note(name);
            if (!TDataSerializer::ReadData(&note, nullptr, false))
                ++failures;
        }
    };
    const auto readBytesAndPictures = [&] {
        for (const QString &name : names) {
            QFile in(folder.filePath(name));
            in.open(QIODevice::ReadOnly);
            const QByteArray bytes = in.readAll();
            if (QImage::fromData(QByteArrayView(bytes).sliced(pngOffset, pngSize)).isNull())
                ++failures;
        }
    };
    const auto [ours, anchor] = FilesPerSecond(readNotes, readBytesAndPictures);
    std::printf("# note file %lld bytes (PNG %lld bytes), %d failed reads\n", qint64(file.size()), pngSize, failures);
    std::printf("BENCH read_note_files_1000 ours=%.1f anchor=%.1f unit=files/s speed_ratio=%.3f\n", ours, anchor,
                ours / anchor);
    return failures == 0 ? 0 : 1;
}
