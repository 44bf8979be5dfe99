#include "Antworten.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velorin {
namespace {

enum class Fehler { Keiner, Konvertierung, Bereich };

struct LeseFall {
    const char* Text;
    Fehler Erwartet;
    const char* Danach; // the answer text afterwards
};

// Each case starts from the answered set "-1!0!1!x!", so that untouched fields show.
TEST(Antworten, SetAntwortenFromString) {
    const std::vector<LeseFall> faelle = {
        {"-1!13!2!4,5!abc!", Fehler::Keiner, "-1!13!2!4,5!abc!"},
        {"0!!0!", Fehler::Keiner, "0!!0!"},
        {"-1!0!3!a!", Fehler::Keiner, "-1!0!3!a!!!"},
        {"-1!!2!a", Fehler::Keiner, "-1!!2!!!"}, // "a" lacks its "!"
        {"-1!!1!a!b!", Fehler::Keiner, "-1!!1!a!"},
        {"-1!7!0!", Fehler::Keiner, "-1!7!0!"},
        {"-1!31x89!0!", Fehler::Keiner, "-1!13!0!"},
        {"True!2!0!", Fehler::Keiner, "-1!2!0!"},
        {"fAlSe!2!0!", Fehler::Keiner, "0!2!0!"},
        {"1!!0!", Fehler::Keiner, "-1!!0!"},
        {"0,0!!0!", Fehler::Keiner, "0!!0!"},
        {"-1!!+2!!!", Fehler::Keiner, "-1!!2!!!"},
        {"-1!!1!\xC3\xA4\xC3\xB6!", Fehler::Keiner, "-1!!1!\xC3\xA4\xC3\xB6!"},
        // Nothing changes without a first token.
        {"", Fehler::Keiner, "-1!0!1!x!"},
        {"-1", Fehler::Keiner, "-1!0!1!x!"},
        {"!1!0!", Fehler::Keiner, "-1!0!1!x!"},
        // A bad flag stores nothing.
        {"ja!3!0!", Fehler::Konvertierung, "-1!0!1!x!"},
        {"-!3!0!", Fehler::Konvertierung, "-1!0!1!x!"},
        // A bad count keeps the flag and choices already read.
        {"0!3!zwei!", Fehler::Konvertierung, "0!3!1!x!"},
        {"0!3!!", Fehler::Konvertierung, "0!3!1!x!"},
        {"0!3!", Fehler::Konvertierung, "0!3!1!x!"},
        {"0!3!1.0!a!", Fehler::Konvertierung, "0!3!1!x!"},
        {"0!3!99999999999!", Fehler::Konvertierung, "0!3!1!x!"},
        {"0!3!-1!", Fehler::Bereich, "0!3!1!x!"},
        // A count longer than the text cannot be meant.
        {"0!3!7!", Fehler::Bereich, "0!3!1!x!"},
        {"0!3!2147483647!", Fehler::Bereich, "0!3!1!x!"},
        {"0!3!6!", Fehler::Keiner, "0!3!6!!!!!!!"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Text);
        TAntworten a;
        a.SetAntwortenFromString("-1!0!1!x!");
        switch (fall.Erwartet) {
        case Fehler::Keiner:
            EXPECT_NO_THROW(a.SetAntwortenFromString(fall.Text));
            break;
        case Fehler::Konvertierung:
            EXPECT_THROW(a.SetAntwortenFromString(fall.Text), EKonvertierungsFehler);
            break;
        case Fehler::Bereich:
            EXPECT_THROW(a.SetAntwortenFromString(fall.Text), EBereichsFehler);
            break;
        }
        EXPECT_EQ(a.GetAntwortenAsString(), fall.Danach);
        // The text written is read back to the same text.
        TAntworten b;
        b.SetAntwortenFromString(a.GetAntwortenAsString());
        EXPECT_EQ(b.GetAntwortenAsString(), fall.Danach);
    }
}

TEST(Antworten, ReadAnswerFields) {
    TAntworten a;
    a.SetAntwortenFromString("-1!13!2!4,5!abc!");
    EXPECT_TRUE(a.Beantwortet());
    EXPECT_EQ(a.MCAntworten(), 0x0A); // B and D
    EXPECT_EQ(a.NumAntworten(), (TStringArray{"4,5", "abc"}));
    EXPECT_EQ(a.AnzNumAntworten(), 2);
}

TEST(Antworten, ErrorMessagesAreGermanAndShort) {
    TAntworten a;
    try {
        a.SetAntwortenFromString("0!!" + std::string(5000, 'z') + "!");
        FAIL();
    } catch (const EKonvertierungsFehler& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("ist keine g\xC3\xBCltige Ganzzahl"), std::string::npos) << m;
        EXPECT_LT(m.size(), 200u);
    }
}

