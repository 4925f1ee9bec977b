// Bitmap resizer against Qt's own smooth scaling on the same images in the
// same run: a 4000 x 3000 photograph-sized bitmap shrunk to 1000 x 750 and
// the reverse enlargement. Speed is megapixels of the large side per second.
#include "graphics/BitmapResizer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Smooth gradients with some noise, so neither filter meets only flat areas.
QImage Picture(int AWidth, int AHeight)
{
    QImage image(AWidth, AHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, AWidth, AHeight);
    gradient.setColorAt(0, QColor(250, 200, 40));
    gradient.setColorAt(0.5, QColor(30, 120, 220, 200));
    gradient.setColorAt(1, QColor(200, 30, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QRandomGenerator random(42);
    for (int y = 0; y < AHeight; y += 3) {
        quint32 *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < AWidth; x += 7)
            line[x] = random.generate() | 0xFF000000;
    }
    return image;
}

double Seconds(const std::function<void()> &AWork)
{
    QElapsedTimer timer;
    timer.start();
    AWork();
    return timer.nsecsElapsed() / 1e9;
}

// The best of several runs of each, taken in turns, so that a burst of load
// from elsewhere on the machine does not favour one side.
void Workload(const char *AName, const QImage &ASource, QSize ADestSize, qint64 APixels)
{
    QImage ours(ADestSize, ASource.format());
    QImage anchor;
    const auto runOurs = [&] {
        if (!TBitmapResizer::ResizeTo(ASource, ours))
            qFatal("ResizeTo failed");
    };
    const auto runAnchor = [&] { anchor = ASource.scaled(ADestSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); };
    runOurs(); // warm caches and page in the destination
    runAnchor();
    double oursSeconds = 1e30;
    double anchorSeconds = 1e30;
    for (int run = 0; run < 15; ++run) {
        oursSeconds = std::min(oursSeconds, Seconds(runOurs));
        anchorSeconds = std::min(anchorSeconds, Seconds(runAnchor));
    }
    const double oursRate = APixels / oursSeconds / 1e6;
    const double anchorRate = APixels / anchorSeconds / 1e6;
    std::printf("BENCH %s ours=%.1f anchor=%.1f unit=Mpx/s speed_ratio=%.2f\n", AName, oursRate, anchorRate,
                oursRate / anchorRate);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv); // QPainter on QImage wants the Gui module set up
    const QImage large = Picture(4000, 3000);
    const QImage small = Picture(1000, 750);
    Workload("resize_shrink_4000x3000_to_1000x750", large, QSize(1000, 750), 4000LL * 3000);
    Workload("resize_enlarge_1000x750_to_4000x3000", small, QSize(4000, 3000), 4000LL * 3000);
    return 0;
}
