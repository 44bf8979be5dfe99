#include "Textform.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace velorin {

namespace {

// First code point of every run of ten decimal digits (general category Nd, Unicode 14).
constexpr std::uint32_t NullZiffern[] = {
    0x00030, 0x00660, 0x006F0, 0x007C0, 0x00966, 0x009E6, 0x00A66, 0x00AE6, 0x00B66, 0x00BE6,
    0x00C66, 0x00CE6, 0x00D66, 0x00DE6, 0x00E50, 0x00ED0, 0x00F20, 0x01040, 0x01090, 0x017E0,
    0x01810, 0x01946, 0x019D0, 0x01A80, 0x01A90, 0x01B50, 0x01BB0, 0x01C40, 0x01C50, 0x0A620,
    0x0A8D0, 0x0A900, 0x0A9D0, 0x0A9F0, 0x0AA50, 0x0ABF0, 0x0FF10, 0x104A0, 0x10D30, 0x11066,
    0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0,
    0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2,
    0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950, 0x1FBF0,
};

bool IstDezimalziffer(std::uint32_t cp) {
    const auto* it = std::upper_bound(std::begin(NullZiffern), std::end(NullZiffern), cp);
    if (it == std::begin(NullZiffern)) return false;
    return cp - *(it - 1) < 10;
}

// Length of the UTF-8 sequence at text[i] and its code point; an invalid byte is one
// character of its own that is never a digit.
std::size_t Zeichen(std::string_view text, std::size_t i, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    std::size_t n;
    std::uint32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2, cp = b0 & 0x1Fu, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, cp = b0 & 0x0Fu, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, cp = b0 & 0x07u, min = 0x10000;
    } else {
        cp = 0xFFFFFFFFu;
        return 1;
    }
    if (i + n > text.size()) {
        cp = 0xFFFFFFFFu;
        return 1;
    }
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            cp = 0xFFFFFFFFu;
            return 1;
        }
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = 0xFFFFFFFFu;
        return 1;
    }
    return n;
}

// Rounds the non-negative integer written in `ziffern` to a multiple of 10^stellen, half away
// from zero.
std::string GanzzahlRunden(std::string ziffern, std::size_t stellen) {
    if (stellen == 0) return ziffern;
    if (stellen > ziffern.size()) return "0";
    const std::size_t p = ziffern.size() - stellen;
    const bool auf = ziffern[p] >= '5';
    std::fill(ziffern.begin() + static_cast<std::ptrdiff_t>(p), ziffern.end(), '0');
    if (auf) {
        std::size_t i = p;
        while (i > 0) {
            --i;
            if (ziffern[i] == '9') {
                ziffern[i] = '0';
            } else {
                ++ziffern[i];
                return ziffern;
            }
        }
        ziffern.insert(ziffern.begin(), '1');
    }
    return ziffern;
}

std::string Ziffern(double ganz) {
    char puffer[64];
    const int n = std::snprintf(puffer, sizeof puffer, "%.0f", ganz);
    return std::string(puffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void GanzzahlAnhaengen(std::string& s, std::uint64_t n, int mindestens) {
    char puffer[24];
    const auto r = std::to_chars(puffer, puffer + sizeof puffer, n);
    const auto len = static_cast<int>(r.ptr - puffer);
    if (len < mindestens) s.append(static_cast<std::size_t>(mindestens - len), '0');
    s.append(puffer, r.ptr);
}

} // namespace

std::string Filtern(std::string_view text) {
    std::string neu;
    neu.reserve(text.size());
    bool komma = false;
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t cp;
        const std::size_t n = Zeichen(text, i, cp);
        if ((cp == ',' && !komma) || (cp == '-' && i == 0) || IstDezimalziffer(cp)) {
            if (cp == ',') komma = true;
            neu.append(text.substr(i, n));
        }
        i += n;
    }
    return neu;
}

