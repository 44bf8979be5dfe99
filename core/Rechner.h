// The calculator as the window presents it, without any toolkit: values, statuses, the texts of
// the sixteen entry fields, the unit lists, and what leaving a field, a unit change and the
// reset do. The window, velorin-calc and the tests all drive this class.
#pragma once

#include "RM.h"
#include "Typen.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace velorin {

// The triangle can be drawn when its three vectors are known.
bool IstZeichenbar(const TEingabeStatus& status);

// Unit lists 0 to 4 govern these speed fields.
constexpr std::array<TFeldNamen, 5> EinheitFelder = {VeG, VwG, VgG, SW, GW};
// Index of the unit list of a speed field, or -1.
int EinheitListe(TFeldNamen f);

// Order in which the texts are written and the fields coloured.
constexpr std::array<TFeldNamen, FeldAnzahl> Anzeigereihenfolge = {
    VeG, VeR, VwG, VwR, VgG, VgR, Abt, Luv, SW, GW, MW, Dev, MwSK, KSK, DevU, KSKU};

// What the drawing area shows: the values and statuses of the last drawing.
struct TZeichnung {
    bool Vorhanden = false;
    TWerte Werte{};
    TEingabeStatus Status{};
};

struct TVerlassenErgebnis {
    bool Ok = true;
    std::string Meldung; // the conversion error when the text is not a number
};

class TRechner {
public:
    // Registers the rules and runs the first recompute: every field empty and enterable.
    TRechner();
    // The solver holds pointers into this object.
    TRechner(const TRechner&) = delete;
    TRechner& operator=(const TRechner&) = delete;

    const TWerte& Werte() const { return FWerte; }
    const TEingabeStatus& EingabeStatus() const { return FEingabeStatus; }
    const std::string& Text(TFeldNamen f) const { return FTexte[f]; }
    int Einheit(int liste) const { return FEinheiten[static_cast<std::size_t>(liste)]; }
    const TZeichnung& Zeichnung() const { return FZeichnung; }

    // Typing filter: the field's text changed to `text`; returns the text it keeps.
    const std::string& mmoChange(TFeldNamen f, std::string_view text);

    // The focus leaves the entry field of f (direction, signed angle or speed). A text that is
    // not a number leaves everything as it was before and returns the error.
    TVerlassenErgebnis FeldVerlassen(TFeldNamen f);

    // A unit picked in list 0..4 (index -1: none). Only the field's text changes.
    void cbVGSelect(int liste, int index);

    void btnZurueckSetzenClick();

    void AlleStatusSetzen(TEingStatus status);

    // Solver run, drawing snapshot and the sixteen texts.
    void NeuBerechnen();

    // Releases the solver when the window closes; later recomputes do nothing.
    void RechenverfahrenFreigeben() { FRechenverfahren.reset(); }
    bool HatRechenverfahren() const { return FRechenverfahren != nullptr; }

    // Text of a known field in the form the window shows it.
    std::string Anzeigetext(TFeldNamen f) const;

private:
    TWerte FWerte{};
    TEingabeStatus FEingabeStatus{};
    std::array<std::string, FeldAnzahl> FTexte;
    std::array<int, 5> FEinheiten{};
    TZeichnung FZeichnung;
    std::unique_ptr<TRechenVerfahren> FRechenverfahren;
};

} // namespace velorin
