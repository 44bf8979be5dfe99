#include "Schritte.h"

#include "Einheiten.h"

namespace velorin {

bool SchrittLesen(const std::string& arg, TSchritt& schritt, std::string& fehler) {
    schritt = TSchritt{};
    if (arg == "reset") {
        schritt.Art = TSchritt::TArt::Zuruecksetzen;
        return true;
    }
    std::string name = arg;
    const auto gleich = arg.find('=');
    const auto doppelpunkt = arg.find(':');
    if (gleich != std::string::npos) {
        name = arg.substr(0, gleich);
        schritt.Art = TSchritt::TArt::Eingabe;
        schritt.Text = arg.substr(gleich + 1);
    } else if (doppelpunkt != std::string::npos) {
        name = arg.substr(0, doppelpunkt);
        schritt.Art = TSchritt::TArt::Einheit;
        const std::string einheit = arg.substr(doppelpunkt + 1);
        schritt.Einheit = EinheitAusName(einheit);
        if (schritt.Einheit < 0) {
            fehler = "Unbekannte Einheit \"" + einheit + "\" (möglich: kt, km/h, MPH, m/s).";
            return false;
        }
    }
    if (!FeldAusName(name, schritt.Feld)) {
        fehler = "Unbekannter Schritt oder Feldname \"" + arg + "\".";
        return false;
    }
    if (schritt.Art == TSchritt::TArt::Einheit && EinheitListe(schritt.Feld) < 0) {
        fehler = "Das Feld " + name + " hat keine Einheitenliste (nur VeG, VwG, VgG, SW, GW).";
        return false;
    }
    return true;
}

bool SchrittAusfuehren(TRechner& rechner, const TSchritt& schritt, std::ostream& fehler) {
    switch (schritt.Art) {
    case TSchritt::TArt::Zuruecksetzen:
        rechner.btnZurueckSetzenClick();
        return true;
    case TSchritt::TArt::Einheit:
        rechner.cbVGSelect(EinheitListe(schritt.Feld), schritt.Einheit);
        return true;
    case TSchritt::TArt::Eingabe:
    case TSchritt::TArt::Klick:
        break;
    }
    if (rechner.EingabeStatus()[schritt.Feld] == CI_Undef) {
        fehler << "Das Feld " << FeldName(schritt.Feld)
               << " ist gesperrt und nimmt keine Eingabe an; Schritt übersprungen.\n";
        return false;
    }
    if (schritt.Art == TSchritt::TArt::Eingabe) rechner.mmoChange(schritt.Feld, schritt.Text);
    const TVerlassenErgebnis e = rechner.FeldVerlassen(schritt.Feld);
    if (!e.Ok) {
        fehler << e.Meldung << '\n';
        return false;
    }
    return true;
}

std::string Zustand(const TRechner& rechner) {
    std::string s;
    for (int i = 0; i < FeldAnzahl; ++i) {
        const auto f = static_cast<TFeldNamen>(i);
        s += FeldName(f);
        s += '\t';
        s += StatusName(rechner.EingabeStatus()[f]);
        s += '\t';
        s += rechner.Text(f);
        s += '\n';
    }
    return s;
}

} // namespace velorin
