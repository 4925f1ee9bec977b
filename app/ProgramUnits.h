#pragma once

// The program-wide state shared with the notes application, set up before
// any window exists and released at exit in reverse order.
class TProgramUnits
{
public:
    static void Initialize();
    static void Finalize();
};
