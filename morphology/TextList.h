// Text lists: the text of a ".STR" list, decoded by its byte-order mark and
// split into lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

// FF FE: UTF-16LE; FE FF: UTF-16BE; EF BB BF: UTF-8 (malformed UTF-8 gives
// no lines); anything else: Windows-1251. Lines end at CR LF, CR or LF; a
// break at the very end adds no empty line. A lone last byte of UTF-16 text
// is dropped.
std::vector<std::u16string> DecodeTextList(std::string_view text);

// The lines of the text list container at path (its count is the number of
// bytes of text); none when the container is missing or damaged.
std::vector<std::u16string> LoadTextList(const std::string& path);

}  // namespace pv
