#include <cstdint>

#include "textutil/TextConvert.h"

namespace pv {

std::string Utf8Encode(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8Decode(std::string_view bytes) {
    // Never more code units than bytes: write through a pointer and cut to
    // size at the end.
    std::u16string out(bytes.size(), u'\0');
    char16_t* o = out.data();
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i++]);
        if (b < 0x80) {
            *o++ = char16_t(b);
            continue;
        }
        int follow;
        uint32_t c;
        if ((b & 0xF8) == 0xF0) {
            follow = 3;
            c = b & 0x07;
        } else if (b & 0x20) {
            follow = 2;
            c = b & 0x0F;
        } else {
            follow = 1;
            c = b & 0x3F;
        }
        if (bytes.size() - i < static_cast<std::size_t>(follow)) return {};
        for (int k = 0; k < follow; ++k) {
            unsigned char f = static_cast<unsigned char>(bytes[i++]);
            if (f < 0x80 || f > 0xBF) return {};
            c = (c << 6) | (f & 0x3F);
        }
        if (follow == 3) {
            if (c < 0x10000 || c > 0x10FFFF) return {};
            c -= 0x10000;
            *o++ = char16_t(0xD800 + (c >> 10));
            *o++ = char16_t(0xDC00 + (c & 0x3FF));
        } else {
            *o++ = char16_t(c);
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::size_t FindInvalidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b < 0x80) len = 1;
        else if (b >= 0xC2 && b <= 0xDF) len = 2;
        else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else return i;
        if (bytes.size() - i < len) return i;
        for (std::size_t k = 1; k < len; ++k) {
            unsigned char f = static_cast<unsigned char>(bytes[i + k]);
            unsigned char min = k == 1 ? lo : 0x80, max = k == 1 ? hi : 0xBF;
            if (f < min || f > max) return i;
        }
        i += len;
    }
    return std::string_view::npos;
}

}  // namespace pv
