#include "IniDatei.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace velorin;

namespace {

std::string Lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Schreiben(const std::string& pfad, const std::string& text) {
    std::ofstream f(pfad, std::ios::binary);
    f << text;
}

std::vector<std::string> Eintraege(const std::string& ordner) {
    std::vector<std::string> namen;
    if (DIR* d = ::opendir(ordner.c_str())) {
        while (dirent* e = ::readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != "..") namen.push_back(n);
        }
        ::closedir(d);
    }
    return namen;
}

class IniDateiTest : public ::testing::Test {
protected:
    void SetUp() override {
        char muster[] = "/tmp/velorin-ini-XXXXXX";
        ASSERT_NE(::mkdtemp(muster), nullptr);
        FOrdner = muster;
        FPfad = FOrdner + "/Navolet.ini";
    }
    void TearDown() override {
        ::chmod(FOrdner.c_str(), 0700);
        std::string befehl = "rm -rf '" + FOrdner + "'";
        ASSERT_EQ(std::system(befehl.c_str()), 0);
    }
    std::string FOrdner;
    std::string FPfad;
};

} // namespace

TEST(IniText, ReadsValuesByCaseInsensitiveNames) {
    const std::string text = "\xEF\xBB\xBF[frmNavolet]\r\n"
                             "  WindowState = 7 \r\n"
                             "Left=100\r\n"
                             "no equals sign here\r\n"
                             "; Width=1\r\n"
                             "Width=0x320\r\n"
                             "Leer=\r\n"
                             "Top=1\r\n"
                             "Top=2\r\n"
                             "\r\n"
                             "[StatusColors]\r\n"
                             "CI_undef=16711680\r\n"
                             "[FRMNAVOLET]\r\n"
                             "Top=3\r\n"
                             "Height=600\r\n"
                             "[ohne Ende\n"
                             "a=b=c";
    const struct {
        const char* section;
        const char* key;
        bool gefunden;
        const char* wert;
    } faelle[] = {
        {"frmnavolet", "windowstate", true, "7"},
        {"FRMNAVOLET", "LEFT", true, "100"},
        {"frmNavolet", "Width", true, "0x320"},
        {"frmNavolet", "Leer", true, ""},
        {"frmNavolet", "Top", true, "1"},      // first of duplicate keys
        {"frmNavolet", "Height", true, "600"}, // from the second section of that name
        {"frmNavolet", "no equals sign here", false, ""},
        {"frmNavolet", "; Width", false, ""}, // a comment line
        {"statuscolors", "ci_UNDEF", true, "16711680"},
        {"StatusColors", "Left", false, ""},
        {"ohne Ende", "a", true, "b=c"}, // the first "=" splits
        {"fehlt", "Left", false, ""},
    };
    TIniText ini(text);
    for (const auto& f : faelle) {
        std::string wert;
        EXPECT_EQ(ini.Lesen(f.section, f.key, wert), f.gefunden) << f.section << "/" << f.key;
        if (f.gefunden) {
            EXPECT_EQ(wert, f.wert) << f.section << "/" << f.key;
        }
        EXPECT_EQ(ini.ValueExists(f.section, f.key), f.gefunden);
    }
    EXPECT_TRUE(ini.SectionExists("STATUSCOLORS"));
    EXPECT_TRUE(ini.SectionExists(" frmNavolet "));
    EXPECT_FALSE(ini.SectionExists("fehlt"));
    EXPECT_EQ(ini.ReadString("fehlt", "x", "standard"), "standard");
}

TEST(IniText, KeysBeforeAnySectionBelongToNone) {
    TIniText ini("Left=5\n[a]\nx=1\n");
    EXPECT_FALSE(ini.ValueExists("", "Left"));
    EXPECT_EQ(ini.ReadInteger("a", "x", 0), 1);
}

TEST(IniText, IntegersAreDecimalOrHexadecimal) {
    const struct {
        const char* text;
        bool ok;
        std::int32_t zahl;
    } faelle[] = {
        {"800", true, 800},
        {"0x320", true, 800},
        {"0X320", true, 800},
        {" -15 ", true, -15},
        {"+3", true, 3},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"99999999999999999999999", false, 0},
        {"0xFFFFFFFF", true, -1},
        {"0x1FFFFFFFF", false, 0},
        {"-0x10", true, -16},
        {"0x", false, 0},
        {"0x1g", false, 0},
        {"abc", false, 0},
        {"1.5", false, 0},
        {"1 2", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$FF", false, 0},
    };
    for (const auto& f : faelle) {
        std::int32_t zahl = 12345;
        EXPECT_EQ(IniZahlLesen(f.text, zahl), f.ok) << f.text;
        if (f.ok) {
            EXPECT_EQ(zahl, f.zahl) << f.text;
        }
        TIniText ini(std::string("[s]\nk=") + f.text + "\n");
        EXPECT_EQ(ini.ReadInteger("s", "k", 42), f.ok ? f.zahl : 42) << f.text;
    }
}

