// Any bytes as a theme file: reading never fails beyond "no theme", a read theme keeps its
// bounds, and the style sheet made from it is built without trouble.
#include "SkinWerte.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace velorin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view text(reinterpret_cast<const char*>(daten), groesse);
    const auto werte = SkinDateiLesen(text);
    if (!werte) return 0;
    if (groesse > MaxSkinDateiGroesse) std::abort();
    if (werte->KnopfRundung < 0 || werte->KnopfRundung > MaxKnopfRundung) std::abort();
    if (SkinStyleSheet(*werte).empty()) std::abort();
    return 0;
}
