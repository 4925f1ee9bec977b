#include "model/FontAttr.h"

#include <QLocale>

void TFontAttr::Create(const QString &AName, qint32 ASize, quint8 AStyles)
{
    FName = AName;
    FSize = ASize;
    FStyles = AStyles;
}

void TFontAttr::Assign(const TFontAttr &AFont)
{
    Create(AFont.FName, AFont.FSize, AFont.FStyles);
    FModified = true;
}

void TFontAttr::SetDefault()
{
    // The language code alone ("ja"), as the notes application asks for it.
    const QString name = QLocale().name();
    SetDefaultFor(name.left(name.indexOf(u'_') < 0 ? name.size() : name.indexOf(u'_')));
}

void TFontAttr::SetDefaultFor(const QString &ALanguage)
{
    FName = QStringLiteral("Segoe UI");
    FSize = 12;
    FStyles = 0;
    const QString language = QLocale().toLower(ALanguage);
    if (language == u"ja" || language == u"jp")
        FName = QStringLiteral("メイリオ");
}
