// Executables handed to the version reader may be truncated or hostile: neither the section
// search nor the block parser may read outside the input or allocate without bound.
#include "ElfAbschnitt.h"
#include "Versionsblock.h"

#include <cstddef>
#include <cstdint>

namespace {

void ListeBilden(const velorin::TVersionsBlock& block) {
    const auto zeilen = velorin::VersionsZeilen(block);
    velorin::ValueOf(zeilen, "Company Name");
    velorin::ValueOf(zeilen, "product name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velorin::TSpeicherQuelle quelle(data, size);
    if (auto abschnitt = velorin::ElfAbschnittLesen(quelle, velorin::VersionsAbschnitt,
                                                    velorin::VersionsMaxGroesse)) {
        if (auto block = velorin::VersionsBlockLesen(abschnitt->data(), abschnitt->size()))
            ListeBilden(*block);
    }
    // The block on its own, so that its parser is reached without a valid ELF around it.
    if (auto block = velorin::VersionsBlockLesen(data, size)) ListeBilden(*block);
    return 0;
}