TEST(IniText, WriteChangesOnlyTheValue) {
    const struct {
        std::string vorher;
        const char* section;
        const char* key;
        const char* wert;
        std::string nachher;
    } faelle[] = {
        // replaced in place, the rest of the line and the file kept
        {"; x\n[A]\nk = 1  \nm=2\n", "a", "K", "33", "; x\n[A]\nk = 33  \nm=2\n"},
        {"[A]\nk=\n", "A", "k", "v", "[A]\nk=v\n"},
        // the first of duplicate sections and keys
        {"[A]\nk=1\nk=2\n[a]\nk=3\n", "A", "k", "9", "[A]\nk=9\nk=2\n[a]\nk=3\n"},
        {"[A]\n[B]\nx=1\n[a]\nk=3\n", "A", "k", "9", "[A]\n[B]\nx=1\n[a]\nk=9\n"},
        // a new key after the last line of its section, before the blank line
        {"[A]\nk=1\n\n[B]\nx=1\n", "A", "neu", "2", "[A]\nk=1\nneu=2\n\n[B]\nx=1\n"},
        {"[A]\nk=1", "A", "neu", "2", "[A]\nk=1\nneu=2\n"},
        {"[A]\r", "A", "neu", "2", "[A]\r\nneu=2\n"},
        {"[A]\n[B]\n", "a", "neu", "2", "[A]\nneu=2\n[B]\n"},
        // a new section at the end
        {"", "S", "k", "1", "[S]\nk=1\n"},
        {"[A]\nk=1\n", "S", "k", "1", "[A]\nk=1\n\n[S]\nk=1\n"},
        {"[A]\nk=1", "S", "k", "1", "[A]\nk=1\n\n[S]\nk=1\n"},
        {"[A]\nk=1\n\n", "S", "k", "1", "[A]\nk=1\n\n[S]\nk=1\n"},
        {"\xEF\xBB\xBF", "S", "k", "1", "\xEF\xBB\xBF[S]\nk=1\n"},
        // the file's own line breaks
        {"[A]\r\nk=1\r\n", "A", "k", "2", "[A]\r\nk=2\r\n"},
        {"[A]\r\nk=1\r\n", "A", "m", "2", "[A]\r\nk=1\r\nm=2\r\n"},
        {"[A]\r\nk=1\r\n", "B", "m", "2", "[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n"},
        // bytes that are no ini at all stay as they are
        {std::string("\0\xff\x01junk", 7), "S", "k", "1",
         std::string("\0\xff\x01junk\n\n[S]\nk=1\n", 17)},
    };
    for (const auto& f : faelle) {
        TIniText ini(f.vorher);
        ini.WriteString(f.section, f.key, f.wert);
        EXPECT_EQ(ini.Text(), f.nachher) << f.vorher;
        EXPECT_EQ(ini.ReadString(f.section, f.key, "?"), f.wert) << f.vorher;
    }
}

TEST(IniText, RefusesWhatTheFormatCannotHold) {
    const struct {
        const char* section;
        const char* key;
        const char* wert;
    } faelle[] = {
        {"a]b", "k", "v"}, {"a\nb", "k", "v"}, {"s", "k=1", "v"}, {"s", "k\r", "v"},
        {"s", "", "v"},    {"s", " ", "v"},    {"s", "[k", "v"},  {"s", ";k", "v"},
        {"s", "k", "v\n"}, {"s", "k", "a\rb"},
    };
    for (const auto& f : faelle) {
        TIniText ini("[s]\nk=1\n");
        EXPECT_THROW(ini.WriteString(f.section, f.key, f.wert), std::invalid_argument)
            << f.section << "/" << f.key;
        EXPECT_EQ(ini.Text(), "[s]\nk=1\n");
    }
}

