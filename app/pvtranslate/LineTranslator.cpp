#include "app/pvtranslate/LineTranslator.h"

#include <istream>
#include <ostream>

#include "engine/Engine.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

bool IsBlank(std::u16string_view text) {
    for (char16_t c : text)
        if (c > 0x20) return false;
    return true;
}

}  // namespace

bool TranslateLines(std::istream& in, std::string_view name, std::ostream& out,
                    std::string& error) {
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        const bool hadNewline = !in.eof();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        std::string ending = hadNewline ? "\n" : "";
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            ending.insert(0, "\r");
        }
        if (std::size_t bad = FindInvalidUtf8(line); bad != std::string::npos) {
            error = std::string(name) + ":" + std::to_string(number) +
                    ": not valid UTF-8 (byte " + std::to_string(bad + 1) + " of the line)";
            return false;
        }
        std::u16string text = Utf8Decode(line);
        std::u16string translation = IsBlank(text) ? std::u16string() : TranslateText(text);
        if (IsBlank(translation)) translation.clear();
        out << Utf8Encode(translation) << ending;
        out.flush();
    }
    return true;
}

}  // namespace pv
