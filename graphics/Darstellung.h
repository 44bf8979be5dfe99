// The appearance values of the calculator: a colour for each field status and the pen widths of
// the triangle drawing, with their defaults and their section in the settings file.
#pragma once

#include "Typen.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velorin {

// Pure blue, bright green, pale green, yellow (0x00BBGGRR).
constexpr TStatusColors DefaultStatusColors = {0xFF0000, 0x00FF00, 0xC0DCC0, 0x00FFFF};
constexpr std::int32_t DefaultLinienBreite = 1;

constexpr std::string_view StatusSection = "StatusColors";
// Keys of the section in the order they are written; the spelling is the file's.
constexpr std::array<std::string_view, 4> StatusColorKeys = {"CI_undef", "CI_Eingegeben",
                                                             "CI_EingMoeglich", "CI_Ergebnis"};
constexpr std::string_view KeyLinienBreiteVektoren = "LinienbreiteVektoren";
constexpr std::string_view KeyLinienBreiteNord = "LinienbreiteNord";

struct TDarstellung {
    TStatusColors StatusColors = DefaultStatusColors;
    std::int32_t LinienBreiteVektoren = DefaultLinienBreite; // pixels, the three vectors
    std::int32_t LinienBreiteNord = DefaultLinienBreite;     // pixels, the north lines

    bool operator==(const TDarstellung& o) const {
        return StatusColors == o.StatusColors && LinienBreiteVektoren == o.LinienBreiteVektoren &&
               LinienBreiteNord == o.LinienBreiteNord;
    }
    bool operator!=(const TDarstellung& o) const { return !(*this == o); }
};

// The start-up read: the whole file at once, each missing or non-integer value replaced by its
// default. Values are taken exactly as stored, without a range check. Never fails.
TDarstellung StatusLesen(const std::string& iniPfad);

// Writes the six keys in their fixed order, each reaching the file at once. Throws
// EIniFileException (IniDatei.h) when the file cannot be written.
void StatusSpeichern(const std::string& iniPfad, const TDarstellung& darstellung);

} // namespace velorin
