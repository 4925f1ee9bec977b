#include "graphics/GIFBlockReader.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr quint8 ImageSeparator = 0x2C;
constexpr quint8 ExtensionIntroducer = 0x21;
constexpr quint8 PlainTextLabel = 0x01;
constexpr quint8 GraphicControlLabel = 0xF9;
constexpr quint8 CommentLabel = 0xFE;
constexpr quint8 ApplicationLabel = 0xFF;

quint16 Word(const uchar *ABytes)
{
    return quint16(ABytes[0] | ABytes[1] << 8);
}

} // namespace

bool TGIFBlockReader::ReadNextImage(TGIFImage &AImage)
{
    while (!FStream->atEnd()) {
        const quint8 introducer = ReadByte();
        if (introducer == ImageSeparator)
            return ReadImage(AImage);
        if (introducer != ExtensionIntroducer || !ReadExtension())
            return false; // the trailer, an unexpected byte or a damaged block
    }
    return false;
}

// A read past the end yields 0, which ends every length-driven loop.
quint8 TGIFBlockReader::ReadByte()
{
    char byte = 0;
    FStream->getChar(&byte);
    return quint8(byte);
}

bool TGIFBlockReader::ReadImage(TGIFImage &AImage)
{
    constexpr int DescriptorSize = 9;
    if (FStream->bytesAvailable() < DescriptorSize)
        return false;
    uchar descriptor[DescriptorSize];
    FStream->read(reinterpret_cast<char *>(descriptor), DescriptorSize);
    AImage = TGIFImage();
    AImage.FX = Word(descriptor);
    AImage.FY = Word(descriptor + 2);
    AImage.FWidth = Word(descriptor + 4);
    AImage.FHeight = Word(descriptor + 6);
    AImage.FPackedFields = descriptor[8];
    if (AImage.FPackedFields & 0x80)
        AImage.FLocalColorTable = ReadGIFColorTable(FStream, 2 << (AImage.FPackedFields & 7));
    AImage.FMinCodeSize = ReadByte();

    char block[256];
    for (int length = ReadByte(); length != 0 && !FStream->atEnd(); length = ReadByte()) {
        const qint64 got = FStream->read(block, length);
        if (got > 0)
            AImage.FData.append(block, got);
    }

    AImage.FDelay = FPendingDelay;
    AImage.FDisposal = FPendingDisposal;
    AImage.FTransparentIndex = FPendingTransparentIndex;
    FPendingDelay = 0;
    FPendingDisposal = 0;
    FPendingTransparentIndex = -1;
    return !AImage.FData.isEmpty();
}

bool TGIFBlockReader::ReadExtension()
{
    switch (ReadByte()) {
    case PlainTextLabel:
    case CommentLabel:
        if (FStream->atEnd())
            return false;
        return SkipSubBlocks(ReadByte());
    case GraphicControlLabel:
        return ReadGraphicControl();
    case ApplicationLabel:
        return ReadApplication();
    default:
        // Nothing more is read for an unknown label; the bytes after it are
        // taken as block introducers.
        return true;
    }
}

bool TGIFBlockReader::ReadGraphicControl()
{
    constexpr int Size = 6;
    if (FStream->bytesAvailable() < Size)
        return false;
    uchar bytes[Size];
    FStream->read(reinterpret_cast<char *>(bytes), Size);
    if (bytes[5] != 0)
        return false;
    const quint8 packed = bytes[1];
    const int delay = Word(bytes + 2);
    FPendingDelay = delay > 0 ? delay * 10 : 20;
    FPendingDisposal = (packed >> 2) & 7;
    FPendingTransparentIndex = (packed & 1) ? bytes[4] : -1;
    return true;
}

bool TGIFBlockReader::ReadApplication()
{
    constexpr int Size = 13;
    if (FStream->bytesAvailable() < Size)
        return false;
    uchar bytes[Size];
    FStream->read(reinterpret_cast<char *>(bytes), Size);
    if (bytes[0] != 11)
        return false;
    if (std::memcmp(bytes + 1, "XMP Data", 8) == 0) {
        // Raw XMP text starts at the 13th byte and runs to the zero byte at
        // the end of its trailer; the block terminator follows.
        while (!FStream->atEnd() && ReadByte() != 0) {
        }
        return SkipSubBlocks(ReadByte());
    }
    return SkipSubBlocks(bytes[12]);
}

bool TGIFBlockReader::SkipSubBlocks(int AFirstLength)
{
    for (int length = AFirstLength; length != 0; length = ReadByte()) {
        // The block and at least the next length byte must still be there.
        if (FStream->pos() + length >= FStream->size())
            return false;
        FStream->seek(FStream->pos() + length);
    }
    return true;
}
