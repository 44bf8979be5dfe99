// Reader of a compiled help file (CHM) on top of chmlib. The file is checked as a whole before
// chmlib sees it (ChmPruefung.h), and every read is bounded in size.
#pragma once

#include "ChmPruefung.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace velorin {

// Larger single objects are not read.
constexpr std::size_t ChmMaxObjektGroesse = std::size_t{16} << 20;

enum class TChmFehler { Keiner, NichtGefunden, NichtLesbar, Beschaedigt };

// Values of the file's system object "/#SYSTEM".
struct TChmSystem {
    std::string Titel;      // title of the help
    std::string Startseite; // default topic as stored, e.g. "seite.htm"
    std::string Inhalt;     // contents file, e.g. "inhalt.hhc"
    std::string Index;      // index file, e.g. "index.hhk"
};

class TChmDatei {
public:
    TChmDatei() = default;
    ~TChmDatei();
    TChmDatei(const TChmDatei&) = delete;
    TChmDatei& operator=(const TChmDatei&) = delete;

    // Opens the file at pfad; on failure the kind and a short German reason.
    bool Oeffnen(const std::string& pfad, TChmFehler& art, std::string& grund);
    void Schliessen();
    bool IstOffen() const { return datei_ != nullptr; }
    const std::string& Pfad() const { return pfad_; }

    // Every entry of the directory, in file order.
    const std::vector<TChmEintrag>& Eintraege() const { return eintraege_; }
    const TChmSystem& System() const { return system_; }

    // Object paths as in the file ("/seite.htm"); letter case does not matter.
    bool Existiert(const std::string& objekt) const;
    // The whole object; false when it is missing, larger than maxGroesse or unreadable.
    bool Lesen(const std::string& objekt, std::string& inhalt,
               std::size_t maxGroesse = ChmMaxObjektGroesse) const;

    // Object path of the topic of a context number (with any "#anker"), or nothing.
    std::optional<std::string> KontextThema(std::uint32_t kontext) const;

private:
    void SystemLesen();

    chmFile* datei_ = nullptr;
    std::string pfad_;
    std::vector<TChmEintrag> eintraege_;
    TChmSystem system_;
};

} // namespace velorin
