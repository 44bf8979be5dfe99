#include "Darstellung.h"

#include "IniDatei.h"

namespace velorin {

TDarstellung StatusLesen(const std::string& iniPfad) {
    const TIniText ini = TIniText::Laden(iniPfad);
    TDarstellung d;
    for (std::size_t i = 0; i < StatusColorKeys.size(); ++i) {
        d.StatusColors[i] = static_cast<TColor>(ini.ReadInteger(
            StatusSection, StatusColorKeys[i], static_cast<std::int32_t>(DefaultStatusColors[i])));
    }
    d.LinienBreiteVektoren =
        ini.ReadInteger(StatusSection, KeyLinienBreiteVektoren, DefaultLinienBreite);
    d.LinienBreiteNord = ini.ReadInteger(StatusSection, KeyLinienBreiteNord, DefaultLinienBreite);
    return d;
}

void StatusSpeichern(const std::string& iniPfad, const TDarstellung& darstellung) {
    TIniFile ini(iniPfad);
    for (std::size_t i = 0; i < StatusColorKeys.size(); ++i) {
        // Colours are stored as the signed integers they were read as.
        ini.WriteInteger(StatusSection, StatusColorKeys[i],
                         static_cast<std::int32_t>(darstellung.StatusColors[i]));
    }
    ini.WriteInteger(StatusSection, KeyLinienBreiteVektoren, darstellung.LinienBreiteVektoren);
    ini.WriteInteger(StatusSection, KeyLinienBreiteNord, darstellung.LinienBreiteNord);
}

} // namespace velorin
