#include <mutex>

#include "engine/ContextScoring.h"
#include "engine/Engine.h"
#include "engine/EngineState.h"
#include "engine/FixResult.h"
#include "engine/Segmentation.h"
#include "engine/SentenceDriver.h"
#include "engine/TextFront.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// output := trim(output + " " + r) + " ", without copying the whole output
// for every token.
void AppendSegmentText(std::u16string& output, const std::u16string& r) {
    output += u' ';
    output += r;
    std::size_t end = output.size();
    while (end > 0 && output[end - 1] <= 0x20) --end;
    std::size_t begin = 0;
    while (begin < end && output[begin] <= 0x20) ++begin;
    if (begin == end) {
        output.assign(1, output.back());  // a text of blanks keeps one
    } else {
        output.resize(end);
        output.erase(0, begin);
    }
    output += u' ';
}

std::u16string ProcessTokenGuarded(const std::u16string& token, const std::u16string& mark) {
    try {
        return ProcessToken(token, mark);
    } catch (const std::exception& e) {
        return u"!!! Not Translated !!! Exception " + Utf8Decode(e.what());
    } catch (...) {
        return u"!!! Not Translated !!! Exception ";
    }
}

// Passes every token of the text to the driver; at least one call, so an
// exhausted text ends with the empty token that flushes.
void TranslateTokens(std::u16string_view text, const std::u16string& mark,
                     std::u16string& output) {
    std::size_t p = 1;
    do {
        SkipSeparators(text, p);
        std::u16string token = NextToken(text, p);
        AppendSegmentText(output, ProcessTokenGuarded(token, mark));
    } while (p <= text.size());
}

std::u16string FixResultGuarded(const std::u16string& text, const char* operation) {
    try {
        return FixResult(text);
    } catch (const std::exception& e) {
        ShowErrorBox(u"Exception " + Utf8Decode(e.what()) + u" in " + Utf8Decode(operation));
        return WideTrim(text);
    }
}

}  // namespace

std::u16string TranslateText(std::u16string_view text) {
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    std::u16string normalised = NormaliseTypography(text);
    if (HasNoTranslateMark(normalised)) return normalised;
    normalised += u' ';
    BeginText();
    std::u16string output;
    TranslateTokens(normalised, {}, output);
    AppendSegmentText(output, ProcessTokenGuarded({}, {}));
    return FixResultGuarded(output, "TranslateText");
}

std::u16string TranslateEntry(std::u16string_view text, const std::u16string& mark) {
    std::u16string normalised = NormaliseTypography(WideTrim(text));
    std::u16string output;
    TranslateTokens(normalised, mark, output);
    return output;
}

void TranslateBatch(BatchEntries& entries) {
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    BeginText();
    std::u16string joined;
    int processed = 0;
    bool flushed = false;
    for (int k = 1; k <= kBatchEntries && !flushed; ++k) {
        const std::u16string& entry = entries[k - 1];
        std::u16string t = WideTrim(entry);
        joined += u' ';
        // The mark is looked for before trimming, which would remove it. The
        // words before the text are flushed first and the text carries its
        // entry's mark, so that every entry finds its own text in order.
        if (HasNoTranslateMark(entry)) {
            joined += TranslateEntry({}, {}) + u' ' + EntryMark(k) + entry;
        } else {
            joined += TranslateEntry(t, EntryMark(k));
        }
        processed = k;
        flushed = t.empty();
    }
    // Without an empty entry the window still holds words of the last
    // entries: flush them so that they reach their entries too.
    if (!flushed) joined += u' ' + TranslateEntry({}, {});
    for (int k = 1; k <= processed && !entries[k - 1].empty(); ++k)
        entries[k - 1] = ExtractEntryResult(joined, k);
}

std::u16string ExtractEntryResult(std::u16string& joined, int k) {
    const std::u16string own = EntryMark(k);
    std::size_t found = std::u16string::npos;
    for (int next = k + 1; next <= kBatchEntries + 1 && found == std::u16string::npos; ++next)
        found = joined.find(EntryMark(next));
    std::u16string result;
    if (found != std::u16string::npos) {
        result = StripEntryMarks(std::u16string_view(joined).substr(0, found));
        // The later mark stays: its entry finds its text from the front.
        joined.erase(0, found);
    } else {
        result = StripEntryMarks(joined);
        joined.clear();
    }
    for (std::size_t at = joined.find(own); at != std::u16string::npos; at = joined.find(own)) {
        joined.erase(at, own.size());
        std::size_t end = joined.find(u"##", at);
        std::size_t length = end == std::u16string::npos ? joined.size() - at : end - at;
        result += u' ' + StripEntryMarks(std::u16string_view(joined).substr(at, length));
        joined.erase(at, length);
    }
    return FixResultGuarded(WideTrim(result), "TranslateBatch") + u" ";
}

}  // namespace pv
