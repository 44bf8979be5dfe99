#include "ElfBauer.h"
#include "shell/ElfAbschnitt.h"
#include "shell/Versionsblock.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace velorin {
namespace {

namespace fs = std::filesystem;
using test::BlockBauen;
using test::ElfBauen;
using test::TElfOrte;
using test::ZahlSetzen;
using Zeilen = std::vector<std::string>;

TVersionsBlock BeispielBlock() {
    TVersionsBlock b;
    b.FileVersionMS = (1u << 16) | 1;
    b.FileVersionLS = (8u << 16) | 4;
    b.ProductVersionMS = 0x00090009;
    b.ProductVersionLS = 0x00090009;
    b.Tabellen.push_back({0x0409, 0x04B0, {{"CompanyName", "Other"}}});
    b.Tabellen.push_back({VersionsSprache,
                          VersionsCodePage,
                          {{"CompanyName", "Firma"},
                           {"LegalTrademarks", ""},
                           {"Comments", std::string("vor\0nach", 8)}}});
    return b;
}

std::optional<std::vector<std::uint8_t>> Abschnitt(const std::vector<std::uint8_t>& bild) {
    TSpeicherQuelle q(bild.data(), bild.size());
    return ElfAbschnittLesen(q, VersionsAbschnitt, VersionsMaxGroesse);
}

std::vector<std::uint8_t> Bild(bool is64, bool big, TElfOrte* orte = nullptr) {
    return ElfBauen(is64, big,
                    {{".text", {1, 2, 3}},
                     {".velorin.versionX", {9}},
                     {VersionsAbschnitt, BlockBauen(BeispielBlock())}},
                    orte);
}

// ---- The block format ----

TEST(Versionsblock, LiestFesteZahlenUndTabellen) {
    auto bytes = BlockBauen(BeispielBlock());
    bytes.resize(bytes.size() + 13, 0); // section padding behind the block
    auto block = VersionsBlockLesen(bytes.data(), bytes.size());
    ASSERT_TRUE(block);
    EXPECT_EQ(block->FileVersionMS, 0x00010001u);
    EXPECT_EQ(block->FileVersionLS, 0x00080004u);
    ASSERT_EQ(block->Tabellen.size(), 2u);

    auto wert = [&](std::uint16_t s, std::uint16_t c, const char* k) {
        const std::string* w = VersionsWert(*block, s, c, k);
        return w != nullptr ? *w : std::string("<fehlt>");
    };
    EXPECT_EQ(wert(0x0407, 0x04E4, "companyNAME"), "Firma");
    EXPECT_EQ(wert(0x0409, 0x04B0, "CompanyName"), "Other");
    EXPECT_EQ(wert(0x0407, 0x04E4, "LegalTradeMarks"), ""); // present, empty
    EXPECT_EQ(wert(0x0407, 0x04E4, "Comments"), "vor");     // ends at its zero byte
    EXPECT_EQ(wert(0x0407, 0x04E4, "Author"), "<fehlt>");
    EXPECT_EQ(wert(0x0407, 0x04B0, "CompanyName"), "<fehlt>");
}

TEST(Versionsblock, BeschaedigterKopfGiltAlsKeinBlock) {
    const auto gut = BlockBauen(BeispielBlock());
    struct Fall {
        const char* Name;
        std::vector<std::uint8_t> Bytes;
    };
    auto mit = [&](std::size_t offset, std::uint8_t wert) {
        auto b = gut;
        b[offset] = wert;
        return b;
    };
    const Fall faelle[] = {
        {"leer", {}},
        {"nur Magic", {gut.begin(), gut.begin() + 8}},
        {"Kopf ohne letztes Byte", {gut.begin(), gut.begin() + 35}},
        {"falsche Magic", mit(0, 'X')},
        {"Format 2", mit(12, 2)},
        {"Laenge unter Kopfgroesse", BlockBauen(BeispielBlock(), 35)},
        {"Laenge ueber die Daten", BlockBauen(BeispielBlock(), gut.size() + 1)},
        {"Laenge riesig", BlockBauen(BeispielBlock(), 0xFFFFFFFFu)},
    };
    for (const auto& f : faelle)
        EXPECT_FALSE(VersionsBlockLesen(f.Bytes.data(), f.Bytes.size())) << f.Name;
}

TEST(Versionsblock, BeschaedigteTabelleBehaeltWasDavorLag) {
    TVersionsBlock block = BeispielBlock();
    auto gut = BlockBauen(block);
    // The first table with its one entry takes 8 + 4 + 11 + 5 bytes behind the header.
    const std::size_t zweiteTabelle = VersionsKopfGroesse + 28;
    const std::size_t ersterKeyDerZweiten = zweiteTabelle + 8;

    { // A key length far beyond the block ends the reading in the second table.
        auto b = gut;
        ZahlSetzen(b, ersterKeyDerZweiten, 2, 0xFFFF);
        auto r = VersionsBlockLesen(b.data(), b.size());
        ASSERT_TRUE(r);
        ASSERT_EQ(r->Tabellen.size(), 2u);
        EXPECT_EQ(r->Tabellen[0].Werte.size(), 1u);
        EXPECT_TRUE(r->Tabellen[1].Werte.empty());
    }
    { // Counts larger than the bytes behind them.
        auto b = gut;
        ZahlSetzen(b, 32, 4, 0xFFFFFFFFu);            // tables
        ZahlSetzen(b, zweiteTabelle + 4, 4, 1000000); // entries of the second table
        auto r = VersionsBlockLesen(b.data(), b.size());
        ASSERT_TRUE(r);
        ASSERT_EQ(r->Tabellen.size(), 2u);
        EXPECT_EQ(r->Tabellen[1].Werte.size(), 3u);
        EXPECT_EQ(r->FileVersionLS, 0x00080004u);
    }
    { // A length field that ends the block in the middle of a table.
        auto b = gut;
        ZahlSetzen(b, 8, 4, zweiteTabelle + 3);
        auto r = VersionsBlockLesen(b.data(), b.size());
        ASSERT_TRUE(r);
        EXPECT_EQ(r->Tabellen.size(), 1u);
    }
}

// ---- Sections of ELF files ----

TEST(ElfAbschnitt, FindetDenAbschnittInAllenKlassenUndByteFolgen) {
    for (bool is64 : {false, true}) {
        for (bool big : {false, true}) {
            auto inhalt = Abschnitt(Bild(is64, big));
            ASSERT_TRUE(inhalt) << is64 << big;
            EXPECT_EQ(*inhalt, BlockBauen(BeispielBlock()));
        }
    }
    // A name that only begins like ours, and no section at all.
    EXPECT_FALSE(Abschnitt(ElfBauen(true, false, {{".velorin.versionX", {9}}})));
    EXPECT_FALSE(Abschnitt(ElfBauen(true, false, {{".velorin.versio", {9}}})));
}

TEST(ElfAbschnitt, VieleAbschnitteUeberAbschnittNull) {
    TElfOrte o;
    auto b = Bild(true, false, &o);
    // e_shnum 0 and e_shstrndx SHN_XINDEX: both then come from section 0.
    ZahlSetzen(b, o.Feld(0, o.Laenge), o.Breite, 5);
    ZahlSetzen(b, o.Feld(0, o.Link), 4, 4);
    ZahlSetzen(b, o.ShNum, 2, 0);
    ZahlSetzen(b, o.ShStrNdx, 2, 0xFFFF);
    EXPECT_TRUE(Abschnitt(b));
}

TEST(ElfAbschnitt, FeindlicheFelderWerdenAbgewiesen) {
    for (bool is64 : {false, true}) {
        TElfOrte o;
        const auto gut = Bild(is64, true, &o);
        const std::uint64_t max = is64 ? ~0ull : 0xFFFFFFFFull;
        const std::size_t block = 3; // index of our section
        struct Fall {
            const char* Name;
            std::size_t Offset;
            std::size_t Breite;
            std::uint64_t Wert;
        };
        const Fall faelle[] = {
            {"keine Klasse", 4, 1, 0},
            {"Klasse 3", 4, 1, 3},
            {"Byte-Folge 3", 5, 1, 3},
            {"shoff 0", o.ShOff, o.Breite, 0},
            {"shoff hinter der Datei", o.ShOff, o.Breite, gut.size()},
            {"shoff am Ende des Zahlenraums", o.ShOff, o.Breite, max - 7},
            {"shentsize zu klein", o.ShEntSize, 2, o.Eintrag - 1},
            {"shentsize riesig", o.ShEntSize, 2, 0xFFFF},
            {"shnum ueber die Datei", o.ShNum, 2, 0xFFFE},
            {"shstrndx ausserhalb", o.ShStrNdx, 2, 5},
            {"shnum 0, Abschnitt 0 riesig", o.ShNum, 2, 0},
            {"Namenstabelle NOBITS", o.Feld(4, o.Typ), 4, 8},
            {"Namenstabelle hinter der Datei", o.Feld(4, o.Offset), o.Breite, gut.size()},
            {"Namenstabelle ueberlaeuft", o.Feld(4, o.Laenge), o.Breite, max},
            {"Name ausserhalb", o.Feld(block, o.Name), 4, 0xFFFFFFF0u},
            {"Inhalt hinter der Datei", o.Feld(block, o.Offset), o.Breite, gut.size() - 1},
            {"Inhalt ueberlaeuft", o.Feld(block, o.Offset), o.Breite, max - 1},
            {"Inhalt riesig", o.Feld(block, o.Laenge), o.Breite, max},
            {"Inhalt groesser als erlaubt", o.Feld(block, o.Laenge), o.Breite,
             VersionsMaxGroesse + 1},
            {"Inhalt NOBITS", o.Feld(block, o.Typ), 4, 8},
        };
        for (const auto& f : faelle) {
            auto b = gut;
            if (std::string(f.Name) == "shnum 0, Abschnitt 0 riesig")
                ZahlSetzen(b, o.Feld(0, o.Laenge), o.Breite, max, true);
            ZahlSetzen(b, f.Offset, f.Breite, f.Wert, o.Big);
            EXPECT_FALSE(Abschnitt(b)) << f.Name << (is64 ? " (64)" : " (32)");
        }
    }
}

TEST(ElfAbschnitt, NameOhneEndnullAmTabellenende) {
    TElfOrte o;
    auto b = ElfBauen(true, false, {{VersionsAbschnitt, {1}}}, &o);
    // Shorten the name table so that our name's terminating zero falls outside it.
    ZahlSetzen(b, o.Feld(2, o.Laenge), o.Breite, 1 + sizeof(VersionsAbschnitt) - 1);
    EXPECT_FALSE(Abschnitt(b));
}

TEST(ElfAbschnitt, JedesGekuerzteOderVerfaelschteBildIstHarmlos) {
    for (bool is64 : {false, true}) {
        const auto gut = Bild(is64, false);
        for (std::size_t n = 0; n < gut.size(); ++n) {
            std::vector<std::uint8_t> kurz(gut.begin(), gut.begin() + n);
            // The section header table lies at the end, so every cut loses it.
            EXPECT_FALSE(Abschnitt(kurz)) << "gekuerzt auf " << n;
        }
        for (std::size_t i = 0; i < gut.size(); ++i) {
            for (std::uint8_t wert : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x80}}) {
                auto b = gut;
                b[i] = wert;
                if (auto r = Abschnitt(b)) VersionsBlockLesen(r->data(), r->size());
            }
        }
    }
}

