#include "SteuerVar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velorin {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed again at the end.
class TempOrdner {
public:
    TempOrdner() {
        std::string muster = (fs::temp_directory_path() / "velorin-settings-XXXXXX").string();
        if (!mkdtemp(muster.data())) throw std::runtime_error("mkdtemp");
        FPfad = muster;
    }
    ~TempOrdner() {
        std::error_code ec;
        fs::remove_all(FPfad, ec);
    }
    TempOrdner(const TempOrdner&) = delete;
    TempOrdner& operator=(const TempOrdner&) = delete;
    // A folder path below the temporary folder, ending with "/".
    std::string Ordner(const std::string& Relativ) const {
        return (FPfad / Relativ).string() + "/";
    }
    void DateiAnlegen(const std::string& Relativ) const {
        fs::create_directories((FPfad / Relativ).parent_path());
        std::ofstream(FPfad / Relativ) << "x";
    }

private:
    fs::path FPfad;
};

void FuelleOrdner(TSteuerVar& sv, const TempOrdner& t) {
    sv.Pfade.OrvatLernprogramme = t.Ordner("user/Firma");
    sv.Pfade.AnwendungsDaten = t.Ordner("user/Firma/Velorin");
    sv.Pfade.Temp = t.Ordner("user/Firma/Velorin/Temp");
    sv.Pfade.CommonOrvatLernprogramme = t.Ordner("common/Firma");
    sv.Pfade.CommonAnwendungsDaten = t.Ordner("common/Firma/Velorin");
    sv.Pfade.AnwendungsVerzeichnis = t.Ordner("bin");
    sv.Pfade.GraphikVerzeichnis = t.Ordner("bin/Graphiken");
}

std::string Meldung(const std::string& Ordner) {
    return "Verzeichnis " + Ordner + " konnte nicht angelegt werden";
}

TEST(SteuerVar, FreshObject) {
    const TSteuerVar sv;
    EXPECT_EQ(sv.ProzVorgriff, 30);
    EXPECT_EQ(sv.Theme, (TTheme{"", TUIStyle::FromThemeFile}));
    EXPECT_EQ(sv.Themes.Count(), 0);
    EXPECT_EQ(sv.Themes.DefaultTheme().Theme, (TTheme{"IP2.ssk", TUIStyle::FromThemeFile}));
    EXPECT_TRUE(sv.Pfade.AnwendungsDaten.empty());
    EXPECT_TRUE(sv.Dateien.ScreenIni.empty());
    EXPECT_FALSE(sv.NurFalsche);
    EXPECT_FALSE(sv.Katalog.AVX2009);
    EXPECT_EQ(sv.AntwortVar.PNr, 0);
    EXPECT_EQ(sv.AntwortVar.StartZeit, 0.0);
    EXPECT_EQ(sv.AntwortVar.Antworten.GetAntwortenAsString(), "0!!0!");
}

TEST(SteuerVar, CreateDirectoriesAllMade) {
    TempOrdner t;
    TSteuerVar sv;
    FuelleOrdner(sv, t);
    EXPECT_EQ(sv.CreateDirectories(), "");
    for (const auto* o : {&sv.Pfade.OrvatLernprogramme, &sv.Pfade.AnwendungsDaten, &sv.Pfade.Temp,
                          &sv.Pfade.CommonOrvatLernprogramme, &sv.Pfade.CommonAnwendungsDaten})
        EXPECT_TRUE(fs::is_directory(*o)) << *o;
    EXPECT_FALSE(fs::exists(sv.Pfade.AnwendungsVerzeichnis));
    EXPECT_FALSE(fs::exists(sv.Pfade.GraphikVerzeichnis));
    // Folders that exist already count as made.
    EXPECT_EQ(sv.CreateDirectories(), "");
}

// A file standing where a folder (or one of its parents) should be.
TEST(SteuerVar, CreateDirectoriesReportsFailures) {
    struct Fall {
        const char* Name;
        std::vector<std::string> Dateien;
        std::vector<std::string TPfade::*> Scheitern;
    };
    const std::vector<Fall> faelle = {
        {"Temp and CommonAnwendungsDaten",
         {"user/Firma/Velorin/Temp", "common/Firma/Velorin"},
         {&TPfade::Temp, &TPfade::CommonAnwendungsDaten}},
        {"only the first",
         {"user/Firma"},
         {&TPfade::OrvatLernprogramme, &TPfade::AnwendungsDaten, &TPfade::Temp}},
        {"only the last", {"common/Firma/Velorin"}, {&TPfade::CommonAnwendungsDaten}},
        {"common parent",
         {"common"},
         {&TPfade::CommonOrvatLernprogramme, &TPfade::CommonAnwendungsDaten}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.Name);
        TempOrdner t;
        for (const auto& d : fall.Dateien)
            t.DateiAnlegen(d);
        TSteuerVar sv;
        FuelleOrdner(sv, t);
        std::string erwartet;
        for (std::size_t i = 0; i < fall.Scheitern.size(); ++i) {
            if (i > 0) erwartet += "\n\r";
            erwartet += Meldung(sv.Pfade.*fall.Scheitern[i]);
        }
        EXPECT_EQ(sv.CreateDirectories(), erwartet);
    }
}

