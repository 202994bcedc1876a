#include <algorithm>
#include <locale>

#include "textutil/TextConvert.h"

namespace pv {

char16_t* NewWideZ(std::u16string_view text) {
    auto* copy = new char16_t[text.size() + 1];
    std::copy(text.begin(), text.end(), copy);
    copy[text.size()] = 0;
    return copy;
}

char16_t* NewWideZ(const char16_t* text) {
    if (!text) return nullptr;
    return NewWideZ(std::u16string_view(text, WideZLength(text)));
}

void FreeWideZ(char16_t* text) { delete[] text; }

std::size_t WideZLength(const char16_t* text) {
    if (!text) return 0;
    std::size_t n = 0;
    while (text[n]) ++n;
    return n;
}

std::size_t WidePos(std::u16string_view needle, std::u16string_view text) {
    if (needle.empty()) return 1;
    std::size_t at = text.find(needle);
    return at == std::u16string_view::npos ? 0 : at + 1;
}

std::u16string WideCopy(std::u16string_view text, long start, long count) {
    if (count <= 0) return {};
    if (start < 1) start = 1;
    std::size_t from = static_cast<std::size_t>(start - 1);
    if (from >= text.size()) return {};
    return std::u16string(text.substr(from, static_cast<std::size_t>(count)));
}

void WideDelete(std::u16string& text, long start, long count) {
    if (start < 1) {
        count -= 1 - start;
        start = 1;
    }
    std::size_t from = static_cast<std::size_t>(start - 1);
    if (count <= 0 || from >= text.size()) return;
    text.erase(from, static_cast<std::size_t>(count));
}

std::u16string WideReplaceAll(std::u16string_view text, std::u16string_view find,
                              std::u16string_view replacement) {
    if (find.empty()) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (true) {
        std::size_t at = text.find(find, i);
        if (at == std::u16string_view::npos) break;
        out.append(text.substr(i, at - i));
        out.append(replacement);
        i = at + find.size();
    }
    out.append(text.substr(i));
    return out;
}

std::u16string WideTrim(std::u16string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] <= 0x20) ++b;
    while (e > b && text[e - 1] <= 0x20) --e;
    if (b == e && !text.empty()) return std::u16string(1, text.back());
    return std::u16string(text.substr(b, e - b));
}

std::u16string WideReverse(std::u16string_view text) {
    return std::u16string(text.rbegin(), text.rend());
}

int WideCompareN(std::u16string_view a, std::u16string_view b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        bool aEnds = i >= a.size(), bEnds = i >= b.size();
        if (aEnds || bEnds) return aEnds && bEnds ? 0 : (aEnds ? 2 : 1);
        if (a[i] != b[i]) return a[i] > b[i] ? 1 : 2;
    }
    return 0;
}

namespace {

// Unicode case tables of the C library's UTF-8 locale; the classic locale
// (ASCII only) where it is missing.
const std::ctype<wchar_t>& UnicodeCtype() {
    static const std::locale locale = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    return std::use_facet<std::ctype<wchar_t>>(locale);
}

}  // namespace

char16_t WideUpperChar(char16_t c) {
    if (c < 0x80) return c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c;
    wchar_t u = UnicodeCtype().toupper(static_cast<wchar_t>(c));
    return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

char16_t WideLowerChar(char16_t c) {
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    wchar_t l = UnicodeCtype().tolower(static_cast<wchar_t>(c));
    return l <= 0xFFFF ? static_cast<char16_t>(l) : c;
}

bool StartsWithCapital(std::u16string_view text) { return !text.empty() && WideLowerChar(text[0]) != text[0]; }

}  // namespace pv
