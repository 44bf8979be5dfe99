#include "Antworten.h"

#include <cstdint>
#include <limits>

namespace velorin {

namespace {

constexpr std::string_view Trenner = "!";

// The offending text for a message, shortened so that a huge input gives a short one.
std::string Zitat(std::string_view s) {
    constexpr std::size_t Max = 40;
    if (s.size() <= Max) return "\"" + std::string(s) + "\"";
    std::size_t n = Max;
    // Do not cut a UTF-8 sequence in two.
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return "\"" + std::string(s.substr(0, n)) + "...\"";
}

bool GleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

// A decimal integer with optional sign, within 32 bits.
std::int32_t AlsGanzzahl(std::string_view s) {
    std::size_t i = 0;
    bool negativ = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativ = s[i++] == '-';
    if (i == s.size()) throw EKonvertierungsFehler(Zitat(s) + " ist keine g\xC3\xBCltige Ganzzahl");
    std::int64_t wert = 0;
    const std::int64_t grenze = negativ ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    for (; i < s.size(); ++i) {
        if (!IstZiffer(s[i]))
            throw EKonvertierungsFehler(Zitat(s) + " ist keine g\xC3\xBCltige Ganzzahl");
        wert = wert * 10 + (s[i] - '0');
        if (wert > grenze)
            throw EKonvertierungsFehler(Zitat(s) + " liegt au\xC3\x9F"
                                                   "erhalb des Bereichs einer Ganzzahl");
    }
    return static_cast<std::int32_t>(negativ ? -wert : wert);
}

// "True"/"False" in any case, or a number (decimal comma or point), true when not zero.
bool AlsWahrheitswert(std::string_view s) {
    if (GleichOhneGross(s, "true")) return true;
    if (GleichOhneGross(s, "false")) return false;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool ziffern = false, nichtNull = false, trenner = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IstZiffer(c)) {
            ziffern = true;
            nichtNull = nichtNull || c != '0';
        } else if ((c == ',' || c == '.') && !trenner) {
            trenner = true;
        } else {
            ziffern = false;
            break;
        }
    }
    if (!ziffern) throw EKonvertierungsFehler(Zitat(s) + " ist kein g\xC3\xBCltiger Wahrheitswert");
    return nichtNull;
}

constexpr TMCAntworten BitVon(int i) {
    return static_cast<TMCAntworten>(1u << i);
}

} // namespace

void GetNextToken(std::string_view Sep, std::string_view S, std::size_t& Pos, std::string& Token,
                  int Count) {
    Token.clear();
    if (Sep.empty() || Count < 1 || Pos < 1) return;
    const std::size_t anfang = Pos - 1;
    std::size_t suche = anfang;
    for (int i = 0; i < Count; ++i) {
        const std::size_t p = suche > S.size() ? std::string_view::npos : S.find(Sep, suche);
        if (p == std::string_view::npos) {
            if (i > 0) Pos = suche + 1;
            return;
        }
        suche = p + Sep.size();
        if (i == Count - 1) {
            Token.assign(S.substr(anfang, p - anfang));
            Pos = suche + 1;
        }
    }
}

void TAntworten::Assign(const TAntworten& AntwortenObject) {
    SetAntwortenFromString(AntwortenObject.GetAntwortenAsString());
}

std::string TAntworten::GetAntwortenAsString() const {
    std::string s = FBeantwortet ? "-1" : "0";
    s += Trenner;
    for (int i = 0; i < 8; ++i)
        if (FAntwortenMC & BitVon(i)) s += static_cast<char>('0' + i);
    s += Trenner;
    s += std::to_string(FAntwortNum.size());
    s += Trenner;
    for (const auto& a : FAntwortNum) {
        s += a;
        s += Trenner;
    }
    return s;
}

void TAntworten::SetAntwortenFromString(std::string_view Str) {
    std::size_t pos = 1;
    std::string token;

    GetNextToken(Trenner, Str, pos, token);
    if (token.empty()) return;
    FBeantwortet = AlsWahrheitswert(token);

    GetNextToken(Trenner, Str, pos, token);
    FAntwortenMC = 0;
    for (char c : token) {
        const int bit = static_cast<unsigned char>(c) - '0';
        if (bit >= 0 && bit <= 7) FAntwortenMC |= BitVon(bit);
    }

    GetNextToken(Trenner, Str, pos, token);
    const std::int32_t n = AlsGanzzahl(token);
    // Every free answer takes at least its "!", so a larger count cannot be meant and
    // would only make a short text allocate without bound.
    if (n < 0 || static_cast<std::uint64_t>(n) > Str.size())
        throw EBereichsFehler("Die Anzahl der freien Antworten (" + std::to_string(n) +
                              ") liegt au\xC3\x9F"
                              "erhalb des g\xC3\xBCltigen Bereichs");
    FAntwortNum.assign(static_cast<std::size_t>(n), std::string());

    for (auto& antwort : FAntwortNum) {
        const std::size_t vorher = pos;
        GetNextToken(Trenner, Str, pos, token);
        if (pos == vorher) break; // no further "!": this and the rest stay empty
        antwort = token;
    }
}

