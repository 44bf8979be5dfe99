// velorin-calc: the calculator window's logic from the command line.
#include "Rechner.h"
#include "Schritte.h"

#ifdef VELORIN_MIT_PNG
#include "DreieckZeichnen.h"
#endif

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Hilfe =
    "Aufruf: velorin-calc [OPTION ...] [SCHRITT ...]\n"
    "\n"
    "Rechnet das Winddreieck wie das Fenster von Velorin: alle Felder sind zu Beginn leer und\n"
    "eingebbar, alle Einheitenlisten stehen auf \"kt\". Die Schritte laufen der Reihe nach:\n"
    "\n"
    "  NAME=TEXT   TEXT in das Feld NAME tippen (der Tippfilter wirkt) und das Feld verlassen;\n"
    "              NAME= leert das Feld\n"
    "  NAME        in das Feld NAME klicken und es ohne Eingabe verlassen\n"
    "  NAME:EINHEIT  in der Einheitenliste des Geschwindigkeitsfeldes NAME (VeG, VwG, VgG, SW,\n"
    "              GW) die Einheit kt, km/h, MPH oder m/s wählen\n"
    "  reset       \"zuruecksetzen\" drücken\n"
    "\n"
    "Feldnamen: VeR VeG VwR VwG VgR VgG Abt Luv SW GW MW Dev MwSK KSK DevU KSKU\n"
    "Dezimaltrennzeichen ist das Komma, z. B. VeG=120,5\n"
    "\n"
    "Ausgabe: sechzehn Zeilen NAME<Tab>STATUS<Tab>TEXT in Feldreihenfolge.\n"
    "\n"
    "Optionen:\n"
    "  --png DATEI      das Dreieck nach den Schritten wie im Fenster zeichnen und als PNG\n"
    "                   speichern\n"
    "  --size BxH       Größe der Zeichnung in Pixeln (Vorgabe 364x442)\n"
    "  --ini DATEI      Farben und Linienbreiten aus dieser Einstellungsdatei\n"
    "  --help           diese Hilfe\n"
    "  --version        Versionsangabe\n"
    "\n"
    "Rückgabewert: 0 bei Erfolg, 1 wenn ein Schritt abgewiesen wurde oder die Zeichnung\n"
    "nicht möglich war, 2 bei falschem Aufruf.\n";

bool GroesseLesen(const std::string& s, int& breite, int& hoehe) {
    const auto x = s.find('x');
    if (x == std::string::npos) return false;
    try {
        std::size_t n1 = 0, n2 = 0;
        const std::string a = s.substr(0, x), b = s.substr(x + 1);
        breite = std::stoi(a, &n1);
        hoehe = std::stoi(b, &n2);
        return n1 == a.size() && n2 == b.size() && breite > 0 && hoehe > 0 && breite <= 16384 &&
               hoehe <= 16384;
    } catch (const std::exception&) {
        return false;
    }
}

int Aufruffehler(const std::string& meldung) {
    std::cerr << "velorin-calc: " << meldung << "\nWeitere Hinweise: velorin-calc --help\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace velorin;
    std::vector<TSchritt> schritte;
    std::string png, ini;
    int breite = 364, hoehe = 442;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << Hilfe;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "velorin-calc " VELORIN_VERSION "\n";
            return 0;
        }
        if (arg == "--png" || arg == "--ini" || arg == "--size") {
            if (i + 1 >= argc) return Aufruffehler("Nach " + arg + " fehlt der Wert.");
            const std::string wert = argv[++i];
            if (arg == "--png")
                png = wert;
            else if (arg == "--ini")
                ini = wert;
            else if (!GroesseLesen(wert, breite, hoehe))
                return Aufruffehler("Ungültige Größe \"" + wert + "\" (erwartet z. B. 364x442).");
            continue;
        }
        if (arg.rfind("--", 0) == 0) return Aufruffehler("Unbekannte Option \"" + arg + "\".");
        TSchritt s;
        std::string fehler;
        if (!SchrittLesen(arg, s, fehler)) return Aufruffehler(fehler);
        schritte.push_back(s);
    }
#ifndef VELORIN_MIT_PNG
    if (!png.empty()) return Aufruffehler("Dieser Build kann keine PNG-Dateien schreiben.");
#endif

    TRechner rechner;
    int ergebnis = 0;
    for (const TSchritt& s : schritte)
        if (!SchrittAusfuehren(rechner, s, std::cerr)) ergebnis = 1;
    std::cout << Zustand(rechner);
    std::cout.flush();

#ifdef VELORIN_MIT_PNG
    if (!png.empty()) {
        std::string fehler;
        std::error_code ec;
        if (!ini.empty() && !std::filesystem::exists(ini, ec))
            std::cerr << "Hinweis: Die Einstellungsdatei " << ini
                      << " gibt es nicht; es gelten die Standardfarben.\n";
        if (!IstZeichenbar(rechner.EingabeStatus())) {
            std::cerr << "Das Dreieck kann nicht gezeichnet werden: Richtung und Betrag von "
                         "Eigen-, Wind- und Grundgeschwindigkeit müssen bekannt sein.\n";
            return 1;
        }
        if (!DreieckAlsPng(rechner.Werte(), rechner.EingabeStatus(), breite, hoehe, ini, png,
                           fehler)) {
            std::cerr << fehler << '\n';
            return 1;
        }
    }
#else
    (void)breite;
    (void)hoehe;
    (void)ini;
#endif
    return ergebnis;
}
