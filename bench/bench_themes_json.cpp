// Theme-set JSON speed on a generated set of 20,000 themes (Japanese names,
// background paths with backslashes, about 6 MB):
//  - reading: ReadFromJSON into the registry against QJsonDocument::fromJson
//    plus copying every theme into a plain vector of records;
//  - writing: AsJSON against QJsonDocument::toJson(Indented) of the same set;
//  - growth: time per theme at 20,000 themes against 2,000.
// Best of several rounds; throughput in MB (10^6 bytes) of the UTF-8 file.
#include "model/ColorThemes.h"
#include "model/ThemeSetJsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 9;

// CPU time of this thread: the machine is shared, and wall time would
// measure the other processes as well.
double CpuSeconds()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
}

struct TBest
{
    double Ours = 1e9;
    double Anchor = 1e9;
};

// Best time of each, the two run in alternation so both meet the same load.
template <typename F, typename G>
TBest BestSeconds(F AOurs, G AAnchor)
{
    TBest best;
    for (int round = 0; round < kRounds; ++round) {
        double start = CpuSeconds();
        AOurs();
        best.Ours = std::min(best.Ours, CpuSeconds() - start);
        start = CpuSeconds();
        AAnchor();
        best.Anchor = std::min(best.Anchor, CpuSeconds() - start);
    }
    return best;
}

// The theme-set text of ACount generated themes.
QString GeneratedSet(int ACount)
{
    TColorThemesJSON set;
    set.FVersion = QStringLiteral("1.1");
    set.FName = QStringLiteral("ベンチマーク用テーマ集");
    set.FAuthor = QStringLiteral("作者");
    const QStringList words = {"桜", "若葉", "夕焼け", "深海", "雪", "紅葉", "夜空", "黒 (透過)"};
    for (int i = 0; i < ACount; ++i) {
        const quint32 seed = quint32(i) * 2654435761u;
        set.FThemes.append({QStringLiteral("%1 %2").arg(words.at(i % words.size())).arg(i), seed,
                            seed ^ 0x12345678, seed + 77, ~seed, 0xFF000000, 0xFFFFFFFF, seed >> 3 | 1,
                            QStringLiteral("C:\\Users\\利用者\\背景\\画像%1.png").arg(i),
                            float(i % 100) / 99.0f});
    }
    return TThemeSetJsonWriter::Write(set);
}

struct TPlainTheme
{
    QString Name;
    quint32 Body, Border, Button, Hover, Text, TitleText, Link;
    QString BackFile;
    float BackOpacity;
};

// The straightforward reader: Qt's parser, then every theme into records.
std::vector<TPlainTheme> ReadWithQt(const QByteArray &AJson)
{
    const QJsonObject root = QJsonDocument::fromJson(AJson).object();
    const QJsonArray themes = root.value(QLatin1String("themes")).toArray();
    std::vector<TPlainTheme> result;
    result.reserve(size_t(themes.size()));
    for (const QJsonValue &value : themes) {
        const QJsonObject t = value.toObject();
        result.push_back({t.value(QLatin1String("name")).toString(),
                          quint32(t.value(QLatin1String("body")).toDouble()),
                          quint32(t.value(QLatin1String("border")).toDouble()),
                          quint32(t.value(QLatin1String("button")).toDouble()),
                          quint32(t.value(QLatin1String("hover")).toDouble()),
                          quint32(t.value(QLatin1String("text")).toDouble()),
                          quint32(t.value(QLatin1String("titletext")).toDouble()),
                          quint32(t.value(QLatin1String("link")).toDouble()),
                          t.value(QLatin1String("backfile")).toString(),
                          float(t.value(QLatin1String("backopacity")).toDouble())});
    }
    return result;
}

QJsonDocument AsQtDocument()
{
    QJsonArray themes;
    for (int i = 0; i < TColorThemes::Count(); ++i) {
        const TColorTheme t = TColorThemes::Items(i);
        QJsonObject object;
        object.insert(QLatin1String("name"), t.FName);
        object.insert(QLatin1String("body"), double(t.FBody));
        object.insert(QLatin1String("border"), double(t.FBorder));
        object.insert(QLatin1String("button"), double(t.FButton));
        object.insert(QLatin1String("hover"), double(t.FHover));
        object.insert(QLatin1String("text"), double(t.FText));
        object.insert(QLatin1String("titletext"), double(t.FTitleText));
        object.insert(QLatin1String("link"), double(t.FLink));
        object.insert(QLatin1String("backfile"), t.FBackFile);
        object.insert(QLatin1String("backopacity"), double(t.FBackOpacity));
        themes.append(object);
    }
    QJsonObject root;
    root.insert(QLatin1String("version"), QLatin1String("1.1"));
    root.insert(QLatin1String("name"), TColorThemes::Name);
    root.insert(QLatin1String("author"), TColorThemes::Author);
    root.insert(QLatin1String("copyright"), TColorThemes::Copyright);
    root.insert(QLatin1String("createdate"), TColorThemes::CreateDate);
    root.insert(QLatin1String("remarks"), TColorThemes::Remarks);
    root.insert(QLatin1String("themes"), themes);
    return QJsonDocument(root);
}