// ---- Files and the services ----

class VersionsDateien : public ::testing::Test {
protected:
    void SetUp() override {
        FOrdner = fs::temp_directory_path() /
                  ("velorin-version-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(FOrdner);
    }
    void TearDown() override { fs::remove_all(FOrdner); }

    std::string Datei(const std::string& name, const std::vector<std::uint8_t>& inhalt) {
        const auto pfad = FOrdner / name;
        std::ofstream(pfad, std::ios::binary)
            .write(reinterpret_cast<const char*>(inhalt.data()),
                   static_cast<std::streamsize>(inhalt.size()));
        return pfad.string();
    }

    static std::vector<std::uint8_t> Inhalt(const std::string& pfad) {
        std::ifstream f(pfad, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    fs::path FOrdner;
};

TEST_F(VersionsDateien, NummernDerTestprogramme) {
    struct Fall {
        const char* Datei;
        bool Ergebnis;
        std::array<int, 4> Nummern;
    };
    const Fall faelle[] = {
        {FIXTURE_EIGEN, true, {1, 1, 8, 4}},
        {FIXTURE_FREMD, true, {2, 0, 0, 17}},
        {FIXTURE_ENUS, true, {1, 1, 8, 4}},
        {FIXTURE_OHNE, false, {-7, -7, -7, -7}},
    };
    for (const auto& f : faelle) {
        TFileVersionNumbers n{-7, -7, -7, -7};
        EXPECT_EQ(ReadFileVersionNumbers(f.Datei, n), f.Ergebnis) << f.Datei;
        EXPECT_EQ((std::array<int, 4>{n.Major, n.Minor, n.Release, n.Build}), f.Nummern) << f.Datei;
    }
}

TEST_F(VersionsDateien, DateienOhneLesbarenBlock) {
    const auto eigen = Inhalt(FIXTURE_EIGEN);
    ASSERT_GT(eigen.size(), 1000u);
    std::vector<std::string> pfade = {
        (FOrdner / "fehlt").string(),
        FOrdner.string(),
        Datei("leer", {}),
        Datei("text", {'h', 'a', 'l', 'l', 'o'}),
        Datei("nur-kopf", {eigen.begin(), eigen.begin() + 64}),
        Datei("halb", {eigen.begin(), eigen.begin() + eigen.size() / 2}),
        Datei("ohne-letztes-byte", {eigen.begin(), eigen.end() - 1}),
    };
    const auto fifo = FOrdner / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    pfade.push_back(fifo.string()); // must not wait for a writer
    pfade.push_back("/dev/zero");

    for (const auto& p : pfade) {
        TFileVersionNumbers n{-7, -7, -7, -7};
        EXPECT_FALSE(ReadFileVersionNumbers(p, n)) << p;
        EXPECT_EQ(n.Major, -7) << p;
        Zeilen liste{"alt=1"};
        EXPECT_TRUE(LoadVersionInfoFrom(p, liste)) << p;
        EXPECT_EQ(liste, Zeilen{"No FileVersionInfo found"}) << p;
    }
    // The complete copy still reads.
    TFileVersionNumbers n;
    EXPECT_TRUE(ReadFileVersionNumbers(Datei("ganz", eigen), n));
}

// Runs a test program and gives its output lines.
Zeilen Ausgabe(const std::string& programm) {
    Zeilen zeilen;
    FILE* p = ::popen(("'" + programm + "'").c_str(), "r");
    if (p == nullptr) return zeilen;
    std::string zeile;
    for (int c; (c = std::fgetc(p)) != EOF;) {
        if (c == '\n') {
            zeilen.push_back(zeile);
            zeile.clear();
        } else {
            zeile.push_back(static_cast<char>(c));
        }
    }
    EXPECT_EQ(::pclose(p), 0) << programm;
    return zeilen;
}

Zeilen EigeneZeilen(const std::string& originalName) {
    return {"Company Name=" ERWARTETE_FIRMA,
            "File Version=1.1.8.4",
            "Copyright=" ERWARTETES_COPYRIGHT,
            "Original File Name=" + originalName,
            "Product Name=Velorin",
            "Product Version=1.1.8"};
}

TEST(LoadVersionInfo, ListeDerLaufendenProgramme) {
    Zeilen eigen{"ok=1"};
    for (const auto& z : EigeneZeilen("vfix_eigen"))
        eigen.push_back(z);
    EXPECT_EQ(Ausgabe(FIXTURE_EIGEN), eigen);
    EXPECT_EQ(Ausgabe(FIXTURE_ENUS), Zeilen{"ok=1"});
    EXPECT_EQ(Ausgabe(FIXTURE_OHNE), (Zeilen{"ok=1", "No FileVersionInfo found"}));
    EXPECT_EQ(Ausgabe(FIXTURE_FREMD),
              (Zeilen{"ok=1", "Company Name=Andere Firma", "Description=Rechner",
                      "File Version=2.0.0.17", "Copyright=" ERWARTETES_COPYRIGHT,
                      "Original File Name=Fremd.bin", "Product Name=Velorin",
                      "Product Version=9.9.9", "Comments=Formel: a=b=c", "Author=Jemand"}));
}

TEST(LoadVersionInfo, EigeneListeZweimalGelesen) {
    Zeilen liste{"veraltet=1", "Company Name=Alt"};
    ASSERT_TRUE(LoadVersionInfo(liste));
    EXPECT_EQ(liste, EigeneZeilen("test_shell_version"));
    ASSERT_TRUE(LoadVersionInfo(liste));
    EXPECT_EQ(liste, EigeneZeilen("test_shell_version"));
    EXPECT_EQ(ValueOf(liste, "company name"), ERWARTETE_FIRMA);
}

TEST(ValueOf, NameBisZumErstenGleichheitszeichen) {
    const Zeilen liste{"No FileVersionInfo found",
                       "Company Name=Orvat",
                       "Comments=Formel: a=b=c",
                       "company name=Zweite",
                       "Leer=",
                       "=ohne Namen"};
    struct Fall {
        const char* Name;
        const char* Wert;
    };
    const Fall faelle[] = {
        {"Company Name", "Orvat"},
        {"COMPANY NAME", "Orvat"}, // the first line of that name wins
        {"comments", "Formel: a=b=c"},
        {"Comments=Formel: a", ""},
        {"No FileVersionInfo found", ""}, // a line without "=" has no name
        {"Company", ""},
        {"Leer", ""},
        {"Product Name", ""},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(ValueOf(liste, f.Name), f.Wert) << f.Name;
    EXPECT_EQ(ValueOf({}, "Company Name"), "");
}

} // namespace
} // namespace velorin
