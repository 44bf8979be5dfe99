#include "Sitemap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace velorin {

namespace {

void Utf8Anhaengen(std::string& s, std::uint32_t z) {
    if (z == 0 || z > 0x10ffff || (z >= 0xd800 && z <= 0xdfff)) z = 0xfffd;
    if (z < 0x80) {
        s += static_cast<char>(z);
    } else if (z < 0x800) {
        s += static_cast<char>(0xc0 | (z >> 6));
        s += static_cast<char>(0x80 | (z & 0x3f));
    } else if (z < 0x10000) {
        s += static_cast<char>(0xe0 | (z >> 12));
        s += static_cast<char>(0x80 | ((z >> 6) & 0x3f));
        s += static_cast<char>(0x80 | (z & 0x3f));
    } else {
        s += static_cast<char>(0xf0 | (z >> 18));
        s += static_cast<char>(0x80 | ((z >> 12) & 0x3f));
        s += static_cast<char>(0x80 | ((z >> 6) & 0x3f));
        s += static_cast<char>(0x80 | (z & 0x3f));
    }
}

bool IstUtf8(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size()) {
        const auto c = static_cast<unsigned char>(t[i]);
        std::size_t n = 0;
        std::uint32_t z = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xc2 && c <= 0xdf) {
            n = 1;
            z = c & 0x1f;
        } else if (c >= 0xe0 && c <= 0xef) {
            n = 2;
            z = c & 0x0f;
        } else if (c >= 0xf0 && c <= 0xf4) {
            n = 3;
            z = c & 0x07;
        } else {
            return false;
        }
        if (t.size() - i <= n) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto f = static_cast<unsigned char>(t[i + k]);
            if ((f & 0xc0) != 0x80) return false;
            z = (z << 6) | (f & 0x3f);
        }
        if ((n == 2 && z < 0x800) || (n == 3 && (z < 0x10000 || z > 0x10ffff)) ||
            (z >= 0xd800 && z <= 0xdfff))
            return false;
        i += n + 1;
    }
    return true;
}

// 0x80 to 0x9F of Windows-1252; the rest of the upper half is Latin-1.
constexpr std::array<std::uint16_t, 32> Cp1252 = {
    0x20ac, 0xfffd, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xfffd, 0x017d, 0xfffd, 0xfffd, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0xfffd, 0x017e, 0x0178};

struct TEntitaet {
    std::string_view Name;
    std::uint32_t Zeichen;
};

constexpr std::array<TEntitaet, 37> Entitaeten = {{
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xa0},    {"auml", 0xe4},    {"ouml", 0xf6},    {"uuml", 0xfc},    {"Auml", 0xc4},
    {"Ouml", 0xd6},    {"Uuml", 0xdc},    {"szlig", 0xdf},   {"deg", 0xb0},     {"sect", 0xa7},
    {"copy", 0xa9},    {"reg", 0xae},     {"middot", 0xb7},  {"times", 0xd7},   {"sup2", 0xb2},
    {"laquo", 0xab},   {"raquo", 0xbb},   {"eacute", 0xe9},  {"egrave", 0xe8},  {"agrave", 0xe0},
    {"aacute", 0xe1},  {"ccedil", 0xe7},  {"ndash", 0x2013}, {"mdash", 0x2014}, {"bdquo", 0x201e},
    {"ldquo", 0x201c}, {"rdquo", 0x201d}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"hellip", 0x2026},
    {"euro", 0x20ac},  {"minus", 0x2212},
}};

char Klein(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Klein(x) == Klein(y); });
}

bool IstLeer(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

struct TAttribut {
    std::string Name;
    std::string Wert;
};

struct TTag {
    std::string Name; // lower case, "/ul" for a closing tag
    std::vector<TAttribut> Attribute;
};

// Reads the tag that starts after '<' at pos; pos ends after its '>' (or at the end).
TTag TagLesen(std::string_view t, std::size_t& pos) {
    TTag tag;
    auto name = [&]() {
        std::string n;
        while (pos < t.size() && !IstLeer(t[pos]) && t[pos] != '>' && t[pos] != '=' &&
               !(t[pos] == '/' && !n.empty()))
            n += Klein(t[pos++]);
        return n;
    };
    tag.Name = name();
    while (pos < t.size() && t[pos] != '>') {
        if (IstLeer(t[pos]) || t[pos] == '/') {
            ++pos;
            continue;
        }
        TAttribut a;
        a.Name = name();
        if (a.Name.empty()) {
            ++pos;
            continue;
        }
        while (pos < t.size() && IstLeer(t[pos]))
            ++pos;
        if (pos < t.size() && t[pos] == '=') {
            ++pos;
            while (pos < t.size() && IstLeer(t[pos]))
                ++pos;
            if (pos < t.size() && (t[pos] == '"' || t[pos] == '\'')) {
                const char q = t[pos++];
                const std::size_t ende = std::min(t.find(q, pos), t.size());
                a.Wert = t.substr(pos, ende - pos);
                pos = std::min(ende + 1, t.size());
            } else {
                while (pos < t.size() && !IstLeer(t[pos]) && t[pos] != '>')
                    a.Wert += t[pos++];
            }
        }
        if (tag.Attribute.size() < 16) tag.Attribute.push_back(std::move(a));
    }
    if (pos < t.size()) ++pos;
    return tag;
}

const std::string* Attribut(const TTag& tag, std::string_view name) {
    for (const auto& a : tag.Attribute)
        if (a.Name == name) return &a.Wert;
    return nullptr;
}

} // namespace

