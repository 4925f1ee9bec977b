#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Helpers shared by the tests.
namespace TestSupport {

// Full path of a fixture under tests/data.
QString DataPath(const QString &AName);
// Writes a rendered picture under build/rendered for people to look at and
// returns its path.
QString SaveRendered(const QImage &AImage, const QString &AName);

// The names of the registry's themes, in order.
QStringList RegistryNames();

// What a run of the command-line tool gave; Status -1 when it did not end
// normally.
struct TToolRun
{
    int Status = -1;
    QByteArray Out;
    QByteArray Err;

    QString OutText() const { return QString::fromUtf8(Out); }
    QString ErrText() const { return QString::fromUtf8(Err); }
};
// Runs build/bin/notavell2-themes (next to the test) with AArgs.
TToolRun RunThemesTool(const QStringList &AArgs);

} // namespace TestSupport
