#include "Schriften.h"

#include <cstdio>
#include <string_view>

namespace velorin {

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& Value) {
    FName = Value;
    Changed();
}

void TFont::SetSize(int Value) {
    FSize = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TFont::SetStyle(TFontStyles Value) {
    FStyle = Value;
    Changed();
}

void TFont::Assign(const TFont& Source) {
    if (&Source != this) {
        FName = Source.FName;
        FSize = Source.FSize;
        FColor = Source.FColor;
        FStyle = Source.FStyle;
    }
    Changed();
}

TSchrift::TSchrift(TNotifyEvent OnChangeHandler)
    : FOnChangeHandler(std::move(OnChangeHandler)), H1(FOnChangeHandler), H2(FOnChangeHandler),
      H3(FOnChangeHandler), H4(FOnChangeHandler), P(FOnChangeHandler), Li(FOnChangeHandler),
      Td(FOnChangeHandler), Th(FOnChangeHandler), FhTh(FOnChangeHandler), FhTsH(FOnChangeHandler),
      FhTsN(FOnChangeHandler) {}

void TSchrift::Changed() {
    if (FOnChangeHandler) FOnChangeHandler(this);
}

void TSchrift::SetBgHeader(TColor Value) {
    FBgHeader = Value;
    Changed();
}

void TSchrift::SetBgHighlight(TColor Value) {
    FBgHighlight = Value;
    Changed();
}

void TSchrift::SetBgNormal(TColor Value) {
    FBgNormal = Value;
    Changed();
}

void TSchrift::Assign(const TSchrift& Source) {
    FBgHeader = Source.FBgHeader;
    FBgHighlight = Source.FBgHighlight;
    FBgNormal = Source.FBgNormal;
    H1.Assign(Source.H1);
    H2.Assign(Source.H2);
    H3.Assign(Source.H3);
    H4.Assign(Source.H4);
    P.Assign(Source.P);
    Li.Assign(Source.Li);
    Td.Assign(Source.Td);
    Th.Assign(Source.Th);
    FhTh.Assign(Source.FhTh);
    FhTsH.Assign(Source.FhTsH);
    FhTsN.Assign(Source.FhTsN);
}

TSchriftFr::TSchriftFr(const TNotifyEvent& OnChangeHandler)
    : KopfFuss(OnChangeHandler), Antworten(OnChangeHandler) {}

void TSchriftFr::Assign(const TSchriftFr& Source) {
    KopfFuss.Assign(Source.KopfFuss);
    Antworten.Assign(Source.Antworten);
}

TSchriften::TSchriften(const TNotifyEvent& OnChangeHandler,
                       const TNotifyEvent& OnChangeHandlerDruck)
    : SchriftErk(OnChangeHandler), DefaultSchriftErk(OnChangeHandler), SchriftFr(OnChangeHandler),
      DefaultSchriftFr(OnChangeHandler), SchriftErk_D(OnChangeHandlerDruck),
      DefaultSchriftErk_D(OnChangeHandlerDruck), SchriftFr_D(OnChangeHandlerDruck),
      DefaultSchriftFr_D(OnChangeHandlerDruck) {}

void TSchriften::Assign(const TSchriften& Source) {
    SchriftErk.Assign(Source.SchriftErk);
    DefaultSchriftErk.Assign(Source.DefaultSchriftErk);
    SchriftFr.Assign(Source.SchriftFr);
    DefaultSchriftFr.Assign(Source.DefaultSchriftFr);
    SchriftErk_D.Assign(Source.SchriftErk_D);
    DefaultSchriftErk_D.Assign(Source.DefaultSchriftErk_D);
    SchriftFr_D.Assign(Source.SchriftFr_D);
    DefaultSchriftFr_D.Assign(Source.DefaultSchriftFr_D);
}

std::string ColorToHexRGB(std::uint32_t Color) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(Color));
    // Bytes swapped from BBGGRR to RRGGBB; of eight digits only the first six count.
    return {hex[4], hex[5], hex[2], hex[3], hex[0], hex[1]};
}

