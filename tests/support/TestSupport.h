#pragma once

#include <QImage>
#include <QString>

// Helpers shared by the tests.
namespace TestSupport {

// Full path of a fixture under tests/data.
QString DataPath(const QString &AName);
// Writes a rendered picture under build/rendered for people to look at and
// returns its path.
QString SaveRendered(const QImage &AImage, const QString &AName);

} // namespace TestSupport
