#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// A note's font: face, size, styles, and whether it was changed.
struct TFontAttr
{
    // Bits of FStyles.
    enum TFontStyle : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

    bool FModified = false;
    QString FName;
    qint32 FSize = 0;
    quint8 FStyles = 0;

    void Create(const QString &AName, qint32 ASize, quint8 AStyles);
    void Assign(const TFontAttr &AFont);
    void ClearModified() { FModified = false; }
    // "Segoe UI" 12 without styles, or "メイリオ" when the user's language is
    // Japanese. FModified keeps its value.
    void SetDefault();
    // As SetDefault, for a given language identifier ("ja", "en", ...).
    void SetDefaultFor(const QString &ALanguage);

    // Name, size and styles; FModified is neither written nor changed.
    void WriteToStream(QIODevice &AStream) const;
    bool ReadFromStream(QIODevice &AStream);

    // Compares name (case-sensitive), size and styles; not FModified.
    friend bool operator==(const TFontAttr &LFont, const TFontAttr &RFont)
    {
        return LFont.FName == RFont.FName && LFont.FSize == RFont.FSize && LFont.FStyles == RFont.FStyles;
    }
};
