#include "app/Designer.h"

#include "app/ProgramUnits.h"
#include "app/frmMain.h"
#include "model/ColorThemes.h"
#include "platform/Application.h"
#include "platform/DarkStyle.h"
#include "platform/ErrorDisplay.h"

int TDesigner::Run(int &argc, char **argv, const std::function<void(TfrmMain &)> &AOnShown)
{
    TProgramUnits::Initialize();
    int status = 0;
    {
        TApplication application(argc, argv);
        TDarkStyle::Apply(application);
        TfrmMain window;
        window.show();
        // A themes file that could not be read was replaced by the built-in
        // themes; say why once the window is up.
        if (!TColorThemes::StartupError.isEmpty())
            QMetaObject::invokeMethod(
                &window, [] { TErrorDisplay::Show(TColorThemes::StartupError); }, Qt::QueuedConnection);
        if (AOnShown)
            AOnShown(window);
        status = application.exec();
    }
    TProgramUnits::Finalize();
    return status;
}
