#include "support/TestSupport.h"

#include <QDir>

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

} // namespace TestSupport
