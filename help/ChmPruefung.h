// Structure check of a compiled help file (CHM, "ITSF" container) before chmlib reads it.
// chmlib trusts the sizes, offsets and chunk links of the file; a damaged file can make it read
// beyond its buffers, divide by zero or loop for ever. The check walks the same structures with
// every value bounded and lets only files through on which chmlib's paths stay in bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velorin {

// Larger files are not taken for help files.
constexpr std::size_t ChmMaxDateiGroesse = std::size_t{64} << 20;

// One entry of the file's directory listing.
struct TChmEintrag {
    std::string Pfad;        // as stored, cut at the first NUL ("/seite.htm", "::DataSpace/...")
    std::uint64_t Bereich{}; // 0 uncompressed, 1 compressed
    std::uint64_t Start{};
    std::uint64_t Laenge{};
};

// Checks the bytes of a whole file. True when chmlib can open and read it safely; otherwise false
// with a short German reason in fehler. eintraege (may be null) receives every directory entry.
bool ChmPruefen(std::string_view daten, std::vector<TChmEintrag>* eintraege, std::string& fehler);

} // namespace velorin
