// The tools for people who work on the dictionary data: the readings of
// every token of a text (--analyse) and the forms of a word (--forms).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace pv {

// True when dataDir holds a DATA folder; otherwise error names the folder.
bool FindDataFolder(const std::string& dataDir, std::string& error);

// Loads the attribute definitions, inflection tables, spelling fixes,
// lexicon and word-form trie of dataDir (the folder holding DATA). False,
// with error naming the folder and what is wrong, when the DATA folder is
// missing or a table cannot be loaded.
bool LoadAnalysisTables(const std::string& dataDir, std::string& error);

// For each token of text: the token, then every reading with word id,
// form, part of speech, language, weight and values with their labels; an
// unknown word that translation cuts into parts, each part ("  part P")
// with its readings indented further.
void WriteAnalysis(std::u16string_view text, std::ostream& out);

// The rows of the word-forms listing, labels and form separated by a tab;
// an empty line between two words. onlyLanguage 0: forms of every word.
void WriteWordForms(std::u16string_view word, int32_t onlyLanguage, std::ostream& out);

}  // namespace pv
