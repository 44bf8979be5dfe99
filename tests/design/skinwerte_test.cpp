// Reading theme files: the shipped theme, the line rules, what is skipped and what is no theme.
#include "SkinWerte.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace velorin;

namespace {

std::string Datei(const char* pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    std::ostringstream text;
    text << ein.rdbuf();
    return text.str();
}

} // namespace

TEST(SkinDatei, MitgelieferteDateiSetztJedenSchluessel) {
    const std::string text = Datei(MP10_DATEI);
    ASSERT_FALSE(text.empty());
    const auto werte = SkinDateiLesen(text);
    ASSERT_TRUE(werte.has_value());
    EXPECT_EQ(werte->Fenster, (TRgb{0xE9, 0xE4, 0xDA}));
    EXPECT_EQ(werte->MenueLeiste, (TRgb{0x5B, 0x4A, 0x3A}));
    EXPECT_EQ(werte->Auswahl, (TRgb{0xC0, 0x56, 0x1A}));
    EXPECT_EQ(werte->KnopfRundung, 2);

    // Every line of the shipped file is read: none may fall back to its default by a typo.
    std::istringstream zeilen(text);
    std::string zeile;
    while (std::getline(zeilen, zeile)) {
        if (zeile.empty() || zeile[0] == ';') continue;
        EXPECT_TRUE(SkinDateiLesen(zeile).has_value()) << zeile;
    }
}

TEST(SkinDatei, Zeilenregeln) {
    // Byte-order mark, CR LF, any letter case, blanks and tabs, comments, a later line wins.
    const auto werte = SkinDateiLesen("\xEF\xBB\xBF; Kommentar\r\n"
                                      "# auch Kommentar\r\n"
                                      "\r\n"
                                      "  fEnStEr\t=  #12abEF \r\n"
                                      "Text=#010203\r\n"
                                      "Text=#040506\r\n"
                                      "basisstil = windows\r\n"
                                      "KnopfRundung = 12\r\n"
                                      "KnopfGlanz = 1");
    ASSERT_TRUE(werte.has_value());
    EXPECT_EQ(werte->Fenster, (TRgb{0x12, 0xAB, 0xEF}));
    EXPECT_EQ(werte->Text, (TRgb{4, 5, 6}));
    EXPECT_EQ(werte->Basisstil, TBasisStil::Windows);
    EXPECT_EQ(werte->KnopfRundung, 12);
    EXPECT_TRUE(werte->KnopfGlanz);
    EXPECT_EQ(werte->Basis, TSkinWerte{}.Basis);
}

TEST(SkinDatei, UnlesbareWerteBehaltenDenStandard) {
    const auto werte = SkinDateiLesen("Fenster=#12345\n"
                                      "Basis=weiss\n"
                                      "Text=#12345G\n"
                                      "Knopf = 255,0,0\n"
                                      "KnopfRundung=13\n"
                                      "KnopfRundung=-1\n"
                                      "KnopfGlanz=2\n"
                                      "Basisstil=Motif\n"
                                      "Auswahl #000000\n"
                                      "Unbekannt=#000000\n"
                                      "MenueText=#0A0B0C\n");
    ASSERT_TRUE(werte.has_value());
    TSkinWerte erwartet;
    erwartet.MenueText = TRgb{10, 11, 12};
    EXPECT_EQ(werte->Fenster, erwartet.Fenster);
    EXPECT_EQ(werte->Basis, erwartet.Basis);
    EXPECT_EQ(werte->Text, erwartet.Text);
    EXPECT_EQ(werte->Knopf, erwartet.Knopf);
    EXPECT_EQ(werte->KnopfRundung, erwartet.KnopfRundung);
    EXPECT_EQ(werte->KnopfGlanz, erwartet.KnopfGlanz);
    EXPECT_EQ(werte->Basisstil, erwartet.Basisstil);
    EXPECT_EQ(werte->Auswahl, erwartet.Auswahl);
    EXPECT_EQ(werte->MenueText, erwartet.MenueText);
}

TEST(SkinDatei, KeineThemeDatei) {
    const std::string zuGross = "Fenster=#000000\n" + std::string(MaxSkinDateiGroesse, ' ');
    const std::string ohneEintrag[] = {
        "",      "; nur ein Kommentar\n", "Fenster=rot\nQuatsch\n", std::string("\0\x01\xFF", 3),
        zuGross,
    };
    for (const std::string& text : ohneEintrag)
        EXPECT_FALSE(SkinDateiLesen(text).has_value()) << text.substr(0, 40);
    EXPECT_TRUE(SkinDateiLesen(zuGross.substr(0, MaxSkinDateiGroesse)).has_value());
}
