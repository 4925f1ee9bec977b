#pragma once

#include "model/ColorTheme.h"
#include "model/JsonReadError.h"

#include <QList>
#include <QString>

#include <optional>

class QIODevice;

// The program-wide registry of colour themes and the theme set's descriptive
// texts. All state exists once per process; every operation is class-level,
// every read returns a copy and every write stores a copy.
class TColorThemes
{
public:
    // Full path of the themes file read at start-up, or "(default)".
    static inline QString Filename;
    // True once a themes file was found and read at start-up.
    static inline bool Loaded = false;
    static inline QString Name;
    static inline QString Author;
    static inline QString Remarks;
    static inline QString CreateDate;
    static inline QString Copyright;

    static int Count() { return int(FItems.size()); }
    // A copy of the theme at AIndex; theme 0 for an index out of range. While
    // the registry is empty this is the first built-in theme, so a note that
    // takes its default colours from here always gets a usable theme.
    static TColorTheme Items(int AIndex);
    // Replaces the theme at AIndex; an index out of range changes nothing.
    static void SetItems(int AIndex, const TColorTheme &ATheme);
    // Replaces the first theme of the same (exact) name, or appends.
    static int Add(const TColorTheme &ATheme);
    static int IndexOf(const QString &AName);
    static void Remove(const QString &AName);
    static void Delete(int AIndex);
    static void Clear() { FItems.clear(); }

    // The registry and its descriptive texts as theme-set JSON text, format
    // version "1.1" (ColorThemesJson.cpp).
    static QString AsJSON();
    // Replaces the theme list and the five descriptive texts from JSON text
    // and returns nothing; or returns why the text fails (with line and
    // column), leaving an empty theme list and the texts untouched. A file
    // without "version" is an old one: its colours are made opaque.
    // Filename and Loaded are not touched.
    static std::optional<TJsonReadError> ReadFromJSONChecked(const QString &AJson);
    // The same, reporting nothing.
    static void ReadFromJSON(const QString &AJson) { ReadFromJSONChecked(AJson); }
    // Why the data folder's "themes.json" could not be read at start-up
    // (empty when it was read or is absent); the window shows it once up.
    static inline QString StartupError;

    // Start-up filling: the data folder's theme set, else the built-in themes.
    static void Initialize();
    // Appends copies of the eight built-in themes.
    static void AddDefaultThemes();
    static const QList<TColorTheme> &DefaultThemes();
    // Releases the list and every text (program exit, and tests).
    static void Finalize();

    // The theme count, then every theme in list order.
    static void WriteToStream(QIODevice &AStream);
    // Replaces the list, reading into the existing entries in place; a count
    // below 1 leaves the list as it was.
    static void ReadFromStream(QIODevice &AStream, int AVer);

private:
    // Reads the data folder's "themes.json" when there is one, setting
    // Filename and Loaded; throws when it exists but cannot be read.
    static void LoadStartupFile();

    static inline QList<TColorTheme> FItems;
};
