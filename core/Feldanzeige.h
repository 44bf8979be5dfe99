// How an entry field presents its status: background colour, enabled flag and tab stop.
#pragma once

#include "Typen.h"

namespace velorin {

struct TFeldAnzeige {
    TColor Farbe = 0;
    bool Enabled = false;
    // A computed field can be clicked but is skipped by Tab and Enter.
    bool TabStop = false;
};

TFeldAnzeige FeldAnzeige(TEingStatus status, const TStatusColors& farben);

// Red, green and blue of a colour held as 0x00BBGGRR.
constexpr int Rot(TColor c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int Gruen(TColor c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int Blau(TColor c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

} // namespace velorin
