#include "model/FontAttr.h"

#include "store/StreamHelper.h"

void TFontAttr::WriteToStream(QIODevice &AStream) const
{
    TStreamHelper stream(AStream);
    stream.WriteString(FName);
    stream.WriteInteger(FSize);
    stream.WriteByte(FStyles);
}

bool TFontAttr::ReadFromStream(QIODevice &AStream)
{
    TStreamHelper stream(AStream);
    FName = stream.ReadString();
    FSize = stream.ReadInteger();
    FStyles = stream.ReadByte();
    return true;
}
