#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A subcommand of notavell2-themes. Each one lives in a file of its own and
// registers itself with a file-level TCliCommand::TRegistration:
//
//   static const TCliCommand::TRegistration registration({"check", "FILE...", "Checks ...", &RunCheck});
//
// Run receives the arguments after the subcommand's name and returns the
// exit status: 0 success, 1 a failure of the work, 2 bad arguments.
struct TCliCommand
{
    QString Name;
    QString Arguments;
    QString Summary;
    std::function<int(const QStringList &AArgs)> Run;
    // Started with a QApplication (offscreen unless a platform is chosen)
    // instead of a QCoreApplication, for commands that render widgets.
    bool NeedsGui = false;

    static constexpr int ExitOk = 0;
    static constexpr int ExitFailure = 1;
    static constexpr int ExitUsage = 2;

    struct TRegistration
    {
        explicit TRegistration(TCliCommand ACommand);
    };

    // Every registered command, sorted by name.
    static QList<TCliCommand> All();
    static const TCliCommand *Find(const QString &AName);
};
