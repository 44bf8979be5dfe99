// Settings files in the ini format: "[Section]" lines and "key=value" lines below them.
// Section and key names compare without regard to (ASCII) case. A write replaces the value in
// place and keeps every other byte of the file; each write reaches the disk at once through a
// temporary file that is renamed over the old one. Reading never fails: any missing or
// unreadable value yields the caller's default.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velorin {

// Raised when the system refuses a write; what() is "In <path> kann nicht geschrieben werden".
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& pfad);
};

// Reads a decimal integer or "0x" followed by hexadecimal digits (either with an optional sign),
// surrounding blanks allowed. Decimal values must fit into 32 bits signed; hexadecimal ones into
// 32 bits and are taken as their two's-complement bit pattern (0xFFFFFFFF is -1).
bool IniZahlLesen(std::string_view text, std::int32_t& zahl);

// The content of a settings file held in memory. Used for reading a whole file at once and for
// the in-place edit that a write performs.
class TIniText {
public:
    TIniText() = default;
    explicit TIniText(std::string text) : FText(std::move(text)) {}

    // The whole file; a missing or unreadable file (or anything but a regular file) is empty.
    static TIniText Laden(const std::string& pfad);

    const std::string& Text() const { return FText; }

    // The first value of the key in the first section of that name holding it.
    bool Lesen(std::string_view section, std::string_view key, std::string& wert) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view standard) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t standard) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // Replaces the value found by Lesen in place; otherwise adds the key at the end of the first
    // section of that name, or the section at the end of the text. Throws std::invalid_argument
    // for names or values the format cannot hold (line breaks, "]" in a section name, "=" in a
    // key, a key starting with "[" or ";").
    void WriteString(std::string_view section, std::string_view key, std::string_view wert);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t wert);

private:
    std::string FText;
};

// A settings file on disk. Every read looks at the file as it is now; every write rewrites it.
class TIniFile {
public:
    explicit TIniFile(std::string dateiName) : FFileName(std::move(dateiName)) {}

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view standard) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t standard) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // Throw EIniFileException when the file cannot be written; the old file then stays as it was.
    void WriteString(std::string_view section, std::string_view key, std::string_view wert);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t wert);

private:
    std::string FFileName;
};

} // namespace velorin
