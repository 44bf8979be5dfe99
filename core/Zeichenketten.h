// Small text helpers shared by the file readers.
#pragma once

#include <cstddef>
#include <string_view>

namespace velorin {

// Compares ASCII letters without regard to case; every other byte must match exactly.
inline bool GleichOhneFall(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto klein = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (klein(a[i]) != klein(b[i])) return false;
    }
    return true;
}

} // namespace velorin