void TAntworten::AddMC(TMCAntwort MCAntwort) {
    if (MCAntwort >= 0 && MCAntwort <= 7) FAntwortenMC |= BitVon(MCAntwort);
    FBeantwortet = true;
}

void TAntworten::RemoveMC(TMCAntwort MCAntwort) {
    if (MCAntwort >= 0 && MCAntwort <= 7)
        FAntwortenMC &= static_cast<TMCAntworten>(~BitVon(MCAntwort));
    if (FAntwortenMC == 0 && FAntwortNum.empty()) FBeantwortet = false;
}

void TAntworten::SetBeantwortet(bool Value) {
    if (!Value && FBeantwortet) {
        FBeantwortet = false;
        FAntwortenMC = 0;
        FAntwortNum.clear();
    }
}

bool TAntworten::IsRichtig(const TRichtigeAntwort& RichtigeAntwort) const {
    return FAntwortNum == RichtigeAntwort.Num && FAntwortenMC == RichtigeAntwort.MCAntworten;
}

TMCAntworten TAntworten::GetRichtigeMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const {
    return static_cast<TMCAntworten>(FAntwortenMC & RichtigeAntwort.MCAntworten);
}

TMCAntworten TAntworten::GetFalscheMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const {
    return static_cast<TMCAntworten>(FAntwortenMC & ~RichtigeAntwort.MCAntworten);
}

TMCAntworten TAntworten::GetUnbeantwMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const {
    return static_cast<TMCAntworten>(RichtigeAntwort.MCAntworten & ~FAntwortenMC);
}

void TAntworten::PermuteAntwortIndex(const TIntArray& Ai) {
    TMCAntworten neu = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(FAntwortenMC & BitVon(i))) continue;
        for (std::size_t j = 0; j < Ai.size(); ++j) {
            if (Ai[j] == i) {
                if (j <= 7) neu |= BitVon(static_cast<int>(j));
                break;
            }
        }
    }
    FAntwortenMC = neu;
}

void TAntworten::RepermuteAntwortIndex(const TIntArray& Ai) {
    TMCAntworten neu = 0;
    for (int j = 0; j < 8; ++j) {
        if (!(FAntwortenMC & BitVon(j))) continue;
        if (static_cast<std::size_t>(j) >= Ai.size()) continue; // no entry: choice dropped
        const std::int32_t i = Ai[static_cast<std::size_t>(j)];
        if (i >= 0 && i <= 7) neu |= BitVon(i);
    }
    FAntwortenMC = neu;
}

std::string TAntworten::MCAntwortenAsString(TMCAntworten MCAntworten, std::string_view SepStr) {
    std::string s;
    for (int i = 0; i < 8; ++i) {
        if (MCAntworten & BitVon(i)) {
            s += static_cast<char>('0' + i);
            s += SepStr;
        }
    }
    return s;
}

TRichtigeAntwort TAntworten::MCAntwortenFromString(std::string_view MCAntwortStr,
                                                   std::string_view SepStr) {
    TRichtigeAntwort r;
    if (SepStr.empty()) return r;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t p = MCAntwortStr.find(SepStr, pos);
        if (p == std::string_view::npos) break;
        if (r.NMCAntworten < std::numeric_limits<std::int32_t>::max()) ++r.NMCAntworten;
        const std::int32_t wert = AlsGanzzahl(MCAntwortStr.substr(pos, p - pos));
        if (wert >= 0 && wert <= 7) r.MCAntworten |= BitVon(wert);
        pos = p + SepStr.size();
    }
    return r;
}

char TAntworten::MCAntwortAsLetter(TMCAntwort MCAntwort) {
    return MCAntwort >= 0 && MCAntwort <= 3 ? static_cast<char>('A' + MCAntwort) : ' ';
}

TMCAntwort TAntworten::LetterToMCAntwort(char LetterAntwort) {
    switch (LetterAntwort) {
    case 'B':
        return 1;
    case 'C':
        return 2;
    case 'D':
        return 3;
    default:
        return 0;
    }
}

} // namespace velorin
