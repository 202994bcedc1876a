// Character classes and the tokenizer: words, web addresses, numbers,
// single punctuation marks and single ideographs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pv {

bool IsLetter(char16_t c);
bool IsDigit(char16_t c);
bool IsPunctuation(char16_t c);
bool IsIdeograph(char16_t c);

// Advances the 1-based position p to the next character that can start a
// token, or to length + 1.
void SkipSeparators(std::u16string_view s, std::size_t& p);

// The token starting at the 1-based position p; p moves past it. Empty only
// at the end of the text or at a separator (callers skip separators first).
std::u16string NextToken(std::u16string_view s, std::size_t& p);

// True when every character is one of 0..9 (also for the empty text).
bool IsNumber(std::u16string_view text);

}  // namespace pv
