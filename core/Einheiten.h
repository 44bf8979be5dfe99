// Speed units of the five unit lists; values are held in knots.
#pragma once

#include <array>
#include <string_view>

namespace velorin {

constexpr int EinheitAnzahl = 4;
// Entries of every unit list, index 0 selected at start.
constexpr std::array<std::string_view, EinheitAnzahl> EinheitNamen = {"kt", "km/h", "MPH", "m/s"};

// Any index outside the list (-1: nothing selected) counts as knots.
float UmrechnenInKnoten(int Einheit, float Wert);
float UmrechnenAusKnoten(int Einheit, float Wert);

// Index of a unit name, or -1.
int EinheitAusName(std::string_view name);

} // namespace velorin
