#include "RM.h"
#include "Regeln.h"

#include <gtest/gtest.h>

#include <string>

using namespace velorin;

namespace {

// Solver with the wind-triangle rules over its own arrays.
struct Windsolver {
    TEingabeStatus status{};
    TWerte werte{};
    TRechenVerfahren rv{&status, &werte};
    Windsolver() {
        for (const TRegel& r : Regeln())
            rv.Add(r.Proc, r.NotwEingaben, r.Ausgaben);
    }
    void Eingeben(TFeldNamen f, float w) {
        status[f] = CI_Eingegeben;
        werte[f] = w;
    }
};

// One letter per field in field order: U undef, E entered, M enterable, R result.
std::string Muster(const TEingabeStatus& s) {
    std::string m;
    for (const auto st : s)
        m += "UEMR"[st];
    return m;
}

} // namespace

TEST(Solver, WorkedExampleOneEntryAfterAnother) {
    Windsolver s;
    s.rv.Rechnen();
    //                    VeR VwR VgR Abt SW  MW  MwSK DevU
    //                      VeG VwG VgG Luv GW  Dev KSK KSKU
    EXPECT_EQ(Muster(s.status), "MMMMMMMMMMMMMMMM");
    s.Eingeben(VeR, 90);
    s.rv.Rechnen();
    EXPECT_EQ(Muster(s.status), "EMMMMMMMMMMMMMMM");
    s.Eingeben(VeG, 100);
    s.rv.Rechnen();
    EXPECT_EQ(Muster(s.status), "EEMMMMMMUUMMMMMM");
    EXPECT_FALSE(s.rv.Zulaessig(5)); // BerechneSWGWFromVwRVwGVgR
    EXPECT_FALSE(s.rv.Zulaessig(6)); // BerechneVwRVwGFromSWGWVgR
    s.Eingeben(VwR, 45);
    s.rv.Rechnen();
    EXPECT_EQ(Muster(s.status), "EEEMUUUUUUMMMMUU");
    s.Eingeben(VwG, 20);
    s.rv.Rechnen();
    EXPECT_EQ(Muster(s.status), "EEEERRRRRRMMMMMM");
}

TEST(Solver, MarkingAlternatesWithThePreviousRun) {
    Windsolver s;
    s.status.fill(CI_EingMoeglich);
    s.Eingeben(SW, 10);
    const char* erwartet[] = {"UU", "MM", "UU"};
    for (const char* e : erwartet) {
        s.rv.Rechnen();
        for (const TFeldNamen f : {VeG, VwR, VwG, VgG})
            EXPECT_EQ("UEMR"[s.status[f]], e[0]) << FeldName(f);
    }
}

TEST(Solver, FirstRunAndRunFromAllEnterableMarkEverythingEnterable) {
    for (const TEingStatus start : {CI_Undef, CI_EingMoeglich}) {
        Windsolver s;
        s.status.fill(start);
        s.rv.Rechnen();
        EXPECT_EQ(Muster(s.status), "MMMMMMMMMMMMMMMM");
    }
}

TEST(Solver, AllEnteredStaysEnteredWhateverTheValues) {
    Windsolver s;
    for (int f = 0; f < FeldAnzahl; ++f)
        s.Eingeben(static_cast<TFeldNamen>(f), 1000.0f + f);
    const TWerte vorher = s.werte;
    s.rv.Rechnen();
    EXPECT_EQ(Muster(s.status), "EEEEEEEEEEEEEEEE");
    EXPECT_EQ(s.werte, vorher);
}

TEST(Solver, WithoutRulesOnlyUnknownFieldsChange) {
    TEingabeStatus st{};
    TWerte w{};
    st[0] = CI_Eingegeben;
    st[1] = CI_Ergebnis;
    st[2] = CI_EingMoeglich;
    TRechenVerfahren rv(&st, &w);
    rv.Rechnen();
    EXPECT_EQ(Muster(st), "ERUUUUUUUUUUUUUU");
}

TEST(Solver, FailingRuleLeavesItsOutputsAndDisturbsNoOther) {
    TEingabeStatus st{};
    TWerte w{};
    TRechenVerfahren rv(&st, &w);
    int versuche = 0;
    rv.Add([&](TWerte&) { return ++versuche, false; }, Bit(VeR), Bit(VeG));
    rv.Add([](TWerte& e) { return e[VwG] = 7, true; }, Bit(VeR), Bit(VwG));
    rv.Add([](TWerte& e) { return e[VgR] = 8, true; }, Bit(VwG), Bit(VgR));
    st[VeR] = CI_Eingegeben;
    rv.Rechnen();
    EXPECT_EQ(st[VeG], CI_Undef); // fireable, so no candidate and not enterable
    EXPECT_EQ(st[VwG], CI_Ergebnis);
    EXPECT_EQ(st[VgR], CI_Ergebnis);
    EXPECT_EQ(w[VgR], 8);
    EXPECT_EQ(versuche, 2); // called again in the sweep after the one that fired
}

TEST(Solver, FirstRegisteredRuleWinsAField) {
    TEingabeStatus st{};
    TWerte w{};
    TRechenVerfahren rv(&st, &w);
    rv.Add([](TWerte& e) { return e[VeG] = 1, true; }, Bit(VeR), Bit(VeG));
    rv.Add([](TWerte& e) { return e[VeG] = 2, true; }, Bit(VeR), Bit(VeG));
    st[VeR] = CI_Eingegeben;
    rv.Rechnen();
    EXPECT_EQ(w[VeG], 1);
}

TEST(Solver, AddRejectsRulesThatCouldNeverSettle) {
    TEingabeStatus st{};
    TWerte w{};
    TRechenVerfahren rv(&st, &w);
    auto proc = [](TWerte&) { return true; };
    EXPECT_THROW(rv.Add(proc, Bit(VeR), 0), std::invalid_argument);
    EXPECT_THROW(rv.Add(proc, Bit(VeR), Bit(VeR)), std::invalid_argument);
    EXPECT_EQ(rv.Anzahl(), 0u);
}