TEST(Antworten, ChoicesAndAnsweredFlag) {
    TAntworten a;
    EXPECT_EQ(a.GetAntwortenAsString(), "0!!0!");
    a.SetBeantwortet(true);
    EXPECT_FALSE(a.Beantwortet());
    a.AddMC(0);
    a.AddMC(2);
    EXPECT_EQ(a.GetAntwortenAsString(), "-1!02!0!");
    a.RemoveMC(0);
    EXPECT_TRUE(a.Beantwortet());
    a.RemoveMC(2);
    EXPECT_FALSE(a.Beantwortet());

    TAntworten b;
    b.AddMC(9); // no bit, but answered
    EXPECT_EQ(b.GetAntwortenAsString(), "-1!!0!");

    // With free answers, removing the last choice keeps the set answered.
    TAntworten c;
    c.SetAntwortenFromString("-1!1!1!4!");
    c.RemoveMC(1);
    EXPECT_EQ(c.GetAntwortenAsString(), "-1!!1!4!");
    c.SetBeantwortet(false);
    EXPECT_EQ(c.GetAntwortenAsString(), "0!!0!");
}

TEST(Antworten, AssignCopiesThroughText) {
    TAntworten quelle, ziel;
    quelle.SetAntwortenFromString("-1!037!3!1!!zwei!");
    ziel.AddMC(1);
    ziel.Assign(quelle);
    EXPECT_EQ(ziel.GetAntwortenAsString(), "-1!037!3!1!!zwei!");
    ziel.Assign(ziel);
    EXPECT_EQ(ziel.GetAntwortenAsString(), "-1!037!3!1!!zwei!");
}

TEST(Antworten, IsRichtigAndSetOperations) {
    TAntworten frisch;
    EXPECT_TRUE(frisch.IsRichtig(TRichtigeAntwort{}));
    EXPECT_TRUE(frisch.IsRichtig(TRichtigeAntwort{5, 0, {}})); // count takes no part

    TAntworten a;
    a.SetAntwortenFromString("-1!01!1!4,5!");
    EXPECT_TRUE(a.IsRichtig(TRichtigeAntwort{0, 0x03, {"4,5"}}));
    EXPECT_FALSE(a.IsRichtig(TRichtigeAntwort{0, 0x03, {"4,50"}}));
    EXPECT_FALSE(a.IsRichtig(TRichtigeAntwort{0, 0x03, {"4,5 "}}));
    EXPECT_FALSE(a.IsRichtig(TRichtigeAntwort{0, 0x23, {"4,5"}})); // bit 5 counts too
    EXPECT_FALSE(a.IsRichtig(TRichtigeAntwort{0, 0x03, {"4,5", ""}}));

    const TRichtigeAntwort r{0, 0x06, {}}; // B and C correct; A and B picked
    EXPECT_EQ(a.GetRichtigeMCAntworten(r), 0x02);
    EXPECT_EQ(a.GetFalscheMCAntworten(r), 0x01);
    EXPECT_EQ(a.GetUnbeantwMCAntworten(r), 0x04);
}

TEST(Antworten, PermuteAndRepermute) {
    const TIntArray ai = {2, 0, 3, 1};
    TAntworten a;
    a.SetAntwortenFromString("-1!03!1!x!");
    a.PermuteAntwortIndex(ai);
    EXPECT_EQ(a.MCAntworten(), 0x06); // {1, 2}
    a.RepermuteAntwortIndex(ai);
    EXPECT_EQ(a.MCAntworten(), 0x09); // {0, 3}
    EXPECT_EQ(a.GetAntwortenAsString(), "-1!03!1!x!");

    struct Fall {
        const char* Name;
        TMCAntworten Gewaehlt;
        TIntArray Ai;
        bool Permute;
        TMCAntworten Erwartet;
    };
    const std::vector<Fall> faelle = {
        {"index not in Ai", 0x03, {1, 5}, true, 0x01},
        {"first position wins", 0x01, {3, 0, 0}, true, 0x02},
        {"position above 7", 0x01, {1, 1, 1, 1, 1, 1, 1, 1, 0}, true, 0x00},
        {"bit 7 carried", 0x80, {0, 1, 2, 3, 4, 5, 6, 7}, true, 0x80},
        {"position without entry", 0x0C, {1, 2, 0}, false, 0x01},
        {"empty Ai", 0xFF, {}, false, 0x00},
        {"value outside 0 to 7", 0x03, {8, -1}, false, 0x00},
        {"two positions one index", 0x03, {2, 2}, false, 0x04},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Name);
        TAntworten b;
        b.SetAntwortenFromString("-1!" + TAntworten::MCAntwortenAsString(fall.Gewaehlt, "") +
                                 "!0!");
        if (fall.Permute)
            b.PermuteAntwortIndex(fall.Ai);
        else
            b.RepermuteAntwortIndex(fall.Ai);
        EXPECT_EQ(b.MCAntworten(), fall.Erwartet);
        EXPECT_TRUE(b.Beantwortet());
    }
}

