#include "SkinWerte.h"

#include <array>
#include <cstdio>

namespace velorin {

namespace {

constexpr TRgb Rgb(std::uint32_t rrggbb) {
    return TRgb{static_cast<std::uint8_t>((rrggbb >> 16) & 0xFFu),
                static_cast<std::uint8_t>((rrggbb >> 8) & 0xFFu),
                static_cast<std::uint8_t>(rrggbb & 0xFFu)};
}

struct TFarbSchluessel {
    std::string_view Name;
    TRgb TSkinWerte::*Feld;
};

constexpr std::array<TFarbSchluessel, 15> FarbSchluessel = {{
    {"Fenster", &TSkinWerte::Fenster},
    {"FensterText", &TSkinWerte::FensterText},
    {"Basis", &TSkinWerte::Basis},
    {"BasisWechsel", &TSkinWerte::BasisWechsel},
    {"Text", &TSkinWerte::Text},
    {"Knopf", &TSkinWerte::Knopf},
    {"KnopfHell", &TSkinWerte::KnopfHell},
    {"KnopfText", &TSkinWerte::KnopfText},
    {"KnopfRand", &TSkinWerte::KnopfRand},
    {"Auswahl", &TSkinWerte::Auswahl},
    {"AuswahlText", &TSkinWerte::AuswahlText},
    {"MenueLeiste", &TSkinWerte::MenueLeiste},
    {"MenueLeisteText", &TSkinWerte::MenueLeisteText},
    {"Menue", &TSkinWerte::Menue},
    {"MenueText", &TSkinWerte::MenueText},
}};

char Klein(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Gleich(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Klein(a[i]) != Klein(b[i])) return false;
    return true;
}

std::string_view Getrimmt(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

int HexZiffer(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Klein(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "#RRGGBB"
bool FarbeLesen(std::string_view s, TRgb& farbe) {
    if (s.size() != 7 || s[0] != '#') return false;
    std::uint32_t wert = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const int z = HexZiffer(s[i]);
        if (z < 0) return false;
        wert = wert * 16u + static_cast<std::uint32_t>(z);
    }
    farbe = Rgb(wert);
    return true;
}

bool ZahlLesen(std::string_view s, int kleinste, int groesste, int& zahl) {
    if (s.empty() || s.size() > 3) return false;
    int wert = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
        wert = wert * 10 + (c - '0');
    }
    if (wert < kleinste || wert > groesste) return false;
    zahl = wert;
    return true;
}

bool EintragLesen(std::string_view schluessel, std::string_view wert, TSkinWerte& werte) {
    for (const TFarbSchluessel& f : FarbSchluessel)
        if (Gleich(schluessel, f.Name)) return FarbeLesen(wert, werte.*(f.Feld));
    if (Gleich(schluessel, "Basisstil")) {
        if (Gleich(wert, "Fusion"))
            werte.Basisstil = TBasisStil::Fusion;
        else if (Gleich(wert, "Windows"))
            werte.Basisstil = TBasisStil::Windows;
        else
            return false;
        return true;
    }
    if (Gleich(schluessel, "KnopfRundung"))
        return ZahlLesen(wert, 0, MaxKnopfRundung, werte.KnopfRundung);
    if (Gleich(schluessel, "KnopfGlanz")) {
        int glanz = 0;
        if (!ZahlLesen(wert, 0, 1, glanz)) return false;
        werte.KnopfGlanz = glanz == 1;
        return true;
    }
    return false;
}

// a + (b - a) * anteil
TRgb Mischung(TRgb a, TRgb b, double anteil) {
    const auto kanal = [anteil](std::uint8_t x, std::uint8_t y) {
        const double v = x + (static_cast<double>(y) - x) * anteil;
        return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v + 0.5));
    };
    return TRgb{kanal(a.R, b.R), kanal(a.G, b.G), kanal(a.B, b.B)};
}

std::string Hex(TRgb f) {
    char puffer[8];
    std::snprintf(puffer, sizeof puffer, "#%02x%02x%02x", f.R, f.G, f.B);
    return puffer;
}

std::string Verlauf(TRgb oben, TRgb unten, bool glanz) {
    std::string s = "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 " + Hex(oben);
    if (glanz)
        s += ", stop:0.48 " + Hex(Mischung(oben, unten, 0.35)) + ", stop:0.5 " + Hex(unten) +
             ", stop:1 " + Hex(Mischung(unten, oben, 0.45));
    else
        s += ", stop:1 " + Hex(unten);
    return s + ")";
}

TSkinWerte MacOS() {
    TSkinWerte w;
    w.Fenster = Rgb(0xECECEC);
    w.FensterText = Rgb(0x1D1D1F);
    w.BasisWechsel = Rgb(0xF4F5F5);
    w.Knopf = Rgb(0xD8DEE6);
    w.KnopfHell = Rgb(0xFFFFFF);
    w.KnopfText = Rgb(0x1D1D1F);
    w.KnopfRand = Rgb(0x9FA5AD);
    w.KnopfRundung = 6;
    w.KnopfGlanz = true;
    w.Auswahl = Rgb(0x2E6FDC);
    w.MenueLeiste = Rgb(0xF6F6F6);
    w.MenueLeisteText = Rgb(0x1D1D1F);
    w.Menue = Rgb(0xF6F6F6);
    w.MenueText = Rgb(0x1D1D1F);
    return w;
}

TSkinWerte WinXP() {
    TSkinWerte w;
    w.Basisstil = TBasisStil::Windows;
    w.Fenster = Rgb(0xECE9D8);
    w.BasisWechsel = Rgb(0xF7F6EF);
    w.Knopf = Rgb(0xE3DFD2);
    w.KnopfHell = Rgb(0xFFFFFF);
    w.KnopfRand = Rgb(0x003C74);
    w.KnopfRundung = 3;
    w.Auswahl = Rgb(0x316AC5);
    w.MenueLeiste = Rgb(0xECE9D8);
    w.Menue = Rgb(0xFFFFFF);
    return w;
}

TSkinWerte DeepBlue() {
    TSkinWerte w;
    w.Fenster = Rgb(0x1F3556);
    w.FensterText = Rgb(0xE8EEF8);
    w.Basis = Rgb(0x14243D);
    w.BasisWechsel = Rgb(0x1A2D4A);
    w.Text = Rgb(0xF0F4FA);
    w.Knopf = Rgb(0x2A4F85);
    w.KnopfHell = Rgb(0x4673B3);
    w.KnopfText = Rgb(0xFFFFFF);
    w.KnopfRand = Rgb(0x0B1729);
    w.KnopfRundung = 4;
    w.Auswahl = Rgb(0x3D7BD9);
    w.MenueLeiste = Rgb(0x142640);
    w.MenueLeisteText = Rgb(0xE8EEF8);
    w.Menue = Rgb(0x1B3050);
    w.MenueText = Rgb(0xE8EEF8);
    return w;
}

TSkinWerte Protein() {
    TSkinWerte w;
    w.Fenster = Rgb(0xE9E4F0);
    w.FensterText = Rgb(0x2A1F3D);
    w.BasisWechsel = Rgb(0xF5F2F9);
    w.Text = Rgb(0x1E1630);
    w.Knopf = Rgb(0xC9B6E4);
    w.KnopfHell = Rgb(0xF6F1FC);
    w.KnopfText = Rgb(0x2A1F3D);
    w.KnopfRand = Rgb(0x7A5EA8);
    w.KnopfRundung = 10;
    w.Auswahl = Rgb(0x6B4AA0);
    w.MenueLeiste = Rgb(0xD9CDEA);
    w.MenueLeisteText = Rgb(0x2A1F3D);
    w.Menue = Rgb(0xF7F4FB);
    w.MenueText = Rgb(0x2A1F3D);
    return w;
}

TSkinWerte BlueGlass() {
    TSkinWerte w;
    w.Fenster = Rgb(0xD6E4F5);
    w.FensterText = Rgb(0x0F2540);
    w.BasisWechsel = Rgb(0xEEF4FB);
    w.Text = Rgb(0x0F2540);
    w.Knopf = Rgb(0x9FC2EE);
    w.KnopfHell = Rgb(0xF4F9FF);
    w.KnopfText = Rgb(0x0F2540);
    w.KnopfRand = Rgb(0x4F7FBD);
    w.KnopfRundung = 4;
    w.KnopfGlanz = true;
    w.Auswahl = Rgb(0x2F72C4);
    w.MenueLeiste = Rgb(0xBCD3EF);
    w.MenueLeisteText = Rgb(0x0F2540);
    w.Menue = Rgb(0xF2F7FD);
    w.MenueText = Rgb(0x0F2540);
    return w;
}

} // namespace