namespace {

// The fixed head of the sheet, up to the colour of the h1 rule.
constexpr std::string_view Kopf =
    R"(<style type="text/css">.gesetz { background-color:#DEDEF9; font-family:Arial,sans-serif; )"
    R"(font-size: 0.8em; h1 {font-style:bold; font-size:1.2em; color:#000000;} )"
    R"(h2 {font-style:bold;font-size:1.1em; color:#000000;} )"
    R"(h3 {font-style:bold; font-size:1.0em; color:#000000;} )"
    R"(p {font-size:1.0em color:#000000 } li { font-size:0.9em color:#000000 }})"
    R"(.text { background-color:#FFFFFF; font-family:Arial,sans-serif; font-size: 1.0em; )"
    R"(h1 {font-style:bold; font-size:1.2em; color:#000000;} )"
    R"(h2 {font-style:bold;font-size:1.1em; color:#000000;} )"
    R"(h3 {font-style:bold; font-size:1.0em; color:#000000;} )"
    R"(p {font-size:1.0em; color:#000000;} li { font-size:0.9em; color:#000000;}h1 {color:#)";

constexpr std::string_view Ts =
    " .ts {border-color:#000000; border-style:solid; border-left-width:1px; "
    "border-top-width:1px; border-right-width:0px; border-bottom-width:0px;}";

constexpr std::string_view ZelleMitte =
    "; text-align:center; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px; font-family:";
constexpr std::string_view ZelleLinks =
    "; text-align:left; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px; font-family:";
constexpr std::string_view ZelleRechts =
    "; text-align:right; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px; font-family:";

constexpr std::string_view WeisseZellen =
    " .wl {background-color:#FFFFFF; border-color:#000000; border-style:solid; color:#000000; "
    "text-align:left; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px;}"
    " .wc {background-color:#FFFFFF; border-color:#000000; border-style:solid; color:#000000; "
    "text-align:center; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px;}"
    " .wr {background-color:#FFFFFF; border-color:#000000; border-style:solid; color:#000000; "
    "text-align:right; border-collapse:collapse; border-width:1px; border-left-width:0px; "
    "border-top-width:0px;}"
    " .tdul  {list-style-type:square; margin-left:1.2em; margin-bottom:0.2em; "
    "margin-top:0.2em;}";

constexpr std::string_view Kaesten =
    " .box {padding:0.5em 1em; margin:0em; border:1px solid black; background:yellow; "
    "color:black;}"
    " .boxc {/* nicht gef\xC3\xBCllte Zellen */ padding:0em 0.3em; text-align:center; }"
    " .boxc TABLE {margin:auto; text-align:center; font-size:70%;}"
    " .lineright {border-right:1px solid black; font-size:50%; width:50%;}"
    " .leftabove {border-right:1px solid black; border-top:1px solid black; font-size:50%;}"
    " .rightabove {border-top:1px solid black; font-size:50%; }"
    " .nolines {font-size:50%;}"
    " .hco {background-color:#C8CEE5; color:#000000; text-align:center;}"
    " .nlo {background-color:#EEEDF5; color:#000000; text-align:left;}"
    " .caption {text-align:left;}";

constexpr std::string_view RahmenKopf =
    "; background-color:#FFFFFF; border-color:#000000; border-style:solid; color:#000000; "
    "text-align:left; border-collapse:collapse; ";

void Element(std::string& s, std::string_view Selektor, const TFont& f) {
    s += Selektor;
    s += ColorToHexRGB(f.Color());
    s += "; font-family:";
    s += f.Name();
    s += "; font-size:";
    s += std::to_string(f.Size());
    s += "pt;}";
}

void Zelle(std::string& s, std::string_view Klasse, TColor Hintergrund, const TFont& f,
           std::string_view Ausrichtung) {
    s += ' ';
    s += Klasse;
    s += " {background-color:";
    s += ColorToHexRGB(Hintergrund);
    s += "; border-color:#000000; border-style:solid; color:#";
    s += ColorToHexRGB(f.Color());
    s += Ausrichtung;
    s += f.Name();
    s += ";font-size:";
    s += std::to_string(f.Size());
    s += "pt;}";
}

void Stil(std::string& s, std::string_view Klasse, const TFont& f) {
    s += Klasse;
    s += " {style=\"font-family:";
    s += f.Name();
    s += "; font-size:";
    s += std::to_string(f.Size());
    s += "pt; color: ";
    s += ColorToHexRGB(f.Color());
    s += ";}";
}

void Rahmen(std::string& s, std::string_view Klasse, const TFont& f, std::string_view Rand) {
    s += Klasse;
    s += " {font-family:";
    s += f.Name();
    s += "; font-size:";
    s += std::to_string(f.Size());
    s += "pt; color: ";
    s += ColorToHexRGB(f.Color());
    s += RahmenKopf;
    s += Rand;
}

} // namespace