TEST(Antworten, MCAntwortenText) {
    EXPECT_EQ(TAntworten::MCAntwortenAsString(0x0A, ";"), "1;3;");
    EXPECT_EQ(TAntworten::MCAntwortenAsString(0, ";"), "");
    EXPECT_EQ(TAntworten::MCAntwortenAsString(0x81, ", "), "0, 7, ");

    struct Fall {
        const char* Text;
        const char* Sep;
        std::int32_t Anzahl;
        TMCAntworten Bits;
    };
    const std::vector<Fall> faelle = {
        {"1;3;", ";", 2, 0x0A},    {"1;3", ";", 1, 0x02},  {"1;1;", ";", 2, 0x02},
        {"", ";", 0, 0},           {"9;-1;", ";", 2, 0},   {"1;3;", "", 0, 0},
        {"7, 0, ", ", ", 2, 0x81}, {"+2;x", ";", 1, 0x04}, {"13;5", "3;", 1, 0x02},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Text);
        const TRichtigeAntwort r = TAntworten::MCAntwortenFromString(fall.Text, fall.Sep);
        EXPECT_EQ(r.NMCAntworten, fall.Anzahl);
        EXPECT_EQ(r.MCAntworten, fall.Bits);
        EXPECT_TRUE(r.Num.empty());
    }
    for (const char* falsch : {";", "1;x;", "1;;", "1;99999999999;"})
        EXPECT_THROW(TAntworten::MCAntwortenFromString(falsch, ";"), EKonvertierungsFehler)
            << falsch;
}

TEST(Antworten, Letters) {
    EXPECT_EQ(TAntworten::MCAntwortAsLetter(0), 'A');
    EXPECT_EQ(TAntworten::MCAntwortAsLetter(3), 'D');
    EXPECT_EQ(TAntworten::MCAntwortAsLetter(4), ' ');
    EXPECT_EQ(TAntworten::MCAntwortAsLetter(-1), ' ');
    const std::vector<std::pair<char, TMCAntwort>> faelle = {
        {'A', 0}, {'B', 1}, {'C', 2}, {'D', 3}, {'a', 0}, {'b', 0}, {'E', 0}, {'1', 0},
    };
    for (const auto& [zeichen, index] : faelle)
        EXPECT_EQ(TAntworten::LetterToMCAntwort(zeichen), index) << zeichen;
}

TEST(Antworten, GetNextToken) {
    struct Fall {
        const char* Sep;
        const char* S;
        std::size_t Pos;
        int Count;
        const char* Token;
        std::size_t PosDanach;
    };
    const std::vector<Fall> faelle = {
        {"!", "ab!c!", 1, 1, "ab", 4},   {"!", "ab!c!", 4, 1, "c", 6}, {"!", "ab!c!", 6, 1, "", 6},
        {"!", "ab!c!", 1, 2, "ab!c", 6}, {"!", "ab!c", 1, 2, "", 4},   {"!", "abc", 1, 1, "", 1},
        {"::", "a::b", 1, 1, "a", 4},    {"", "a!b", 1, 1, "", 1},     {"!", "a!b", 0, 1, "", 0},
        {"!", "a!b", 99, 1, "", 99},     {"!", "!!", 2, 1, "", 3},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(std::string(fall.S) + " @" + std::to_string(fall.Pos));
        std::size_t pos = fall.Pos;
        std::string token = "alt";
        GetNextToken(fall.Sep, fall.S, pos, token, fall.Count);
        EXPECT_EQ(token, fall.Token);
        EXPECT_EQ(pos, fall.PosDanach);
    }
}

} // namespace
} // namespace velorin
