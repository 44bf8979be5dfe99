#include "Einheiten.h"

namespace velorin {

namespace {
// The two directions are not exact reciprocals; a value converted out and back in may differ
// in its last digits. Products are formed at extended precision, then rounded to 32 bits.
constexpr long double InKnoten[EinheitAnzahl] = {1.0L, 0.539957L, 0.868975L, 1.943861L};
constexpr long double AusKnoten[EinheitAnzahl] = {1.0L, 1.852L, 1.15078L, 0.51444L};

float Mal(const long double (&faktoren)[EinheitAnzahl], int einheit, float wert) {
    if (einheit <= 0 || einheit >= EinheitAnzahl) return wert;
    return static_cast<float>(static_cast<long double>(wert) * faktoren[einheit]);
}
} // namespace

float UmrechnenInKnoten(int Einheit, float Wert) {
    return Mal(InKnoten, Einheit, Wert);
}

float UmrechnenAusKnoten(int Einheit, float Wert) {
    return Mal(AusKnoten, Einheit, Wert);
}

int EinheitAusName(std::string_view name) {
    for (int i = 0; i < EinheitAnzahl; ++i)
        if (EinheitNamen[i] == name) return i;
    return -1;
}

} // namespace velorin
