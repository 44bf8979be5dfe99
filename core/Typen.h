// Shared types of the wind-triangle calculator: fields, statuses, values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velorin {

// The sixteen fields; the ordinals are stored in tags and masks.
enum TFeldNamen : std::uint8_t {
    VeR = 0,
    VeG,
    VwR,
    VwG,
    VgR,
    VgG,
    Abt,
    Luv,
    SW,
    GW,
    MW,
    Dev,
    MwSK,
    KSK,
    DevU,
    KSKU,
};
constexpr int FeldAnzahl = 16;

enum TEingStatus : std::uint8_t {
    CI_Undef = 0,
    CI_Eingegeben = 1,
    CI_EingMoeglich = 2,
    CI_Ergebnis = 3,
};

using TEingabeStatus = std::array<TEingStatus, FeldAnzahl>;
using PEingabeStatus = TEingabeStatus*;
using TWerte = std::array<float, FeldAnzahl>;
using PWerte = TWerte*;

// Set of fields, bit n for the field of ordinal n.
using TNotwEingaben = std::uint16_t;

constexpr TNotwEingaben Bit(TFeldNamen f) {
    return static_cast<TNotwEingaben>(1u << f);
}

constexpr bool IstBekannt(TEingStatus s) {
    return s == CI_Eingegeben || s == CI_Ergebnis;
}

// Colours are 0x00BBGGRR, red in the low byte.
using TColor = std::uint32_t;
using TStatusColors = std::array<TColor, 4>;

enum class TFeldArt : std::uint8_t { Richtung, Winkel, Geschwindigkeit };

constexpr TFeldArt FeldArt(TFeldNamen f) {
    switch (f) {
    case VeR:
    case VwR:
    case VgR:
    case MwSK:
    case KSK:
    case KSKU:
        return TFeldArt::Richtung;
    case VeG:
    case VwG:
    case VgG:
    case SW:
    case GW:
        return TFeldArt::Geschwindigkeit;
    default:
        return TFeldArt::Winkel;
    }
}

std::string_view FeldName(TFeldNamen f);
std::string_view StatusName(TEingStatus s);
// Field of the given name ("VeR" ... "KSKU", exact spelling); false if unknown.
bool FeldAusName(std::string_view name, TFeldNamen& f);

} // namespace velorin
