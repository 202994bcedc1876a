#include "engine/TextFront.h"

#include <algorithm>

#include "engine/EngineState.h"
#include "textutil/TextConvert.h"

namespace pv {

std::u16string NormaliseTypography(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c == u'\u2014') c = u'-';
        else if (c == u'\u2019') c = u'\'';
    }
    return out;
}

bool HasNoTranslateMark(std::u16string_view text) {
    if (text.size() < 10) return false;
    for (char16_t i = 0; i < 10; ++i)
        if (text[i] != i + 1) return false;
    return true;
}

namespace {

// Length of a window word's mark that stands in the text at `at`, or 0.
std::size_t MarkAt(std::u16string_view text, std::size_t at) {
    for (const WordEntryArr& slot : Engine().Window) {
        const std::u16string& mark = slot.mark;
        if (!mark.empty() && text.compare(at, mark.size(), mark) == 0) return mark.size();
    }
    return 0;
}

}  // namespace

std::u16string CapitaliseSegment(std::u16string_view text) {
    if (text.empty()) return {};
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u' ' || text[i] == u'\u00BF') {
            ++i;
        } else if (std::size_t mark = MarkAt(text, i)) {
            i += mark;
        } else {
            break;
        }
    }
    if (i >= text.size()) return {};
    std::u16string out(text);
    out[i] = WideUpperChar(out[i]);
    return out;
}

bool SentenceOpenAfter(std::u16string_view text, bool open) {
    const std::u16string bare = StripEntryMarks(text);
    const std::u16string_view closing = u" )]}\"'»”’";
    const std::size_t last = bare.find_last_not_of(closing);
    if (last != std::u16string::npos &&
        std::u16string_view(u".!?…").find(bare[last]) != std::u16string_view::npos)
        return true;
    const bool wordy = std::any_of(bare.begin(), bare.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || WideUpperChar(c) != c || WideLowerChar(c) != c;
    });
    return wordy ? false : open;
}

std::u16string LowercaseFirst(std::u16string_view text) {
    std::u16string out(text);
    if (!out.empty()) out[0] = WideLowerChar(out[0]);
    return out;
}

std::u16string EntryMark(int k) {
    std::u16string mark = u"##";
    for (char c : std::to_string(k)) mark += static_cast<char16_t>(c);
    return mark + u"!";
}

std::u16string StripEntryMarks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, u"##") == 0) {
            std::size_t end = text.find(u'!', i + 2);
            if (end == std::u16string_view::npos) {  // not a mark: keep the text
                out.append(text.substr(i));
                break;
            }
            i = end + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace pv
