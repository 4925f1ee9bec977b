// notavell2-themes check FILE...: one line per file, its theme count and set
// name or why it does not load; success only when every file gives a theme.
#include "CliCommand.h"
#include "CliConsole.h"
#include "CliThemeSet.h"

#include "model/ColorThemes.h"

namespace {

int RunCheck(const QStringList &AArgs)
{
    if (AArgs.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("check: no file given"));
        return TCliCommand::ExitUsage;
    }
    for (const QString &arg : AArgs)
        if (arg.startsWith(u'-') && arg.size() > 1) {
            CliConsole::PrintError(QStringLiteral("check: unknown option %1").arg(arg));
            return TCliCommand::ExitUsage;
        }
    int status = TCliCommand::ExitOk;
    for (const QString &path : AArgs) {
        const QString error = CliThemeSet::Load(path);
        if (!error.isEmpty()) {
            CliConsole::PrintLine(QStringLiteral("%1: %2").arg(path, error));
            status = TCliCommand::ExitFailure;
            continue;
        }
        const int count = TColorThemes::Count();
        CliConsole::PrintLine(QStringLiteral("%1: %2 %3, set \"%4\"")
                                  .arg(path)
                                  .arg(count)
                                  .arg(count == 1 ? QStringLiteral("theme") : QStringLiteral("themes"),
                                       TColorThemes::Name));
        if (count < 1)
            status = TCliCommand::ExitFailure;
    }
    return status;
}

const TCliCommand::TRegistration registration({
    QStringLiteral("check"),
    QStringLiteral("FILE..."),
    QStringLiteral("Reads each theme-set file and prints its theme count and set name, or why it does not "
                   "load (with line and column). Exit status 0 only when every file gives at least one theme."),
    &RunCheck,
});

} // namespace