TEST(SteuerVar, CreateDirectoriesLiteralText) {
    TempOrdner t;
    t.DateiAnlegen("user/Firma/Velorin/Temp");
    t.DateiAnlegen("common/Firma/Velorin");
    TSteuerVar sv;
    FuelleOrdner(sv, t);
    EXPECT_EQ(sv.CreateDirectories(),
              "Verzeichnis " + sv.Pfade.Temp + " konnte nicht angelegt werden\n\rVerzeichnis " +
                  sv.Pfade.CommonAnwendungsDaten + " konnte nicht angelegt werden");
    // The folders that could be made were made.
    EXPECT_TRUE(fs::is_directory(sv.Pfade.CommonOrvatLernprogramme));
}

TEST(SteuerVar, CreateDirectoriesRejectsAnEmptyFolder) {
    TempOrdner t;
    TSteuerVar sv;
    FuelleOrdner(sv, t);
    sv.Pfade.Temp.clear();
    EXPECT_THROW(sv.CreateDirectories(), std::invalid_argument);
}

TEST(Themes, BuiltInThemes) {
    const std::vector<std::pair<TProgramm, const char*>> faelle = {
        {TProgramm::Standard, "IP2.ssk"},
        {TProgramm::Velorin, "MP10.ssk"},
        {TProgramm::Funk, "OneBlue.ssk"},
        {TProgramm::Luftrecht, "OneCyan.ssk"},
        {TProgramm::Meteorologie, "DiamondGreen.ssk"},
        {TProgramm::Technik, "OneGreen.ssk"},
        {TProgramm::Flugplanung, "OneOrange.ssk"},
        {TProgramm::Pruefungstrainer, "GlassGreen.ssk"},
        {TProgramm::Lehrbuch, "IP2.ssk"},
        {static_cast<TProgramm>(200), "IP2.ssk"},
    };
    for (const auto& [key, datei] : faelle) {
        const TProgrammTheme t = BuiltInTheme(key);
        EXPECT_EQ(t.Programm, key);
        EXPECT_EQ(t.Theme, (TTheme{datei, TUIStyle::FromThemeFile}));
    }
}

TEST(Themes, Add) {
    TThemes th;
    EXPECT_EQ(th.Add(TProgramm::Funk), 0);
    EXPECT_EQ(th.Add(TProgramm::Velorin), 1);
    EXPECT_EQ(th.Items(1).Theme.ThemeFile, "MP10.ssk");

    const TProgrammTheme eigen{TProgramm::Funk, TTheme{"/opt/x/Eigen.ssk", TUIStyle::WinXP}};
    EXPECT_EQ(th.Add(eigen), 0); // overwrites the listed key
    EXPECT_EQ(th.Count(), 2);
    EXPECT_EQ(th.Items(0), eigen);

    EXPECT_EQ(th.Add(TProgramm::Funk), 0); // listed: unchanged
    EXPECT_EQ(th.Items(0), eigen);

    const TProgrammTheme neu{TProgramm::Technik, TTheme{"Neu.ssk", TUIStyle::DeepBlue}};
    EXPECT_EQ(th.Add(neu), 2); // appended
    EXPECT_EQ(th.Count(), 3);
    EXPECT_EQ(th.Items(2), neu);
    EXPECT_THROW(th.Items(3), std::out_of_range);
    EXPECT_THROW(th.Items(-1), std::out_of_range);
}

TEST(Themes, Assign) {
    TThemes quelle, ziel;
    quelle.Add(TProgramm::Meteorologie);
    ziel.Add(TProgramm::Funk);
    ziel.Add(TProgramm::Technik);
    ziel.Add(TProgramm::Velorin);
    ziel.Assign(quelle);
    EXPECT_EQ(ziel.List(), quelle.List());
    EXPECT_EQ(ziel.DefaultTheme(), quelle.DefaultTheme());
}

