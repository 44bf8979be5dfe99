// The version block that the build places in every executable of the project, and the services
// that read it: the four file-version numbers and the program's version list.
//
// The block lies in the ELF section ".velorin.version". All numbers are little-endian:
//
//   offset  size  content
//        0     8  "VELVINFO"
//        8     4  length of the whole block in bytes, this header included
//       12     4  format number, 1
//       16     4  file version, high word: major << 16 | minor
//       20     4  file version, low word: release << 16 | build
//       24     4  product version, high word
//       28     4  product version, low word
//       32     4  number of string tables
//       36        the string tables, one after the other:
//                   2 language, 2 code page, 4 number of entries,
//                   then per entry: 2 key length, 2 value length, key bytes, value bytes
//
// Keys and values are UTF-8 without a terminating zero, whatever the code page says; the code
// page only names the table. A value ends at its first zero byte, if any.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velorin {

inline constexpr char VersionsAbschnitt[] = ".velorin.version";
inline constexpr char VersionsMagic[] = "VELVINFO";
inline constexpr std::uint32_t VersionsFormat = 1;
inline constexpr std::size_t VersionsKopfGroesse = 36;
// No block of ours comes near this; a larger section is not read.
inline constexpr std::size_t VersionsMaxGroesse = 1u << 20;

// The string table that the version list is read from: German (Germany), Windows-1252.
inline constexpr std::uint16_t VersionsSprache = 0x0407;
inline constexpr std::uint16_t VersionsCodePage = 0x04E4;

struct TVersionsTabelle {
    std::uint16_t Sprache = 0;
    std::uint16_t CodePage = 0;
    std::vector<std::pair<std::string, std::string>> Werte;
};

struct TVersionsBlock {
    std::uint32_t FileVersionMS = 0;
    std::uint32_t FileVersionLS = 0;
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
    std::vector<TVersionsTabelle> Tabellen;
};

// Parses a block. Empty when the fixed part is missing or damaged. A damaged string table ends
// the reading there: the tables and entries before it are kept.
std::optional<TVersionsBlock> VersionsBlockLesen(const std::uint8_t* daten, std::size_t groesse);

// The value of key (compared without regard to ASCII case) in the first table for this language
// and code page; null when there is none.
const std::string* VersionsWert(const TVersionsBlock& block, std::uint16_t sprache,
                                std::uint16_t codePage, std::string_view key);

// The version list lines ("Display Name=value") that a block yields, in list order.
std::vector<std::string> VersionsZeilen(const TVersionsBlock& block);

// The block of an executable file; empty when the file has none that can be read.
std::optional<TVersionsBlock> VersionsBlockAusDatei(const std::string& pfad);

// ---- Shell services ----

// Major, minor, release and build number of a file version, each a 16-bit value.
struct TFileVersionNumbers {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;
};

// True when the file carries a version block; numbers are left untouched otherwise.
bool ReadFileVersionNumbers(const std::string& fileName, TFileVersionNumbers& numbers) noexcept;

// Replaces the list's content with the version lines ("Display Name=value") of the running
// program. A program without a version block gets the single line "No FileVersionInfo found".
// False only when an error interrupted the reading; the lines added until then stay.
bool LoadVersionInfo(std::vector<std::string>& list) noexcept;

// The same for the executable file at pfad.
bool LoadVersionInfoFrom(const std::string& pfad, std::vector<std::string>& list) noexcept;

// Name=value look-up in a list of lines: the name is the text before the first "=" and compares
// without regard to ASCII case; the result is everything after that "=", or empty when no line
// has the name.
std::string ValueOf(const std::vector<std::string>& list, std::string_view name);

} // namespace velorin
