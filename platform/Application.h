#pragma once

#include <QApplication>

// The application object: an exception that escapes an event handler is
// shown by the error display and the program goes on.
class TApplication : public QApplication
{
public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *AReceiver, QEvent *AEvent) override;

    // Runs AAction, showing an exception that escapes it. For work that is
    // not started by an event, such as deferred calls.
    static void Guarded(const std::function<void()> &AAction);

    // The program's version as "major.minor.patch", or "unknown".
    static QString GetVersion();
};
