#include "ChmPruefung.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace velorin {

namespace {

constexpr std::uint64_t ItsfV2Laenge = 0x58;
constexpr std::uint64_t ItsfV3Laenge = 0x60;
constexpr std::uint64_t ItspLaenge = 0x54;
constexpr std::uint32_t PmglKopf = 0x14;
constexpr std::uint32_t PmgiKopf = 0x08;
constexpr std::uint32_t BlockMin = 0x20;
constexpr std::uint32_t BlockMax = 0x10000;
constexpr std::uint64_t PfadMax = 512;       // chmlib's name buffer
constexpr std::uint64_t LzxRahmen = 0x8000;  // output of one compressed block
constexpr std::uint64_t LzxReserve = 6144;   // chmlib's slack for one compressed block
constexpr std::uint64_t RuecksetzMax = 1024; // blocks decompressed at most for one read
constexpr std::uint64_t ChunksMax = 1u << 16;
constexpr std::size_t EintraegeMax = 1u << 17; // listing entries and index links together

constexpr std::string_view NameInhalt = "::DataSpace/Storage/MSCompressed/Content";
constexpr std::string_view NameSteuerung = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view NameRuecksetz = "::DataSpace/Storage/MSCompressed/Transform/"
                                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/"
                                           "ResetTable";

class TBytes {
public:
    explicit TBytes(std::string_view d) : d_(d) {}
    std::uint64_t Groesse() const { return d_.size(); }
    bool Enthaelt(std::uint64_t pos, std::uint64_t n) const {
        return pos <= d_.size() && n <= d_.size() - pos;
    }
    bool U32(std::uint64_t pos, std::uint32_t& v) const {
        if (!Enthaelt(pos, 4)) return false;
        v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | Byte(pos + i);
        return true;
    }
    bool U64(std::uint64_t pos, std::uint64_t& v) const {
        if (!Enthaelt(pos, 8)) return false;
        v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | Byte(pos + i);
        return true;
    }
    bool Gleich(std::uint64_t pos, std::string_view s) const {
        return Enthaelt(pos, s.size()) && d_.substr(pos, s.size()) == s;
    }
    const unsigned char* Zeiger(std::uint64_t pos) const {
        return reinterpret_cast<const unsigned char*>(d_.data()) + pos;
    }

private:
    unsigned char Byte(std::uint64_t pos) const { return static_cast<unsigned char>(d_[pos]); }
    std::string_view d_;
};

// The variable-length integer of the directory, read as chmlib reads it, never past end.
bool EncInt(const unsigned char*& p, const unsigned char* end, std::uint64_t& wert) {
    wert = 0;
    for (int i = 0; i < 9; ++i) {
        if (p >= end) return false;
        const unsigned char b = *p++;
        wert = (wert << 7) | (b & 0x7fu);
        if (b < 0x80) return true;
    }
    return false;
}

bool NameLesen(const unsigned char*& p, const unsigned char* end, std::string& name) {
    std::uint64_t n = 0;
    if (!EncInt(p, end, n) || n > PfadMax || n > static_cast<std::uint64_t>(end - p)) return false;
    const char* anfang = reinterpret_cast<const char*>(p);
    name.assign(anfang, std::find(anfang, anfang + n, '\0'));
    p += n;
    return true;
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto k = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (k(a[i]) != k(b[i])) return false;
    }
    return true;
}

bool Summe(std::uint64_t a, std::uint64_t b, std::uint64_t& s) {
    s = a + b;
    return s >= a;
}

// a + b + c <= grenze without overflow.
bool Passt(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t grenze) {
    std::uint64_t s = 0;
    return Summe(a, b, s) && Summe(s, c, s) && s <= grenze;
}

bool Fehler(std::string& fehler, const char* text) {
    fehler = text;
    return false;
}

struct TKnoten {
    bool Index = false;
    std::vector<std::uint32_t> Kinder;
};

