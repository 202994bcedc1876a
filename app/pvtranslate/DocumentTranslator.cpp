#include "app/pvtranslate/DocumentTranslator.h"

#include <mutex>

#include "engine/Engine.h"
#include "filters/FilterRun.h"
#include "filters/LineBreaks.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string FilterExtension(std::u16string_view filterName) {
    std::size_t open = filterName.rfind(u"(.");
    if (open == std::u16string_view::npos || filterName.empty() || filterName.back() != u')')
        return {};
    std::string extension;
    for (char16_t c : filterName.substr(open + 1, filterName.size() - open - 2)) {
        if (c > 0x7F) return {};
        extension += static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
    }
    return extension.size() > 1 ? extension : std::string();
}

bool TranslateDocument(const FilterLibrary& filter, std::string_view bytes, std::string_view name,
                       std::string& out, std::string& error) {
    const bool hasMark = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (hasMark) bytes.remove_prefix(kByteOrderMark.size());
    if (std::size_t bad = FindInvalidUtf8(bytes); bad != std::string_view::npos) {
        error = std::string(name) + ": not valid UTF-8 (byte " +
                std::to_string(bad + 1 + (hasMark ? kByteOrderMark.size() : 0)) + ")";
        return false;
    }
    const std::u16string text = Utf8Decode(bytes);
    const bool crLf = text.find(u"\r\n") != std::u16string::npos;

    FilterRunResult run;
    {
        // The whole run is one job of the engine, as in the window.
        std::lock_guard<std::recursive_mutex> lock(EngineLock());
        ResetEngine();
        run = RunFilter(filter, ToCrLf(text),
                        [](std::u16string_view unit) { return TranslateText(unit); });
    }
    if (!run.document) {
        error = std::string(name) + ": " + Utf8Encode(run.message);
        return false;
    }
    out.assign(hasMark ? kByteOrderMark : std::string_view());
    out += Utf8Encode(crLf ? *run.document : CrLfToLf(*run.document));
    return true;
}

}  // namespace pv
