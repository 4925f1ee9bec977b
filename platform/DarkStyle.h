#pragma once

class QApplication;

// The window's ready-made dark style: Fusion, a dark palette and the
// program's style sheet.
class TDarkStyle
{
public:
    static void Apply(QApplication &AApplication);
};
