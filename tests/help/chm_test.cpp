// The help file reader on the built NV.chm and on damaged copies of it.
#include "ChmDatei.h"
#include "ChmKontext.h"
#include "ChmPruefung.h"
#include "Sitemap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

using namespace velorin;
namespace fs = std::filesystem;

namespace {

#ifdef VELORIN_NV_CHM
constexpr const char* NvChm = VELORIN_NV_CHM;
#else
constexpr const char* NvChm = nullptr;
#endif

std::string DateiInhalt(const fs::path& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), {}};
}

class TempOrdner {
public:
    TempOrdner() {
        std::string muster = (fs::temp_directory_path() / "velorin-hilfe-XXXXXX").string();
        if (::mkdtemp(muster.data())) pfad_ = muster;
    }
    ~TempOrdner() {
        std::error_code ec;
        if (!pfad_.empty()) fs::remove_all(pfad_, ec);
    }
    fs::path Datei(const std::string& name, const std::string& inhalt) const {
        const fs::path p = pfad_ / name;
        std::ofstream(p, std::ios::binary | std::ios::trunc) << inhalt;
        return p;
    }
    const fs::path& Pfad() const { return pfad_; }

private:
    fs::path pfad_;
};

std::uint64_t Lies(const std::string& d, std::size_t pos, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(d.at(pos + i));
    return v;
}

void Schreib(std::string& d, std::size_t pos, int n, std::uint64_t v) {
    for (int i = 0; i < n; ++i)
        d.at(pos + i) = static_cast<char>((v >> (8 * i)) & 0xff);
}

// Positions of the structures inside a CHM file.
struct TAufbau {
    std::size_t Verzeichnis = 0; // directory header "ITSP"
    std::size_t Chunk0 = 0;      // first directory chunk
    std::size_t BlockLaenge = 0;
    std::size_t Daten = 0;     // start of the content section
    std::size_t Steuerung = 0; // LZX control data
    std::size_t Ruecksetz = 0; // reset table
    std::vector<TChmEintrag> Eintraege;
};

TAufbau Aufbau(const std::string& d) {
    TAufbau a;
    std::string fehler;
    EXPECT_TRUE(ChmPruefen(d, &a.Eintraege, fehler)) << fehler;
    a.Verzeichnis = Lies(d, 0x48, 8);
    a.Chunk0 = a.Verzeichnis + 0x54;
    a.BlockLaenge = Lies(d, a.Verzeichnis + 0x10, 4);
    a.Daten = Lies(d, 0x58, 8);
    for (const auto& e : a.Eintraege) {
        if (e.Pfad == "::DataSpace/Storage/MSCompressed/ControlData")
            a.Steuerung = a.Daten + e.Start;
        if (e.Pfad.find("InstanceData/ResetTable") != std::string::npos)
            a.Ruecksetz = a.Daten + e.Start;
    }
    return a;
}

// Opens the bytes as a file and reads everything the help window would: no crash, no hang.
bool OeffnenUndAllesLesen(const TempOrdner& ordner, const std::string& daten) {
    TChmDatei datei;
    TChmFehler art{};
    std::string grund;
    if (!datei.Oeffnen(ordner.Datei("probe.chm", daten).string(), art, grund)) {
        EXPECT_EQ(art, TChmFehler::Beschaedigt);
        EXPECT_FALSE(grund.empty());
        return false;
    }
    std::string inhalt;
    for (const auto& e : datei.Eintraege())
        datei.Lesen(e.Pfad, inhalt);
    datei.KontextThema(2001);
    return true;
}

class NvChmTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!NvChm) GTEST_SKIP() << "NV.chm is not built (chmcmd missing)";
        TChmFehler art{};
        std::string grund;
        ASSERT_TRUE(datei_.Oeffnen(NvChm, art, grund)) << grund;
    }
    std::string Objekt(const std::string& pfad) {
        std::string s;
        EXPECT_TRUE(datei_.Lesen(pfad, s)) << pfad;
        return s;
    }
    std::vector<std::string> Seiten() const {
        std::vector<std::string> s;
        for (const auto& e : datei_.Eintraege())
            if (e.Pfad.size() > 4 && e.Pfad.compare(e.Pfad.size() - 4, 4, ".htm") == 0)
                s.push_back(e.Pfad);
        return s;
    }
    // Target of a link on a page ("/a/b.htm", "../c.htm#x") as object path and anchor.
    static std::pair<std::string, std::string> Ziel(const std::string& seite, std::string link) {
        std::string anker;
        if (const auto raute = link.find('#'); raute != std::string::npos) {
            anker = link.substr(raute + 1);
            link.erase(raute);
        }
        if (link.empty()) return {seite, anker};
        std::string pfad =
            link.front() == '/' ? link : seite.substr(0, seite.rfind('/') + 1) + link;
        for (std::size_t p; (p = pfad.find("/../")) != std::string::npos;)
            pfad.erase(pfad.rfind('/', p - 1), p + 3 - pfad.rfind('/', p - 1));
        return {pfad, anker};
    }
    void ZielPruefen(const std::string& von, const std::string& link) {
        const auto [pfad, anker] = Ziel(von, link);
        ASSERT_TRUE(datei_.Existiert(pfad)) << von << " -> " << link;
        if (!anker.empty()) {
            EXPECT_NE(Objekt(pfad).find("name=\"" + anker + "\""), std::string::npos)
                << von << " -> " << link;
        }
    }

    TChmDatei datei_;
};

} // namespace

TEST_F(NvChmTest, Context2001IsTheMainTopic) {
    EXPECT_EQ(datei_.KontextThema(2001), "/hauptseite.htm");
    EXPECT_EQ(datei_.KontextThema(2002), std::nullopt);
    const std::string seite = Objekt("/hauptseite.htm");
    EXPECT_NE(seite.find("<title>Velorin – Überblick</title>"), std::string::npos);
    EXPECT_EQ(datei_.System().Titel, "Velorin-Hilfe");
    EXPECT_EQ(datei_.System().Startseite, "hauptseite.htm");
}

TEST_F(NvChmTest, ContentsAndIndexPointToTopicsInTheFile) {
    std::set<std::string> imInhalt;
    std::function<void(const std::vector<TSitemapEintrag>&)> pruefen =
        [&](const std::vector<TSitemapEintrag>& liste) {
            for (const auto& e : liste) {
                EXPECT_FALSE(e.Name.empty());
                EXPECT_FALSE(e.Lokal.empty()) << e.Name;
                ZielPruefen("/", e.Lokal);
                imInhalt.insert(Ziel("/", e.Lokal).first);
                pruefen(e.Kinder);
            }
        };
    const auto inhalt = SitemapLesen(Objekt(ObjektPfad(datei_.System().Inhalt)));
    ASSERT_EQ(inhalt.size(), 12u);
    EXPECT_EQ(inhalt[0].Name, "Velorin – Überblick");
    pruefen(inhalt);
    const auto index = SitemapLesen(Objekt(ObjektPfad(datei_.System().Index)));
    EXPECT_GT(index.size(), 50u);
    pruefen(index);
    // Every page can be reached from the contents.
    for (const auto& seite : Seiten())
        EXPECT_EQ(imInhalt.count(seite), 1u) << seite;
}

TEST_F(NvChmTest, EveryLinkAndPictureOnEveryPageResolves) {
    const auto seiten = Seiten();
    EXPECT_EQ(seiten.size(), 12u);
    for (const auto& seite : seiten) {
        const std::string text = Objekt(seite);
        // Declared UTF-8 and valid UTF-8, so the umlauts come out right in every reader.
        EXPECT_NE(text.find("charset=utf-8"), std::string::npos) << seite;
        EXPECT_EQ(AlsUtf8(text), text) << seite;
        const auto titel = text.find("<title>");
        ASSERT_NE(titel, std::string::npos) << seite;
        EXPECT_LT(titel + 7, text.find("</title>")) << seite;
        for (const std::string attribut : {"href=\"", "src=\""}) {
            for (auto pos = text.find(attribut); pos != std::string::npos;
                 pos = text.find(attribut, pos + 1)) {
                const auto anfang = pos + attribut.size();
                const std::string link = text.substr(anfang, text.find('"', anfang) - anfang);
                ASSERT_FALSE(link.empty()) << seite;
                if (link.rfind("http", 0) == 0 || link.rfind("mailto:", 0) == 0) continue;
                ZielPruefen(seite, link);
            }
        }
    }
    for (const auto& e : datei_.Eintraege()) {
        if (e.Pfad.size() > 4 && e.Pfad.compare(e.Pfad.size() - 4, 4, ".png") == 0) {
            EXPECT_EQ(Objekt(e.Pfad).substr(0, 4), "\x89PNG") << e.Pfad;
        }
    }
}