TEST_F(IniDateiTest, FirstWriteCreatesTheFileAndEachWriteReachesIt) {
    TIniFile ini(FPfad);
    EXPECT_EQ(ini.FileName(), FPfad);
    EXPECT_EQ(ini.ReadInteger("frmNavolet", "Width", 749), 749);
    EXPECT_FALSE(ini.SectionExists("frmNavolet"));
    ini.WriteInteger("frmNavolet", "WindowState", 0);
    EXPECT_EQ(Lesen(FPfad), "[frmNavolet]\nWindowState=0\n");
    ini.WriteInteger("frmNavolet", "Left", -20);
    EXPECT_EQ(Lesen(FPfad), "[frmNavolet]\nWindowState=0\nLeft=-20\n");
    ini.WriteString("FRMNAVOLET", "windowstate", "1");
    EXPECT_EQ(Lesen(FPfad), "[frmNavolet]\nWindowState=1\nLeft=-20\n");
    EXPECT_EQ(TIniFile(FPfad).ReadInteger("frmnavolet", "left", 0), -20);
    EXPECT_TRUE(ini.ValueExists("frmNavolet", "Left"));
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(Eintraege(FOrdner), std::vector<std::string>{"Navolet.ini"});
}

TEST_F(IniDateiTest, WritingKeepsEveryOtherByte) {
    const std::string status = "[StatusColors]\r\nCI_undef=16711680\r\nLinienbreiteNord=3\r\n";
    // Binary junk, a line without "=", a duplicate section and a huge tail.
    std::string vorher = std::string("\x01\x02\0\xfe\n", 5) + status + "ohne Gleichheitszeichen\n" +
                         "[frmNavolet]\nWidth=abc\n[frmNavolet]\nWidth=5\n";
    std::string schwanz;
    for (int i = 0; i < 200000; ++i)
        schwanz += "[S" + std::to_string(i % 1000) + "]\nk" + std::to_string(i) + "=x\n";
    vorher += schwanz;
    Schreiben(FPfad, vorher);
    ::chmod(FPfad.c_str(), 0640);

    TIniFile ini(FPfad);
    EXPECT_EQ(ini.ReadInteger("frmNavolet", "Width", 749), 749);
    ini.WriteInteger("frmNavolet", "Width", 800);
    ini.WriteInteger("frmNavolet", "Height", 600);

    std::string erwartet = vorher;
    erwartet.replace(erwartet.find("Width=abc"), 9, "Width=800\nHeight=600");
    EXPECT_EQ(Lesen(FPfad), erwartet);
    struct stat st {};
    ASSERT_EQ(::stat(FPfad.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(IniDateiTest, ReadsNeverFailWhateverTheFile) {
    // A folder, a FIFO (which must not block) and a missing file all read as empty.
    const std::string ordner = FOrdner + "/ordner.ini";
    const std::string fifo = FOrdner + "/fifo.ini";
    ASSERT_EQ(::mkdir(ordner.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& pfad : {ordner, fifo, FOrdner + "/fehlt.ini"}) {
        TIniFile ini(pfad);
        EXPECT_EQ(ini.ReadInteger("a", "b", 7), 7);
        EXPECT_EQ(ini.ReadString("a", "b", "x"), "x");
        EXPECT_FALSE(ini.SectionExists("a"));
    }
}

TEST_F(IniDateiTest, RefusedWriteRaisesTheErrorAndKeepsTheFile) {
    // Places that cannot take the file even for root: below a regular file, a folder in its
    // place, a FIFO in its place.
    Schreiben(FOrdner + "/datei", "x");
    const std::string ordner = FOrdner + "/ordner.ini";
    const std::string fifo = FOrdner + "/fifo.ini";
    ASSERT_EQ(::mkdir(ordner.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& pfad : {FOrdner + "/datei/Navolet.ini", ordner, fifo}) {
        try {
            TIniFile(pfad).WriteInteger("a", "b", 1);
            ADD_FAILURE() << pfad;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "In " + pfad + " kann nicht geschrieben werden");
        }
    }
    EXPECT_EQ(Eintraege(FOrdner).size(), 3u); // no temporary file left behind
}

TEST_F(IniDateiTest, ReadOnlyFolderKeepsTheFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    Schreiben(FPfad, "[StatusColors]\nCI_undef=1\n");
    ASSERT_EQ(::chmod(FOrdner.c_str(), 0500), 0);
    EXPECT_THROW(TIniFile(FPfad).WriteInteger("StatusColors", "CI_undef", 2), EIniFileException);
    EXPECT_EQ(Lesen(FPfad), "[StatusColors]\nCI_undef=1\n");
}

TEST_F(IniDateiTest, WritesThroughASymbolicLink) {
    const std::string ziel = FOrdner + "/echt.ini";
    Schreiben(ziel, "[a]\nk=1\n");
    ASSERT_EQ(::symlink(ziel.c_str(), FPfad.c_str()), 0);
    TIniFile(FPfad).WriteInteger("a", "k", 2);
    struct stat st {};
    ASSERT_EQ(::lstat(FPfad.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Lesen(ziel), "[a]\nk=2\n");
}
