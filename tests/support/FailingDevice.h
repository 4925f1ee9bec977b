#pragma once

#include <QBuffer>

// A buffer that accepts only the first ALimit bytes written to it and fails
// every write after that, as a full disk would.
class TFailingDevice : public QBuffer
{
public:
    explicit TFailingDevice(qint64 ALimit) : FLimit(ALimit) { open(QIODevice::ReadWrite); }

protected:
    qint64 writeData(const char *AData, qint64 ASize) override;

private:
    qint64 FLimit;
};
