#include "IniDatei.h"
#include "core/Zeichenketten.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorin {

EIniFileException::EIniFileException(const std::string& pfad)
    : std::runtime_error("In " + pfad + " kann nicht geschrieben werden") {}

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmen(std::string_view s) {
    while (!s.empty() && IstLeer(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IstLeer(s.back()))
        s.remove_suffix(1);
    return s;
}


int HexZiffer(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One line of the text: [anfang, ende) without its line break, which runs up to naechste.
struct TZeile {
    std::size_t Anfang;
    std::size_t Ende;
    std::size_t Naechste;
    bool Umbruch; // false for a last line without "\n"
};

enum class TZeilenArt { Sonstige, Section, Key };

struct TZeilenInhalt {
    TZeilenArt Art = TZeilenArt::Sonstige;
    std::string_view Name;  // section or key name, trimmed
    std::size_t WertAnfang; // offset of the first byte after "=" (keys only)
};

// Walks the text line by line; a line ends at "\n", and a "\r" before it is not content.
class TZeilenLeser {
public:
    explicit TZeilenLeser(std::string_view text) : FText(text) {
        if (FText.substr(0, Bom.size()) == Bom) FPos = Bom.size();
    }

    bool Naechste(TZeile& z) {
        if (FPos >= FText.size()) return false;
        std::size_t nl = FText.find('\n', FPos);
        z.Anfang = FPos;
        if (nl == std::string_view::npos) {
            z.Ende = FText.size();
            z.Naechste = FText.size();
            z.Umbruch = false;
        } else {
            z.Ende = nl;
            z.Naechste = nl + 1;
            z.Umbruch = true;
        }
        if (z.Ende > z.Anfang && FText[z.Ende - 1] == '\r') --z.Ende;
        FPos = z.Naechste;
        return true;
    }

private:
    std::string_view FText;
    std::size_t FPos = 0;
};

TZeilenInhalt Zerlegen(std::string_view text, const TZeile& z) {
    TZeilenInhalt inhalt;
    std::string_view zeile = text.substr(z.Anfang, z.Ende - z.Anfang);
    std::size_t ersterText = 0;
    while (ersterText < zeile.size() && IstLeer(zeile[ersterText]))
        ++ersterText;
    if (ersterText == zeile.size()) return inhalt;
    if (zeile[ersterText] == '[') {
        std::string_view name = zeile.substr(ersterText + 1);
        name = name.substr(0, name.find(']'));
        inhalt.Art = TZeilenArt::Section;
        inhalt.Name = Trimmen(name);
        return inhalt;
    }
    if (zeile[ersterText] == ';') return inhalt;
    std::size_t gleich = zeile.find('=');
    if (gleich == std::string_view::npos) return inhalt;
    inhalt.Art = TZeilenArt::Key;
    inhalt.Name = Trimmen(zeile.substr(0, gleich));
    inhalt.WertAnfang = z.Anfang + gleich + 1;
    return inhalt;
}

// Where a key stands, or where it would go.
struct TFundstelle {
    bool SectionGefunden = false;
    bool KeyGefunden = false;
    TZeile KeyZeile{};
    std::size_t WertAnfang = 0;
    // End (after the line break) of the last non-blank line of the first matching section.
    std::size_t SectionEnde = 0;
    // True when that line has no line break (it is the last line of the text).
    bool SectionEndeOhneUmbruch = false;
};

TFundstelle Suchen(std::string_view text, std::string_view section, std::string_view key) {
    section = Trimmen(section);
    key = Trimmen(key);
    TFundstelle f;
    TZeilenLeser leser(text);
    TZeile z;
    bool inSection = false;
    bool inErsterSection = false;
    while (leser.Naechste(z)) {
        TZeilenInhalt inhalt = Zerlegen(text, z);
        if (inhalt.Art == TZeilenArt::Section) {
            inErsterSection = false;
            inSection = GleichOhneFall(inhalt.Name, section);
            if (inSection && !f.SectionGefunden) {
                f.SectionGefunden = true;
                inErsterSection = true;
            }
        }
        if (inErsterSection && z.Ende > z.Anfang &&
            !Trimmen(text.substr(z.Anfang, z.Ende - z.Anfang)).empty()) {
            f.SectionEnde = z.Naechste;
            f.SectionEndeOhneUmbruch = !z.Umbruch;
        }
        if (inSection && inhalt.Art == TZeilenArt::Key && GleichOhneFall(inhalt.Name, key)) {
            f.KeyGefunden = true;
            f.KeyZeile = z;
            f.WertAnfang = inhalt.WertAnfang;
            return f;
        }
    }
    return f;
}

bool LetzteZeileLeer(std::string_view text) {
    if (text.substr(0, Bom.size()) == Bom) text.remove_prefix(Bom.size());
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    std::size_t nl = text.rfind('\n');
    std::string_view zeile = nl == std::string_view::npos ? text : text.substr(nl + 1);
    for (char c : zeile) {
        if (!IstLeer(c) && c != '\r') return false;
    }
    return true;
}

// What ends a last line that has no "\n": only that when it already ends with "\r".
std::string_view Abschluss(std::string_view text, std::string_view umbruch) {
    return !text.empty() && text.back() == '\r' ? "\n" : umbruch;
}

bool HatUmbruch(std::string_view s) {
    return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

void NamenPruefen(std::string_view section, std::string_view key, std::string_view wert) {
    std::string_view k = Trimmen(key);
    if (HatUmbruch(section) || section.find(']') != std::string_view::npos || HatUmbruch(key) ||
        key.find('=') != std::string_view::npos || k.empty() || k.front() == '[' ||
        k.front() == ';' || HatUmbruch(wert)) {
        throw std::invalid_argument("Ungültiger Abschnitt, Schlüssel oder Wert für die "
                                    "Einstellungsdatei");
    }
}

// The line break the file already uses; "\n" for a new file.
std::string_view Zeilenumbruch(std::string_view text) {
    std::size_t nl = text.find('\n');
    if (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r') return "\r\n";
    return "\n";
}

// Reads a regular file as a whole. False when it exists but cannot be read (or is no regular
// file); a missing file is empty and counts as read.
bool DateiLesen(const std::string& pfad, std::string& inhalt, bool& vorhanden, mode_t& modus) {
    inhalt.clear();
    vorhanden = false;
    // O_NONBLOCK: a FIFO under the settings name must not stall the program.
    int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT;
    vorhanden = true;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        modus = st.st_mode & 07777;
        if (st.st_size > 0) inhalt.reserve(static_cast<std::size_t>(st.st_size));
        char puffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, puffer, sizeof puffer);
            if (n > 0) {
                inhalt.append(puffer, static_cast<std::size_t>(n));
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                ok = false;
                break;
            }
        }
    }
    ::close(fd);
    if (!ok) inhalt.clear();
    return ok;
}

bool AllesSchreiben(int fd, const std::string& text) {
    std::size_t geschrieben = 0;
    while (geschrieben < text.size()) {
        ssize_t n = ::write(fd, text.data() + geschrieben, text.size() - geschrieben);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        geschrieben += static_cast<std::size_t>(n);
    }
    return true;
}

// The file the name stands for: a symbolic link is followed, so that the link survives.
std::string Ziel(const std::string& pfad) {
    struct stat st {};
    if (::lstat(pfad.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* echt = ::realpath(pfad.c_str(), nullptr);
        if (echt) {
            std::string ergebnis(echt);
            std::free(echt);
            return ergebnis;
        }
    }
    return pfad;
}

// Writes the text to a temporary file beside the target and renames it over the target, so
// the file is always either the old or the new one, never a half.
bool Ersetzen(const std::string& ziel, const std::string& text, bool vorhanden, mode_t modus) {
    static unsigned zaehler = 0;
    std::string temp;
    int fd = -1;
    for (int versuch = 0; versuch < 100 && fd < 0; ++versuch) {
        temp = ziel + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++zaehler);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok =
        (!vorhanden || ::fchmod(fd, modus) == 0) && AllesSchreiben(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), ziel.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    std::string ordner = ziel.substr(0, ziel.find_last_of('/') + 1);
    if (ordner.empty()) ordner = ".";
    int dfd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace

bool IniZahlLesen(std::string_view text, std::int32_t& zahl) {
    std::string_view s = Trimmen(text);
    bool negativ = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negativ = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        std::uint64_t wert = 0;
        for (char c : s) {
            int ziffer = HexZiffer(c);
            if (ziffer < 0) return false;
            wert = wert * 16 + static_cast<unsigned>(ziffer);
            if (wert > 0xFFFFFFFFu) return false;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(wert);
        if (negativ) bits = 0u - bits;
        zahl = static_cast<std::int32_t>(bits);
        return true;
    }
    std::int64_t wert = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        wert = wert * 10 + (c - '0');
        if (wert > std::int64_t{INT32_MAX} + 1) return false;
    }
    if (negativ) wert = -wert;
    if (wert > INT32_MAX || wert < INT32_MIN) return false;
    zahl = static_cast<std::int32_t>(wert);
    return true;
}

TIniText TIniText::Laden(const std::string& pfad) {
    std::string inhalt;
    bool vorhanden = false;
    mode_t modus = 0;
    DateiLesen(pfad, inhalt, vorhanden, modus);
    return TIniText(std::move(inhalt));
}

bool TIniText::Lesen(std::string_view section, std::string_view key, std::string& wert) const {
    TFundstelle f = Suchen(FText, section, key);
    if (!f.KeyGefunden) return false;
    wert = std::string(
        Trimmen(std::string_view(FText).substr(f.WertAnfang, f.KeyZeile.Ende - f.WertAnfang)));
    return true;
}

std::string TIniText::ReadString(std::string_view section, std::string_view key,
                                 std::string_view standard) const {
    std::string wert;
    if (Lesen(section, key, wert)) return wert;
    return std::string(standard);
}

std::int32_t TIniText::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t standard) const {
    std::string wert;
    std::int32_t zahl = 0;
    if (Lesen(section, key, wert) && IniZahlLesen(wert, zahl)) return zahl;
    return standard;
}

bool TIniText::SectionExists(std::string_view section) const {
    return Suchen(FText, section, {}).SectionGefunden;
}

bool TIniText::ValueExists(std::string_view section, std::string_view key) const {
    return Suchen(FText, section, key).KeyGefunden;
}

void TIniText::WriteString(std::string_view section, std::string_view key, std::string_view wert) {
    NamenPruefen(section, key, wert);
    TFundstelle f = Suchen(FText, section, key);
    std::string_view umbruch = Zeilenumbruch(FText);
    if (f.KeyGefunden) {
        // Only the value itself changes; the blanks around it stay as the user left them.
        std::size_t a = f.WertAnfang;
        std::size_t b = f.KeyZeile.Ende;
        while (a < b && IstLeer(FText[a]))
            ++a;
        while (b > a && IstLeer(FText[b - 1]))
            --b;
        FText.replace(a, b - a, wert);
        return;
    }
    std::string zeile(Trimmen(key));
    zeile += '=';
    zeile += wert;
    zeile += umbruch;
    if (f.SectionGefunden) {
        if (f.SectionEndeOhneUmbruch) zeile.insert(0, Abschluss(FText, umbruch));
        FText.insert(f.SectionEnde, zeile);
        return;
    }
    std::string neu;
    if (!FText.empty() && FText != Bom && FText.back() != '\n') neu += Abschluss(FText, umbruch);
    // A blank line between sections, unless the text ends with one already.
    if (!LetzteZeileLeer(FText)) neu += umbruch;
    neu += '[';
    neu += Trimmen(section);
    neu += ']';
    neu += umbruch;
    neu += zeile;
    FText += neu;
}

void TIniText::WriteInteger(std::string_view section, std::string_view key, std::int32_t wert) {
    WriteString(section, key, std::to_string(wert));
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view standard) const {
    return TIniText::Laden(FFileName).ReadString(section, key, standard);
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t standard) const {
    return TIniText::Laden(FFileName).ReadInteger(section, key, standard);
}

bool TIniFile::SectionExists(std::string_view section) const {
    return TIniText::Laden(FFileName).SectionExists(section);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return TIniText::Laden(FFileName).ValueExists(section, key);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view wert) {
    NamenPruefen(section, key, wert);
    std::string ziel = Ziel(FFileName);
    std::string inhalt;
    bool vorhanden = false;
    mode_t modus = 0;
    // A file that exists but cannot be read is not replaced: its content would be lost.
    if (!DateiLesen(ziel, inhalt, vorhanden, modus)) throw EIniFileException(FFileName);
    TIniText text(inhalt);
    text.WriteString(section, key, wert);
    if (vorhanden && text.Text() == inhalt) return;
    if (!Ersetzen(ziel, text.Text(), vorhanden, modus)) throw EIniFileException(FFileName);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t wert) {
    WriteString(section, key, std::to_string(wert));
}

} // namespace velorin
