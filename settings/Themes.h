// Skin themes: the theme in force and the catalogue of the family's themes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velorin {

// Skin styles; the ordinals are stored in the design menu's tags.
enum class TUIStyle : std::uint8_t {
    FromThemeFile = 0, // painted from TTheme::ThemeFile
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

// A skin theme; copied by value between the settings object and the dialogs.
struct TTheme {
    std::string ThemeFile; // name or full path of a "*.ssk" file
    TUIStyle UIStyle = TUIStyle::FromThemeFile;

    friend bool operator==(const TTheme& a, const TTheme& b) {
        return a.ThemeFile == b.ThemeFile && a.UIStyle == b.UIStyle;
    }
    friend bool operator!=(const TTheme& a, const TTheme& b) { return !(a == b); }
};

// Key of a program of the learning-program family. Any ordinal is a valid key;
// keys without a theme file of their own get "IP2.ssk".
enum class TProgramm : std::uint8_t {
    Standard = 0, // the default key
    Velorin = 1,
    Funk = 2,
    Luftrecht = 3,
    Meteorologie = 4,
    Technik = 5,
    Flugplanung = 6,
    Pruefungstrainer = 7,
    Lehrbuch = 8,
};

// A catalogue entry: a theme with the key of the program it belongs to.
struct TProgrammTheme {
    TProgramm Programm = TProgramm::Standard;
    TTheme Theme;

    friend bool operator==(const TProgrammTheme& a, const TProgrammTheme& b) {
        return a.Programm == b.Programm && a.Theme == b.Theme;
    }
    friend bool operator!=(const TProgrammTheme& a, const TProgrammTheme& b) { return !(a == b); }
};

// The built-in theme of a program key: style FromThemeFile with a bare file name.
TProgrammTheme BuiltInTheme(TProgramm Programm);

// Catalogue of skin themes, at most one entry per program key.
class TThemes {
public:
    // Empty list; the default theme is the built-in theme of TProgramm::Standard.
    TThemes();
    TThemes(const TThemes&) = delete;
    TThemes& operator=(const TThemes&) = delete;

    // Copies the default theme and every entry of Source.
    void Assign(const TThemes& Source);

    // Overwrites the first entry with Theme's key and returns its index, or appends.
    int Add(const TProgrammTheme& Theme);
    // Index of the first entry with this key, unchanged; if none, appends the
    // built-in theme of the key and returns the new index.
    int Add(TProgramm Programm);

    const TProgrammTheme& DefaultTheme() const { return FDefaultTheme; }
    int Count() const { return static_cast<int>(FThemes.size()); }
    // Entry i, 0 <= i < Count(); std::out_of_range otherwise.
    const TProgrammTheme& Items(int i) const;
    const std::vector<TProgrammTheme>& List() const { return FThemes; }
    // Empties the list; the default theme stays.
    void Clear() { FThemes.clear(); }

private:
    TProgrammTheme FDefaultTheme;
    std::vector<TProgrammTheme> FThemes;
};

} // namespace velorin
