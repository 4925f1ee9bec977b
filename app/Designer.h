#pragma once

#include <functional>

class TfrmMain;

// The designer program: program-wide units, the application object with
// its dark style, and the main window until it is closed.
class TDesigner
{
public:
    // AOnShown runs once the main window is shown, before the event loop.
    static int Run(int &argc, char **argv, const std::function<void(TfrmMain &)> &AOnShown = {});
};
