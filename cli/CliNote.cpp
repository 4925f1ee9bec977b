#include "CliNote.h"

#include "controls/StickyImage.h"
#include "graphics/GIFAnimator.h"
#include "model/NoteData.h"
#include "model/ThemeSetJsonWriter.h"
#include "store/DataSerializer.h"

#include <QFile>
#include <QFileInfo>

namespace CliNote {

namespace {

QString Color(TAlphaColor AColor)
{
    return TOrderedJson::String(QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0')));
}

QString ZOrderName(TZOrder AZOrder)
{
    switch (AZOrder) {
    case TZOrder::Normal:
        return QStringLiteral("Normal");
    case TZOrder::Top:
        return QStringLiteral("Top");
    case TZOrder::Bottom:
        return QStringLiteral("Bottom");
    }
    // A byte outside the three names, as stored.
    return QString::number(quint8(AZOrder));
}

QString Rect(const TRectF &ARect)
{
    return TOrderedJson::Array({TOrderedJson::Single(ARect.Left), TOrderedJson::Single(ARect.Top),
                                TOrderedJson::Single(ARect.Right), TOrderedJson::Single(ARect.Bottom)});
}

TOrderedJson Theme(const TColorTheme &ATheme)
{
    TOrderedJson theme;
    theme.Add(QStringLiteral("name"), TOrderedJson::String(ATheme.FName))
        .Add(QStringLiteral("body"), Color(ATheme.FBody))
        .Add(QStringLiteral("border"), Color(ATheme.FBorder))
        .Add(QStringLiteral("button"), Color(ATheme.FButton))
        .Add(QStringLiteral("hover"), Color(ATheme.FHover))
        .Add(QStringLiteral("text"), Color(ATheme.FText))
        .Add(QStringLiteral("titletext"), Color(ATheme.FTitleText))
        .Add(QStringLiteral("link"), Color(ATheme.FLink))
        .Add(QStringLiteral("backfile"), TOrderedJson::String(ATheme.FBackFile))
        .Add(QStringLiteral("backopacity"), TThemeSetJsonWriter::FormatOpacity(ATheme.FBackOpacity));
    return theme;
}

TOrderedJson Font(const TFontAttr &AFont)
{
    TOrderedJson font;
    font.Add(QStringLiteral("name"), TOrderedJson::String(AFont.FName))
        .Add(QStringLiteral("size"), TOrderedJson::Integer(AFont.FSize))
        .Add(QStringLiteral("bold"), TOrderedJson::Bool(AFont.FStyles & TFontAttr::fsBold))
        .Add(QStringLiteral("italic"), TOrderedJson::Bool(AFont.FStyles & TFontAttr::fsItalic))
        .Add(QStringLiteral("underline"), TOrderedJson::Bool(AFont.FStyles & TFontAttr::fsUnderline))
        .Add(QStringLiteral("strikeout"), TOrderedJson::Bool(AFont.FStyles & TFontAttr::fsStrikeOut));
    return font;
}

// The frames of a GIF image, counted by loading its bytes once more: the
// image itself shows only whether it is animated.
int FrameCount(TStickyImage *AImage)
{
    QIODevice *gif = AImage->IsAnimatedGIF() ? AImage->GIFStream() : nullptr;
    if (!gif)
        return 0;
    TGIFAnimator counter(nullptr);
    counter.LoadFromStream(gif);
    gif->seek(0);
    return counter.Count();
}

TOrderedJson Image(TStickyImage *AImage)
{
    TOrderedJson image;
    image.Add(QStringLiteral("filename"), TOrderedJson::String(AImage->Filename()))
        .Add(QStringLiteral("style"), TOrderedJson::String(AImage->StyleLookup()))
        .Add(QStringLiteral("alwaysAnimate"), TOrderedJson::Bool(AImage->AlwaysAnimate()))
        .Add(QStringLiteral("gif"), TOrderedJson::Bool(AImage->IsAnimatedGIF()))
        .Add(QStringLiteral("frames"), TOrderedJson::Integer(FrameCount(AImage)))
        .Add(QStringLiteral("width"), TOrderedJson::Integer(AImage->Bitmap().width()))
        .Add(QStringLiteral("height"), TOrderedJson::Integer(AImage->Bitmap().height()));
    return image;
}

} // namespace

QString Load(const QString &APath, TNoteData &ANote, bool ADefault, int &AVersion)
{
    if (QFileInfo(APath).isDir())
        return QStringLiteral("cannot read: it is a folder");
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read: ") + file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read: ") + file.errorString();
    AVersion = TDataSerializer::NoteFileVersion(bytes);
    QString reason;
    if (!TDataSerializer::ReadDataFrom(bytes, &ANote, nullptr, ADefault, &reason))
        return reason;
    return QString();
}

TOrderedJson Describe(const QString &APath, int AVersion, TNoteData &ANote, bool ADefault)
{
    const TStickyAttr &attr = *ANote.GetAttr();
    const TStickyBounds &bounds = *ANote.GetStickyBounds();
    TOrderedJson note;
    note.Add(QStringLiteral("file"), TOrderedJson::String(APath))
        .Add(QStringLiteral("version"), TOrderedJson::Integer(AVersion))
        .Add(QStringLiteral("theme"), Theme(attr.Color()))
        .Add(QStringLiteral("font"), Font(attr.Font()))
        .Add(QStringLiteral("zorder"), TOrderedJson::String(ZOrderName(attr.ZOrder())))
        .Add(QStringLiteral("snap"), TOrderedJson::Bool(attr.Snap()))
        .Add(QStringLiteral("shaded"), TOrderedJson::Bool(attr.Shaded()))
        .Add(QStringLiteral("secret"), TOrderedJson::Bool(attr.Secret()))
        .Add(QStringLiteral("lock"), TOrderedJson::Bool(attr.Lock()))
        .Add(QStringLiteral("alpha"), TOrderedJson::Integer(attr.Alpha()))
        .Add(QStringLiteral("normalBounds"), Rect(bounds.NormalBounds()))
        .Add(QStringLiteral("shadedBounds"), Rect(bounds.ShadedBounds()))
        .Add(QStringLiteral("imageHeight"), TOrderedJson::Single(bounds.ImageHeight()))
        .Add(QStringLiteral("modifiedImageHeight"), TOrderedJson::Bool(bounds.ModifiedImageHeight()));
    if (ADefault)
        return note;
    QList<TOrderedJson> images;
    for (TStickyImage *image : ANote.GetContents()->Images())
        images << Image(image);
    note.Add(QStringLiteral("images"), images).Add(QStringLiteral("body"), TOrderedJson::String(ANote.GetContents()->Body()));
    return note;
}

} // namespace CliNote
