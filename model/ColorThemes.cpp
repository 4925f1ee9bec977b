#include "model/ColorThemes.h"

#include <stdexcept>

namespace {

TColorTheme BuiltIn(const QString &AName, TAlphaColor ABody, TAlphaColor ABorder, TAlphaColor AButton,
                    TAlphaColor AHover, TAlphaColor AText, TAlphaColor ATitleText, TAlphaColor ALink)
{
    TColorTheme theme;
    theme.Create(AName, ABody, ABorder, AButton, AHover, AText, ATitleText, ALink);
    theme.FBackOpacity = 0;
    return theme;
}

} // namespace

const QList<TColorTheme> &TColorThemes::DefaultThemes()
{
    static const QList<TColorTheme> themes = {
        BuiltIn(QStringLiteral("ピンク"), 0xFFF8E8E8, 0xFFE7A9B1, 0xFFC65E6A, 0xFFAF3039, 0xFF000000, 0xFF000000, 0xFF0F83FD),
        BuiltIn(QStringLiteral("緑"), 0xFFEEFFDD, 0xFFAADBA9, 0xFF57966B, 0xFF406F4F, 0xFF000000, 0xFF000000, 0xFF0F83FD),
        BuiltIn(QStringLiteral("青"), 0xFFE8FFFF, 0xFF88CCFF, 0xFF6688FF, 0xFF444488, 0xFF000000, 0xFF000000, 0xFF0F83FD),
        BuiltIn(QStringLiteral("黄色"), 0xFFFFFFCC, 0xFFFFEE67, 0xFFFFBB20, 0xFFDD7720, 0xFF000000, 0xFF000000, 0xFF0F83FD),
        BuiltIn(QStringLiteral("紫"), 0xFFE0E0FF, 0xFF9080F2, 0xFF5C4581, 0xFF372A4E, 0xFF000000, 0xFF000000, 0xFF0F83FD),
        BuiltIn(QStringLiteral("白"), 0xFFFFFFFF, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFF000000, 0xFFFFFFFF, 0xFF0F83FD),
        BuiltIn(QStringLiteral("黒"), 0xFF202020, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF0F83FD),
        BuiltIn(QStringLiteral("黒 (透過)"), 0xA0202020, 0xFF444444, 0xFF999999, 0xFFCCCCCC, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF0F83FD),
    };
    return themes;
}

TColorTheme TColorThemes::Items(int AIndex)
{
    if (FItems.isEmpty())
        return DefaultThemes().first();
    if (AIndex < 0 || AIndex >= Count())
        AIndex = 0;
    return FItems.at(AIndex);
}

void TColorThemes::SetItems(int AIndex, const TColorTheme &ATheme)
{
    if (AIndex >= 0 && AIndex < Count())
        FItems[AIndex] = ATheme;
}

int TColorThemes::Add(const TColorTheme &ATheme)
{
    const int index = IndexOf(ATheme.FName);
    if (index >= 0) {
        FItems[index] = ATheme;
        return index;
    }
    FItems.append(ATheme);
    return Count() - 1;
}

int TColorThemes::IndexOf(const QString &AName)
{
    for (int i = 0; i < Count(); ++i)
        if (FItems.at(i).FName == AName)
            return i;
    return -1;
}

void TColorThemes::Remove(const QString &AName)
{
    Delete(IndexOf(AName));
}

void TColorThemes::Delete(int AIndex)
{
    if (AIndex >= 0 && AIndex < Count())
        FItems.removeAt(AIndex);
}

void TColorThemes::AddDefaultThemes()
{
    FItems.append(DefaultThemes());
}

void TColorThemes::Initialize()
{
    // An unreadable themes file must not stop the program: it starts with
    // the built-in themes and shows the error once its window is up.
    try {
        LoadStartupFile();
    } catch (const std::exception &e) {
        StartupError = QString::fromUtf8(e.what());
    }
    if (Count() < 1) {
        Filename = QStringLiteral("(default)");
        AddDefaultThemes();
    }
}

void TColorThemes::Finalize()
{
    FItems.clear();
    Filename.clear();
    Loaded = false;
    Name.clear();
    Author.clear();
    Remarks.clear();
    CreateDate.clear();
    Copyright.clear();
    StartupError.clear();
}
