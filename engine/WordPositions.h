#pragma once

#include <string>

#include "engine/WordEntry.h"

namespace pv {

// Russian is only translated into: the readings of a word that reads in
// Bulgarian lose their Russian ones ("утре", tomorrow, is no case of the
// Russian "утро").
void DropRussianReadingsOfBulgarianWords(WordEntryArr& e);

// Appends the positions of one token to the window and raises N.
void AddWordToCurrentPhrase(const std::u16string& token, const std::u16string& mark);

}  // namespace pv
