// Reads one named section out of an ELF file. The input is untrusted: every offset and size is
// checked against the data before it is used, and nothing is allocated beyond a caller's bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorin {

// Random access to bytes; a read that reaches outside the data fails as a whole.
class TByteQuelle {
public:
    virtual ~TByteQuelle() = default;
    virtual std::uint64_t Size() const = 0;
    virtual bool Read(std::uint64_t offset, void* ziel, std::size_t anzahl) const = 0;
};

// Bytes held in memory by the caller.
class TSpeicherQuelle : public TByteQuelle {
public:
    TSpeicherQuelle(const std::uint8_t* daten, std::size_t groesse)
        : FDaten(daten), FGroesse(groesse) {}
    std::uint64_t Size() const override { return FGroesse; }
    bool Read(std::uint64_t offset, void* ziel, std::size_t anzahl) const override;

private:
    const std::uint8_t* FDaten;
    std::size_t FGroesse;
};

// A regular file, opened read-only. Anything else (missing file, folder, pipe, device) stays
// closed, so a read never blocks.
class TDateiQuelle : public TByteQuelle {
public:
    explicit TDateiQuelle(const std::string& pfad);
    ~TDateiQuelle() override;
    TDateiQuelle(const TDateiQuelle&) = delete;
    TDateiQuelle& operator=(const TDateiQuelle&) = delete;

    bool Offen() const { return FDatei >= 0; }
    std::uint64_t Size() const override { return FGroesse; }
    bool Read(std::uint64_t offset, void* ziel, std::size_t anzahl) const override;

private:
    int FDatei = -1;
    std::uint64_t FGroesse = 0;
};

// The file content of the first section called name, for 32- and 64-bit ELF files of either byte
// order. Empty when the data is no ELF file, holds no such section, the section has no content
// in the file, or it is larger than maxGroesse. Section header and name tables larger than
// maxTabelle are refused as well.
std::optional<std::vector<std::uint8_t>> ElfAbschnittLesen(const TByteQuelle& quelle,
                                                           std::string_view name,
                                                           std::size_t maxGroesse,
                                                           std::size_t maxTabelle = 16u << 20);

} // namespace velorin
