#pragma once

#include "model/AlphaColor.h"
#include "model/RectF.h"

#include <QRect>
#include <QString>

#include <stdexcept>

class QIODevice;
class QImage;

// Raised when a stream cannot deliver or take the bytes of a value: the end
// of the data inside a value, an impossible length, a device write error or
// a picture the codec cannot handle.
class EStreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Typed reads and writes at the current position of a byte stream, shared by
// every binary form (note files and their sections). Integers and floats are
// little-endian, colours big-endian (alpha byte first), Booleans one byte
// (written $FF), strings a 64-bit count of UTF-16 code units followed by the
// code units, pictures a 64-bit byte count followed by PNG bytes, signatures
// one byte per code unit.
//
// Every read either yields a defined value or raises EStreamError; only
// ReadColor and CheckSignature read missing bytes as zero. Lengths read from
// the stream are checked against what the device still holds before anything
// is allocated, so the device should be random-access (a file or a buffer).
class TStreamHelper
{
public:
    explicit TStreamHelper(QIODevice &AStream) : FStream(AStream) {}

    void WriteBoolean(bool AValue);
    bool ReadBoolean();
    void WriteByte(quint8 AValue);
    quint8 ReadByte();
    void WriteInteger(qint32 AValue);
    qint32 ReadInteger();
    void WriteSingle(float AValue);
    float ReadSingle();
    void WriteColor(TAlphaColor AValue);
    TAlphaColor ReadColor();
    void WriteString(const QString &AValue);
    QString ReadString();
    // An integer rectangle of old files; QRect's left(), top(), right() and
    // bottom() give the four stored values unchanged.
    QRect ReadRect();
    void WriteRectF(const TRectF &AValue);
    TRectF ReadRectF();
    // An empty picture is written as the count 0 with no bytes.
    void WriteBitmap(const QImage &ABitmap);
    // A count of 0 or less leaves ABitmap as it was.
    void ReadBitmap(QImage &ABitmap);
    void WriteSignature(const QString &AText);
    // Always consumes one byte per code unit of AText.
    bool CheckSignature(const QString &AText);

    // Largest string the reader accepts, in code units.
    static constexpr qint64 MaxStringLength = 0x7FFFFFFF;
    // Chunk size of the picture copy.
    static constexpr qint64 BitmapChunkSize = 1024 * 1024;

private:
    // The counts in front of strings and pictures.
    void WriteInt64(qint64 AValue);
    qint64 ReadInt64();
    template <typename T>
    void WriteLittleEndian(T AValue);
    template <typename T>
    T ReadLittleEndian();
    void WriteRaw(const void *AData, qint64 ASize);
    void ReadRaw(void *AData, qint64 ASize);
    // Reads up to ASize bytes, zero-filling what is missing.
    void ReadPadded(void *AData, qint64 ASize);
    // Raises when fewer than ASize bytes remain.
    void RequireAvailable(qint64 ASize, const char *AWhat);

    QIODevice &FStream;
};
