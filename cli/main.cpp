// notavell2-themes: checks and normalises theme-set files without a window.
#include "CliCommand.h"
#include "CliConsole.h"

#include "platform/Application.h"

#include <QCoreApplication>

#include <memory>

namespace {

QString Usage()
{
    QStringList lines = {
        QStringLiteral("Usage: notavell2-themes COMMAND [ARGUMENTS]"),
        QStringLiteral("       notavell2-themes --help | --version"),
        QString(),
        QStringLiteral("Commands:"),
    };
    for (const TCliCommand &command : TCliCommand::All()) {
        lines << QStringLiteral("  %1 %2").arg(command.Name, command.Arguments);
        lines << QStringLiteral("      %1").arg(command.Summary);
    }
    lines << QString() << QStringLiteral("Exit status: 0 success, 1 failure, 2 bad arguments.");
    return lines.join(u'\n');
}

} // namespace

int main(int argc, char **argv)
{
    const TCliCommand *command = argc > 1 ? TCliCommand::Find(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> application;
    if (command && command->NeedsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<TApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);

    if (args.isEmpty()) {
        CliConsole::PrintError(Usage());
        return TCliCommand::ExitUsage;
    }
    const QString &first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        CliConsole::PrintLine(Usage());
        return TCliCommand::ExitOk;
    }
    if (first == QLatin1String("--version")) {
        CliConsole::PrintLine(QStringLiteral("notavell2-themes %1").arg(TApplication::GetVersion()));
        return TCliCommand::ExitOk;
    }
    if (!command) {
        CliConsole::PrintError(QStringLiteral("notavell2-themes: unknown command \"%1\"; see --help").arg(first));
        return TCliCommand::ExitUsage;
    }
    return command->Run(args.mid(1));
}
