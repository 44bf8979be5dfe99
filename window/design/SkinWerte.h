// Designs as plain values: the colours, base style and button shape of a skin, the five built-in
// designs, the reader of our theme files ("*.ssk", format in README.md) and the application style
// sheet made from a skin. No toolkit needed here.
#pragma once

#include "Themes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velorin {

struct TRgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    friend bool operator==(const TRgb& a, const TRgb& b) {
        return a.R == b.R && a.G == b.G && a.B == b.B;
    }
    friend bool operator!=(const TRgb& a, const TRgb& b) { return !(a == b); }
};

// The toolkit style a skin is drawn on.
enum class TBasisStil : std::uint8_t { Fusion, Windows };

// One skin. The defaults are the plain look; a theme file overrides what it names.
struct TSkinWerte {
    TBasisStil Basisstil = TBasisStil::Fusion;
    TRgb Fenster{0xEF, 0xEF, 0xEF}; // window background: the colour of the skin frame
    TRgb FensterText{0x00, 0x00, 0x00};
    TRgb Basis{0xFF, 0xFF, 0xFF}; // entry fields and lists
    TRgb BasisWechsel{0xF7, 0xF7, 0xF7};
    TRgb Text{0x00, 0x00, 0x00};
    TRgb Knopf{0xDC, 0xDC, 0xDC};     // button face, bottom of its gradient
    TRgb KnopfHell{0xF8, 0xF8, 0xF8}; // top of the button gradient
    TRgb KnopfText{0x00, 0x00, 0x00};
    TRgb KnopfRand{0x9A, 0x9A, 0x9A};
    int KnopfRundung = 3;    // corner radius in pixels, 0 to 12
    bool KnopfGlanz = false; // gradient broken at half height, as glass
    TRgb Auswahl{0x30, 0x8C, 0xC6};
    TRgb AuswahlText{0xFF, 0xFF, 0xFF};
    TRgb MenueLeiste{0xEF, 0xEF, 0xEF};
    TRgb MenueLeisteText{0x00, 0x00, 0x00};
    TRgb Menue{0xFF, 0xFF, 0xFF};
    TRgb MenueText{0x00, 0x00, 0x00};
};

constexpr int MaxKnopfRundung = 12;

// Largest theme file read; anything longer is no theme file of ours.
constexpr std::size_t MaxSkinDateiGroesse = 64 * 1024;

// Reads the text of a theme file over the defaults of TSkinWerte. Unknown keys and values that
// cannot be read are skipped. No value when the text is longer than MaxSkinDateiGroesse or holds
// no entry that could be read.
std::optional<TSkinWerte> SkinDateiLesen(std::string_view text);

// The built-in design of a style; FromThemeFile has none.
std::optional<TSkinWerte> EingebauteSkin(TUIStyle stil);

// Application style sheet of a skin: buttons, menu bar, menus and status bar. Entry fields,
// lists and spin fields are left to the palette, so that colours a window sets on them stay.
std::string SkinStyleSheet(const TSkinWerte& werte);

} // namespace velorin
