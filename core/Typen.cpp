#include "Typen.h"

namespace velorin {

namespace {
constexpr std::array<std::string_view, FeldAnzahl> FeldNamen = {
    "VeR", "VeG", "VwR", "VwG", "VgR",  "VgG", "Abt",  "Luv",
    "SW",  "GW",  "MW",  "Dev", "MwSK", "KSK", "DevU", "KSKU"};
constexpr std::array<std::string_view, 4> StatusNamen = {"CI_Undef", "CI_Eingegeben",
                                                         "CI_EingMoeglich", "CI_Ergebnis"};
} // namespace

std::string_view FeldName(TFeldNamen f) {
    return f < FeldAnzahl ? FeldNamen[f] : "?";
}

std::string_view StatusName(TEingStatus s) {
    return s < 4 ? StatusNamen[s] : "?";
}

bool FeldAusName(std::string_view name, TFeldNamen& f) {
    for (int i = 0; i < FeldAnzahl; ++i) {
        if (FeldNamen[i] == name) {
            f = static_cast<TFeldNamen>(i);
            return true;
        }
    }
    return false;
}

} // namespace velorin
