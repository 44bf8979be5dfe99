#include "ElfAbschnitt.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorin {

namespace {

// True when [offset, offset + anzahl) lies inside [0, groesse), without overflowing.
bool Innerhalb(std::uint64_t offset, std::uint64_t anzahl, std::uint64_t groesse) {
    return anzahl <= groesse && offset <= groesse - anzahl;
}

constexpr std::uint32_t ShtNobits = 8;
constexpr std::uint16_t ShnXindex = 0xFFFF;

// Field access in one header, in the file's own byte order.
class TElfFelder {
public:
    TElfFelder(const std::uint8_t* daten, std::size_t groesse, bool bigEndian)
        : FDaten(daten), FGroesse(groesse), FBig(bigEndian) {}

    // Reads an unsigned field of 2, 4 or 8 bytes; false when it does not fit.
    bool Zahl(std::size_t offset, std::size_t breite, std::uint64_t& wert) const {
        if (!Innerhalb(offset, breite, FGroesse)) return false;
        wert = 0;
        for (std::size_t i = 0; i < breite; ++i) {
            std::size_t idx = FBig ? offset + i : offset + breite - 1 - i;
            wert = (wert << 8) | FDaten[idx];
        }
        return true;
    }

private:
    const std::uint8_t* FDaten;
    std::size_t FGroesse;
    bool FBig;
};

// Layout of the headers for one ELF class.
struct TElfLayout {
    std::size_t KopfGroesse;
    std::size_t ShOff, ShOffBreite, ShEntSize, ShNum, ShStrNdx;
    std::size_t AbschnittGroesse; // size of one section header
    std::size_t Typ, Offset, Laenge, Link, AdressBreite;
};

constexpr TElfLayout Elf32{52, 0x20, 4, 0x2E, 0x30, 0x32, 40, 4, 16, 20, 24, 4};
constexpr TElfLayout Elf64{64, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 4, 24, 32, 40, 8};

struct TAbschnitt {
    std::uint64_t Name = 0;
    std::uint64_t Typ = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Laenge = 0;
    std::uint64_t Link = 0;
};

bool AbschnittLesen(const TElfFelder& tabelle, const TElfLayout& l, std::size_t basis,
                    TAbschnitt& a) {
    return tabelle.Zahl(basis, 4, a.Name) && tabelle.Zahl(basis + l.Typ, 4, a.Typ) &&
           tabelle.Zahl(basis + l.Offset, l.AdressBreite, a.Offset) &&
           tabelle.Zahl(basis + l.Laenge, l.AdressBreite, a.Laenge) &&
           tabelle.Zahl(basis + l.Link, 4, a.Link);
}

bool BereichLesen(const TByteQuelle& quelle, std::uint64_t offset, std::uint64_t laenge,
                  std::size_t max, std::vector<std::uint8_t>& ziel) {
    if (laenge > max || !Innerhalb(offset, laenge, quelle.Size())) return false;
    ziel.resize(static_cast<std::size_t>(laenge));
    return laenge == 0 || quelle.Read(offset, ziel.data(), ziel.size());
}

} // namespace

bool TSpeicherQuelle::Read(std::uint64_t offset, void* ziel, std::size_t anzahl) const {
    if (!Innerhalb(offset, anzahl, FGroesse)) return false;
    if (anzahl > 0) std::memcpy(ziel, FDaten + offset, anzahl);
    return true;
}

TDateiQuelle::TDateiQuelle(const std::string& pfad) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below anyway.
    int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return;
    }
    FDatei = fd;
    FGroesse = static_cast<std::uint64_t>(st.st_size);
}

TDateiQuelle::~TDateiQuelle() {
    if (FDatei >= 0) ::close(FDatei);
}