std::optional<TSkinWerte> SkinDateiLesen(std::string_view text) {
    if (text.size() > MaxSkinDateiGroesse) return std::nullopt;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    TSkinWerte werte;
    bool gelesen = false;
    while (!text.empty()) {
        const std::size_t ende = text.find('\n');
        std::string_view zeile = Getrimmt(text.substr(0, ende));
        text.remove_prefix(ende == std::string_view::npos ? text.size() : ende + 1);
        if (zeile.empty() || zeile.front() == ';' || zeile.front() == '#') continue;
        const std::size_t gleich = zeile.find('=');
        if (gleich == std::string_view::npos) continue;
        if (EintragLesen(Getrimmt(zeile.substr(0, gleich)), Getrimmt(zeile.substr(gleich + 1)),
                         werte))
            gelesen = true;
    }
    if (!gelesen) return std::nullopt;
    return werte;
}

std::optional<TSkinWerte> EingebauteSkin(TUIStyle stil) {
    switch (stil) {
    case TUIStyle::MacOS:
        return MacOS();
    case TUIStyle::WinXP:
        return WinXP();
    case TUIStyle::DeepBlue:
        return DeepBlue();
    case TUIStyle::Protein:
        return Protein();
    case TUIStyle::BlueGlass:
        return BlueGlass();
    case TUIStyle::FromThemeFile:
        break;
    }
    return std::nullopt;
}