TEST(SteuerVar, AssignCopiesEveryMember) {
    TSteuerVar quelle, ziel;
    quelle.Schriften().SchriftErk.SetBgHeader(0x010203);
    quelle.Sachgebiet = TSachgebiet{"SG", "upd", {{"Extra", 7}}, true};
    quelle.ProzVorgriff = 55;
    quelle.Katalog.nFK = true;
    quelle.Pfade.AnwendungsDaten = "/daten/";
    quelle.Pfade.Temp = "/daten/Temp/";
    quelle.Dateien.ScreenIni = "/daten/AVX.ini";
    quelle.Dateien.ErrorPicName = "/bin/ErrorPic.jpg";
    quelle.SupportEmailAdresse = "a@b";
    quelle.SupportName = "Support";
    quelle.URLHomePage = "https://h";
    quelle.URLVersionHistory = "https://v";
    quelle.Theme = TTheme{"/bin/MP10.ssk", TUIStyle::Protein};
    quelle.Themes.Add(TProgramm::Luftrecht);
    quelle.NurFalsche = true;
    quelle.AntwortAusAntwortVar = true;
    TAntwortVar& av = quelle.AntwortVar;
    av.Optionen.Erweiterung = true;
    av.StartZeit = 45000.5;
    av.Antworten.SetAntwortenFromString("-1!2!1!x!");
    av.FDPName = "FDP";
    av.FDPAbfrageStatus.FDPAntwort = {"a", "b"};
    av.FDPPruefungsStatus.Pnr = 9;
    av.RichtigeAntwort = TRichtigeAntwort{1, 4, {"x"}};
    av.Nr = {3, 1, 2};
    av.ZusatzCaption = "Z";
    av.PNr = -1;

    ziel.Themes.Add(TProgramm::Funk);
    ziel.Themes.Add(TProgramm::Technik);
    ziel.Assign(quelle);

    EXPECT_EQ(ziel.CSS(), quelle.CSS());
    EXPECT_EQ(ziel.Schriften().SchriftErk.BgHeader(), 0x010203u);
    EXPECT_EQ(ziel.Sachgebiet.SG, "SG");
    ASSERT_EQ(ziel.Sachgebiet.Extras.size(), 1u);
    EXPECT_EQ(ziel.Sachgebiet.Extras[0].TBNummer, 7);
    EXPECT_TRUE(ziel.Sachgebiet.MultiSelect);
    EXPECT_EQ(ziel.ProzVorgriff, 55);
    EXPECT_TRUE(ziel.Katalog.nFK);
    EXPECT_EQ(ziel.Pfade.Temp, "/daten/Temp/");
    EXPECT_EQ(ziel.Dateien.ErrorPicName, "/bin/ErrorPic.jpg");
    EXPECT_EQ(ziel.SupportEmailAdresse, "a@b");
    EXPECT_EQ(ziel.SupportName, "Support");
    EXPECT_EQ(ziel.URLHomePage, "https://h");
    EXPECT_EQ(ziel.URLVersionHistory, "https://v");
    EXPECT_EQ(ziel.Theme, quelle.Theme);
    EXPECT_EQ(ziel.Themes.List(), quelle.Themes.List());
    EXPECT_TRUE(ziel.NurFalsche);
    EXPECT_TRUE(ziel.AntwortAusAntwortVar);
    const TAntwortVar& zv = ziel.AntwortVar;
    EXPECT_TRUE(zv.Optionen.Erweiterung);
    EXPECT_EQ(zv.StartZeit, 45000.5);
    EXPECT_EQ(zv.Antworten.GetAntwortenAsString(), "-1!2!1!x!");
    EXPECT_EQ(zv.FDPName, "FDP");
    EXPECT_EQ(zv.FDPAbfrageStatus.FDPAntwort, (TStringArray{"a", "b"}));
    EXPECT_EQ(zv.FDPPruefungsStatus.Pnr, 9);
    EXPECT_EQ(zv.RichtigeAntwort.Num, TStringArray{"x"});
    EXPECT_EQ(zv.Nr, (TIntArray{3, 1, 2}));
    EXPECT_EQ(zv.ZusatzCaption, "Z");
    EXPECT_EQ(zv.PNr, -1);

    // The copies are the target's own.
    quelle.AntwortVar.Nr.push_back(4);
    quelle.AntwortVar.Antworten.AddMC(0);
    EXPECT_EQ(zv.Nr.size(), 3u);
    EXPECT_EQ(zv.Antworten.GetAntwortenAsString(), "-1!2!1!x!");

    ziel.Assign(ziel);
    EXPECT_EQ(ziel.ProzVorgriff, 55);
}

} // namespace
} // namespace velorin
