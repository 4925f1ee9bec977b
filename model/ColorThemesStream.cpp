#include "model/ColorThemes.h"

#include "store/StreamHelper.h"

#include <QIODevice>

namespace {

// The fewest bytes one theme takes in version AVer: an empty name, the
// colours, and from version 3 an empty path and the opacity.
qint64 MinimumThemeSize(int AVer)
{
    qint64 size = 8 + 6 * 4;
    if (AVer >= 4)
        size += 4;
    if (AVer >= 3)
        size += 8 + 4;
    return size;
}

} // namespace

void TColorThemes::WriteToStream(QIODevice &AStream)
{
    TStreamHelper(AStream).WriteInteger(Count());
    for (const TColorTheme &theme : std::as_const(FItems))
        theme.WriteToStream(AStream);
}

void TColorThemes::ReadFromStream(QIODevice &AStream, int AVer)
{
    const qint32 count = TStreamHelper(AStream).ReadInteger();
    if (count < 1)
        return;
    // A damaged count must not grow the list beyond what the stream can hold.
    if (AStream.bytesAvailable() < count * MinimumThemeSize(AVer))
        throw EStreamError("Stream read failed: theme count larger than the remaining data");
    // Entries are read in place: fields the version lacks keep the old
    // entry's values, new entries start empty.
    FItems.resize(count);
    for (TColorTheme &theme : FItems)
        theme.ReadFromStream(AStream, AVer);
}
