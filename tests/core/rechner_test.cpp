#include "Rechner.h"
#include "Schritte.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace velorin;

namespace {

// Runs velorin-calc steps; returns the refused/rejected messages.
std::string Schritte(TRechner& r, const std::vector<std::string>& args) {
    std::ostringstream fehler;
    for (const std::string& a : args) {
        TSchritt s;
        std::string meldung;
        EXPECT_TRUE(SchrittLesen(a, s, meldung)) << a;
        SchrittAusfuehren(r, s, fehler);
    }
    return fehler.str();
}

std::string Muster(const TRechner& r) {
    std::string m;
    for (const auto st : r.EingabeStatus())
        m += "UEMR"[st];
    return m;
}

} // namespace

TEST(Rechner, StartsWithEveryFieldEmptyAndEnterable) {
    TRechner r;
    EXPECT_EQ(Muster(r), "MMMMMMMMMMMMMMMM");
    for (int f = 0; f < FeldAnzahl; ++f)
        EXPECT_EQ(r.Text(static_cast<TFeldNamen>(f)), "");
    EXPECT_FALSE(r.Zeichnung().Vorhanden);
}

TEST(Rechner, CompleteTriangleShowsEveryDerivedField) {
    TRechner r;
    EXPECT_EQ(Schritte(r, {"VeR=90", "VeG=100", "VwR=45", "VwG=20"}), "");
    EXPECT_EQ(r.Text(VgR), "099,35");
    EXPECT_EQ(r.Text(VgG), "87,01");
    EXPECT_EQ(r.Text(Abt), "009,35");
    EXPECT_EQ(r.Text(Luv), "-009,35");
    EXPECT_EQ(r.Text(SW), "-16,25");
    EXPECT_EQ(r.Text(GW), "11,66");
    EXPECT_EQ(r.Text(VeR), "090,00");
    EXPECT_EQ(r.Text(VeG), "100,00");
    EXPECT_TRUE(r.Zeichnung().Vorhanden);
    EXPECT_EQ(Muster(r), "EEEERRRRRRMMMMMM");
}

TEST(Rechner, EntriesAreNormalisedByKind) {
    const struct {
        const char* schritt;
        TFeldNamen feld;
        float wert;
        const char* text;
    } faelle[] = {
        {"VeR=-90", VeR, 270, "270,00"},   {"VeR=720", VeR, 0, "000,00"},
        {"Abt=190", Abt, -170, "-170,00"}, {"VeG=-20", VeG, -20, "-20,00"},
        {"MW=,", MW, 0, "000,00"},         {"KSK=-0,00001", KSK, 360, "360,00"},
    };
    for (const auto& f : faelle) {
        TRechner r;
        EXPECT_EQ(Schritte(r, {f.schritt}), "");
        EXPECT_EQ(r.Werte()[f.feld], f.wert) << f.schritt;
        EXPECT_EQ(r.Text(f.feld), f.text) << f.schritt;
    }
}

TEST(Rechner, UnitChangeRewritesTheTextOnly) {
    TRechner r;
    Schritte(r, {"VeG:km/h", "VeG=100", "VwG:MPH"});
    EXPECT_EQ(r.Werte()[VeG], static_cast<float>(100.0L * 0.539957L));
    EXPECT_EQ(r.Text(VwG), "") << "an empty field stays empty";
    const TEingabeStatus status = r.EingabeStatus();
    const struct {
        const char* einheit;
        const char* text;
    } folge[] = {{"kt", "54,00"}, {"MPH", "62,14"}, {"m/s", "27,78"}, {"km/h", "100,00"}};
    for (const auto& f : folge) {
        Schritte(r, {std::string("VeG:") + f.einheit});
        EXPECT_EQ(r.Text(VeG), f.text) << f.einheit;
        EXPECT_EQ(r.EingabeStatus(), status) << "no recompute";
    }
    // A later entry is read in the unit now selected.
    Schritte(r, {"VeG:m/s", "VeG=10"});
    EXPECT_EQ(r.Werte()[VeG], static_cast<float>(10.0L * 1.943861L));
}

TEST(Rechner, RejectedTextLeavesEverythingAsItWas) {
    for (const char* zuletzt : {"VgR", "VeR"}) { // a computed and an entered field
        TRechner r;
        Schritte(r, {"VeR=90", "VeG=100", "VwR=45", "VwG=20"});
        const TWerte werte = r.Werte();
        const TEingabeStatus status = r.EingabeStatus();
        EXPECT_EQ(Schritte(r, {std::string(zuletzt) + "=-"}),
                  "'-' ist kein gültiger Gleitkommawert.\n");
        EXPECT_EQ(r.Werte(), werte);
        EXPECT_EQ(r.EingabeStatus(), status);
        EXPECT_TRUE(r.Zeichnung().Vorhanden);
        EXPECT_EQ(r.Text(VgG), "87,01");
        EXPECT_EQ(r.Text(static_cast<TFeldNamen>(zuletzt[1] == 'g' ? VgR : VeR)), "-");
    }
    TRechner r;
    EXPECT_EQ(Schritte(r, {"VeR=\xd9\xa3"}), "'\xd9\xa3' ist kein gültiger Gleitkommawert.\n");
    EXPECT_EQ(Muster(r), "MMMMMMMMMMMMMMMM");
}

