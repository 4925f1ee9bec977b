#include "CliConsole.h"

#include <cstdio>

namespace CliConsole {

void PrintLine(const QString &ALine)
{
    std::fputs((ALine + u'\n').toUtf8().constData(), stdout);
}

void PrintError(const QString &ALine)
{
    std::fflush(stdout);
    std::fputs((ALine + u'\n').toUtf8().constData(), stderr);
}

bool WriteBytes(const QByteArray &ABytes)
{
    const size_t written = std::fwrite(ABytes.constData(), 1, size_t(ABytes.size()), stdout);
    return std::fflush(stdout) == 0 && written == size_t(ABytes.size());
}

} // namespace CliConsole