TEST(HilfeDatei, MissingOrUnreadableFiles) {
    TempOrdner ordner;
    TChmDatei datei;
    TChmFehler art{};
    std::string grund;
    EXPECT_FALSE(datei.Oeffnen((ordner.Pfad() / "fehlt.chm").string(), art, grund));
    EXPECT_EQ(art, TChmFehler::NichtGefunden);
    EXPECT_FALSE(datei.Oeffnen(ordner.Pfad().string(), art, grund));
    EXPECT_EQ(art, TChmFehler::NichtLesbar);
    EXPECT_FALSE(datei.IstOffen());
    for (const std::string& inhalt :
         {std::string(), std::string("ITSF"), std::string("Dies ist keine Hilfe-Datei.\n"),
          std::string(100000, '\0'),
          std::string("ITSF\3\0\0\0`\0\0\0", 12) + std::string(200, 'x')}) {
        EXPECT_FALSE(datei.Oeffnen(ordner.Datei("kaputt.chm", inhalt).string(), art, grund));
        EXPECT_EQ(art, TChmFehler::Beschaedigt);
        EXPECT_FALSE(grund.empty());
    }
}

// Each case breaks one value that chmlib trusts; without the check most of them crash chmlib,
// divide by zero or make it loop for ever.
TEST_F(NvChmTest, DamagedStructuresAreRejected) {
    const std::string gut = DateiInhalt(NvChm);
    const TAufbau a = Aufbau(gut);
    ASSERT_NE(a.Steuerung, 0u);
    ASSERT_NE(a.Ruecksetz, 0u);
    struct Fall {
        const char* name;
        std::function<void(std::string&)> aendern;
    };
    const std::vector<Fall> faelle = {
        {"signature", [](std::string& d) { d[0] = 'X'; }},
        {"version", [](std::string& d) { Schreib(d, 4, 4, 4); }},
        {"directory beyond the end", [](std::string& d) { Schreib(d, 0x50, 8, d.size()); }},
        {"content beyond the end", [](std::string& d) { Schreib(d, 0x58, 8, d.size() - 10); }},
        {"directory header", [&](std::string& d) { d[a.Verzeichnis] = 'X'; }},
        {"block length 0", [&](std::string& d) { Schreib(d, a.Verzeichnis + 0x10, 4, 0); }},
        {"huge block length",
         [&](std::string& d) { Schreib(d, a.Verzeichnis + 0x10, 4, 0x7fffffff); }},
        {"index root beyond the chunks",
         [&](std::string& d) { Schreib(d, a.Verzeichnis + 0x1c, 4, 5000); }},
        {"no root at all",
         [&](std::string& d) {
             Schreib(d, a.Verzeichnis + 0x1c, 4, 0xffffffff);
             Schreib(d, a.Verzeichnis + 0x20, 4, 0xffffffff);
         }},
        {"free space larger than the chunk",
         [&](std::string& d) { Schreib(d, a.Chunk0 + 4, 4, a.BlockLaenge); }},
        {"index chunk that points to itself",
         [&](std::string& d) {
             Schreib(d, a.Verzeichnis + 0x1c, 4, 0);
             d.replace(a.Chunk0, 4, "PMGI");
             Schreib(d, a.Chunk0 + 4, 4, a.BlockLaenge - 8 - 3);
             d.replace(a.Chunk0 + 8, 3, std::string("\x01/\x00", 3));
         }},
        {"window size 0", [&](std::string& d) { Schreib(d, a.Steuerung + 0x10, 4, 0); }},
        {"window size not a power of two",
         [&](std::string& d) { Schreib(d, a.Steuerung + 0x10, 4, 3); }},
        {"reset interval 0", [&](std::string& d) { Schreib(d, a.Steuerung + 0x0c, 4, 0); }},
        {"no windows per reset", [&](std::string& d) { Schreib(d, a.Steuerung + 0x14, 4, 0); }},
        {"control data signature", [&](std::string& d) { d[a.Steuerung + 4] = 'X'; }},
        {"reset table version", [&](std::string& d) { Schreib(d, a.Ruecksetz, 4, 3); }},
        {"frame length", [&](std::string& d) { Schreib(d, a.Ruecksetz + 0x20, 8, 0); }},
        {"block table beyond its object",
         [&](std::string& d) { Schreib(d, a.Ruecksetz + 4, 4, 0x10000000); }},
        {"compressed objects beyond the content",
         [&](std::string& d) { Schreib(d, a.Ruecksetz + 0x10, 8, 10); }},
        {"compressed block longer than a frame",
         [&](std::string& d) {
             const std::size_t tabelle = a.Ruecksetz + Lies(d, a.Ruecksetz + 0x0c, 4);
             Schreib(d, tabelle + 8, 8, Lies(d, tabelle, 8) + 0x100000);
         }},
        {"compressed blocks in reverse",
         [&](std::string& d) {
             const std::size_t tabelle = a.Ruecksetz + Lies(d, a.Ruecksetz + 0x0c, 4);
             Schreib(d, tabelle, 8, Lies(d, tabelle + 8, 8) + 1);
         }},
    };
    TempOrdner ordner;
    for (const auto& f : faelle) {
        std::string d = gut;
        f.aendern(d);
        std::string fehler;
        EXPECT_FALSE(ChmPruefen(d, nullptr, fehler)) << f.name;
        EXPECT_FALSE(OeffnenUndAllesLesen(ordner, d)) << f.name;
    }
    for (const std::size_t laenge :
         {std::size_t{0x50}, a.Chunk0 + 100, a.Daten + 10, gut.size() - 1})
        EXPECT_FALSE(OeffnenUndAllesLesen(ordner, gut.substr(0, laenge))) << laenge;
    EXPECT_TRUE(OeffnenUndAllesLesen(ordner, gut));
}

