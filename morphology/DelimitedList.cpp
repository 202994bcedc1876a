#include "morphology/DelimitedList.h"

#include <charconv>

namespace pv {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }

}  // namespace

std::vector<std::string> SplitDelimited(std::string_view text, char delimiter) {
    // A 0 byte ends the text.
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> fields;
    std::size_t p = 0, n = text.size();
    auto skipBlanks = [&] {
        while (p < n && IsBlank(text[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
        std::string field;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        field += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += text[p++];
            }
        } else {
            std::size_t start = p;
            while (p < n && !IsBlank(text[p]) && text[p] != delimiter) ++p;
            field.assign(text.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (p < n && text[p] == delimiter) {
            ++p;
            if (p == n) fields.emplace_back();
            skipBlanks();
        }
    }
    return fields;
}

WordArray ParseIdList(std::string_view text) {
    WordArray ids;
    for (const std::string& item : SplitDelimited(text, ';')) {
        int32_t value = 0;
        const char* begin = item.data();
        const char* end = begin + item.size();
        if (begin != end && *begin == '+') ++begin;
        auto [rest, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc() || rest != end) value = 0;
        ids.push_back(value);
    }
    return ids;
}

std::string JoinIdList(const WordArray& ids) {
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) text += ';';
        text += std::to_string(ids[i]);
    }
    return text;
}

}  // namespace pv
