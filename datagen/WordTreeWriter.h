// Writer of the stored word-form trie "DATA\WORDS.GLS" (the inverse of
// WordTree::LoadFromFile).
#pragma once

#include <string>

#include "lexdb/WordTree.h"

namespace pv {

// The decompressed content: page count, every page's entry count, then
// every page's entries. Throws WriterError for a tree that the reader would
// refuse (an unsorted page, a link to a missing page).
std::string WordTreeContent(const WordTree& tree);
void WriteWordTreeFile(const std::string& path, const WordTree& tree);

}  // namespace pv
