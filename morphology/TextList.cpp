#include "morphology/TextList.h"

#include "lexdb/Container.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        out[i] = static_cast<char16_t>(hi << 8 | lo);
    }
    return out;
}

std::u16string DecodeByMark(std::string_view text) {
    if (text.starts_with("\xFF\xFE")) return DecodeUtf16(text.substr(2), false);
    if (text.starts_with("\xFE\xFF")) return DecodeUtf16(text.substr(2), true);
    if (text.starts_with("\xEF\xBB\xBF")) return Utf8Decode(text.substr(3));
    return CyrillicToWide(text);
}

}  // namespace

std::vector<std::u16string> DecodeTextList(std::string_view text) {
    std::u16string decoded = DecodeByMark(text);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        char16_t c = decoded[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.push_back(decoded.substr(start, i - start));
        if (c == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < decoded.size()) lines.push_back(decoded.substr(start));
    return lines;
}

std::vector<std::u16string> LoadTextList(const std::string& path) {
    CountedBlock block = ReadCountedBlock(path);
    if (!block.complete) return {};
    return DecodeTextList(block.payload);
}

}  // namespace pv