// No chain of index chunks leads back to itself, so chmlib's descent ends.
bool KreisFrei(const std::vector<TKnoten>& knoten, std::uint32_t wurzel) {
    enum : unsigned char { Neu, Offen, Fertig };
    std::vector<unsigned char> farbe(knoten.size(), Neu);
    std::vector<std::pair<std::uint32_t, std::size_t>> stapel{{wurzel, 0}};
    farbe[wurzel] = Offen;
    while (!stapel.empty()) {
        auto& [k, i] = stapel.back();
        if (i == knoten[k].Kinder.size()) {
            farbe[k] = Fertig;
            stapel.pop_back();
            continue;
        }
        const std::uint32_t kind = knoten[k].Kinder[i++];
        if (!knoten[kind].Index || farbe[kind] == Fertig) continue;
        if (farbe[kind] == Offen) return false;
        farbe[kind] = Offen;
        stapel.emplace_back(kind, 0);
    }
    return true;
}

struct TKompression {
    bool Aktiv = false;
    std::uint64_t Unkomprimiert = 0;
};

// Control data and reset table as chmlib's open reads them; every value chmlib later divides by,
// allocates or seeks with must be sane.
bool KompressionPruefen(const TBytes& b, std::uint64_t daten, const TChmEintrag& inhalt,
                        const TChmEintrag& steuerung, const TChmEintrag& ruecksetz, TKompression& k,
                        std::string& fehler) {
    if (inhalt.Bereich != 0 || steuerung.Bereich != 0 || ruecksetz.Bereich != 0)
        return Fehler(fehler, "Kompressionsangaben liegen im komprimierten Bereich");

    // Control data.
    if (steuerung.Laenge < 0x18 || steuerung.Laenge > 256)
        return Fehler(fehler, "Kompressionsangaben haben eine falsche Länge");
    const std::uint64_t s = daten + steuerung.Start;
    std::uint32_t version = 0, intervall = 0, fenster = 0, jeRuecksetz = 0;
    if (!b.Gleich(s + 4, "LZXC") || !b.U32(s + 8, version) || !b.U32(s + 12, intervall) ||
        !b.U32(s + 16, fenster) || !b.U32(s + 20, jeRuecksetz))
        return Fehler(fehler, "Kompressionsangaben sind unlesbar");
    std::uint64_t iv = intervall, fe = fenster;
    if (version == 2) {
        iv *= 0x8000;
        fe *= 0x8000;
    }
    const bool zweierpotenz = fe != 0 && (fe & (fe - 1)) == 0;
    if (!zweierpotenz || fe < (1u << 15) || fe > (1u << 21) || iv == 0 || iv > 0xffffffffu ||
        iv % (fe / 2) != 0 || jeRuecksetz == 0)
        return Fehler(fehler, "Kompressionsangaben sind ungültig");
    if (iv / (fe / 2) * jeRuecksetz > RuecksetzMax)
        return Fehler(fehler, "Kompressionsangaben sind ungültig");

    // Reset table.
    if (ruecksetz.Laenge < 0x28) return Fehler(fehler, "Blocktabelle ist zu kurz");
    const std::uint64_t r = daten + ruecksetz.Start;
    std::uint32_t rVersion = 0, bloecke = 0, tabelle = 0;
    std::uint64_t unkomprimiert = 0, komprimiert = 0, blockLaenge = 0;
    if (!b.U32(r, rVersion) || !b.U32(r + 4, bloecke) || !b.U32(r + 12, tabelle) ||
        !b.U64(r + 16, unkomprimiert) || !b.U64(r + 24, komprimiert) || !b.U64(r + 32, blockLaenge))
        return Fehler(fehler, "Blocktabelle ist unlesbar");
    if (rVersion != 2 || blockLaenge != LzxRahmen ||
        tabelle + std::uint64_t{8} * bloecke > ruecksetz.Laenge)
        return Fehler(fehler, "Blocktabelle ist ungültig");
    if (unkomprimiert > std::uint64_t{bloecke} * LzxRahmen || komprimiert > inhalt.Laenge)
        return Fehler(fehler, "Blocktabelle passt nicht zum Inhalt");
    for (std::uint32_t i = 0; i < bloecke; ++i) {
        std::uint64_t anfang = 0, ende = komprimiert;
        if (!b.U64(r + tabelle + std::uint64_t{8} * i, anfang) ||
            (i + 1 < bloecke && !b.U64(r + tabelle + std::uint64_t{8} * (i + 1), ende)))
            return Fehler(fehler, "Blocktabelle ist unlesbar");
        if (ende < anfang || ende - anfang > LzxRahmen + LzxReserve || ende > inhalt.Laenge)
            return Fehler(fehler, "Blocktabelle ist ungültig");
    }
    k.Aktiv = true;
    k.Unkomprimiert = unkomprimiert;
    return true;
}

} // namespace