bool ZahlLesen(std::string_view text, float& wert) {
    std::size_t i = 0;
    const bool negativ = !text.empty() && text[0] == '-';
    if (negativ) ++i;
    std::string zahl; // the digits with "." for the comma, for from_chars
    zahl.reserve(text.size() + 2);
    bool komma = false, ziffer = false, ganzNichtNull = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            ziffer = true;
            if (!komma && c != '0') ganzNichtNull = true;
            zahl.push_back(c);
        } else if (c == ',' && !komma) {
            komma = true;
            zahl.push_back('.');
        } else {
            return false;
        }
    }
    if (!ziffer && !komma) return false; // empty, or "-" alone
    if (!ziffer) {                       // "," and "-," read as 0
        wert = 0.0f;
        return true;
    }
    if (zahl.front() == '.') zahl.insert(zahl.begin(), '0');
    float v = 0.0f;
    const auto r =
        std::from_chars(zahl.data(), zahl.data() + zahl.size(), v, std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range) {
        if (ganzNichtNull) return false; // beyond the float range
        v = 0.0f;                        // below the smallest float: zero
    } else if (r.ec != std::errc() || r.ptr != zahl.data() + zahl.size()) {
        return false;
    }
    if (!std::isfinite(v)) return false;
    wert = negativ ? -v : v;
    return true;
}

std::string KeinGleitkommawert(std::string_view text) {
    std::string s = "'";
    s.append(text);
    s += "' ist kein gültiger Gleitkommawert.";
    return s;
}

std::string WinkelAlsText(int Stellen, int Nachkomma, float Wert) {
    if (!std::isfinite(Wert)) return std::string();
    Nachkomma = std::clamp(Nachkomma, 0, 9);
    std::string s;
    if (Wert < 0.0f) s = "-";
    double faktor = 1.0;
    for (int i = 0; i < Nachkomma; ++i)
        faktor *= 10.0;
    // Exact for a 32-bit value and two decimals; ties go to the even neighbour.
    const double n = std::nearbyint(std::fabs(static_cast<double>(Wert)) * faktor);
    std::string ganz, bruch;
    if (n < 1e18) {
        const auto g = static_cast<std::uint64_t>(n);
        const auto teiler = static_cast<std::uint64_t>(faktor);
        GanzzahlAnhaengen(ganz, g / teiler, Stellen);
        GanzzahlAnhaengen(bruch, g % teiler, Nachkomma);
    } else {
        const std::string z = Ziffern(n);
        const auto nk = static_cast<std::size_t>(Nachkomma);
        ganz = z.substr(0, z.size() - nk);
        bruch = z.substr(z.size() - nk);
        if (static_cast<int>(ganz.size()) < Stellen)
            ganz.insert(0, static_cast<std::size_t>(Stellen) - ganz.size(), '0');
    }
    s += ganz;
    if (Nachkomma > 0) {
        s += ',';
        s += bruch;
    }
    return s;
}

std::string GeschwindigkeitAlsText(float Wert) {
    if (!std::isfinite(Wert)) return std::string();
    const double a = std::fabs(static_cast<double>(Wert));
    std::string ganz; // whole part
    int zehntel = 0, hundertstel = 0;
    if (a < 1e5) { // two decimals; a * 100 is exact
        const auto n = static_cast<std::uint64_t>(std::round(a * 100.0));
        GanzzahlAnhaengen(ganz, n / 100, 1);
        zehntel = static_cast<int>(n % 100 / 10);
        hundertstel = static_cast<int>(n % 10);
    } else if (a < 1e6) { // one decimal is the seventh significant digit
        const auto n = static_cast<std::uint64_t>(std::round(a * 10.0));
        GanzzahlAnhaengen(ganz, n / 10, 1);
        zehntel = static_cast<int>(n % 10);
    } else if (a < 1e7) {
        GanzzahlAnhaengen(ganz, static_cast<std::uint64_t>(std::round(a)), 1);
    } else { // a float this large is a whole number; keep seven significant digits
        const std::string z = Ziffern(a);
        ganz = GanzzahlRunden(z, z.size() - 7);
    }
    const bool null =
        ganz.find_first_not_of('0') == std::string::npos && zehntel == 0 && hundertstel == 0;
    std::string s;
    if (Wert < 0.0f && !null) s = "-";
    s += ganz;
    s += ',';
    s += static_cast<char>('0' + zehntel);
    s += static_cast<char>('0' + hundertstel);
    return s;
}

} // namespace velorin
