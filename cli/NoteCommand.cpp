// notavell2-themes note [--default] FILE.nvl: prints a note file as indented
// JSON, so any note can be read and recovered without the notes application.
#include "CliCommand.h"
#include "CliConsole.h"
#include "CliNote.h"

#include "app/ProgramUnits.h"
#include "model/NoteData.h"

namespace {

int RunNote(const QStringList &AArgs)
{
    bool asDefault = false;
    QStringList files;
    for (const QString &arg : AArgs) {
        if (arg == QLatin1String("--default")) {
            asDefault = true;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            CliConsole::PrintError(QStringLiteral("note: unknown option %1").arg(arg));
            return TCliCommand::ExitUsage;
        } else {
            files << arg;
        }
    }
    if (files.size() != 1) {
        CliConsole::PrintError(QStringLiteral("note: give exactly one note file"));
        return TCliCommand::ExitUsage;
    }
    // Started like the program, so a note of a theme that the data folder's
    // theme set knows shows that theme's current colours.
    TProgramUnits::Initialize();
    int status = TCliCommand::ExitOk;
    {
        TNoteData note;
        int version = 0;
        const QString error = CliNote::Load(files.first(), note, asDefault, version);
        if (error.isEmpty()) {
            CliConsole::PrintLine(CliNote::Describe(files.first(), version, note, asDefault).ToString());
        } else {
            CliConsole::PrintError(QStringLiteral("%1: %2").arg(files.first(), error));
            status = TCliCommand::ExitFailure;
        }
    }
    TProgramUnits::Finalize();
    return status;
}

const TCliCommand::TRegistration registration({
    QStringLiteral("note"),
    QStringLiteral("[--default] FILE.nvl"),
    QStringLiteral("Prints a note file (versions 1-5) as indented JSON: theme, font, flags, bounds, images and "
                   "text. --default reads it as the default note (attributes and bounds only)."),
    &RunNote,
    true,
});

} // namespace
