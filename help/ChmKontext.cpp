#include "ChmKontext.h"

#include <algorithm>

namespace velorin {

namespace {

std::uint32_t U32(std::string_view d, std::size_t pos) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(d[pos + i]);
    return v;
}

} // namespace

std::optional<std::string> KontextEintrag(std::string_view ivb, std::string_view strings,
                                          std::uint32_t kontext) {
    if (ivb.size() < 4) return std::nullopt;
    // The leading length counts the pairs' bytes; trust it only as far as the object reaches.
    const std::size_t paare = std::min<std::size_t>(U32(ivb, 0), ivb.size() - 4) / 8;
    for (std::size_t i = 0; i < paare; ++i) {
        const std::size_t pos = 4 + 8 * i;
        if (U32(ivb, pos) != kontext) continue;
        const std::size_t versatz = U32(ivb, pos + 4);
        if (versatz >= strings.size()) return std::nullopt;
        const std::size_t ende = strings.find('\0', versatz);
        if (ende == std::string_view::npos || ende == versatz) return std::nullopt;
        return std::string(strings.substr(versatz, ende - versatz));
    }
    return std::nullopt;
}

std::string ObjektPfad(std::string_view pfad) {
    std::string p(pfad);
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.empty() || p.front() != '/') p.insert(p.begin(), '/');
    return p;
}

std::optional<std::string>
ThemaAufloesen(std::string_view eintrag, const std::function<bool(const std::string&)>& existiert) {
    std::string_view anker;
    if (const auto raute = eintrag.find('#'); raute != std::string_view::npos) {
        anker = eintrag.substr(raute);
        eintrag = eintrag.substr(0, raute);
    }
    if (eintrag.empty()) return std::nullopt;
    const std::string pfad = ObjektPfad(eintrag);
    // The whole name first, then ever shorter tails that start at a "/".
    for (std::size_t pos = 0; pos != std::string::npos; pos = pfad.find('/', pos + 1)) {
        std::string kandidat = pfad.substr(pos);
        if (kandidat.size() > 1 && existiert(kandidat)) return kandidat + std::string(anker);
    }
    return std::nullopt;
}

} // namespace velorin
