#include "datagen/build/SourceText.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/LexiconModel.h"

namespace pv {

std::string SourceLine::After(std::size_t n) const {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && i < words.size(); ++i) pos = text.find(words[i], pos) + words[i].size();
    return Trim(std::string_view(text).substr(pos));
}

SourceError SourceLine::Error(const std::string& message) const {
    return SourceError(file + ":" + std::to_string(number) + ": " + message);
}

int32_t SourceLine::Value(const AttributeInventory& inventory, const std::string& name) const {
    const int32_t id = inventory.ValueId(name);
    if (id < 0) throw Error("unknown value " + name);
    return id;
}

std::vector<int32_t> SourceLine::Values(const AttributeInventory& inventory, std::string_view names) const {
    std::vector<int32_t> ids;
    for (const std::string& name : Split(names, '+')) ids.push_back(Value(inventory, name));
    return ids;
}

int32_t SourceLine::Language(const std::string& code) const {
    const int32_t language = LanguageNumber(code);
    if (language < 0) throw Error("unknown language " + code);
    return language;
}

std::string Trim(std::string_view text) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream in{std::string(text)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool ParseInt(std::string_view text, int32_t& value) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::vector<SourceLine> SourceLines(const std::string& text, const std::string& file) {
    std::vector<SourceLine> lines;
    int number = 0;
    for (const std::string& raw : Split(text, '\n')) {
        ++number;
        std::string content = raw;
        std::size_t hash = content.find('#');
        while (hash != std::string::npos && hash > 0 && content[hash - 1] != ' ' && content[hash - 1] != '\t')
            hash = content.find('#', hash + 1);
        if (hash != std::string::npos) content.resize(hash);
        SourceLine line{file, number, Trim(content), {}};
        line.words = Words(line.text);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw SourceError("cannot read " + path);
    return content.str();
}

}  // namespace pv
