// The steps of velorin-calc: each one does what a user of the window would do.
#pragma once

#include "Rechner.h"

#include <ostream>
#include <string>
#include <vector>

namespace velorin {

struct TSchritt {
    enum class TArt { Eingabe, Klick, Einheit, Zuruecksetzen };
    TArt Art = TArt::Klick;
    TFeldNamen Feld = VeR;
    std::string Text; // Eingabe: what is typed
    int Einheit = 0;  // Einheit: index in the unit list
};

// Reads one step: "NAME=TEXT", "NAME", "NAME:UNIT" or "reset". False with a German message
// for an unknown name, unit or step.
bool SchrittLesen(const std::string& arg, TSchritt& schritt, std::string& fehler);

// Runs the step as the window would. A step on a disabled field is refused, a text that is not
// a number is rejected; both write a German message to `fehler` and return false.
bool SchrittAusfuehren(TRechner& rechner, const TSchritt& schritt, std::ostream& fehler);

// The sixteen lines NAME<TAB>STATUS<TAB>TEXT in field order.
std::string Zustand(const TRechner& rechner);

} // namespace velorin
