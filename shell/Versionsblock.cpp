#include "Versionsblock.h"
#include "core/Zeichenketten.h"

#include "ElfAbschnitt.h"

#include <cstring>

namespace velorin {

namespace {


// Sequential little-endian reader that refuses to step past its end.
class TLeser {
public:
    TLeser(const std::uint8_t* daten, std::size_t groesse) : FDaten(daten), FGroesse(groesse) {}

    bool Zahl(std::size_t breite, std::uint32_t& wert) {
        if (breite > FGroesse - FPos) return false;
        wert = 0;
        for (std::size_t i = breite; i-- > 0;)
            wert = (wert << 8) | FDaten[FPos + i];
        FPos += breite;
        return true;
    }

    bool Text(std::size_t laenge, std::string& text) {
        if (laenge > FGroesse - FPos) return false;
        text.assign(reinterpret_cast<const char*>(FDaten + FPos), laenge);
        FPos += laenge;
        return true;
    }

private:
    const std::uint8_t* FDaten;
    std::size_t FGroesse;
    std::size_t FPos = 0;
};

struct TSchluessel {
    const char* Key;
    const char* Anzeige;
};

// The values of the version list, in list order, with their display names.
constexpr TSchluessel ListenSchluessel[] = {
    {"CompanyName", "Company Name"},
    {"FileDescription", "Description"},
    {"FileVersion", "File Version"},
    {"InternalName", "Internal Name"},
    {"LegalCopyright", "Copyright"},
    {"LegalTradeMarks", "TradeMarks"},
    {"OriginalFilename", "Original File Name"},
    {"ProductName", "Product Name"},
    {"ProductVersion", "Product Version"},
    {"Comments", "Comments"},
    {"Author", "Author"},
};

} // namespace

std::optional<TVersionsBlock> VersionsBlockLesen(const std::uint8_t* daten, std::size_t groesse) {
    if (daten == nullptr || groesse < VersionsKopfGroesse) return std::nullopt;
    if (std::memcmp(daten, VersionsMagic, 8) != 0) return std::nullopt;

    TLeser kopf(daten + 8, VersionsKopfGroesse - 8);
    std::uint32_t laenge = 0, format = 0, tabellen = 0;
    TVersionsBlock block;
    kopf.Zahl(4, laenge);
    kopf.Zahl(4, format);
    kopf.Zahl(4, block.FileVersionMS);
    kopf.Zahl(4, block.FileVersionLS);
    kopf.Zahl(4, block.ProductVersionMS);
    kopf.Zahl(4, block.ProductVersionLS);
    kopf.Zahl(4, tabellen);
    if (format != VersionsFormat || laenge < VersionsKopfGroesse || laenge > groesse)
        return std::nullopt;

    // Counts are only trusted as far as the bytes behind them reach.
    TLeser rest(daten + VersionsKopfGroesse, laenge - VersionsKopfGroesse);
    for (std::uint32_t t = 0; t < tabellen; ++t) {
        std::uint32_t sprache = 0, codePage = 0, eintraege = 0;
        if (!rest.Zahl(2, sprache) || !rest.Zahl(2, codePage) || !rest.Zahl(4, eintraege)) break;
        TVersionsTabelle& tabelle = block.Tabellen.emplace_back();
        tabelle.Sprache = static_cast<std::uint16_t>(sprache);
        tabelle.CodePage = static_cast<std::uint16_t>(codePage);
        bool heil = true;
        for (std::uint32_t e = 0; e < eintraege && heil; ++e) {
            std::uint32_t keyLaenge = 0, wertLaenge = 0;
            std::string key, wert;
            heil = rest.Zahl(2, keyLaenge) && rest.Zahl(2, wertLaenge) &&
                   rest.Text(keyLaenge, key) && rest.Text(wertLaenge, wert);
            if (!heil) break;
            wert.resize(std::strlen(wert.c_str()));
            tabelle.Werte.emplace_back(std::move(key), std::move(wert));
        }
        if (!heil) break;
    }
    return block;
}

const std::string* VersionsWert(const TVersionsBlock& block, std::uint16_t sprache,
                                std::uint16_t codePage, std::string_view key) {
    for (const auto& tabelle : block.Tabellen) {
        if (tabelle.Sprache != sprache || tabelle.CodePage != codePage) continue;
        for (const auto& [k, w] : tabelle.Werte) {
            if (GleichOhneFall(k, key)) return &w;
        }
        return nullptr;
    }
    return nullptr;
}

std::vector<std::string> VersionsZeilen(const TVersionsBlock& block) {
    std::vector<std::string> zeilen;
    for (const auto& s : ListenSchluessel) {
        const std::string* wert = VersionsWert(block, VersionsSprache, VersionsCodePage, s.Key);
        if (wert != nullptr && !wert->empty())
            zeilen.push_back(std::string(s.Anzeige) + "=" + *wert);
    }
    return zeilen;
}

std::optional<TVersionsBlock> VersionsBlockAusDatei(const std::string& pfad) {
    TDateiQuelle datei(pfad);
    if (!datei.Offen()) return std::nullopt;
    auto abschnitt = ElfAbschnittLesen(datei, VersionsAbschnitt, VersionsMaxGroesse);
    if (!abschnitt) return std::nullopt;
    return VersionsBlockLesen(abschnitt->data(), abschnitt->size());
}

bool ReadFileVersionNumbers(const std::string& fileName, TFileVersionNumbers& numbers) noexcept {
    try {
        auto block = VersionsBlockAusDatei(fileName);
        if (!block) return false;
        numbers.Major = static_cast<std::int32_t>(block->FileVersionMS >> 16);
        numbers.Minor = static_cast<std::int32_t>(block->FileVersionMS & 0xFFFF);
        numbers.Release = static_cast<std::int32_t>(block->FileVersionLS >> 16);
        numbers.Build = static_cast<std::int32_t>(block->FileVersionLS & 0xFFFF);
        return true;
    } catch (...) {
        return false;
    }
}

bool LoadVersionInfoFrom(const std::string& pfad, std::vector<std::string>& list) noexcept {
    try {
        list.clear();
        auto block = VersionsBlockAusDatei(pfad);
        if (!block) {
            list.emplace_back("No FileVersionInfo found");
            return true;
        }
        list = VersionsZeilen(*block);
        return true;
    } catch (...) {
        return false;
    }
}

bool LoadVersionInfo(std::vector<std::string>& list) noexcept {
    // The open link of the running image, even if its file was replaced since the start.
    return LoadVersionInfoFrom("/proc/self/exe", list);
}

std::string ValueOf(const std::vector<std::string>& list, std::string_view name) {
    for (const auto& zeile : list) {
        auto gleich = zeile.find('=');
        if (gleich == std::string::npos) continue;
        if (GleichOhneFall(std::string_view(zeile).substr(0, gleich), name))
            return zeile.substr(gleich + 1);
    }
    return {};
}

} // namespace velorin
