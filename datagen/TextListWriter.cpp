#include "datagen/TextListWriter.h"

#include "datagen/ByteWriter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// The inverse of CyrillicToWide: А..я are bytes C0..FF, codes below C0 stay.
char ToWindows1251(char16_t c) {
    if (c >= u'А' && c <= u'я') return static_cast<char>(0xC0 + (c - u'А'));
    if (c < 0xC0) return static_cast<char>(c);
    throw WriterError("text list: character U+" + std::to_string(static_cast<unsigned>(c)) +
                      " has no Windows-1251 byte");
}

}  // namespace

std::string EncodeTextList(const std::vector<std::u16string>& lines, TextListEncoding encoding) {
    std::u16string text;
    for (const std::u16string& line : lines) {
        if (line.find_first_of(u"\r\n") != std::u16string::npos)
            throw WriterError("text list: a line holds a line break");
        text += line;
        text += u"\r\n";
    }
    ByteWriter out;
    switch (encoding) {
    case TextListEncoding::Utf16LE:
        out.Bytes("\xFF\xFE");
        out.Utf16(text);
        break;
    case TextListEncoding::Utf16BE:
        out.Bytes("\xFE\xFF");
        for (char16_t c : text) {
            out.U8(static_cast<uint8_t>(c >> 8));
            out.U8(static_cast<uint8_t>(c & 0xFF));
        }
        break;
    case TextListEncoding::Utf8:
        if (FindInvalidUtf8(Utf8Encode(text)) != std::string::npos)
            throw WriterError("text list: a line holds a lone surrogate");
        out.Bytes("\xEF\xBB\xBF");
        out.Bytes(Utf8Encode(text));
        break;
    case TextListEncoding::Windows1251: {
        std::string bytes;
        for (char16_t c : text) bytes += ToWindows1251(c);
        // A list that starts like a byte-order mark would be read as another encoding.
        if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
            bytes.starts_with("\xEF\xBB\xBF"))
            throw WriterError("text list: Windows-1251 text that begins like a byte-order mark");
        out.Bytes(bytes);
        break;
    }
    }
    return out.bytes();
}

}  // namespace pv