std::string SkinStyleSheet(const TSkinWerte& w) {
    const std::string radius = std::to_string(w.KnopfRundung) + "px";
    const TRgb hoverOben = Mischung(w.KnopfHell, w.Auswahl, 0.12);
    const TRgb hoverUnten = Mischung(w.Knopf, w.Auswahl, 0.12);
    const TRgb gedrueckt = Mischung(w.Knopf, w.KnopfRand, 0.2);
    std::string s;
    s += "QPushButton { color: " + Hex(w.KnopfText) +
         "; background: " + Verlauf(w.KnopfHell, w.Knopf, w.KnopfGlanz) + "; border: 1px solid " +
         Hex(w.KnopfRand) + "; border-radius: " + radius +
         "; padding: 3px 10px; min-height: 17px; }\n";
    s +=
        "QPushButton:hover { background: " + Verlauf(hoverOben, hoverUnten, w.KnopfGlanz) + "; }\n";
    s += "QPushButton:pressed { background: " + Verlauf(gedrueckt, w.KnopfHell, false) + "; }\n";
    s += "QPushButton:focus, QPushButton:default { border: 1px solid " + Hex(w.Auswahl) + "; }\n";
    s += "QPushButton:disabled { color: " + Hex(Mischung(w.KnopfText, w.Knopf, 0.55)) +
         "; border-color: " + Hex(Mischung(w.KnopfRand, w.Knopf, 0.5)) + "; }\n";
    s += "QMenuBar { background: " + Hex(w.MenueLeiste) + "; color: " + Hex(w.MenueLeisteText) +
         "; border-bottom: 1px solid " + Hex(Mischung(w.MenueLeiste, w.KnopfRand, 0.5)) + "; }\n";
    s += "QMenuBar::item { background: transparent; padding: 3px 8px; }\n";
    s += "QMenuBar::item:selected, QMenuBar::item:pressed { background: " + Hex(w.Auswahl) +
         "; color: " + Hex(w.AuswahlText) + "; }\n";
    s += "QMenu { background: " + Hex(w.Menue) + "; color: " + Hex(w.MenueText) +
         "; border: 1px solid " + Hex(w.KnopfRand) + "; }\n";
    s += "QMenu::item { padding: 3px 20px 3px 26px; min-height: 15px; }\n";
    s += "QMenu::item:selected { background: " + Hex(w.Auswahl) + "; color: " + Hex(w.AuswahlText) +
         "; }\n";
    s += "QMenu::item:disabled { color: " + Hex(Mischung(w.MenueText, w.Menue, 0.55)) + "; }\n";
    s += "QMenu::separator { height: 1px; background: " + Hex(Mischung(w.Menue, w.KnopfRand, 0.6)) +
         "; margin: 2px 4px; }\n";
    s += "QStatusBar { background: " + Hex(w.Fenster) + "; color: " + Hex(w.FensterText) +
         "; border-top: 1px solid " + Hex(Mischung(w.Fenster, w.KnopfRand, 0.5)) + "; }\n";
    return s;
}

} // namespace velorin
