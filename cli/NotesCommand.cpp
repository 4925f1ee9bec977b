// notavell2-themes notes: lists the notes of the data folder, one line each:
// the file name and the first line of the note's text.
#include "CliCommand.h"
#include "CliConsole.h"
#include "CliNote.h"

#include "app/ProgramUnits.h"
#include "model/NoteData.h"
#include "store/DataSerializer.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

int RunNotes(const QStringList &AArgs)
{
    if (!AArgs.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("notes: takes no arguments"));
        return TCliCommand::ExitUsage;
    }
    TProgramUnits::Initialize();
    int status = TCliCommand::ExitOk;
    for (const QString &path : TDataSerializer::GetDataFiles()) {
        TNoteData note;
        int version = 0;
        const QString name = QFileInfo(path).fileName();
        const QString error = CliNote::Load(path, note, false, version);
        if (!error.isEmpty()) {
            CliConsole::PrintError(QStringLiteral("%1: %2").arg(name, error));
            status = TCliCommand::ExitFailure;
            continue;
        }
        const QString body = note.GetContents()->Body();
        CliConsole::PrintLine(QStringLiteral("%1\t%2").arg(name, body.left(body.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))))));
    }
    TProgramUnits::Finalize();
    return status;
}

const TCliCommand::TRegistration registration({
    QStringLiteral("notes"),
    QString(),
    QStringLiteral("Lists the notes of the data folder, one line each: file name, a tab, and the first line of "
                   "the note's text. Notes that cannot be read are named on standard error (exit status 1)."),
    &RunNotes,
    true,
});

} // namespace
