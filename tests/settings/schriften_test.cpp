#include "SteuerVar.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace velorin {
namespace {

// The rule that starts with Head, through its closing brace; empty if absent.
std::string Regel(const std::string& Css, const std::string& Head) {
    const auto p = Css.find(Head);
    if (p == std::string::npos) return {};
    const auto e = Css.find('}', p);
    return Css.substr(p, e == std::string::npos ? std::string::npos : e - p + 1);
}

std::size_t Zeichen(const std::string& Utf8) {
    std::size_t n = 0;
    for (unsigned char c : Utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool BeginntMit(const std::string& s, const std::string& p) {
    return s.rfind(p, 0) == 0;
}

void ErwarteAktuell(const TSteuerVar& sv) {
    const TSchriften& f = sv.Schriften();
    EXPECT_EQ(sv.CSS(), BuildCSS(f.SchriftErk, f.SchriftFr));
    EXPECT_EQ(sv.CSSDruck(), BuildCSS(f.SchriftErk_D, f.SchriftFr_D));
}

TEST(Stylesheet, DefaultSheet) {
    const TSteuerVar sv;
    const std::string& css = sv.CSS();
    EXPECT_EQ(Zeichen(css), 5716u);
    EXPECT_EQ(css.size(), 5717u); // the "ü" of the .boxc comment takes two bytes
    EXPECT_TRUE(BeginntMit(css, "<style type="));
    EXPECT_EQ(css.substr(css.size() - 8), "</style>");
    EXPECT_EQ(css.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(sv.CSSDruck(), css);

    EXPECT_EQ(Regel(css, "h1 {color:#"),
              "h1 {color:#000000; font-family:Arial, sans-serif; font-size:18pt;}");
    EXPECT_EQ(Regel(css, " .tc {"),
              " .tc {background-color:0062A7; border-color:#000000; border-style:solid; "
              "color:#FFFFFF; text-align:center; border-collapse:collapse; border-width:1px; "
              "border-left-width:0px; border-top-width:0px; font-family:Arial, "
              "sans-serif;font-size:12pt;}");
    EXPECT_EQ(Regel(css, "caption {color:#"),
              "caption {color:#000000; font-family:Arial, sans-serif; font-size:14pt;}");
    EXPECT_EQ(Regel(css, " .tdli  {"), " .tdli  {font-family:Arial, sans-serif;font-size:10pt;}");
    EXPECT_EQ(Regel(css, ".antworten {"),
              ".antworten {style=\"font-family:Arial; font-size:10pt; color: 000000;}");
    EXPECT_EQ(Regel(css, ".wlmoa {"),
              ".wlmoa {font-family:Arial; font-size:10pt; color: 000000; "
              "background-color:#FFFFFF; border-color:#000000; border-style:solid; "
              "color:#000000; text-align:left; border-collapse:collapse; border-width:0px; "
              "border-bottom-width:1px}");
}

TEST(Stylesheet, DefaultFonts) {
    const TSteuerVar sv;
    const TSchriften& f = sv.Schriften();
    EXPECT_EQ(f.SchriftErk.H4.Size(), 12);
    EXPECT_EQ(f.SchriftErk.FhTh.Color(), 0xFFFFFFu);
    EXPECT_EQ(f.SchriftErk.H1.Name(), "Arial, sans-serif");
    EXPECT_EQ(f.SchriftFr_D.Antworten.Name(), "Arial");
    EXPECT_EQ(f.SchriftFr_D.Antworten.Size(), 10);
    EXPECT_EQ(f.SchriftFr_D.Antworten.Color(), 0x000000u);
    for (const TSchrift* s :
         {&f.SchriftErk, &f.DefaultSchriftErk, &f.SchriftErk_D, &f.DefaultSchriftErk_D}) {
        EXPECT_EQ(s->BgHeader(), 0xA76200u);
        EXPECT_EQ(s->BgHighlight(), 0xE5CEC8u);
        EXPECT_EQ(s->BgNormal(), 0xF5EDEEu);
        EXPECT_EQ(s->Td.Size(), 10);
    }
    EXPECT_EQ(f.DefaultSchriftFr_D.KopfFuss.Name(), "Arial");
}

TEST(Stylesheet, ColorToHexRGB) {
    const std::vector<std::pair<std::uint32_t, std::string>> faelle = {
        {0x000000, "000000"}, {0xFFFFFF, "FFFFFF"}, {0xFF000008, "0000FF"}, {0x80000005, "000080"},
        {0xA76200, "0062A7"}, {0x0000FF, "FF0000"}, {0x000012, "120000"},
    };
    for (const auto& [farbe, text] : faelle)
        EXPECT_EQ(ColorToHexRGB(farbe), text) << farbe;
}

// Which sheet a change rebuilds; after each the sheets match their font sets.
TEST(Stylesheet, RebuildGoesToTheMatchingSheet) {
    struct Fall {
        const char* Name;
        std::function<void(TSchriften&)> Aendern;
        bool Bildschirm;
        bool Druck;
    };
    const std::vector<Fall> faelle = {
        {"SchriftErk.BgHeader", [](TSchriften& f) { f.SchriftErk.SetBgHeader(0x123456); }, true,
         false},
        {"SchriftErk.BgNormal", [](TSchriften& f) { f.SchriftErk.SetBgNormal(0x010203); }, true,
         false},
        {"SchriftErk.P.Name", [](TSchriften& f) { f.SchriftErk.P.SetName("Verdana"); }, true,
         false},
        {"SchriftFr.Antworten", [](TSchriften& f) { f.SchriftFr.Antworten.SetColor(0xFF); }, true,
         false},
        {"SchriftErk_D.BgHeader", [](TSchriften& f) { f.SchriftErk_D.SetBgHeader(0x123456); },
         false, true},
        {"SchriftFr_D.KopfFuss", [](TSchriften& f) { f.SchriftFr_D.KopfFuss.SetSize(14); }, false,
         true},
        {"SchriftErk_D after Assign",
         [](TSchriften& f) {
             f.SchriftErk_D.Assign(f.SchriftErk);
             f.SchriftErk_D.H2.SetSize(30);
         },
         false, true},
        {"DefaultSchriftErk", [](TSchriften& f) { f.DefaultSchriftErk.H1.SetSize(40); }, false,
         false},
        {"DefaultSchriftFr_D", [](TSchriften& f) { f.DefaultSchriftFr_D.KopfFuss.SetSize(40); },
         false, false},
        {"style only", [](TSchriften& f) { f.SchriftErk.H1.SetStyle(fsBold); }, false, false},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Name);
        TSteuerVar sv;
        const std::string css = sv.CSS(), druck = sv.CSSDruck();
        fall.Aendern(sv.Schriften());
        EXPECT_EQ(sv.CSS() != css, fall.Bildschirm);
        EXPECT_EQ(sv.CSSDruck() != druck, fall.Druck);
        ErwarteAktuell(sv);
    }
}

TEST(Stylesheet, H3DrivesH3AndCaption) {
    TSteuerVar sv;
    const std::string css = sv.CSS(), druck = sv.CSSDruck();
    sv.Schriften().SchriftErk.H3.SetSize(20);
    EXPECT_EQ(Regel(sv.CSS(), "h3 {color:#"),
              "h3 {color:#000000; font-family:Arial, sans-serif; font-size:20pt;}");
    EXPECT_EQ(Regel(sv.CSS(), "caption {color:#"),
              "caption {color:#000000; font-family:Arial, sans-serif; font-size:20pt;}");
    EXPECT_EQ(Regel(sv.CSS(), "h4 {color:#"), Regel(css, "h4 {color:#"));
    EXPECT_EQ(sv.CSSDruck(), druck);
}

TEST(Stylesheet, HighlightColourReachesOnlyItsCells) {
    TSteuerVar sv;
    sv.Schriften().SchriftErk.SetBgHighlight(0x0000FF);
    for (const char* k : {" .hc {", " .hl {", " .hr {"})
        EXPECT_TRUE(BeginntMit(Regel(sv.CSS(), k), std::string(k) + "background-color:FF0000;"))
            << k;
    EXPECT_EQ(Regel(sv.CSS(), " .hco {"),
              " .hco {background-color:#C8CEE5; color:#000000; text-align:center;}");
    EXPECT_TRUE(BeginntMit(Regel(sv.CSS(), " .nl {"), " .nl {background-color:EEEDF5;"));
}

TEST(Stylesheet, PrintHeaderFontChangesOnlyItsRules) {
    TSteuerVar sv;
    const std::string css = sv.CSS(), druck = sv.CSSDruck();
    sv.Schriften().SchriftFr_D.KopfFuss.SetSize(7);
    const std::string& neu = sv.CSSDruck();
    EXPECT_EQ(Regel(neu, ".kopffuss {"),
              ".kopffuss {style=\"font-family:Arial; font-size:7pt; color: 000000;}");
    EXPECT_TRUE(BeginntMit(Regel(neu, ".wlok {"), ".wlok {font-family:Arial; font-size:7pt;"));
    // Everything else stays: the sheet differs from the old one by the two sizes only.
    std::string erwartet = druck;
    for (const char* k : {".kopffuss {", ".wlok {"}) {
        const auto p = erwartet.find(k);
        const auto q = erwartet.find("10pt", p);
        erwartet.replace(q, 4, "7pt");
    }
    EXPECT_EQ(neu, erwartet);
    EXPECT_EQ(sv.CSS(), css);
}

TEST(Stylesheet, FontValuesAreInsertedUnchanged) {
    TSteuerVar sv;
    TFont& h2 = sv.Schriften().SchriftErk.H2;
    h2.SetName("\"Fancy\" <b>");
    h2.SetSize(-3);
    h2.SetColor(0xFF000008);
    EXPECT_EQ(Regel(sv.CSS(), "h2 {color:#"),
              "h2 {color:#0000FF; font-family:\"Fancy\" <b>; font-size:-3pt;}");
}

// Every write notifies, also of an unchanged value; Assign notifies once per font.
TEST(Stylesheet, NotificationCounts) {
    std::vector<const void*> sender;
    const TNotifyEvent merke = [&](const void* s) { sender.push_back(s); };
    TSchrift s(merke);
    TSchrift quelle;
    s.SetBgHeader(s.BgHeader());
    s.H1.SetSize(s.H1.Size());
    ASSERT_EQ(sender.size(), 2u);
    EXPECT_EQ(sender[0], &s);
    EXPECT_EQ(sender[1], &s.H1);

    sender.clear();
    quelle.SetBgNormal(0x42);
    quelle.FhTsN.SetSize(33);
    s.Assign(quelle);
    EXPECT_EQ(sender.size(), 11u);
    EXPECT_EQ(sender.back(), &s.FhTsN);
    EXPECT_EQ(s.BgNormal(), 0x42u);
    EXPECT_EQ(s.FhTsN.Size(), 33);

    sender.clear();
    TSchriftFr fr(merke);
    TSchriftFr frQuelle;
    frQuelle.Antworten.SetName("Courier");
    fr.Assign(frQuelle);
    ASSERT_EQ(sender.size(), 2u);
    EXPECT_EQ(sender[0], &fr.KopfFuss);
    EXPECT_EQ(sender[1], &fr.Antworten);
    EXPECT_EQ(fr.Antworten.Name(), "Courier");
}

TEST(Stylesheet, AssignKeepsTheTargetsHandlers) {
    TSteuerVar quelle, ziel;
    quelle.Schriften().SchriftErk.H1.SetSize(25);
    quelle.Schriften().SchriftFr_D.Antworten.SetName("Courier");
    ziel.Assign(quelle);
    EXPECT_EQ(ziel.CSS(), quelle.CSS());
    EXPECT_EQ(ziel.CSSDruck(), quelle.CSSDruck());
    EXPECT_EQ(ziel.Schriften().SchriftErk.H1.Size(), 25);

    const std::string quelleCss = quelle.CSS(), zielCss = ziel.CSS();
    ziel.Schriften().SchriftErk.H2.SetSize(5);
    EXPECT_NE(ziel.CSS(), zielCss);
    EXPECT_EQ(quelle.CSS(), quelleCss);
    ErwarteAktuell(ziel);
    quelle.Schriften().SchriftErk_D.SetBgNormal(0);
    ErwarteAktuell(quelle);
    ErwarteAktuell(ziel);
}

} // namespace
} // namespace velorin
