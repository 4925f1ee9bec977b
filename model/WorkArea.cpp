#include "model/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QRect PrimaryScreenArea()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return TWorkArea::FallbackArea;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : TWorkArea::FallbackArea;
}

} // namespace

// Qt knows one work area per screen; the desktop's is that of the primary
// screen, as task bars and docks belong to it.
QRect TWorkArea::Desktop()
{
    return PrimaryScreenArea();
}

QRect TWorkArea::PrimaryDisplay()
{
    return PrimaryScreenArea();
}
