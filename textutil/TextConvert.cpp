#include "textutil/TextConvert.h"

namespace pv {

std::u16string CyrillicToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (unsigned char b : text)
        out.push_back(b >= 0xC0 ? char16_t(0x0410 + (b - 0xC0)) : char16_t(b));
    return out;
}

std::string UpperCase8(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        unsigned char b = static_cast<unsigned char>(ch);
        if ((b >= 0x61 && b <= 0x7A) || (b >= 0xA0 && b <= 0xBF) || b >= 0xE0)
            ch = static_cast<char>(b - 0x20);
    }
    return out;
}

}  // namespace pv
