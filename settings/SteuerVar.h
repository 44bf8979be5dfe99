// The settings object shared by the learning programs: folders, file names,
// addresses, skin theme, font sets with their style sheets, and test state.
#pragma once

#include "Antworten.h"
#include "Schriften.h"
#include "Themes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velorin {

// Folders; each value ends with a path delimiter.
struct TPfade {
    std::string AnwendungsVerzeichnis;    // folder of the executable
    std::string GraphikVerzeichnis;       // AnwendungsVerzeichnis + "Graphiken/"
    std::string OrvatLernprogramme;       // per-user data folder + company name
    std::string CommonOrvatLernprogramme; // all-users data folder + company name
    std::string AnwendungsDaten;          // OrvatLernprogramme + product name
    std::string CommonAnwendungsDaten;    // CommonOrvatLernprogramme + product name
    std::string Temp;                     // AnwendungsDaten + "Temp/"
};

struct TDateien {
    std::string FragenDatei;
    std::string TextbausteinDatei;
    std::string LehrbuchDatei;
    std::string ScreenIni; // AnwendungsDaten + "AVX.ini"
    std::string AntwortDateiName;
    std::string PrintTemplate;
    std::string HilfeDatei;
    std::string ErrorPicName; // AnwendungsVerzeichnis + "ErrorPic.jpg"
};

struct TExtra {
    std::string Anzeigename;
    std::int32_t TBNummer = 0;
};

// Subject-area description.
struct TSachgebiet {
    std::string SG;
    std::string UpdateExeName;
    std::vector<TExtra> Extras;
    bool MultiSelect = false;
};

// Question-catalogue flags.
struct TKatalog {
    bool aFK = false;
    bool nFK = false;
    bool BMVBW = false;
    bool AVXAZus = false;
    bool AVX2009 = false;
};

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;
// -1 to 2147483647.
using TPruefungsNummer = std::int32_t;

struct TOptionen {
    bool zrmcaa = false;
    bool zrfra = false;
    bool rasa = false;
    bool esa = false;
    bool ranasa = false;
    bool vaanz = false;
    bool InstrAlsBitmap = false;
    bool IBsBSa = false;
    bool bewi = false;
    bool fuaiea = false;
    bool bzfi = false;
    bool pdlgfr = false;
    bool Erweiterung = false;
};

struct TFDPAbfrageStatus {
    std::int32_t Level = 0;
    TDateTime DateTime = 0.0;
    TDateTime Dauer = 0.0; // a duration
    TStringArray FDPAntwort;
    bool KorrekturSperren = false;
};

struct TFDPPruefungsStatus {
    std::int32_t Pnr = 0;
    TDateTime DateTime = 0.0;
    TDateTime Dauer = 0.0; // a duration
    TStringArray FDPAntwort;
    bool KorrekturSperren = false;
};

// State of a question-and-answer test. Every field starts at zero, false or empty.
class TAntwortVar {
public:
    TAntwortVar() = default;
    TAntwortVar(const TAntwortVar&) = delete;
    TAntwortVar& operator=(const TAntwortVar&) = delete;

    // Copies every field; Antworten into the existing object by its Assign.
    void Assign(const TAntwortVar& Source);

    bool RFbtnStatus = false;
    TOptionen Optionen;
    bool ZusammenStellung = false;
    bool LernModus = false;
    bool PruefungsModus = false;
    TDateTime StartZeit = 0.0;
    TDateTime EndZeit = 0.0;
    TDateTime StartFDP = 0.0;
    TDateTime EndFDP = 0.0;
    bool Multiselect = false;
    bool RichtigeAntwortAngezeigt = false;
    bool FDPrichtigeAngezeigt = false;
    bool KorrekturSperren = false;
    TAntworten Antworten;
    std::string FDPName;
    TFDPAbfrageStatus FDPAbfrageStatus;
    TFDPPruefungsStatus FDPPruefungsStatus;
    TRichtigeAntwort RichtigeAntwort;
    std::int32_t PruefungsFragengebiet = 0;
    bool Scrambled = false;
    std::int32_t AufgabenIndex = 0;
    std::int32_t AufgabenFG = 0;
    std::int32_t IndexZurFrage = 0;
    std::int32_t Level = 0;
    std::int32_t ActLevel = 0;
    bool VertauscheVorZurueck = false;
    bool AbfrageZyklus = false;
    TIntArray Nr;
    bool AusFrmMain = false;
    bool VorherigeAntwortAnzeigen = false;
    bool RichtigeAntwortWennGesperrt = false;
    std::string ZusatzCaption;
    TPruefungsNummer PNr = 0;
};

// The settings object. The main window creates it, fills Pfade, Dateien, Theme
// and the addresses, and owns it for its whole life. Not copyable; use Assign.
//
// The font sets in Schriften() may be changed in place: every font change and
// every background colour written through its setter rebuilds the matching
// sheet at once (screen sets -> CSS(), print sets "_D" -> CSSDruck()).
class TSteuerVar {
public:
    // Default fonts in all four text-font sets and all four question-font pairs,
    // both sheets built, ProzVorgriff 30, everything else empty.
    TSteuerVar();
    TSteuerVar(const TSteuerVar&) = delete;
    TSteuerVar& operator=(const TSteuerVar&) = delete;

    // Copies the sheets and font sets, then every public member, into the
    // existing owned objects; the font sets keep notifying this object.
    void Assign(const TSteuerVar& Source);

    // Creates, each with its missing parents, OrvatLernprogramme, AnwendungsDaten,
    // Temp, CommonOrvatLernprogramme and CommonAnwendungsDaten. Returns "" when all
    // exist, else one line "Verzeichnis <folder> konnte nicht angelegt werden" per
    // failure, joined by "\n\r" (LF CR). Throws std::invalid_argument for an empty
    // folder name.
    std::string CreateDirectories() const;

    const std::string& CSS() const { return FCSS; }           // screen sheet
    const std::string& CSSDruck() const { return FCSSDruck; } // print sheet
    TSchriften& Schriften() { return FSchriften; }
    const TSchriften& Schriften() const { return FSchriften; }

    // Change handlers of the screen and print font sets; the sender is ignored.
    void OnSchriftChange(const void* Sender);
    void OnSchriftDruckChange(const void* Sender);

private:
    void SetDefaultSchriftErk();
    void SetDefaultSchriftFr();

    std::string FCSS;
    std::string FCSSDruck;
    TSchriften FSchriften;

public:
    TSachgebiet Sachgebiet;
    std::int32_t ProzVorgriff = 0;
    TKatalog Katalog;
    TPfade Pfade;
    TDateien Dateien;
    std::string SupportEmailAdresse;
    std::string SupportName;
    std::string URLHomePage;
    std::string URLVersionHistory;
    TTheme Theme;   // the skin in force
    TThemes Themes; // catalogue of the family's themes
    bool NurFalsche = false;
    bool AntwortAusAntwortVar = false;
    TAntwortVar AntwortVar;
};

} // namespace velorin
