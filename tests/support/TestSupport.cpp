#include "support/TestSupport.h"

#include "model/ColorThemes.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace TestSupport {

QString DataPath(const QString &AName)
{
    return QDir(QStringLiteral(TESTS_DATA_DIR)).filePath(AName);
}

QString SaveRendered(const QImage &AImage, const QString &AName)
{
    const QString path = QDir(QStringLiteral(TESTS_OUTPUT_DIR)).filePath(AName);
    AImage.save(path);
    return path;
}

QStringList RegistryNames()
{
    QStringList names;
    for (int i = 0; i < TColorThemes::Count(); ++i)
        names << TColorThemes::Items(i).FName;
    return names;
}

TToolRun RunThemesTool(const QStringList &AArgs)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/notavell2-themes", AArgs);
    TToolRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.Status = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}

} // namespace TestSupport
