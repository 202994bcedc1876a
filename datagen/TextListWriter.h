// Writer of text lists: the exact inverse of morphology/TextList.h.
#pragma once

#include <string>
#include <vector>

namespace pv {

enum class TextListEncoding { Utf16LE, Utf16BE, Utf8, Windows1251 };

// The text of a list: a byte-order mark (none for Windows-1251), then every
// line followed by CR LF. Refuses a line holding CR or LF, and in
// Windows-1251 a character that the reader would not give back.
std::string EncodeTextList(const std::vector<std::u16string>& lines,
                           TextListEncoding encoding = TextListEncoding::Utf16LE);

}  // namespace pv
