// Context numbers: the map /#IVB into the name table /#STRINGS, and finding the topic object.
#include "ChmKontext.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace velorin;

namespace {

std::string U32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

// A map as compilers write it: the byte count of the pairs, then the pairs.
std::string Karte(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> paare) {
    std::string s = U32(static_cast<std::uint32_t>(8 * paare.size()));
    for (const auto& [kontext, versatz] : paare)
        s += U32(kontext) + U32(versatz);
    return s;
}

constexpr char NamenText[] = "\0/bau/quellen/haupt.htm\0sub/zwei.htm";
const std::string Namen(NamenText, sizeof NamenText); // with the final terminator

} // namespace

TEST(Kontextkarte, FindsTheNameOfEachMappedNumber) {
    const std::string ivb = Karte({{2001, 1}, {2002, 24}});
    EXPECT_EQ(KontextEintrag(ivb, Namen, 2001), "/bau/quellen/haupt.htm");
    EXPECT_EQ(KontextEintrag(ivb, Namen, 2002), "sub/zwei.htm");
    EXPECT_EQ(KontextEintrag(ivb, Namen, 2003), std::nullopt);
}

TEST(Kontextkarte, DamagedMapsGiveNothing) {
    struct Fall {
        const char* name;
        std::string ivb;
        std::string strings;
    };
    const Fall faelle[] = {
        {"empty map", "", Namen},
        {"map shorter than its length", U32(2001), Namen},
        {"offset beyond the table", Karte({{2001, 500}}), Namen},
        {"name without terminator", Karte({{2001, 1}}), std::string("\0abc", 4)},
        {"empty name", Karte({{2001, 0}}), Namen},
        // The length promises two pairs, the object holds one: only that one counts.
        {"length larger than the object", U32(16) + U32(7) + U32(1), Namen},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(KontextEintrag(f.ivb, f.strings, 2001), std::nullopt) << f.name;
    EXPECT_EQ(KontextEintrag(U32(16) + U32(7) + U32(1), Namen, 7), "/bau/quellen/haupt.htm");
}

TEST(Kontextkarte, TopicIsTheExactPathOrTheLongestStoredSuffix) {
    const std::set<std::string> objekte = {"/haupt.htm", "/sub/zwei.htm", "/zwei.htm", "/a/b.htm",
                                           "/b.htm"};
    const auto existiert = [&](const std::string& p) { return objekte.count(p) > 0; };
    struct Fall {
        const char* eintrag;
        std::optional<std::string> thema;
    };
    const Fall faelle[] = {
        {"haupt.htm", "/haupt.htm"},
        {"/haupt.htm", "/haupt.htm"},
        {"/work/main/build/help/quellen/haupt.htm", "/haupt.htm"},
        {"/work/main/build/help/quellen/sub/zwei.htm", "/sub/zwei.htm"},
        {"C:\\Hilfe\\quellen\\sub\\zwei.htm", "/sub/zwei.htm"},
        {"/a/b.htm", "/a/b.htm"},
        {"/x/haupt.htm#abschnitt", "/haupt.htm#abschnitt"},
        {"/x/fehlt.htm", std::nullopt},
        {"/x/haupt.htmx", std::nullopt},
        {"xhaupt.htm", std::nullopt},
        {"", std::nullopt},
        {"/", std::nullopt},
        {"#anker", std::nullopt},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(ThemaAufloesen(f.eintrag, existiert), f.thema) << f.eintrag;
}
