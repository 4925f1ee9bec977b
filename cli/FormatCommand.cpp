// notavell2-themes format FILE [-o OUT]: reads a theme set and writes it back
// exactly as the designer saves it.
#include "CliCommand.h"
#include "CliConsole.h"
#include "CliThemeSet.h"

#include "model/ColorThemes.h"
#include "store/ThemeSetFile.h"

#include <stdexcept>

namespace {

int RunFormat(const QStringList &AArgs)
{
    QString input;
    QString output;
    for (qsizetype i = 0; i < AArgs.size(); ++i) {
        const QString &arg = AArgs.at(i);
        if (arg == QLatin1String("-o")) {
            if (i + 1 >= AArgs.size() || !output.isEmpty()) {
                CliConsole::PrintError(QStringLiteral("format: -o needs one output file"));
                return TCliCommand::ExitUsage;
            }
            output = AArgs.at(++i);
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            CliConsole::PrintError(QStringLiteral("format: unknown option %1").arg(arg));
            return TCliCommand::ExitUsage;
        } else if (input.isEmpty()) {
            input = arg;
        } else {
            CliConsole::PrintError(QStringLiteral("format: only one input file is taken"));
            return TCliCommand::ExitUsage;
        }
    }
    if (input.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("format: no file given"));
        return TCliCommand::ExitUsage;
    }

    const QString error = CliThemeSet::Load(input);
    if (!error.isEmpty()) {
        CliConsole::PrintError(QStringLiteral("%1: %2").arg(input, error));
        return TCliCommand::ExitFailure;
    }
    const QString json = TColorThemes::AsJSON();
    if (output.isEmpty()) {
        if (!CliConsole::WriteBytes(TThemeSetFile::Encode(json))) {
            CliConsole::PrintError(QStringLiteral("format: cannot write to standard output"));
            return TCliCommand::ExitFailure;
        }
        return TCliCommand::ExitOk;
    }
    try {
        TThemeSetFile::Write(output, json);
    } catch (const std::exception &e) {
        CliConsole::PrintError(QString::fromUtf8(e.what()));
        return TCliCommand::ExitFailure;
    }
    return TCliCommand::ExitOk;
}

const TCliCommand::TRegistration registration({
    QStringLiteral("format"),
    QStringLiteral("FILE [-o OUT]"),
    QStringLiteral("Reads a theme-set file and writes it back as the designer saves it (UTF-8 with byte-order "
                   "mark, CR LF line ends, format version 1.1), to OUT or to standard output."),
    &RunFormat,
});

} // namespace
