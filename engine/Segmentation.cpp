#include "engine/Segmentation.h"

#include <array>
#include <cstdint>

namespace pv {

namespace {

enum : uint8_t { kLetter = 1, kDigit = 2, kPunct = 4, kIdeograph = 8 };

struct CharClasses {
    std::array<uint8_t, 0x10000> flags{};

    void Mark(std::u16string_view chars, uint8_t flag) {
        for (char16_t c : chars) flags[c] |= flag;
    }
    void MarkRange(char16_t from, char16_t to, uint8_t flag) {
        for (uint32_t c = from; c <= to; ++c) flags[c] |= flag;
    }

    CharClasses() {
        MarkRange(u'a', u'z', kLetter);
        MarkRange(u'A', u'Z', kLetter);
        MarkRange(0x0410, 0x044F, kLetter);  // А..я
        Mark(u"\u045D\u040D\u0451\u0401", kLetter);  // ѝ Ѝ ё Ё
        Mark(u"çİıöşiğüŞÇ", kLetter);  // capital Ğ is deliberately absent
        MarkRange(0x0391, 0x03AF, kLetter);
        MarkRange(0x03B1, 0x03CF, kLetter);
        Mark(u"ÀÁÂÈÉÊËÌÍÎÏÒÓÔÕÖœàáâèéêëìíîïòóôõöŒ", kLetter);
        Mark(u"ñÑÀÁÂÙÚÛ", kLetter);
        Mark(u"ßÄÖÜäöü", kLetter);
        Mark(u"\u0113\u00B2àáâãäèéêëìíîïòóôõöùúûü\u0160\u0161", kLetter);

        MarkRange(u'0', u'9', kDigit);

        Mark(u",-+'\"$.!?:;()\\/=%&|@{}[]<>_*#\u00A3\u20AC", kPunct);

        MarkRange(0x4E00, 0x9FA5, kIdeograph);
        Mark(u"\u3002\uFF0C\uFF1F", kIdeograph);
    }
};

const CharClasses& Classes() {
    static const CharClasses classes;
    return classes;
}

bool Has(char16_t c, uint8_t flag) { return (Classes().flags[c] & flag) != 0; }

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c; }

bool IsWebPrefix(std::u16string_view w) {
    static constexpr std::u16string_view kPrefixes[] = {u"HTTP:", u"HTTPS:", u"FTP:", u"FTP.",
                                                         u"WWW."};
    for (std::u16string_view prefix : kPrefixes) {
        if (prefix.size() != w.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < w.size() && same; ++i) same = UpperAscii(w[i]) == prefix[i];
        if (same) return true;
    }
    return false;
}

// Characters that a web address does not keep at its end (compared by the
// low 8 bits of the code).
bool IsAddressTrailer(char16_t c) {
    switch (c & 0xFF) {
        case '!': case ')': case '-': case '.': case '>': case '?':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsLetter(char16_t c) { return Has(c, kLetter); }
bool IsDigit(char16_t c) { return Has(c, kDigit); }
bool IsPunctuation(char16_t c) { return Has(c, kPunct); }
bool IsIdeograph(char16_t c) { return Has(c, kIdeograph); }

void SkipSeparators(std::u16string_view s, std::size_t& p) {
    while (p <= s.size()) {
        if (Classes().flags[s[p - 1]] != 0) return;
        ++p;
    }
}

std::u16string NextToken(std::u16string_view s, std::size_t& p) {
    const std::size_t a = p;
    while (p <= s.size()) {
        char16_t c = s[p - 1];
        ++p;
        if (IsIdeograph(c)) break;
        if (IsLetter(c)) continue;
        if ((c == u':' || c == u'.') && IsWebPrefix(s.substr(a - 1, p - a))) {
            while (p <= s.size() && s[p - 1] > 0x20) ++p;
            if (IsAddressTrailer(s[p - 2])) --p;
            break;
        }
        --p;
        break;
    }
    if (p == a) {
        while (p <= s.size() && IsDigit(s[p - 1])) ++p;
    }
    if (p == a && p <= s.size() && IsPunctuation(s[p - 1])) ++p;
    return std::u16string(s.substr(a - 1, p - a));
}

bool IsNumber(std::u16string_view text) {
    for (char16_t c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace pv
