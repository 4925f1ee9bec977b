#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"

int main(int argc, char **argv)
{
    TProgramUnits::Initialize();
    int status = 0;
    {
        TApplication application(argc, argv);
        TDarkStyle::Apply(application);
        TfrmMain window;
        window.show();
        status = application.exec();
    }
    TProgramUnits::Finalize();
    return status;
}
