#include "model/StickyAttr.h"

#include "store/StreamHelper.h"

TStickyAttr::TStickyAttr()
{
    Init();
}

TStickyAttr::TStickyAttr(const TColorTheme &AColor, const TFontAttr &AFont, TZOrder AZOrder, bool ASticky,
                         bool AMinimize, bool ASecret, bool ALock)
    : FColor(AColor), FFont(AFont), FZOrder(AZOrder), FSnap(ASticky), FShaded(AMinimize), FLock(ALock),
      FSecret(ASecret)
{
}

void TStickyAttr::Init()
{
    FColor.SetDefault();
    FFont.SetDefault();
    FZOrder = TZOrder::Normal;
    FSnap = true;
    FShaded = false;
    FSecret = false;
    FLock = false;
    FAlpha = 100;
}

void TStickyAttr::Assign(const TStickyAttr &AAttr)
{
    FColor = AAttr.FColor;
    FFont = AAttr.FFont;
    FZOrder = AAttr.FZOrder;
    FSnap = AAttr.FSnap;
    FShaded = AAttr.FShaded;
    FSecret = AAttr.FSecret;
    FLock = AAttr.FLock;
    FAlpha = AAttr.FAlpha;
    FModified = true;
}

void TStickyAttr::ClearModified()
{
    FModified = false;
    FFont.ClearModified();
}

void TStickyAttr::SetColor(const TColorTheme &AValue)
{
    FColor = AValue;
    FModified = true;
    if (OnColorChange)
        OnColorChange(this);
}

void TStickyAttr::SetFont(const TFontAttr &AValue)
{
    if (FFont == AValue)
        return;
    FFont = AValue;
    FModified = true;
}

void TStickyAttr::SetZOrder(TZOrder AValue)
{
    if (FZOrder == AValue)
        return;
    FZOrder = AValue;
    FModified = true;
    if (OnZOrderChange)
        OnZOrderChange(this);
}

namespace {

// Assigns a flag that differs and reports whether it did.
bool Change(bool &AField, bool AValue)
{
    if (AField == AValue)
        return false;
    AField = AValue;
    return true;
}

} // namespace

void TStickyAttr::SetSnap(bool AValue)
{
    FModified |= Change(FSnap, AValue);
}

void TStickyAttr::SetShaded(bool AValue)
{
    FModified |= Change(FShaded, AValue);
}

void TStickyAttr::SetLock(bool AValue)
{
    FModified |= Change(FLock, AValue);
}

void TStickyAttr::SetSecret(bool AValue)
{
    FModified |= Change(FSecret, AValue);
}

void TStickyAttr::SetAlpha(qint32 AValue)
{
    FAlpha = AValue;
    FModified = true;
    if (OnColorChange)
        OnColorChange(this);
}

void TStickyAttr::WriteToStream(QIODevice &AStream) const
{
    FColor.WriteToStream(AStream);
    FFont.WriteToStream(AStream);
    TStreamHelper stream(AStream);
    stream.WriteByte(quint8(FZOrder));
    stream.WriteBoolean(FSnap);
    stream.WriteBoolean(FShaded);
    stream.WriteBoolean(FSecret);
    stream.WriteBoolean(FLock);
    stream.WriteInteger(FAlpha);
}

bool TStickyAttr::ReadFromStream(QIODevice &AStream, int AVer)
{
    FColor.ReadFromStream(AStream, AVer);
    FFont.ReadFromStream(AStream);
    TStreamHelper stream(AStream);
    FZOrder = TZOrder(stream.ReadByte());
    FSnap = stream.ReadBoolean();
    FShaded = stream.ReadBoolean();
    FSecret = stream.ReadBoolean();
    if (AVer >= 1)
        FLock = stream.ReadBoolean();
    // Alpha came with version 5.
    if (AVer >= 5)
        FAlpha = stream.ReadInteger();
    return true;
}
