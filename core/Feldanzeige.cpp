#include "Feldanzeige.h"

namespace velorin {

TFeldAnzeige FeldAnzeige(TEingStatus status, const TStatusColors& farben) {
    TFeldAnzeige a;
    // Statuses outside the four known ones are painted and treated as not enterable.
    const auto index = static_cast<std::size_t>(status);
    a.Farbe = index < farben.size() ? farben[index] : farben[CI_Undef];
    a.Enabled = status == CI_Eingegeben || status == CI_EingMoeglich || status == CI_Ergebnis;
    a.TabStop = status == CI_Eingegeben || status == CI_EingMoeglich;
    return a;
}

} // namespace velorin
