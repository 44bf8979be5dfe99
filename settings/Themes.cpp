#include "Themes.h"

#include <stdexcept>

namespace velorin {

TProgrammTheme BuiltInTheme(TProgramm Programm) {
    const char* datei = "IP2.ssk";
    switch (Programm) {
    case TProgramm::Velorin:
        datei = "MP10.ssk";
        break;
    case TProgramm::Funk:
        datei = "OneBlue.ssk";
        break;
    case TProgramm::Luftrecht:
        datei = "OneCyan.ssk";
        break;
    case TProgramm::Meteorologie:
        datei = "DiamondGreen.ssk";
        break;
    case TProgramm::Technik:
        datei = "OneGreen.ssk";
        break;
    case TProgramm::Flugplanung:
        datei = "OneOrange.ssk";
        break;
    case TProgramm::Pruefungstrainer:
        datei = "GlassGreen.ssk";
        break;
    default:
        break;
    }
    return TProgrammTheme{Programm, TTheme{datei, TUIStyle::FromThemeFile}};
}

TThemes::TThemes() : FDefaultTheme(BuiltInTheme(TProgramm::Standard)) {}

void TThemes::Assign(const TThemes& Source) {
    FDefaultTheme = Source.FDefaultTheme;
    FThemes = Source.FThemes;
}

int TThemes::Add(const TProgrammTheme& Theme) {
    for (std::size_t i = 0; i < FThemes.size(); ++i) {
        if (FThemes[i].Programm == Theme.Programm) {
            FThemes[i] = Theme;
            return static_cast<int>(i);
        }
    }
    FThemes.push_back(Theme);
    return static_cast<int>(FThemes.size() - 1);
}

int TThemes::Add(TProgramm Programm) {
    for (std::size_t i = 0; i < FThemes.size(); ++i) {
        if (FThemes[i].Programm == Programm) return static_cast<int>(i);
    }
    FThemes.push_back(BuiltInTheme(Programm));
    return static_cast<int>(FThemes.size() - 1);
}

const TProgrammTheme& TThemes::Items(int i) const {
    if (i < 0 || i >= Count()) throw std::out_of_range("Theme-Index außerhalb des Bereichs");
    return FThemes[static_cast<std::size_t>(i)];
}

} // namespace velorin
