// Shared text conversions: Windows-1251 Bulgarian text, character
// references, UTF-8 and the 1-based UTF-16 string operations the engine uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pv {

// Bytes 0xC0..0xFF become А..я; every other byte keeps its value.
std::u16string CyrillicToWide(std::string_view text);

// Upper-cases ASCII letters and the Windows-1251 letters а..я.
std::string UpperCase8(std::string_view text);

// Every code unit as "&#N;".
std::string WebEncode(std::u16string_view text);

// Reads numeric and named character references back; never fails.
std::u16string WebDecode(std::u16string_view text);

// UTF-8 with surrogate pairs joined into four-byte sequences; a lone
// surrogate is written as a three-byte sequence of its own.
std::string Utf8Encode(std::u16string_view text);

// Lenient UTF-8 decoding: a cut-off or malformed sequence makes the whole
// result empty. Four-byte sequences become surrogate pairs.
std::u16string Utf8Decode(std::string_view bytes);

// Offset of the first byte that is not part of well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF); npos when valid.
std::size_t FindInvalidUtf8(std::string_view bytes);

// Zero-terminated copies handed across the plug-in interface; null stays null.
char16_t* NewWideZ(const char16_t* text);
char16_t* NewWideZ(std::u16string_view text);
void FreeWideZ(char16_t* text);
std::size_t WideZLength(const char16_t* text);

// 1-based UTF-16 operations.
std::size_t WidePos(std::u16string_view needle, std::u16string_view text);
std::u16string WideCopy(std::u16string_view text, long start, long count);
void WideDelete(std::u16string& text, long start, long count);
std::u16string WideReplaceAll(std::u16string_view text, std::u16string_view find,
                              std::u16string_view replacement);
std::u16string WideTrim(std::u16string_view text);
std::u16string WideReverse(std::u16string_view text);
// 0 equal, 1 when a is greater, 2 when b is greater.
int WideCompareN(std::u16string_view a, std::u16string_view b, std::size_t n);

// Unicode case mapping of one code unit (the platform's mapping).
char16_t WideUpperChar(char16_t c);
char16_t WideLowerChar(char16_t c);
// Whether the first code unit is a capital (changes under lower-casing).
bool StartsWithCapital(std::u16string_view text);

}  // namespace pv
