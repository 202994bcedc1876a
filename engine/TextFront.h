// Text operations of the engine front: typography, capitalisation and the
// marks that tag the words of batch entries.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// Em dash -> "-", right single quotation mark -> apostrophe.
std::u16string NormaliseTypography(std::u16string_view text);

// True when the text begins with U+0001 .. U+000A: it passes untranslated.
bool HasNoTranslateMark(std::u16string_view text);

// Upper-cases the first character after blanks, inverted question marks and
// the entry marks of the window's words.
std::u16string CapitaliseSegment(std::u16string_view text);

// Whether a sentence is open after text, when `open` told it before: text
// that ends with ".", "!", "?" or "…" (closing quotes and brackets aside)
// opens one, other text with a letter or digit closes it, and punctuation
// alone leaves it as it was. Entry marks do not count.
bool SentenceOpenAfter(std::u16string_view text, bool open);

std::u16string LowercaseFirst(std::u16string_view text);

// "##k!", the mark of batch entry k.
std::u16string EntryMark(int k);

// Drops every run from "##" to the next "!".
std::u16string StripEntryMarks(std::u16string_view text);

}  // namespace pv