bool ChmPruefen(std::string_view daten, std::vector<TChmEintrag>* eintraege, std::string& fehler) {
    const TBytes b(daten);
    if (eintraege) eintraege->clear();
    if (b.Groesse() > ChmMaxDateiGroesse) return Fehler(fehler, "Datei ist zu groß");

    // File header; chmlib always reads its longer form.
    std::uint32_t version = 0, kopf = 0;
    std::uint64_t verzAnfang = 0, verzLaenge = 0, datenAnfang = 0;
    if (b.Groesse() < ItsfV3Laenge || !b.Gleich(0, "ITSF"))
        return Fehler(fehler, "keine Hilfe-Datei (Kennung fehlt)");
    b.U32(4, version);
    b.U32(8, kopf);
    b.U64(0x48, verzAnfang);
    b.U64(0x50, verzLaenge);
    if (version == 3 && kopf == ItsfV3Laenge) {
        b.U64(0x58, datenAnfang);
    } else if (version == 2 && kopf == ItsfV2Laenge) {
        if (!Summe(verzAnfang, verzLaenge, datenAnfang))
            return Fehler(fehler, "Dateikopf ist ungültig");
    } else {
        return Fehler(fehler, "unbekannte Version der Hilfe-Datei");
    }
    if (!b.Enthaelt(verzAnfang, verzLaenge) || verzLaenge < ItspLaenge || datenAnfang > b.Groesse())
        return Fehler(fehler, "Datei ist unvollständig");

    // Directory header.
    std::uint32_t itspVersion = 0, itspKopf = 0, blockLaenge = 0, wurzelRoh = 0, kopfRoh = 0;
    if (!b.Gleich(verzAnfang, "ITSP") || !b.U32(verzAnfang + 4, itspVersion) ||
        !b.U32(verzAnfang + 8, itspKopf) || !b.U32(verzAnfang + 0x10, blockLaenge) ||
        !b.U32(verzAnfang + 0x1c, wurzelRoh) || !b.U32(verzAnfang + 0x20, kopfRoh) ||
        itspVersion != 1 || itspKopf != ItspLaenge)
        return Fehler(fehler, "Verzeichniskopf ist ungültig");
    if (blockLaenge < BlockMin || blockLaenge > BlockMax)
        return Fehler(fehler, "Verzeichniskopf ist ungültig");
    const std::uint64_t chunkAnfang = verzAnfang + ItspLaenge;
    const std::uint64_t chunkZahl = (verzLaenge - ItspLaenge) / blockLaenge;
    const auto wurzelSigned = static_cast<std::int32_t>(wurzelRoh);
    const std::int64_t wurzel =
        wurzelSigned <= -1 ? static_cast<std::int32_t>(kopfRoh) : wurzelSigned;
    if (chunkZahl == 0 || wurzel < 0 || static_cast<std::uint64_t>(wurzel) >= chunkZahl)
        return Fehler(fehler, "Verzeichnis ist leer oder ungültig");
    if (chunkZahl > ChunksMax) return Fehler(fehler, "Verzeichnis ist zu groß");

    // Every chunk: listing (PMGL) or index (PMGI), each entry wholly inside its chunk.
    std::vector<TChmEintrag> alle;
    std::vector<TKnoten> knoten(chunkZahl);
    std::size_t verweise = 0;
    for (std::uint64_t c = 0; c < chunkZahl; ++c) {
        const std::uint64_t pos = chunkAnfang + c * blockLaenge;
        const unsigned char* anfang = b.Zeiger(pos);
        std::uint32_t frei = 0;
        b.U32(pos + 4, frei);
        const bool liste = b.Gleich(pos, "PMGL");
        const bool index = b.Gleich(pos, "PMGI");
        if (!liste && !index) continue; // chmlib gives up on such a chunk
        const std::uint32_t kopfLaenge = liste ? PmglKopf : PmgiKopf;
        if (frei > blockLaenge - kopfLaenge) return Fehler(fehler, "Verzeichnisblock ist ungültig");
        const unsigned char* p = anfang + kopfLaenge;
        const unsigned char* ende = anfang + (blockLaenge - frei);
        knoten[c].Index = index;
        while (p < ende) {
            if (++verweise > EintraegeMax) return Fehler(fehler, "Verzeichnis ist zu groß");
            std::string name;
            if (!NameLesen(p, ende, name)) return Fehler(fehler, "Verzeichniseintrag ist ungültig");
            if (liste) {
                TChmEintrag e;
                e.Pfad = std::move(name);
                if (!EncInt(p, ende, e.Bereich) || !EncInt(p, ende, e.Start) ||
                    !EncInt(p, ende, e.Laenge))
                    return Fehler(fehler, "Verzeichniseintrag ist ungültig");
                alle.push_back(std::move(e));
            } else {
                std::uint64_t kind = 0;
                if (!EncInt(p, ende, kind) || kind >= chunkZahl)
                    return Fehler(fehler, "Verzeichnisindex ist ungültig");
                knoten[c].Kinder.push_back(static_cast<std::uint32_t>(kind));
            }
        }
    }
    if (!knoten[wurzel].Index && !b.Gleich(chunkAnfang + wurzel * blockLaenge, "PMGL"))
        return Fehler(fehler, "Verzeichnis ist leer oder ungültig");
    if (knoten[wurzel].Index && !KreisFrei(knoten, static_cast<std::uint32_t>(wurzel)))
        return Fehler(fehler, "Verzeichnisindex enthält einen Kreis");

    // The three objects that switch on decompression: each at most once, and either all or none.
    const std::array<std::string_view, 3> namen = {NameInhalt, NameSteuerung, NameRuecksetz};
    std::array<const TChmEintrag*, 3> meta{};
    for (const auto& e : alle) {
        for (std::size_t i = 0; i < namen.size(); ++i) {
            if (!GleichOhneGross(e.Pfad, namen[i])) continue;
            if (meta[i]) return Fehler(fehler, "Verzeichnis enthält doppelte Einträge");
            meta[i] = &e;
        }
    }
    for (const auto& e : alle) {
        if (e.Bereich == 0 && !Passt(datenAnfang, e.Start, e.Laenge, b.Groesse()))
            return Fehler(fehler, "Datei ist unvollständig");
        if (e.Bereich > 1) return Fehler(fehler, "Verzeichniseintrag ist ungültig");
    }
    TKompression k;
    const int vorhanden = (meta[0] != nullptr) + (meta[1] != nullptr) + (meta[2] != nullptr);
    if (vorhanden == 3) {
        if (!KompressionPruefen(b, datenAnfang, *meta[0], *meta[1], *meta[2], k, fehler))
            return false;
    } else if (vorhanden != 0) {
        return Fehler(fehler, "Kompressionsangaben fehlen");
    }
    for (const auto& e : alle) {
        if (e.Bereich != 1 || e.Laenge == 0) continue;
        if (!k.Aktiv || !Passt(e.Start, e.Laenge, 0, k.Unkomprimiert))
            return Fehler(fehler, "komprimierter Eintrag liegt außerhalb des Inhalts");
    }
    if (eintraege) *eintraege = std::move(alle);
    return true;
}

} // namespace velorin
