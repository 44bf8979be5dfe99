// Context numbers of a compiled help file: the map /#IVB (pairs of context number and offset)
// points into the name table /#STRINGS, which names the topic file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velorin {

// The name stored for a context number, or nothing when the number is not mapped or the map is
// damaged.
std::optional<std::string> KontextEintrag(std::string_view ivb, std::string_view strings,
                                          std::uint32_t kontext);

// Object path of a stored topic name ("/seite.htm", with any "#anker" kept): the name itself
// when such an object exists, else the longest object path that is a suffix of the name (some
// compilers store the absolute path of the source folder). Nothing when neither exists.
std::optional<std::string> ThemaAufloesen(std::string_view eintrag,
                                          const std::function<bool(const std::string&)>& existiert);

// Object path in the file's spelling: forward slashes and a leading "/".
std::string ObjektPfad(std::string_view pfad);

} // namespace velorin
