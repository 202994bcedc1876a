#include "integrations/FormBody.h"

namespace pv {

namespace {

constexpr char kDelimiter = '&';
constexpr char kQuote = '"';

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

void SkipBlanks(std::string_view body, std::size_t& p) {
    while (p < body.size() && IsBlank(body[p])) ++p;
}

// Reads a quoted parameter starting at the opening mark; p ends after the
// closing mark (or at the end of the body).
std::string ReadQuoted(std::string_view body, std::size_t& p) {
    std::string out;
    ++p;
    while (p < body.size()) {
        char c = body[p++];
        if (c != kQuote) {
            out += c;
        } else if (p < body.size() && body[p] == kQuote) {
            out += kQuote;
            ++p;
        } else {
            break;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::vector<std::string> SplitParameters(std::string_view body) {
    std::vector<std::string> parameters;
    std::size_t p = 0;
    SkipBlanks(body, p);
    while (p < body.size()) {
        if (body[p] == kQuote) {
            parameters.push_back(ReadQuoted(body, p));
        } else {
            std::size_t start = p;
            while (p < body.size() && !IsBlank(body[p]) && body[p] != kDelimiter) ++p;
            parameters.emplace_back(body.substr(start, p - start));
        }
        SkipBlanks(body, p);
        if (p < body.size() && body[p] == kDelimiter) {
            if (p + 1 == body.size()) parameters.emplace_back();
            ++p;
            SkipBlanks(body, p);
        }
    }
    return parameters;
}

std::string UrlDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c != '%') {
            out += c;
        } else {
            int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
            int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
            int value = high >= 0 && low >= 0 ? high * 16 + low : 0;
            if (value != 0) out += static_cast<char>(value);
            i += std::min<std::size_t>(2, text.size() - 1 - i);
        }
    }
    return out;
}

std::string PercentEncodeAll(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        out += '%';
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
    }
    return out;
}

std::string JoinItems(const std::vector<std::string>& items) {
    if (items.size() == 1 && items[0].empty()) return std::string(2, kQuote);
    std::string body;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) body += kDelimiter;
        const std::string& item = items[i];
        bool quote = false;
        for (char c : item) quote = quote || IsBlank(c) || c == kQuote || c == kDelimiter;
        if (!quote) {
            body += item;
            continue;
        }
        body += kQuote;
        for (char c : item) {
            body += c;
            if (c == kQuote) body += kQuote;
        }
        body += kQuote;
    }
    return body;
}

}  // namespace pv
