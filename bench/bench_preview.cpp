// Typing into a colour field: one change of the body field, stored into the
// registry and repainted in the preview, against a bare repaint of the same
// preview widgets. Median of several rounds, microseconds per operation.
#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "controls/ColorEdit.h"
#include "controls/PreviewNote.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "ui_frmMain.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWindow>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 9;
constexpr int kOpsPerRound = 200;

template<typename F>
double MedianMicroseconds(F AOperation)
{
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kOpsPerRound; ++i)
            AOperation(i);
        rounds.push_back(double(timer.nsecsElapsed()) / 1000.0 / kOpsPerRound);
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    TProgramUnits::Initialize();
    {
        TApplication application(argc, argv);
        TDarkStyle::Apply(application);
        TfrmMain window;
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        QWidget *preview = window.UI().layoutPreviewBase;
        TColorEdit *body = window.UI().edtBody;
        // Painting into a picture of the preview's size paints every widget of
        // it each time, whatever the window system does with exposures.
        QImage canvas(preview->size(), QImage::Format_ARGB32_Premultiplied);
        const QStringList colours{"ffff0000", "ff00ff00"};
        // Warm up both paths once.
        body->setText(colours[1]);
        preview->render(&canvas);

        const double ours = MedianMicroseconds([&](int AIndex) {
            body->setText(colours[AIndex % 2]);
            preview->render(&canvas);
        });
        const double anchor = MedianMicroseconds([&](int) { preview->render(&canvas); });
        std::printf("BENCH preview_field_change ours=%.1f anchor=%.1f unit=us speed_ratio=%.3f\n", ours, anchor, anchor / ours);
    }
    TProgramUnits::Finalize();
    return 0;
}
