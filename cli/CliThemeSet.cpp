#include "CliThemeSet.h"

#include "model/ColorThemes.h"
#include "store/ThemeSetFile.h"

#include <QFileInfo>

#include <stdexcept>

namespace CliThemeSet {

QString Load(const QString &APath)
{
    TColorThemes::Clear();
    if (QFileInfo(APath).isDir())
        return QStringLiteral("cannot read: it is a folder");
    QString text;
    try {
        text = TThemeSetFile::ReadText(APath);
    } catch (const std::exception &e) {
        // The message starts with the path, which the caller prints itself.
        const QString message = QString::fromUtf8(e.what());
        const QString prefix = APath + QStringLiteral(": ");
        return QStringLiteral("cannot read: ") + (message.startsWith(prefix) ? message.mid(prefix.size()) : message);
    }
    if (const auto error = TColorThemes::ReadFromJSONChecked(text))
        return error->ToString();
    return QString();
}

} // namespace CliThemeSet
