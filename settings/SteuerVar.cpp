#include "SteuerVar.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace velorin {

namespace {

constexpr const char* SchriftName = "Arial, sans-serif";
constexpr const char* SchriftNameFr = "Arial";
constexpr TColor Schwarz = 0x000000;
constexpr TColor Weiss = 0xFFFFFF;

void Setze(TFont& f, const char* Name, int Size, TColor Color) {
    f.SetName(Name);
    f.SetSize(Size);
    f.SetColor(Color);
}

// True when the folder exists afterwards, whether made now or before.
bool ErzwingeVerzeichnis(const std::string& Ordner) {
    if (Ordner.empty())
        throw std::invalid_argument("Ein leerer Verzeichnisname kann nicht angelegt werden");
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(Ordner);
    fs::create_directories(p, ec);
    return fs::is_directory(p, ec);
}

} // namespace

void TAntwortVar::Assign(const TAntwortVar& Source) {
    if (&Source == this) return;
    RFbtnStatus = Source.RFbtnStatus;
    Optionen = Source.Optionen;
    ZusammenStellung = Source.ZusammenStellung;
    LernModus = Source.LernModus;
    PruefungsModus = Source.PruefungsModus;
    StartZeit = Source.StartZeit;
    EndZeit = Source.EndZeit;
    StartFDP = Source.StartFDP;
    EndFDP = Source.EndFDP;
    Multiselect = Source.Multiselect;
    RichtigeAntwortAngezeigt = Source.RichtigeAntwortAngezeigt;
    FDPrichtigeAngezeigt = Source.FDPrichtigeAngezeigt;
    KorrekturSperren = Source.KorrekturSperren;
    Antworten.Assign(Source.Antworten);
    FDPName = Source.FDPName;
    FDPAbfrageStatus = Source.FDPAbfrageStatus;
    FDPPruefungsStatus = Source.FDPPruefungsStatus;
    RichtigeAntwort = Source.RichtigeAntwort;
    PruefungsFragengebiet = Source.PruefungsFragengebiet;
    Scrambled = Source.Scrambled;
    AufgabenIndex = Source.AufgabenIndex;
    AufgabenFG = Source.AufgabenFG;
    IndexZurFrage = Source.IndexZurFrage;
    Level = Source.Level;
    ActLevel = Source.ActLevel;
    VertauscheVorZurueck = Source.VertauscheVorZurueck;
    AbfrageZyklus = Source.AbfrageZyklus;
    Nr = Source.Nr;
    AusFrmMain = Source.AusFrmMain;
    VorherigeAntwortAnzeigen = Source.VorherigeAntwortAnzeigen;
    RichtigeAntwortWennGesperrt = Source.RichtigeAntwortWennGesperrt;
    ZusatzCaption = Source.ZusatzCaption;
    PNr = Source.PNr;
}

TSteuerVar::TSteuerVar()
    : FSchriften([this](const void* s) { OnSchriftChange(s); },
                 [this](const void* s) { OnSchriftDruckChange(s); }) {
    SetDefaultSchriftErk();
    SetDefaultSchriftFr();
    TSchriften& f = FSchriften;
    f.DefaultSchriftErk_D.Assign(f.DefaultSchriftErk);
    f.SchriftErk.Assign(f.DefaultSchriftErk);
    f.SchriftErk_D.Assign(f.DefaultSchriftErk_D);
    f.DefaultSchriftFr_D.Assign(f.DefaultSchriftFr);
    f.SchriftFr.Assign(f.DefaultSchriftFr);
    f.SchriftFr_D.Assign(f.DefaultSchriftFr_D);
    OnSchriftChange(this);
    OnSchriftDruckChange(this);
    ProzVorgriff = 30;
}

void TSteuerVar::SetDefaultSchriftErk() {
    TSchrift& s = FSchriften.DefaultSchriftErk;
    Setze(s.H1, SchriftName, 18, Schwarz);
    Setze(s.H2, SchriftName, 16, Schwarz);
    Setze(s.H3, SchriftName, 14, Schwarz);
    Setze(s.H4, SchriftName, s.H3.Size() - 2, Schwarz);
    Setze(s.P, SchriftName, 12, Schwarz);
    Setze(s.Li, SchriftName, 12, Schwarz);
    Setze(s.Td, SchriftName, 10, Schwarz);
    Setze(s.Th, SchriftName, 12, Schwarz);
    Setze(s.FhTh, SchriftName, 12, Weiss);
    Setze(s.FhTsH, SchriftName, 10, Schwarz);
    Setze(s.FhTsN, SchriftName, 10, Schwarz);
    s.SetBgHeader(0xA76200);
    s.SetBgHighlight(0xE5CEC8);
    s.SetBgNormal(0xF5EDEE);
}

void TSteuerVar::SetDefaultSchriftFr() {
    TSchriftFr& s = FSchriften.DefaultSchriftFr;
    Setze(s.KopfFuss, SchriftNameFr, 10, Schwarz);
    Setze(s.Antworten, SchriftNameFr, 10, Schwarz);
}

void TSteuerVar::OnSchriftChange(const void* /*Sender*/) {
    FCSS = BuildCSS(FSchriften.SchriftErk, FSchriften.SchriftFr);
}

void TSteuerVar::OnSchriftDruckChange(const void* /*Sender*/) {
    FCSSDruck = BuildCSS(FSchriften.SchriftErk_D, FSchriften.SchriftFr_D);
}

void TSteuerVar::Assign(const TSteuerVar& Source) {
    if (&Source == this) return;
    FCSS = Source.FCSS;
    FCSSDruck = Source.FCSSDruck;
    FSchriften.Assign(Source.FSchriften);
    Sachgebiet = Source.Sachgebiet;
    ProzVorgriff = Source.ProzVorgriff;
    Katalog = Source.Katalog;
    Pfade = Source.Pfade;
    Dateien = Source.Dateien;
    SupportEmailAdresse = Source.SupportEmailAdresse;
    SupportName = Source.SupportName;
    URLHomePage = Source.URLHomePage;
    URLVersionHistory = Source.URLVersionHistory;
    Theme = Source.Theme;
    Themes.Assign(Source.Themes);
    NurFalsche = Source.NurFalsche;
    AntwortAusAntwortVar = Source.AntwortAusAntwortVar;
    AntwortVar.Assign(Source.AntwortVar);
}

std::string TSteuerVar::CreateDirectories() const {
    std::string ergebnis;
    std::string trenner;
    for (const std::string* ordner :
         {&Pfade.OrvatLernprogramme, &Pfade.AnwendungsDaten, &Pfade.Temp,
          &Pfade.CommonOrvatLernprogramme, &Pfade.CommonAnwendungsDaten}) {
        if (!ErzwingeVerzeichnis(*ordner)) {
            ergebnis += trenner;
            ergebnis += "Verzeichnis " + *ordner + " konnte nicht angelegt werden";
            trenner = "\n\r";
        }
    }
    return ergebnis;
}

} // namespace velorin
