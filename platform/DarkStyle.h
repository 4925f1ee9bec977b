#pragma once

class QApplication;

// The window's ready-made dark style: Fusion with a dark palette and the
// program's fonts. No application style sheet: it would restyle every
// widget as it is created and slow down start-up.
class TDarkStyle
{
public:
    static void Apply(QApplication &AApplication);
};
