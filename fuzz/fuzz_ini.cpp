// Any bytes as a settings file: reading gives values or defaults, and a write changes the one
// value it names and nothing else. Input: a section line, a key line, a second key line, then
// the file.
#include "IniDatei.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace velorin;

namespace {

std::string_view Zeile(std::string_view& rest) {
    std::size_t nl = rest.find('\n');
    std::string_view z = rest.substr(0, std::min<std::size_t>(nl, 64));
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    return z;
}

bool GleichOhneFall(std::string_view a, std::string_view b) {
    auto klein = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    auto trimmen = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        return s;
    };
    a = trimmen(a);
    b = trimmen(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (klein(a[i]) != klein(b[i])) return false;
    return true;
}

void Pruefen(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    std::string_view rest(reinterpret_cast<const char*>(daten), groesse);
    const std::string_view section = Zeile(rest);
    const std::string_view key = Zeile(rest);
    const std::string_view key2 = Zeile(rest);
    const TIniText ini{std::string(rest)};

    std::int32_t zahl = 0;
    IniZahlLesen(key2, zahl);
    std::string wert;
    const bool da = ini.Lesen(section, key, wert);
    Pruefen(da == ini.ValueExists(section, key));
    Pruefen(!da || ini.SectionExists(section));
    std::string wert2;
    const bool da2 = ini.Lesen(section, key2, wert2);
    ini.ReadInteger(section, key, 0);

    TIniText neu = ini;
    try {
        neu.WriteString(section, key, "4711");
    } catch (const std::invalid_argument&) {
        return 0;
    }
    Pruefen(neu.ReadInteger(section, key, 0) == 4711);
    Pruefen(neu.SectionExists(section));
    if (!GleichOhneFall(key, key2)) {
        std::string danach;
        Pruefen(neu.Lesen(section, key2, danach) == da2);
        Pruefen(!da2 || danach == wert2);
    }
    // Everything before the edit stays in place.
    Pruefen(neu.Text().size() >= ini.Text().size() - (da ? wert.size() : 0));
    // Writing the same value again changes nothing.
    TIniText nochmal = neu;
    nochmal.WriteString(section, key, "4711");
    Pruefen(nochmal.Text() == neu.Text());
    return 0;
}
