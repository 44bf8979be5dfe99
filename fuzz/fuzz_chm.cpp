// Any bytes as a help file, a contents list or a context map. The first byte picks which:
//   0  a whole CHM file: the structure check, and what passes is opened with chmlib and read
//      completely as the help window would;
//   1  a contents or index file;
//   2  a context map: one byte with the length of /#IVB, /#IVB, then /#STRINGS.
#include "ChmDatei.h"
#include "ChmKontext.h"
#include "ChmPruefung.h"
#include "Sitemap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace velorin;

namespace {

// One scratch file for the whole run, removed at exit; chmlib reads only from files.
char ProbePfad[] = "/tmp/fuzz_chm-XXXXXX";

const char* Probe() {
    static const bool angelegt = [] {
        const int fd = ::mkstemp(ProbePfad);
        if (fd < 0) std::abort();
        ::close(fd);
        std::atexit([] { ::unlink(ProbePfad); });
        return true;
    }();
    (void)angelegt;
    return ProbePfad;
}

void Datei(std::string_view daten) {
    std::string fehler;
    if (!ChmPruefen(daten, nullptr, fehler)) return;
    FILE* f = std::fopen(Probe(), "wb");
    if (!f) return;
    std::fwrite(daten.data(), 1, daten.size(), f);
    std::fclose(f);
    TChmDatei datei;
    TChmFehler art{};
    if (!datei.Oeffnen(Probe(), art, fehler)) return;
    std::string inhalt;
    for (const auto& e : datei.Eintraege())
        datei.Lesen(e.Pfad, inhalt, 1u << 20);
    datei.KontextThema(2001);
    if (datei.Lesen(ObjektPfad(datei.System().Inhalt), inhalt)) SitemapLesen(inhalt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        Datei(rest);
        break;
    case 1:
        SitemapLesen(rest);
        EntitaetenAufloesen(rest);
        break;
    default: {
        if (rest.empty()) break;
        const std::size_t laenge =
            std::min<std::size_t>(static_cast<unsigned char>(rest[0]), rest.size() - 1);
        const std::string_view ivb = rest.substr(1, laenge);
        const std::string_view strings = rest.substr(1 + laenge);
        for (std::uint32_t kontext : {0u, 1u, 2001u, 0xffffffffu}) {
            const auto eintrag = KontextEintrag(ivb, strings, kontext);
            if (eintrag)
                ThemaAufloesen(*eintrag, [](const std::string& p) { return p.size() % 3 == 0; });
        }
        break;
    }
    }
    return 0;
}