std::string AlsUtf8(std::string_view text) {
    if (IstUtf8(text)) return std::string(text);
    std::string s;
    s.reserve(text.size() + text.size() / 4);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        Utf8Anhaengen(s, b >= 0x80 && b < 0xa0 ? Cp1252[b - 0x80] : b);
    }
    return s;
}

std::string EntitaetenAufloesen(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) break;
        s.append(text.substr(i, amp - i));
        i = amp + 1;
        const std::size_t semi = text.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10 || semi == i) {
            s += '&';
            continue;
        }
        const std::string_view ref = text.substr(i, semi - i);
        std::uint32_t z = 0;
        bool gut = false;
        if (ref[0] == '#') {
            const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
            const std::string_view ziffern = ref.substr(hex ? 2 : 1);
            gut = !ziffern.empty();
            for (const char c : ziffern) {
                int w = -1;
                if (c >= '0' && c <= '9')
                    w = c - '0';
                else if (hex && Klein(c) >= 'a' && Klein(c) <= 'f')
                    w = Klein(c) - 'a' + 10;
                if (w < 0 || z > 0x10ffff) {
                    gut = false;
                    break;
                }
                z = z * (hex ? 16 : 10) + static_cast<std::uint32_t>(w);
            }
        } else {
            for (const auto& e : Entitaeten) {
                if (e.Name == ref) {
                    z = e.Zeichen;
                    gut = true;
                    break;
                }
            }
        }
        if (!gut) {
            s += '&';
            continue;
        }
        Utf8Anhaengen(s, z);
        i = semi + 1;
    }
    s.append(text.substr(std::min(i, text.size())));
    return s;
}

std::vector<TSitemapEintrag> SitemapLesen(std::string_view roh) {
    const std::string text = AlsUtf8(roh);
    const std::string_view t = text;
    std::vector<TSitemapEintrag> wurzel;
    // Lists from the outside in; a <UL> opens the children of the list's last entry.
    std::vector<std::vector<TSitemapEintrag>*> stapel{&wurzel};
    std::vector<bool> eigeneEbene;
    std::size_t anzahl = 0;
    bool imObjekt = false;
    TSitemapEintrag neu;

    std::size_t pos = 0;
    while ((pos = t.find('<', pos)) != std::string_view::npos) {
        ++pos;
        if (t.substr(pos, 3) == "!--") {
            const std::size_t ende = t.find("-->", pos + 3);
            pos = ende == std::string_view::npos ? t.size() : ende + 3;
            continue;
        }
        const TTag tag = TagLesen(t, pos);
        if (tag.Name == "ul") {
            auto* ebene = stapel.back();
            const bool eigene = !ebene->empty() && stapel.size() < SitemapTiefeMax;
            eigeneEbene.push_back(eigene);
            if (eigene) stapel.push_back(&ebene->back().Kinder);
        } else if (tag.Name == "/ul") {
            if (!eigeneEbene.empty()) {
                if (eigeneEbene.back()) stapel.pop_back();
                eigeneEbene.pop_back();
            }
        } else if (tag.Name == "object") {
            const std::string* typ = Attribut(tag, "type");
            imObjekt = typ && GleichOhneGross(*typ, "text/sitemap");
            neu = TSitemapEintrag{};
        } else if (tag.Name == "param" && imObjekt) {
            const std::string* name = Attribut(tag, "name");
            const std::string* wert = Attribut(tag, "value");
            if (!name || !wert) continue;
            if (GleichOhneGross(*name, "Name") && neu.Name.empty())
                neu.Name = EntitaetenAufloesen(*wert);
            else if (GleichOhneGross(*name, "Local") && neu.Lokal.empty())
                neu.Lokal = EntitaetenAufloesen(*wert);
        } else if (tag.Name == "/object" && imObjekt) {
            imObjekt = false;
            if ((neu.Name.empty() && neu.Lokal.empty()) || anzahl >= SitemapEintraegeMax) continue;
            ++anzahl;
            stapel.back()->push_back(std::move(neu));
            neu = TSitemapEintrag{};
        }
    }
    return wurzel;
}

} // namespace velorin