bool TDateiQuelle::Read(std::uint64_t offset, void* ziel, std::size_t anzahl) const {
    if (FDatei < 0 || !Innerhalb(offset, anzahl, FGroesse)) return false;
    auto* p = static_cast<std::uint8_t*>(ziel);
    while (anzahl > 0) {
        ssize_t n = ::pread(FDatei, p, anzahl, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false; // error, or the file shrank under us
        p += n;
        offset += static_cast<std::uint64_t>(n);
        anzahl -= static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> ElfAbschnittLesen(const TByteQuelle& quelle,
                                                           std::string_view name,
                                                           std::size_t maxGroesse,
                                                           std::size_t maxTabelle) {
    std::uint8_t kopf[64] = {};
    if (!quelle.Read(0, kopf, 16)) return std::nullopt;
    if (kopf[0] != 0x7F || kopf[1] != 'E' || kopf[2] != 'L' || kopf[3] != 'F') return std::nullopt;
    const TElfLayout* l = kopf[4] == 1 ? &Elf32 : kopf[4] == 2 ? &Elf64 : nullptr;
    if (l == nullptr || (kopf[5] != 1 && kopf[5] != 2)) return std::nullopt;
    const bool big = kopf[5] == 2;
    if (!quelle.Read(0, kopf, l->KopfGroesse)) return std::nullopt;

    TElfFelder k(kopf, l->KopfGroesse, big);
    std::uint64_t shoff = 0, entsize = 0, anzahl = 0, strndx = 0;
    k.Zahl(l->ShOff, l->ShOffBreite, shoff);
    k.Zahl(l->ShEntSize, 2, entsize);
    k.Zahl(l->ShNum, 2, anzahl);
    k.Zahl(l->ShStrNdx, 2, strndx);
    if (shoff == 0 || entsize < l->AbschnittGroesse) return std::nullopt;

    // Many sections: the real count and name-table index live in section 0.
    if (anzahl == 0 || strndx == ShnXindex) {
        std::vector<std::uint8_t> null;
        if (!BereichLesen(quelle, shoff, entsize, maxTabelle, null)) return std::nullopt;
        TAbschnitt s0;
        if (!AbschnittLesen(TElfFelder(null.data(), null.size(), big), *l, 0, s0))
            return std::nullopt;
        if (anzahl == 0) anzahl = s0.Laenge;
        if (strndx == ShnXindex) strndx = s0.Link;
    }
    if (anzahl == 0 || strndx >= anzahl) return std::nullopt;
    if (anzahl > maxTabelle / entsize) return std::nullopt;

    std::vector<std::uint8_t> tabelle;
    if (!BereichLesen(quelle, shoff, anzahl * entsize, maxTabelle, tabelle)) return std::nullopt;
    TElfFelder t(tabelle.data(), tabelle.size(), big);

    TAbschnitt namen;
    if (!AbschnittLesen(t, *l, static_cast<std::size_t>(strndx * entsize), namen))
        return std::nullopt;
    if (namen.Typ == ShtNobits) return std::nullopt;
    std::vector<std::uint8_t> namensTabelle;
    if (!BereichLesen(quelle, namen.Offset, namen.Laenge, maxTabelle, namensTabelle))
        return std::nullopt;

    for (std::uint64_t i = 0; i < anzahl; ++i) {
        TAbschnitt a;
        if (!AbschnittLesen(t, *l, static_cast<std::size_t>(i * entsize), a)) return std::nullopt;
        // The name must be there in full, followed by its terminating zero.
        if (!Innerhalb(a.Name, name.size() + 1, namensTabelle.size())) continue;
        const auto* n = namensTabelle.data() + a.Name;
        if (std::memcmp(n, name.data(), name.size()) != 0 || n[name.size()] != 0) continue;

        if (a.Typ == ShtNobits) return std::nullopt;
        std::vector<std::uint8_t> inhalt;
        if (!BereichLesen(quelle, a.Offset, a.Laenge, maxGroesse, inhalt)) return std::nullopt;
        return inhalt;
    }
    return std::nullopt;
}

} // namespace velorin
