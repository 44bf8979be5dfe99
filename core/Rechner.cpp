#include "Rechner.h"

#include "Einheiten.h"
#include "Normieren.h"
#include "Regeln.h"
#include "Textform.h"

namespace velorin {

bool IstZeichenbar(const TEingabeStatus& status) {
    for (const TFeldNamen f : {VeR, VeG, VwR, VwG, VgR, VgG})
        if (!IstBekannt(status[f])) return false;
    return true;
}

int EinheitListe(TFeldNamen f) {
    for (std::size_t i = 0; i < EinheitFelder.size(); ++i)
        if (EinheitFelder[i] == f) return static_cast<int>(i);
    return -1;
}

namespace {
float EingabeNormalisieren(TFeldNamen f, float wert) {
    switch (FeldArt(f)) {
    case TFeldArt::Richtung:
        return Normiere360(wert);
    case TFeldArt::Winkel:
        return Normiere180(wert);
    case TFeldArt::Geschwindigkeit:
        break;
    }
    return wert;
}
} // namespace

TRechner::TRechner()
    : FRechenverfahren(std::make_unique<TRechenVerfahren>(&FEingabeStatus, &FWerte)) {
    for (const TRegel& r : Regeln())
        FRechenverfahren->Add(r.Proc, r.NotwEingaben, r.Ausgaben);
    NeuBerechnen();
}

const std::string& TRechner::mmoChange(TFeldNamen f, std::string_view text) {
    FTexte[f] = Filtern(text);
    return FTexte[f];
}

TVerlassenErgebnis TRechner::FeldVerlassen(TFeldNamen f) {
    if (!FRechenverfahren) return {};
    const TEingStatus vorher = FEingabeStatus[f];
    const TEingabeStatus statusVorher = FEingabeStatus;

    bool zeichnungLoeschen = false;
    if (vorher == CI_Ergebnis) {
        // Leaving a computed field makes it the only entry.
        AlleStatusSetzen(CI_EingMoeglich);
        zeichnungLoeschen = true;
    } else if (vorher == CI_Eingegeben) {
        for (auto& s : FEingabeStatus)
            if (s == CI_Ergebnis) s = CI_Undef;
    }

    const std::string& text = FTexte[f];
    if (text.empty()) {
        if (FEingabeStatus[f] == CI_Eingegeben) FEingabeStatus[f] = CI_Undef;
    } else {
        float wert = 0.0f;
        if (!ZahlLesen(text, wert)) {
            FEingabeStatus = statusVorher;
            return {false, KeinGleitkommawert(text)};
        }
        FEingabeStatus[f] = CI_Eingegeben;
        const int liste = EinheitListe(f);
        if (liste >= 0) wert = UmrechnenInKnoten(FEinheiten[static_cast<std::size_t>(liste)], wert);
        FWerte[f] = EingabeNormalisieren(f, wert);
    }
    if (zeichnungLoeschen) FZeichnung.Vorhanden = false;
    NeuBerechnen();
    return {};
}

void TRechner::cbVGSelect(int liste, int index) {
    if (liste < 0 || liste >= static_cast<int>(EinheitFelder.size())) return;
    FEinheiten[static_cast<std::size_t>(liste)] = index;
    const TFeldNamen f = EinheitFelder[static_cast<std::size_t>(liste)];
    if (IstBekannt(FEingabeStatus[f])) FTexte[f] = Anzeigetext(f);
}

void TRechner::btnZurueckSetzenClick() {
    if (!FRechenverfahren) return;
    AlleStatusSetzen(CI_EingMoeglich);
    FZeichnung.Vorhanden = false;
    NeuBerechnen();
}

void TRechner::AlleStatusSetzen(TEingStatus status) {
    FEingabeStatus.fill(status);
}

void TRechner::NeuBerechnen() {
    if (!FRechenverfahren) return;
    FRechenverfahren->Rechnen();
    if (IstZeichenbar(FEingabeStatus)) {
        FZeichnung.Vorhanden = true;
        FZeichnung.Werte = FWerte;
        FZeichnung.Status = FEingabeStatus;
    }
    for (const TFeldNamen f : Anzeigereihenfolge) {
        if (IstBekannt(FEingabeStatus[f]))
            FTexte[f] = Anzeigetext(f);
        else
            FTexte[f].clear();
    }
}

std::string TRechner::Anzeigetext(TFeldNamen f) const {
    const int liste = EinheitListe(f);
    if (liste < 0) return WinkelAlsText(3, 2, FWerte[f]);
    return GeschwindigkeitAlsText(
        UmrechnenAusKnoten(FEinheiten[static_cast<std::size_t>(liste)], FWerte[f]));
}

} // namespace velorin
