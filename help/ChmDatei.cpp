#include "ChmDatei.h"

#include "ChmKontext.h"

#include <chm_lib.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace velorin {

namespace {

// Reads the whole file, at most ChmMaxDateiGroesse bytes.
bool DateiLesen(const std::string& pfad, std::string& daten, TChmFehler& art, std::string& grund) {
    struct stat st {};
    if (::stat(pfad.c_str(), &st) != 0) {
        art = errno == ENOENT || errno == ENOTDIR ? TChmFehler::NichtGefunden
                                                  : TChmFehler::NichtLesbar;
        grund = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        art = TChmFehler::NichtLesbar;
        grund = "keine gewöhnliche Datei";
        return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > ChmMaxDateiGroesse) {
        art = TChmFehler::Beschaedigt;
        grund = "Datei ist zu groß";
        return false;
    }
    std::ifstream ein(pfad, std::ios::binary);
    if (!ein) {
        art = TChmFehler::NichtLesbar;
        grund = std::strerror(errno);
        return false;
    }
    daten.assign(static_cast<std::size_t>(st.st_size), '\0');
    ein.read(daten.data(), static_cast<std::streamsize>(daten.size()));
    if (ein.gcount() != static_cast<std::streamsize>(daten.size())) {
        art = TChmFehler::NichtLesbar;
        grund = "Datei konnte nicht vollständig gelesen werden";
        return false;
    }
    return true;
}

} // namespace

TChmDatei::~TChmDatei() {
    Schliessen();
}

void TChmDatei::Schliessen() {
    if (datei_) chm_close(datei_);
    datei_ = nullptr;
    pfad_.clear();
    eintraege_.clear();
    system_ = {};
}

bool TChmDatei::Oeffnen(const std::string& pfad, TChmFehler& art, std::string& grund) {
    Schliessen();
    art = TChmFehler::Keiner;
    grund.clear();
    std::string daten;
    if (!DateiLesen(pfad, daten, art, grund)) return false;
    std::vector<TChmEintrag> eintraege;
    if (!ChmPruefen(daten, &eintraege, grund)) {
        art = TChmFehler::Beschaedigt;
        return false;
    }
    datei_ = chm_open(pfad.c_str());
    if (!datei_) {
        art = TChmFehler::Beschaedigt;
        grund = "Datei lässt sich nicht öffnen";
        return false;
    }
    pfad_ = pfad;
    eintraege_ = std::move(eintraege);
    SystemLesen();
    return true;
}

bool TChmDatei::Existiert(const std::string& objekt) const {
    if (!datei_ || objekt.empty() || objekt.size() > CHM_MAX_PATHLEN) return false;
    chmUnitInfo info{};
    return chm_resolve_object(datei_, objekt.c_str(), &info) == CHM_RESOLVE_SUCCESS;
}

bool TChmDatei::Lesen(const std::string& objekt, std::string& inhalt,
                      std::size_t maxGroesse) const {
    inhalt.clear();
    if (!datei_ || objekt.empty() || objekt.size() > CHM_MAX_PATHLEN) return false;
    chmUnitInfo info{};
    if (chm_resolve_object(datei_, objekt.c_str(), &info) != CHM_RESOLVE_SUCCESS) return false;
    if (info.length > maxGroesse) return false;
    if (info.length == 0) return true;
    inhalt.assign(static_cast<std::size_t>(info.length), '\0');
    const LONGINT64 gelesen =
        chm_retrieve_object(datei_, &info, reinterpret_cast<unsigned char*>(inhalt.data()), 0,
                            static_cast<LONGINT64>(info.length));
    if (gelesen != static_cast<LONGINT64>(info.length)) {
        inhalt.clear();
        return false;
    }
    return true;
}

std::optional<std::string> TChmDatei::KontextThema(std::uint32_t kontext) const {
    std::string ivb, strings;
    if (!Lesen("/#IVB", ivb) || !Lesen("/#STRINGS", strings)) return std::nullopt;
    const auto eintrag = KontextEintrag(ivb, strings, kontext);
    if (!eintrag) return std::nullopt;
    return ThemaAufloesen(*eintrag, [this](const std::string& p) { return Existiert(p); });
}

void TChmDatei::SystemLesen() {
    std::string s;
    if (!Lesen("/#SYSTEM", s, 1u << 20) || s.size() < 4) return;
    // A version number, then records of code, length and data.
    std::size_t pos = 4;
    while (s.size() - pos >= 4) {
        const unsigned code =
            static_cast<unsigned char>(s[pos]) | static_cast<unsigned char>(s[pos + 1]) << 8;
        const std::size_t laenge =
            static_cast<unsigned char>(s[pos + 2]) | static_cast<unsigned char>(s[pos + 3]) << 8;
        pos += 4;
        if (laenge > s.size() - pos) break;
        std::string wert = s.substr(pos, laenge);
        wert.resize(std::strlen(wert.c_str()));
        pos += laenge;
        switch (code) {
        case 0:
            system_.Inhalt = wert;
            break;
        case 1:
            system_.Index = wert;
            break;
        case 2:
            system_.Startseite = wert;
            break;
        case 3:
            system_.Titel = wert;
            break;
        default:
            break;
        }
    }
}

} // namespace velorin
