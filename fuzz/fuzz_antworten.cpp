// Answer texts: SetAntwortenFromString and MCAntwortenFromString on any bytes.
#include "Antworten.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace velorin;

namespace {

void Pruefe(bool Bedingung) {
    if (!Bedingung) std::abort();
}

int PopCount(unsigned v) {
    int n = 0;
    for (; v; v &= v - 1)
        ++n;
    return n;
}

void AntwortText(std::string_view Text) {
    TAntworten a;
    a.SetAntwortenFromString("-1!01!2!x!y!");
    try {
        a.SetAntwortenFromString(Text);
    } catch (const EKonvertierungsFehler&) {
    } catch (const EBereichsFehler&) {
    }
    // Whatever was stored: bounded by the text, and written text reads back the same.
    Pruefe(static_cast<std::size_t>(a.AnzNumAntworten()) <= (Text.size() > 2 ? Text.size() : 2));
    const std::string geschrieben = a.GetAntwortenAsString();
    TAntworten b;
    b.SetAntwortenFromString(geschrieben);
    const std::string wieder = b.GetAntwortenAsString();
    TAntworten c;
    c.Assign(b);
    Pruefe(c.GetAntwortenAsString() == wieder);
    TAntworten d;
    d.SetAntwortenFromString(wieder);
    Pruefe(d.GetAntwortenAsString() == wieder);

    // Display order taken from the text's bytes.
    TIntArray ai;
    for (std::size_t i = 0; i < Text.size() && i < 10; ++i)
        ai.push_back(static_cast<signed char>(Text[i]) % 10);
    const bool antwortet = a.Beantwortet();
    a.PermuteAntwortIndex(ai);
    a.RepermuteAntwortIndex(ai);
    Pruefe(a.Beantwortet() == antwortet);
}

void MCText(std::string_view Daten) {
    const std::size_t sepLaenge = static_cast<unsigned char>(Daten[0]) % 4;
    Daten.remove_prefix(1);
    if (Daten.size() < sepLaenge) return;
    const std::string_view sep = Daten.substr(0, sepLaenge);
    const std::string_view text = Daten.substr(sepLaenge);
    try {
        const TRichtigeAntwort r = TAntworten::MCAntwortenFromString(text, sep);
        Pruefe(r.NMCAntworten >= 0 && static_cast<std::size_t>(r.NMCAntworten) <= text.size());
        const std::string s = TAntworten::MCAntwortenAsString(r.MCAntworten, ";");
        const TRichtigeAntwort w = TAntworten::MCAntwortenFromString(s, ";");
        Pruefe(w.MCAntworten == r.MCAntworten && w.NMCAntworten == PopCount(r.MCAntworten));
    } catch (const EKonvertierungsFehler&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string_view daten(reinterpret_cast<const char*>(Data), Size);
    AntwortText(daten);
    if (Size > 0) MCText(daten);
    return 0;
}
