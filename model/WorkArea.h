#pragma once

#include <QRect>

// The screen areas a new note is placed in. With a GUI application they come
// from the primary screen's available geometry (the screen without task bars
// and docks); without one (the command-line tool, tests without a window
// system) they are FallbackArea, a 1920 x 1080 display less a 40-pixel task
// bar at the bottom, so the note model stays usable without a window.
class TWorkArea
{
public:
    static constexpr QRect FallbackArea{0, 0, 1920, 1040};

    // The work area of the desktop as a whole.
    static QRect Desktop();
    // The work area of the display flagged as primary.
    static QRect PrimaryDisplay();
};
