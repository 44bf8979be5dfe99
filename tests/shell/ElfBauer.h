// Builds small ELF images and version blocks in memory, so that tests can damage them on purpose.
#pragma once

#include "shell/Versionsblock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velorin::test {

inline void ZahlSetzen(std::vector<std::uint8_t>& b, std::size_t offset, std::size_t breite,
                       std::uint64_t wert, bool big = false) {
    for (std::size_t i = 0; i < breite; ++i) {
        std::size_t idx = big ? offset + breite - 1 - i : offset + i;
        b.at(idx) = static_cast<std::uint8_t>(wert >> (8 * i));
    }
}

inline void ZahlAnhaengen(std::vector<std::uint8_t>& b, std::size_t breite, std::uint64_t wert) {
    b.resize(b.size() + breite);
    ZahlSetzen(b, b.size() - breite, breite, wert);
}

inline void TextAnhaengen(std::vector<std::uint8_t>& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
}

// A version block in the program's format; laenge 0 means the real length.
inline std::vector<std::uint8_t> BlockBauen(const TVersionsBlock& block, std::uint32_t laenge = 0,
                                            std::uint32_t format = VersionsFormat) {
    std::vector<std::uint8_t> b;
    TextAnhaengen(b, VersionsMagic);
    ZahlAnhaengen(b, 4, 0);
    ZahlAnhaengen(b, 4, format);
    ZahlAnhaengen(b, 4, block.FileVersionMS);
    ZahlAnhaengen(b, 4, block.FileVersionLS);
    ZahlAnhaengen(b, 4, block.ProductVersionMS);
    ZahlAnhaengen(b, 4, block.ProductVersionLS);
    ZahlAnhaengen(b, 4, block.Tabellen.size());
    for (const auto& t : block.Tabellen) {
        ZahlAnhaengen(b, 2, t.Sprache);
        ZahlAnhaengen(b, 2, t.CodePage);
        ZahlAnhaengen(b, 4, t.Werte.size());
        for (const auto& [k, w] : t.Werte) {
            ZahlAnhaengen(b, 2, k.size());
            ZahlAnhaengen(b, 2, w.size());
            TextAnhaengen(b, k);
            TextAnhaengen(b, w);
        }
    }
    ZahlSetzen(b, 8, 4, laenge != 0 ? laenge : b.size());
    return b;
}

struct TTestAbschnitt {
    std::string Name;
    std::vector<std::uint8_t> Inhalt;
    std::uint32_t Typ = 1; // SHT_PROGBITS
};

// Where the fields that tests like to damage lie in a built image.
struct TElfOrte {
    bool Is64 = true;
    bool Big = false;
    std::size_t ShOff = 0;     // e_shoff field
    std::size_t ShEntSize = 0; // e_shentsize field
    std::size_t ShNum = 0;     // e_shnum field
    std::size_t ShStrNdx = 0;  // e_shstrndx field
    std::size_t Tabelle = 0;   // start of the section header table
    std::size_t Eintrag = 0;   // size of one section header
    // Offsets of fields inside one section header.
    std::size_t Name = 0, Typ = 4, Offset = 0, Laenge = 0, Link = 0, Breite = 0;

    std::size_t Feld(std::size_t abschnitt, std::size_t feld) const {
        return Tabelle + abschnitt * Eintrag + feld;
    }
};

// Section 0 is the null section, then the given ones, then ".shstrtab".
inline std::vector<std::uint8_t> ElfBauen(bool is64, bool big,
                                          const std::vector<TTestAbschnitt>& abschnitte,
                                          TElfOrte* orte = nullptr) {
    TElfOrte o;
    o.Is64 = is64;
    o.Big = big;
    const std::size_t kopf = is64 ? 64 : 52;
    o.Eintrag = is64 ? 64 : 40;
    o.ShOff = is64 ? 0x28 : 0x20;
    o.ShEntSize = is64 ? 0x3A : 0x2E;
    o.ShNum = is64 ? 0x3C : 0x30;
    o.ShStrNdx = is64 ? 0x3E : 0x32;
    o.Offset = is64 ? 24 : 16;
    o.Laenge = is64 ? 32 : 20;
    o.Link = is64 ? 40 : 24;
    o.Breite = is64 ? 8 : 4;

    std::vector<std::uint8_t> b(kopf, 0);
    b[0] = 0x7F;
    b[1] = 'E';
    b[2] = 'L';
    b[3] = 'F';
    b[4] = is64 ? 2 : 1;
    b[5] = big ? 2 : 1;
    b[6] = 1;

    std::vector<std::uint8_t> namen{0};
    std::vector<std::size_t> namensOrt, inhaltsOrt;
    auto alle = abschnitte;
    alle.push_back({".shstrtab", {}, 3});
    for (auto& a : alle) {
        namensOrt.push_back(namen.size());
        namen.insert(namen.end(), a.Name.begin(), a.Name.end());
        namen.push_back(0);
    }
    alle.back().Inhalt = namen;
    for (const auto& a : alle) {
        inhaltsOrt.push_back(b.size());
        b.insert(b.end(), a.Inhalt.begin(), a.Inhalt.end());
    }
    while (b.size() % 8 != 0)
        b.push_back(0);

    o.Tabelle = b.size();
    const std::size_t anzahl = alle.size() + 1;
    b.resize(b.size() + anzahl * o.Eintrag, 0);
    for (std::size_t i = 0; i < alle.size(); ++i) {
        const std::size_t s = i + 1;
        ZahlSetzen(b, o.Feld(s, o.Name), 4, namensOrt[i], big);
        ZahlSetzen(b, o.Feld(s, o.Typ), 4, alle[i].Typ, big);
        ZahlSetzen(b, o.Feld(s, o.Offset), o.Breite, inhaltsOrt[i], big);
        ZahlSetzen(b, o.Feld(s, o.Laenge), o.Breite, alle[i].Inhalt.size(), big);
    }
    ZahlSetzen(b, o.ShOff, o.Breite, o.Tabelle, big);
    ZahlSetzen(b, o.ShEntSize, 2, o.Eintrag, big);
    ZahlSetzen(b, o.ShNum, 2, anzahl, big);
    ZahlSetzen(b, o.ShStrNdx, 2, anzahl - 1, big);
    if (orte != nullptr) *orte = o;
    return b;
}

} // namespace velorin::test
