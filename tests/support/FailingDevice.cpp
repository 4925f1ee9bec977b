#include "support/FailingDevice.h"

qint64 TFailingDevice::writeData(const char *AData, qint64 ASize)
{
    const qint64 room = FLimit - size();
    if (room < ASize) {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
    return QBuffer::writeData(AData, ASize);
}
