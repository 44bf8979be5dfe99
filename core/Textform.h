// Text forms of the entry fields: the typing filter, reading a number, the angle and speed
// forms. The decimal separator is always ",", whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace velorin {

// Keeps decimal digits of any script, the first "," and a "-" in first position; drops every
// other character. Works on UTF-8; a byte that is not valid UTF-8 counts as one character.
std::string Filtern(std::string_view text);

// Reads a filtered text: optional "-", digits 0-9 with at most one ",". "," and "-," read as
// 0. False for "-" alone, for digits of other scripts and for numbers beyond the 32-bit float
// range; the value is then untouched.
bool ZahlLesen(std::string_view text, float& wert);

// The conversion error shown for a text that is not a number.
std::string KeinGleitkommawert(std::string_view text);

// Sign, at least Stellen whole digits, ",", Nachkomma digits; rounded half to even.
std::string WinkelAlsText(int Stellen, int Nachkomma, float Wert);

// Two decimals but at most seven significant digits, rounded half away from zero; no grouping,
// no exponent.
std::string GeschwindigkeitAlsText(float Wert);

} // namespace velorin