TEST(Rechner, LeavingAComputedFieldMakesItTheOnlyEntry) {
    TRechner r;
    Schritte(r, {"VeR=90", "VeG=100", "VwR=45", "VwG=20", "VgG=80"});
    for (int f = 0; f < FeldAnzahl; ++f)
        EXPECT_EQ(IstBekannt(r.EingabeStatus()[f]), f == VgG) << f;
    EXPECT_EQ(r.EingabeStatus()[VgG], CI_Eingegeben);
    EXPECT_EQ(r.Werte()[VgG], 80);
    EXPECT_FALSE(r.Zeichnung().Vorhanden);
    EXPECT_EQ(r.Text(VeR), "");

    TRechner leer;
    Schritte(leer, {"VeR=90", "VeG=100", "VwR=45", "VwG=20", "VgG="});
    EXPECT_EQ(Muster(leer), "MMMMMMMMMMMMMMMM");
}

TEST(Rechner, ClearingAnEntryDerivesResultsAfresh) {
    TRechner r;
    Schritte(r, {"VeR=90", "VeG=100", "VwR=45", "VwG=20", "VwG="});
    EXPECT_FALSE(IstBekannt(r.EingabeStatus()[VwG]));
    EXPECT_FALSE(IstBekannt(r.EingabeStatus()[VgG]));
    EXPECT_EQ(r.Text(VgG), "");
    EXPECT_TRUE(r.Zeichnung().Vorhanden) << "the last drawing stays";
    Schritte(r, {"VwG=30"});
    EXPECT_EQ(r.EingabeStatus()[VgG], CI_Ergebnis);
    EXPECT_EQ(r.Text(VwG), "30,00");
    EXPECT_NE(r.Text(VgG), "87,01");
}

TEST(Rechner, LeavingWithoutTypingStoresTheShownValue) {
    TRechner r;
    Schritte(r, {"VeR=45,678"});
    EXPECT_EQ(r.Text(VeR), "045,68");
    EXPECT_EQ(r.Werte()[VeR], 45.678f);
    Schritte(r, {"VeR"});
    EXPECT_EQ(r.Werte()[VeR], 45.68f);
}

TEST(Rechner, ResetReturnsToTheStartState) {
    TRechner r;
    Schritte(r, {"VeR=90", "VeG=100", "VwR=45", "VwG=20", "reset"});
    EXPECT_EQ(Muster(r), "MMMMMMMMMMMMMMMM");
    for (int f = 0; f < FeldAnzahl; ++f)
        EXPECT_EQ(r.Text(static_cast<TFeldNamen>(f)), "");
    EXPECT_FALSE(r.Zeichnung().Vorhanden);
}

TEST(Rechner, DisabledFieldRefusesTheStep) {
    TRechner r;
    Schritte(r, {"VeR=90", "VeG=100"});
    ASSERT_EQ(r.EingabeStatus()[SW], CI_Undef);
    const std::string fehler = Schritte(r, {"SW=10"});
    EXPECT_NE(fehler.find("SW"), std::string::npos);
    EXPECT_EQ(r.EingabeStatus()[SW], CI_Undef);
    EXPECT_EQ(r.Text(SW), "");
}

TEST(Rechner, NoRecomputeAfterTheSolverIsReleased) {
    TRechner r;
    Schritte(r, {"VeR=90"});
    r.RechenverfahrenFreigeben();
    const TEingabeStatus status = r.EingabeStatus();
    Schritte(r, {"VeG=100", "reset"});
    EXPECT_EQ(r.EingabeStatus(), status);
}

TEST(Schritte, UsageErrors) {
    TSchritt s;
    std::string fehler;
    for (const char* falsch : {"Foo=1", "ver=1", "VeR:kt", "VeG:knots", "Reset", "", "VeG:"})
        EXPECT_FALSE(SchrittLesen(falsch, s, fehler)) << falsch;
    for (const char* gut : {"VeR=", "KSKU", "GW:m/s", "reset", "VeR=1=2", "SW=a:b"})
        EXPECT_TRUE(SchrittLesen(gut, s, fehler)) << gut;
}
