#include "Darstellung.h"
#include "IniDatei.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace velorin;

namespace {

std::string Lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

class DarstellungTest : public ::testing::Test {
protected:
    void SetUp() override {
        char muster[] = "/tmp/velorin-darstellung-XXXXXX";
        ASSERT_NE(::mkdtemp(muster), nullptr);
        FOrdner = muster;
        FPfad = FOrdner + "/Navolet.ini";
    }
    void TearDown() override {
        std::string befehl = "rm -rf '" + FOrdner + "'";
        ASSERT_EQ(std::system(befehl.c_str()), 0);
    }
    void Schreiben(const std::string& text) { std::ofstream(FPfad, std::ios::binary) << text; }
    std::string FOrdner;
    std::string FPfad;
};

const char* const StandardAbschnitt = "[StatusColors]\n"
                                      "CI_undef=16711680\n"
                                      "CI_Eingegeben=65280\n"
                                      "CI_EingMoeglich=12639424\n"
                                      "CI_Ergebnis=65535\n"
                                      "LinienbreiteVektoren=1\n"
                                      "LinienbreiteNord=1\n";

} // namespace

TEST_F(DarstellungTest, FirstStartUsesTheDefaultsAndCloseWritesThemInOrder) {
    const TDarstellung d = StatusLesen(FPfad);
    EXPECT_EQ(d.StatusColors, (TStatusColors{0xFF0000, 0x00FF00, 0xC0DCC0, 0x00FFFF}));
    EXPECT_EQ(d.LinienBreiteVektoren, 1);
    EXPECT_EQ(d.LinienBreiteNord, 1);
    StatusSpeichern(FPfad, d);
    EXPECT_EQ(Lesen(FPfad), StandardAbschnitt);
}

TEST_F(DarstellungTest, StoredValuesAreTakenAsTheyAre) {
    const struct {
        const char* datei;
        TDarstellung erwartet;
    } faelle[] = {
        {"[StatusColors]\nLinienbreiteVektoren=25\n", {DefaultStatusColors, 25, 1}},
        {"[statuscolors]\nlinienbreitenord=-3\nci_ergebnis=0x0000FF\n",
         {{0xFF0000, 0x00FF00, 0xC0DCC0, 0x0000FF}, 1, -3}},
        {"[StatusColors]\nCI_undef=abc\nCI_Eingegeben=0\nLinienbreiteVektoren=0x320\n",
         {{0xFF0000, 0, 0xC0DCC0, 0x00FFFF}, 800, 1}},
        {"[StatusColors]\nCI_EingMoeglich=-1\nLinienbreiteNord=1.5\n",
         {{0xFF0000, 0x00FF00, 0xFFFFFFFF, 0x00FFFF}, 1, 1}},
        {"[Andere]\nLinienbreiteVektoren=4\n", {}},
        {"\x89PNG\r\n\x1a\n\0\0binary", {}},
    };
    for (const auto& f : faelle) {
        Schreiben(f.datei);
        EXPECT_EQ(StatusLesen(FPfad), f.erwartet) << f.datei;
    }
}

TEST_F(DarstellungTest, TheSectionAndTheWindowSectionKeepEachOther) {
    Schreiben("[frmNavolet]\nWindowState=1\nLeft=100\n");
    TDarstellung d;
    d.StatusColors[CI_Ergebnis] = 0x123456;
    d.LinienBreiteVektoren = 25;
    StatusSpeichern(FPfad, d);
    EXPECT_EQ(StatusLesen(FPfad), d);
    EXPECT_EQ(TIniFile(FPfad).ReadInteger("frmNavolet", "Left", 0), 100);

    const std::string vorher = Lesen(FPfad);
    const std::size_t anfang = vorher.find("[StatusColors]");
    ASSERT_NE(anfang, std::string::npos);
    TIniFile(FPfad).WriteInteger("frmNavolet", "Left", 5);
    TIniFile(FPfad).WriteInteger("frmNavolet", "Height", 600);
    const std::string nachher = Lesen(FPfad);
    EXPECT_EQ(nachher.substr(nachher.find("[StatusColors]")), vorher.substr(anfang));
    EXPECT_EQ(StatusLesen(FPfad), d);
}

TEST_F(DarstellungTest, ARefusedWriteReachesTheCaller) {
    const std::string pfad = FPfad + "/unter/einer/Datei.ini";
    Schreiben("x");
    try {
        StatusSpeichern(pfad, TDarstellung{});
        FAIL();
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "In " + pfad + " kann nicht geschrieben werden");
    }
    EXPECT_EQ(Lesen(FPfad), "x");
}
