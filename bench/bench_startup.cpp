// Start-up time: from process start to the first paint of the main window,
// against a minimal Qt program showing a window with as many plain widgets.
// The parent process starts each child repeatedly and takes the median time
// until the child reports its first paint.
#include "app/Designer.h"
#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "platform/Application.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRuns = 21;

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
    TFirstPaint probe;
    return TDesigner::Run(argc, argv, [&](TfrmMain &AWindow) { AWindow.centralWidget()->installEventFilter(&probe); });
}

// A plain window with one label per text; ATexts holds one text per line.
int RunFloor(int argc, char **argv, const QStringList &ATexts)
{
    QApplication application(argc, argv);
    QMainWindow window;
    auto *central = new QWidget;
    window.setCentralWidget(central);
    for (int i = 1; i < ATexts.size(); ++i)
        (new QLabel(ATexts.at(i), central))->move(16 * (i % 40), 8 * (i / 40));
    window.resize(960, 392);
    TFirstPaint probe;
    central->installEventFilter(&probe);
    window.show();
    return application.exec();
}

QString WidgetText(const QWidget *AWidget)
{
    if (auto *label = qobject_cast<const QLabel *>(AWidget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(AWidget))
        return button->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(AWidget))
        return edit->text();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(AWidget))
        return memo->toPlainText();
    if (auto *list = qobject_cast<const QComboBox *>(AWidget))
        return list->currentText();
    return QString();
}

// The texts the designer's widgets show, one entry per widget.
QStringList DesignerTexts(int argc, char **argv)
{
    TProgramUnits::Initialize();
    QStringList texts;
    {
        TApplication application(argc, argv);
        TfrmMain window;
        for (const QWidget *widget : window.findChildren<QWidget *>())
            texts << WidgetText(widget).replace(u'\n', u' ');
    }
    TProgramUnits::Finalize();
    return texts;
}

double Median(std::vector<double> ATimes)
{
    std::sort(ATimes.begin(), ATimes.end());
    return ATimes[ATimes.size() / 2];
}

// Milliseconds from starting the program until it reports its first paint.
double TimeToFirstPaint(const QString &AProgram, const QStringList &AArguments)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(AProgram, AArguments);
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    child.waitForFinished(10000);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--designer") == 0)
        return RunDesigner(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--floor") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        return RunFloor(argc, argv, QString::fromUtf8(file.readAll()).split(u'\n'));
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList texts = DesignerTexts(argc, argv);
    // The floor: as many plain labels with a short ASCII text; and a
    // second floor whose labels show the designer's own (Japanese) texts, so
    // that glyph loading and shaping, which any program showing them pays,
    // is on both sides.
    QTemporaryFile plain, same;
    QStringList ascii;
    for (qsizetype i = 0; i < texts.size(); ++i)
        ascii << QStringLiteral("label");
    if (!plain.open() || !same.open())
        return 1;
    plain.write(ascii.join(u'\n').toUtf8());
    same.write(texts.join(u'\n').toUtf8());
    plain.flush();
    same.flush();

    const QString self = QString::fromLocal8Bit(argv[0]);
    const QStringList designerArgs = {QStringLiteral("--designer")};
    const QStringList plainArgs = {QStringLiteral("--floor"), plain.fileName()};
    const QStringList sameArgs = {QStringLiteral("--floor"), same.fileName()};
    // Warm the file cache, then alternate the three so that load changes on
    // the machine fall on all of them alike.
    TimeToFirstPaint(self, designerArgs);
    TimeToFirstPaint(self, plainArgs);
    TimeToFirstPaint(self, sameArgs);
    std::vector<double> designer, floorPlain, floorSame;
    for (int i = 0; i < kRuns; ++i) {
        designer.push_back(TimeToFirstPaint(self, designerArgs));
        floorPlain.push_back(TimeToFirstPaint(self, plainArgs));
        floorSame.push_back(TimeToFirstPaint(self, sameArgs));
    }
    const double ours = Median(designer);
    std::printf("BENCH startup_to_first_paint ours=%.1f anchor=%.1f unit=ms speed_ratio=%.3f\n", ours,
                Median(floorPlain), Median(floorPlain) / ours);
    std::printf("BENCH startup_to_first_paint_same_texts ours=%.1f anchor=%.1f unit=ms speed_ratio=%.3f\n", ours,
                Median(floorSame), Median(floorSame) / ours);
    return 0;
}
