// Contents (.hhc) and index (.hhk) files of a compiled help file: HTML lists of <OBJECT
// type="text/sitemap"> entries with the parameters "Name" and "Local", nested by <UL>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velorin {

struct TSitemapEintrag {
    std::string Name;  // UTF-8, entities resolved
    std::string Lokal; // the topic as written, e.g. "seite.htm#anker"; may be empty
    std::vector<TSitemapEintrag> Kinder;
};

// Bounds for any input: deeper lists are flattened, further entries dropped.
constexpr std::size_t SitemapTiefeMax = 16;
constexpr std::size_t SitemapEintraegeMax = 10000;

// Reads a contents or index file; any bytes give a (possibly empty) result.
std::vector<TSitemapEintrag> SitemapLesen(std::string_view text);

// UTF-8 stays as it is; text that is not valid UTF-8 is read as Windows-1252.
std::string AlsUtf8(std::string_view text);

// Resolves character references (&auml;, &#228;, &#xE4;, ...) into UTF-8; unknown ones stay.
std::string EntitaetenAufloesen(std::string_view text);

} // namespace velorin