void Print(const char *AWorkload, double AOurs, double AAnchor, const char *AUnit, double ARatio)
{
    std::printf("BENCH %s ours=%.1f anchor=%.1f unit=%s speed_ratio=%.2f\n", AWorkload, AOurs, AAnchor, AUnit, ARatio);
    std::fflush(stdout);
}

double Megabytes(const QString &AJson)
{
    return double(AJson.toUtf8().size()) / 1e6;
}

} // namespace

int main()
{
    // glibc serves a block above its mmap threshold with fresh pages on each
    // allocation, and a page fault costs some 15 us on this virtual machine:
    // the megabyte-sized texts of both writers would then time the kernel.
    // Keeping such blocks on the heap treats ours and the anchor alike.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    const QString json = GeneratedSet(20000);
    const QByteArray utf8 = json.toUtf8();
    const double megabytes = Megabytes(json);
    std::printf("# 20000 themes, %.2f MB of UTF-8\n", megabytes);

    const TBest read = BestSeconds([&] { TColorThemes::ReadFromJSON(json); },
                                   [&] {
                                       volatile size_t n = ReadWithQt(utf8).size();
                                       (void)n;
                                   });
    Print("themes_json_read_20000", megabytes / read.Ours, megabytes / read.Anchor, "MB/s", read.Anchor / read.Ours);
    // Our reader with the file's UTF-8 decoding included, as the start-up load
    // and the open command run it.
    const TBest decodeAndRead = BestSeconds([&] { TColorThemes::ReadFromJSON(QString::fromUtf8(utf8)); },
                                            [&] {
                                                volatile size_t n = ReadWithQt(utf8).size();
                                                (void)n;
                                            });
    Print("themes_json_decode_and_read_20000", megabytes / decodeAndRead.Ours, megabytes / decodeAndRead.Anchor,
          "MB/s", decodeAndRead.Anchor / decodeAndRead.Ours);

    TColorThemes::ReadFromJSON(json);
    if (TColorThemes::Count() != 20000 || TColorThemes::AsJSON() != json)
        std::fprintf(stderr, "the generated set does not read back unchanged\n");
    const QJsonDocument document = AsQtDocument();
    const TBest write = BestSeconds(
        [] {
            volatile qsizetype n = TColorThemes::AsJSON().size();
            (void)n;
        },
        [&] {
            volatile qsizetype n = document.toJson(QJsonDocument::Indented).size();
            (void)n;
        });
    Print("themes_json_write_20000", megabytes / write.Ours, megabytes / write.Anchor, "MB/s",
          write.Anchor / write.Ours);

    // Growth: time per theme at 20,000 themes (ours) against 2,000 (anchor);
    // a ratio of at least 10/11 = 0.91 means that ten times the themes cost at
    // most eleven times the time. The small set runs ten times per round.
    const QString small = GeneratedSet(2000);
    const TBest readGrowth = BestSeconds([&] { TColorThemes::ReadFromJSON(json); },
                                         [&] {
                                             for (int i = 0; i < 10; ++i)
                                                 TColorThemes::ReadFromJSON(small);
                                         });
    Print("themes_json_read_growth_20000_vs_2000", readGrowth.Ours / 20000 * 1e9,
          readGrowth.Anchor / 20000 * 1e9, "ns_per_theme", readGrowth.Anchor / readGrowth.Ours);
    const auto writeSeconds = [](const QString &ASet, int ARepeats) {
        TColorThemes::ReadFromJSON(ASet);
        const double start = CpuSeconds();
        for (int i = 0; i < ARepeats; ++i) {
            volatile qsizetype n = TColorThemes::AsJSON().size();
            (void)n;
        }
        return CpuSeconds() - start;
    };
    TBest writeGrowth;
    for (int round = 0; round < kRounds; ++round) {
        writeGrowth.Ours = std::min(writeGrowth.Ours, writeSeconds(json, 1));
        writeGrowth.Anchor = std::min(writeGrowth.Anchor, writeSeconds(small, 10));
    }
    Print("themes_json_write_growth_20000_vs_2000", writeGrowth.Ours / 20000 * 1e9,
          writeGrowth.Anchor / 20000 * 1e9, "ns_per_theme", writeGrowth.Anchor / writeGrowth.Ours);
    return 0;
}
