#include "Einheiten.h"
#include "Textform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace velorin;

TEST(Textform, FilterKeepsWhatCanBelongToANumber) {
    const struct {
        const char* ein;
        const char* aus;
    } faelle[] = {
        {"a1.2,3,4", "12,34"},
        {"5-", "5"},
        {"-5", "-5"},
        {"--5", "-5"},
        {" 12 ", "12"},
        {"1\n2\r\t3", "123"},
        {"1e5", "15"},
        {",,", ","},
        {"-,5", "-,5"},
        {"\xd9\xa3,\xd9\xa4", "\xd9\xa3,\xd9\xa4"}, // Arabic-Indic 3 and 4 are kept
        {"\xef\xbc\x91\xc2\xb2", "\xef\xbc\x91"},   // fullwidth 1 kept, superscript 2 not
        {"\xff"
         "7\xc3",
         "7"},                                                            // broken UTF-8 is dropped
        {"\xe0\xa5\xac\xf0\x9d\x9f\x8e", "\xe0\xa5\xac\xf0\x9d\x9f\x8e"}, // Devanagari 6, math 0
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Filtern(f.ein), f.aus) << f.ein;
        EXPECT_EQ(Filtern(Filtern(f.ein)), Filtern(f.ein)) << "second pass changes nothing";
    }
}

TEST(Textform, ReadingNumbers) {
    const struct {
        const char* text;
        float wert;
    } gut[] = {
        {"0", 0.0f},
        {",", 0.0f},
        {"-,", 0.0f},
        {"5,", 5.0f},
        {",5", 0.5f},
        {"-12,25", -12.25f},
        {"007", 7.0f},
        {"45,678", 45.678f},
        {"0,1", 0.1f},
        {"340282346638528859811704183484516925440", 3.4028235e38f},
        {"0,00000000000000000000000000000000000000000000000001", 0.0f},
    };
    for (const auto& f : gut) {
        float w = -1;
        ASSERT_TRUE(ZahlLesen(f.text, w)) << f.text;
        EXPECT_EQ(w, f.wert) << f.text;
    }
    for (const char* text : {"-", "", "\xd9\xa3", "1\xd9\xa3", "1,2,3", "1-", "a",
                             "1000000000000000000000000000000000000000",
                             "-9999999999999999999999999999999999999999,5"}) {
        float w = 42;
        EXPECT_FALSE(ZahlLesen(text, w)) << text;
        EXPECT_EQ(w, 42) << "untouched";
    }
    EXPECT_EQ(KeinGleitkommawert("-"), "'-' ist kein gültiger Gleitkommawert.");
}

TEST(Textform, AngleForm) {
    const struct {
        float wert;
        const char* text;
    } faelle[] = {
        {5.5f, "005,50"},     {270.0f, "270,00"},   {-12.25f, "-012,25"}, {10.125f, "010,12"},
        {359.996f, "360,00"}, {-0.001f, "-000,00"}, {360.0f, "360,00"},   {0.0f, "000,00"},
        {-0.0f, "000,00"},    {1234.5f, "1234,50"}, {10.375f, "010,38"},  {0.625f, "000,62"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(WinkelAlsText(3, 2, f.wert), f.text) << f.wert;
    EXPECT_EQ(WinkelAlsText(3, 2, 3e38f).size(), 42u); // whole digits, no exponent
    EXPECT_EQ(WinkelAlsText(3, 2, std::nanf("")), "");
}

TEST(Textform, SpeedForm) {
    const struct {
        float wert;
        const char* text;
    } faelle[] = {
        {120.0f, "120,00"},
        {0.0f, "0,00"},
        {-0.004f, "0,00"},
        {-0.125f, "-0,13"},
        {0.125f, "0,13"},
        {-20.0f, "-20,00"},
        {123456.78f, "123456,80"},
        {9999.996f, "10000,00"},
        {999999.94f, "999999,90"},
        {1234567.0f, "1234567,00"},
        {9999999.0f, "9999999,00"},
        {123456789.0f, "123456800,00"},
        {-99999999.0f, "-100000000,00"},
        {3.4028235e38f, "340282300000000000000000000000000000000,00"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(GeschwindigkeitAlsText(f.wert), f.text) << f.wert;
}

TEST(Einheiten, ConversionsOfTheUnitLists) {
    const float knoten = UmrechnenInKnoten(1, 100.0f); // 100 km/h
    EXPECT_EQ(knoten, static_cast<float>(100.0L * 0.539957L));
    EXPECT_EQ(GeschwindigkeitAlsText(UmrechnenAusKnoten(0, knoten)), "54,00");
    EXPECT_EQ(GeschwindigkeitAlsText(UmrechnenAusKnoten(2, knoten)), "62,14");
    EXPECT_EQ(GeschwindigkeitAlsText(UmrechnenAusKnoten(3, knoten)), "27,78");
    EXPECT_EQ(GeschwindigkeitAlsText(UmrechnenAusKnoten(1, knoten)), "100,00");
    for (const int ohne : {-1, 4, 99}) {
        EXPECT_EQ(UmrechnenInKnoten(ohne, 12.5f), 12.5f);
        EXPECT_EQ(UmrechnenAusKnoten(ohne, 12.5f), 12.5f);
    }
    EXPECT_EQ(EinheitAusName("MPH"), 2);
    EXPECT_EQ(EinheitAusName("mph"), -1);
}
