// Line reading for our readable sources under data/: '#' starts a comment,
// blank lines are skipped, words are separated by white space.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

class SourceError;
struct AttributeInventory;

struct SourceLine {
    std::string file;
    int number = 0;
    std::string text;                // without comment, trimmed
    std::vector<std::string> words;  // never empty

    // The text after the first n words.
    std::string After(std::size_t n) const;
    SourceError Error(const std::string& message) const;
    // The language number of a code on this line; throws Error for an
    // unknown code.
    int32_t Language(const std::string& code) const;
    // The value id of a value name of the inventory, and the ids of names
    // joined by "+", in their order; both throw Error for an unknown name.
    int32_t Value(const AttributeInventory& inventory, const std::string& name) const;
    std::vector<int32_t> Values(const AttributeInventory& inventory, std::string_view names) const;
};

std::vector<SourceLine> SourceLines(const std::string& text, const std::string& file);

std::string Trim(std::string_view text);
std::vector<std::string> Split(std::string_view text, char separator);
std::vector<std::string> Words(std::string_view text);
bool ParseInt(std::string_view text, int32_t& value);

// The whole content of a file; throws SourceError when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace pv
