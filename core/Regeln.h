// The twenty-three rules of the wind triangle with magnetic and compass headings.
#pragma once

#include "RM.h"
#include "Typen.h"

#include <array>

namespace velorin {

namespace regeln {
bool BerechneLuv(TWerte& e);
bool BerechneAbt(TWerte& e);
bool BerechneAbtFromVgRVeR(TWerte& e);
bool BerechneVgRFromAbtVeR(TWerte& e);
bool BerechneVeRFromAbtVgR(TWerte& e);
bool BerechneSWGWFromVwRVwGVgR(TWerte& e);
bool BerechneVwRVwGFromSWGWVgR(TWerte& e);
bool BerechneVgRVgG(TWerte& e);
bool BerechneVgRVeG(TWerte& e);
bool BerechneVeRVeG(TWerte& e);
bool BerechneVwRVwG(TWerte& e);
bool BerechneVeRVgG(TWerte& e);
bool BerechneMWFromVeRMwSK(TWerte& e);
bool BerechneMwSKFromMWVeR(TWerte& e);
bool BerechneVeRFromMWMwSK(TWerte& e);
bool BerechneDevFromMwSKKSK(TWerte& e);
bool BerechneMwSKFromDevKSK(TWerte& e);
bool BerechneKSKFromDevMwSK(TWerte& e);
bool BerechneKSKUFromAbtVgRMWDevU(TWerte& e);
bool BerechneAbtFromKSKUVgRMWDevU(TWerte& e);
bool BerechneVgRFromAbtKSKUMWDevU(TWerte& e);
bool BerechneMWFromAbtVgRKSKUDevU(TWerte& e);
bool BerechneDevUFromAbtVgRMWKSKU(TWerte& e);
} // namespace regeln

struct TRegel {
    const char* Name;
    bool (*Proc)(TWerte&);
    TNotwEingaben NotwEingaben;
    TNotwEingaben Ausgaben;
};

constexpr int RegelAnzahl = 23;

// The rules in the order of registration; the order decides which rule computes a field when
// several could.
const std::array<TRegel, RegelAnzahl>& Regeln();

} // namespace velorin
