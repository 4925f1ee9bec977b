// Start-up time: from process start to the first paint of the main window,
// against a minimal Qt program showing a window with as many plain widgets.
// The parent process starts each child repeatedly and takes the median time
// until the child reports its first paint.
#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRuns = 15;

// Reports the first paint of a window and quits.
class TFirstPaint : public QObject
{
public:
    bool eventFilter(QObject *AObject, QEvent *AEvent) override
    {
        if (AEvent->type() == QEvent::Paint && !FDone) {
            FDone = true;
            std::puts("PAINTED");
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(AObject, AEvent);
    }

private:
    bool FDone = false;
};

int RunDesigner(int argc, char **argv)
{
    TProgramUnits::Initialize();
    int status = 0;
    {
        TApplication application(argc, argv);
        TDarkStyle::Apply(application);
        TfrmMain window;
        TFirstPaint probe;
        window.centralWidget()->installEventFilter(&probe);
        window.show();
        status = application.exec();
    }
    TProgramUnits::Finalize();
    return status;
}

int RunFloor(int argc, char **argv, int AWidgets)
{
    QApplication application(argc, argv);
    QMainWindow window;
    auto *central = new QWidget;
    window.setCentralWidget(central);
    for (int i = 1; i < AWidgets; ++i)
        (new QLabel(QStringLiteral("label"), central))->move(10 * (i % 60), 10 * (i / 60));
    window.resize(960, 392);
    TFirstPaint probe;
    central->installEventFilter(&probe);
    window.show();
    return application.exec();
}

int DesignerWidgetCount(int argc, char **argv)
{
    TProgramUnits::Initialize();
    int count = 0;
    {
        TApplication application(argc, argv);
        TfrmMain window;
        count = int(window.findChildren<QWidget *>().size());
    }
    TProgramUnits::Finalize();
    return count;
}

double MedianMs(const QString &AProgram, const QStringList &AArguments)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(AProgram, AArguments);
        while (!child.canReadLine() && child.waitForReadyRead(10000)) {
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
        child.waitForFinished(10000);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--designer") == 0)
        return RunDesigner(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--floor") == 0)
        return RunFloor(argc, argv, atoi(argv[2]));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int widgets = DesignerWidgetCount(argc, argv);
    const QString self = QString::fromLocal8Bit(argv[0]);
    // One run of each first, so both start from a warm file cache.
    MedianMs(self, {QStringLiteral("--designer")});
    MedianMs(self, {QStringLiteral("--floor"), QString::number(widgets)});
    const double designer = MedianMs(self, {QStringLiteral("--designer")});
    const double floor = MedianMs(self, {QStringLiteral("--floor"), QString::number(widgets)});
    std::printf("BENCH startup_to_first_paint ours=%.1f anchor=%.1f unit=ms speed_ratio=%.3f\n", designer, floor,
                floor / designer);
    return 0;
}
