#include "store/StreamHelper.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <cstring>

namespace {

constexpr bool HostIsLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

} // namespace

void TStreamHelper::WriteRaw(const void *AData, qint64 ASize)
{
    if (FStream.write(static_cast<const char *>(AData), ASize) != ASize)
        throw EStreamError("Stream write failed: " + FStream.errorString().toStdString());
}

void TStreamHelper::ReadRaw(void *AData, qint64 ASize)
{
    if (FStream.read(static_cast<char *>(AData), ASize) != ASize)
        throw EStreamError("Stream read failed: unexpected end of data");
}

void TStreamHelper::ReadPadded(void *AData, qint64 ASize)
{
    const qint64 got = qMax<qint64>(FStream.read(static_cast<char *>(AData), ASize), 0);
    std::memset(static_cast<char *>(AData) + got, 0, size_t(ASize - got));
}

void TStreamHelper::RequireAvailable(qint64 ASize, const char *AWhat)
{
    if (FStream.bytesAvailable() < ASize)
        throw EStreamError(std::string("Stream read failed: ") + AWhat + " longer than the remaining data");
}

void TStreamHelper::WriteBoolean(bool AValue)
{
    WriteByte(AValue ? 0xFF : 0x00);
}

bool TStreamHelper::ReadBoolean()
{
    return ReadByte() != 0;
}

void TStreamHelper::WriteByte(quint8 AValue)
{
    WriteRaw(&AValue, 1);
}

quint8 TStreamHelper::ReadByte()
{
    quint8 value;
    ReadRaw(&value, 1);
    return value;
}

template <typename T>
void TStreamHelper::WriteLittleEndian(T AValue)
{
    const T raw = qToLittleEndian(AValue);
    WriteRaw(&raw, sizeof raw);
}

template <typename T>
T TStreamHelper::ReadLittleEndian()
{
    T raw;
    ReadRaw(&raw, sizeof raw);
    return qFromLittleEndian(raw);
}

void TStreamHelper::WriteInteger(qint32 AValue)
{
    WriteLittleEndian(AValue);
}

qint32 TStreamHelper::ReadInteger()
{
    return ReadLittleEndian<qint32>();
}

void TStreamHelper::WriteInt64(qint64 AValue)
{
    WriteLittleEndian(AValue);
}

qint64 TStreamHelper::ReadInt64()
{
    return ReadLittleEndian<qint64>();
}

void TStreamHelper::WriteSingle(float AValue)
{
    WriteLittleEndian(AValue);
}

float TStreamHelper::ReadSingle()
{
    return ReadLittleEndian<float>();
}

void TStreamHelper::WriteColor(TAlphaColor AValue)
{
    const TAlphaColor raw = qToBigEndian(AValue);
    WriteRaw(&raw, sizeof raw);
}

TAlphaColor TStreamHelper::ReadColor()
{
    TAlphaColor raw;
    ReadPadded(&raw, sizeof raw);
    return qFromBigEndian(raw);
}

void TStreamHelper::WriteString(const QString &AValue)
{
    const qint64 count = AValue.size();
    WriteInt64(count);
    if (count == 0)
        return;
    if constexpr (HostIsLittleEndian) {
        WriteRaw(AValue.constData(), 2 * count);
    } else {
        QString swapped(count, Qt::Uninitialized);
        qToLittleEndian<char16_t>(AValue.constData(), count, swapped.data());
        WriteRaw(swapped.constData(), 2 * count);
    }
}

QString TStreamHelper::ReadString()
{
    const qint64 count = ReadInt64();
    if (count < 0 || count > MaxStringLength)
        throw EStreamError("Stream read failed: impossible string length " + std::to_string(count));
    RequireAvailable(2 * count, "string");
    if (count == 0)
        return QString();
    QString value(count, Qt::Uninitialized);
    ReadRaw(value.data(), 2 * count);
    if constexpr (!HostIsLittleEndian)
        qFromLittleEndian<char16_t>(value.constData(), count, value.data());
    return value;
}

QRect TStreamHelper::ReadRect()
{
    qint32 edges[4];
    ReadRaw(edges, sizeof edges);
    return QRect(QPoint(qFromLittleEndian(edges[0]), qFromLittleEndian(edges[1])),
                 QPoint(qFromLittleEndian(edges[2]), qFromLittleEndian(edges[3])));
}

void TStreamHelper::WriteRectF(const TRectF &AValue)
{
    const float edges[4] = {qToLittleEndian(AValue.Left), qToLittleEndian(AValue.Top),
                            qToLittleEndian(AValue.Right), qToLittleEndian(AValue.Bottom)};
    WriteRaw(edges, sizeof edges);
}

TRectF TStreamHelper::ReadRectF()
{
    float edges[4];
    ReadRaw(edges, sizeof edges);
    return TRectF{qFromLittleEndian(edges[0]), qFromLittleEndian(edges[1]),
                  qFromLittleEndian(edges[2]), qFromLittleEndian(edges[3])};
}

void TStreamHelper::WriteBitmap(const QImage &ABitmap)
{
    if (ABitmap.isNull()) {
        WriteInt64(0);
        return;
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(ABitmap))
        throw EStreamError("Picture encoding failed: " + writer.errorString().toStdString());
    WriteInt64(encoded.size());
    WriteRaw(encoded.constData(), encoded.size());
}

void TStreamHelper::ReadBitmap(QImage &ABitmap)
{
    const qint64 count = ReadInt64();
    if (count <= 0)
        return;
    RequireAvailable(count, "picture");
    QByteArray encoded(count, Qt::Uninitialized);
    for (qint64 done = 0; done < count; done += BitmapChunkSize)
        ReadRaw(encoded.data() + done, qMin(BitmapChunkSize, count - done));
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage decoded;
    if (!reader.read(&decoded))
        throw EStreamError("Picture decoding failed: " + reader.errorString().toStdString());
    // In place where the depth allows (ARGB32 from PNG): no second picture
    // buffer to allocate.
    decoded.convertTo(QImage::Format_ARGB32_Premultiplied);
    ABitmap = std::move(decoded);
}

void TStreamHelper::WriteSignature(const QString &AText)
{
    QByteArray bytes(AText.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < AText.size(); ++i)
        bytes[i] = char(AText.at(i).unicode() & 0xFF);
    WriteRaw(bytes.constData(), bytes.size());
}

bool TStreamHelper::CheckSignature(const QString &AText)
{
    QByteArray bytes(AText.size(), Qt::Uninitialized);
    ReadPadded(bytes.data(), bytes.size());
    for (qsizetype i = 0; i < AText.size(); ++i)
        if (quint8(bytes.at(i)) != (AText.at(i).unicode() & 0xFF))
            return false;
    return true;
}