std::string BuildCSS(const TSchrift& Schrift, const TSchriftFr& SchriftFr) {
    std::string s;
    s.reserve(6144);

    s += Kopf;
    s += ColorToHexRGB(Schrift.H1.Color());
    s += "; font-family:";
    s += Schrift.H1.Name();
    s += "; font-size:";
    s += std::to_string(Schrift.H1.Size());
    s += "pt;}";

    Element(s, "h2 {color:#", Schrift.H2);
    Element(s, "h3 {color:#", Schrift.H3);
    Element(s, "h4 {color:#", Schrift.H4);
    Element(s, "p {color:#", Schrift.P);
    Element(s, "li {color:#", Schrift.Li);
    Element(s, "td {color:#", Schrift.Td);
    Element(s, "th {color:#", Schrift.Th);
    Element(s, "caption {color:#", Schrift.H3);

    s += Ts;

    Zelle(s, ".tc", Schrift.BgHeader(), Schrift.FhTh, ZelleMitte);
    Zelle(s, ".hc", Schrift.BgHighlight(), Schrift.FhTsH, ZelleMitte);
    Zelle(s, ".hl", Schrift.BgHighlight(), Schrift.FhTsH, ZelleLinks);
    Zelle(s, ".hr", Schrift.BgHighlight(), Schrift.FhTsH, ZelleRechts);
    Zelle(s, ".nl", Schrift.BgNormal(), Schrift.FhTsN, ZelleLinks);
    Zelle(s, ".nc", Schrift.BgNormal(), Schrift.FhTsN, ZelleMitte);
    Zelle(s, ".nr", Schrift.BgNormal(), Schrift.FhTsN, ZelleRechts);

    s += WeisseZellen;

    s += " .tdli  {font-family:";
    s += Schrift.FhTsN.Name();
    s += ";font-size:";
    s += std::to_string(Schrift.FhTsN.Size());
    s += "pt;}";

    s += Kaesten;

    Stil(s, ".antworten", SchriftFr.Antworten);
    Stil(s, ".kopffuss", SchriftFr.KopfFuss);

    Rahmen(s, ".wloa", SchriftFr.Antworten, "border-width:0px; border-right-width:1px;}");
    Rahmen(s, ".wlma", SchriftFr.Antworten,
           "border-width:1px; border-left-width:0px; border-top-width:0px;}");
    Rahmen(s, ".wlooa", SchriftFr.Antworten, "border-width:0px;}");
    Rahmen(s, ".wlmoa", SchriftFr.Antworten, "border-width:0px; border-bottom-width:1px}");
    Rahmen(s, ".wlok", SchriftFr.KopfFuss, "border-width:0px; border-right-width:1px;}");

    s += "</style>";
    return s;
}

} // namespace velorin
