#include <array>
#include <cstdint>
#include <utility>

#include "textutil/TextConvert.h"

namespace pv {

std::string WebEncode(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 7);
    for (char16_t u : text) {
        out += "&#";
        out += std::to_string(static_cast<unsigned>(u));
        out += ';';
    }
    return out;
}

namespace {

// The reference name upper-cased as UpperCase8 does in the Windows-1251
// code page: ASCII letters and а..я. Other characters keep their value.
std::u16string UpperName(const std::u16string& name) {
    std::u16string out(name);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z') c = char16_t(c - 0x20);
        else if (c >= 0x0430 && c <= 0x044F) c = char16_t(c - 0x20);
    }
    return out;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Reads a number as described for character references: optional blanks and
// sign, decimal digits or "$"/"X"/"x"/"0X" and hexadecimal digits. A number
// that stops before the end of the text is taken without its sign.
int64_t ReadReferenceNumber(std::u16string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    int base = 10;
    if (i < s.size() && (s[i] == u'$' || s[i] == u'X' || s[i] == u'x')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'X' || s[i + 1] == u'x')) {
        base = 16;
        i += 2;
    }
    uint32_t value = 0;  // wraps like a 32-bit accumulator
    for (; i < s.size(); ++i) {
        int d = base == 16 ? HexDigit(s[i]) : (s[i] >= u'0' && s[i] <= u'9' ? s[i] - u'0' : -1);
        if (d < 0) break;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    }
    bool cutShort = i < s.size();
    int64_t v = value;
    return negative && !cutShort ? -v : v;
}

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = char16_t(x - 0x20);
        if (y >= u'a' && y <= u'z') y = char16_t(y - 0x20);
        if (x != y) return false;
    }
    return true;
}

// Names are compared without regard to letter case, first row first, so
// "&agrave;" and "&Agrave;" both give à and the capital rows only catch
// names that no earlier row has.
const std::array<std::pair<std::u16string_view, std::u16string_view>, 30> kNamedReferences{{
    {u"uuml", u"ü"},     {u"auml", u"ä"},     {u"euml", u"ë"},     {u"iuml", u"ï"},
    {u"ouml", u"ö"},     {u"szlig", u"ß"},    {u"aacute", u"á"},   {u"eacute", u"é"},
    {u"iacute", u"í"},   {u"oacute", u"ó"},   {u"uacute", u"ú"},   {u"ntilde", u"ñ"},
    {u"yuml", u"ÿ"},     {u"agrave", u"à"},   {u"egrave", u"è"},   {u"igrave", u"ì"},
    {u"ograve", u"ò"},   {u"ugrave", u"ù"},   {u"acirc", u"â"},    {u"ecirc", u"ê"},
    {u"icirc", u"î"},    {u"ocirc", u"ô"},    {u"ucirc", u"û"},    {u"ccedil", u"ç"},
    {u"ACUTE", u"'"},    {u"AGRAVE", u"a"},   {u"ECIRC", u"e"},    {u"AELIG", u"AE"},
    {u"POUND", u"GBP"},  {u"#10063", u"*"},
}};

void WriteReference(const std::u16string& rawName, std::u16string& out) {
    std::u16string name = UpperName(rawName);
    if (name.size() < 2) {
        out += u'&';
        out += name;
        out += u' ';
        return;
    }
    int64_t number = ReadReferenceNumber(std::u16string_view(name).substr(1));
    if (number > 0) {
        out += static_cast<char16_t>(number & 0xFFFF);
        return;
    }
    for (const auto& [key, replacement] : kNamedReferences) {
        if (SameNameIgnoringCase(key, name)) {
            out += replacement;
            return;
        }
    }
    out += u'&';
    out += name;
    out += u' ';
}

}  // namespace

std::u16string WebDecode(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::u16string name;
    bool inReference = false;
    for (char16_t u : text) {
        if (u == u'&') {
            inReference = true;
        } else if (!inReference) {
            out += u;
        } else if (u == u' ' || u == u';') {
            WriteReference(name, out);
            name.clear();
            inReference = false;
        } else {
            name += u;
        }
    }
    return out;
}

}  // namespace pv