// Every byte of headers, directory and compression tables changed, one at a time. What the check
// lets through is opened and read completely where chmlib looks at the byte: the headers, the
// directory entries and the compression tables (not the spare room of the chunk or the system
// object's text).
TEST_F(NvChmTest, SingleByteDamageNeverCrashesTheReader) {
    const std::string gut = DateiInhalt(NvChm);
    const TAufbau a = Aufbau(gut);
    const std::size_t eintraegeEnde = a.Chunk0 + a.BlockLaenge - Lies(gut, a.Chunk0 + 4, 4);
    const std::size_t ende = std::min(gut.size(), a.Ruecksetz + 0x80);
    TempOrdner ordner;
    std::size_t durchgelassen = 0;
    for (std::size_t pos = 0; pos < ende; ++pos) {
        for (const unsigned char wert : {0x00, 0xff}) {
            if (static_cast<unsigned char>(gut[pos]) == wert) continue;
            std::string d = gut;
            d[pos] = static_cast<char>(wert);
            std::string fehler;
            if (!ChmPruefen(d, nullptr, fehler)) continue;
            ++durchgelassen;
            if (pos < eintraegeEnde || pos >= a.Steuerung) OeffnenUndAllesLesen(ordner, d);
        }
    }
    // Timestamps, GUIDs, names and the spare room of the chunk may change without harm.
    EXPECT_GT(durchgelassen, 0u);
}

TEST_F(NvChmTest, RandomDamageAnywhereNeverCrashesTheReader) {
    const std::string gut = DateiInhalt(NvChm);
    std::mt19937 zufall(2001);
    TempOrdner ordner;
    for (int runde = 0; runde < 600; ++runde) {
        std::string d = gut;
        const int anzahl = 1 + static_cast<int>(zufall() % 8);
        for (int i = 0; i < anzahl; ++i)
            d[zufall() % d.size()] = static_cast<char>(zufall());
        OeffnenUndAllesLesen(ordner, d);
    }
}
