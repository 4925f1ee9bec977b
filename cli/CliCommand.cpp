#include "CliCommand.h"

#include <algorithm>

namespace {

QList<TCliCommand> &Registry()
{
    static QList<TCliCommand> commands;
    return commands;
}

} // namespace

TCliCommand::TRegistration::TRegistration(TCliCommand ACommand)
{
    Registry().append(std::move(ACommand));
}

QList<TCliCommand> TCliCommand::All()
{
    QList<TCliCommand> commands = Registry();
    std::sort(commands.begin(), commands.end(),
              [](const TCliCommand &A, const TCliCommand &B) { return A.Name < B.Name; });
    return commands;
}

const TCliCommand *TCliCommand::Find(const QString &AName)
{
    for (const TCliCommand &command : Registry())
        if (command.Name == AName)
            return &command;
    return nullptr;
}
