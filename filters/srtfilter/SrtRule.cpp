// srtfilter: numbered subtitle blocks. A unit ends at a blank line, at the
// end of the text or before a line that starts with "-" (a new dialogue
// line); the number and timing lines at the start of a block are no part
// of it.
#include <optional>
#include <string>

#include "filters/PluginDocument.h"

namespace pv {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";
constexpr std::u16string_view kBlankLine = u"\r\n\r\n";

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

class SrtRule : public UnitRule {
public:
    std::optional<std::u16string> Scan(FilterDocument& doc) override {
        const long length = doc.Length();
        for (long from = doc.P;;) {
            std::u16string run;  // the line breaks that end at i
            long i = from;
            enum { kNone, kBlank, kEnd, kDash } ending = kNone;
            for (;; ++i) {
                char16_t c = doc.At(i);
                if (c == u'\r' || c == u'\n') {
                    run += c;
                } else if (c > u' ') {
                    run.clear();
                }
                // Blanks and tabs leave the run as it is, so that a line of
                // blanks between blocks still counts as a blank line.
                if (run == kBlankLine)
                    ending = kBlank;
                else if (i == length)
                    ending = kEnd;
                else if (run == kCrLf && doc.At(i + 1) == u'-')
                    ending = kDash;
                if (ending != kNone) break;
            }
            // The unit's text, and for the dash case its line break too, so
            // that a timing line cut off by a dialogue line is seen whole.
            long last = ending == kBlank ? i - 1 : i;
            std::u16string raw = doc.text.substr(static_cast<std::size_t>(from - 1),
                                                 static_cast<std::size_t>(last - from + 1));
            std::size_t stripped = 0;
            // Stray blank lines (or a byte-order mark) before a block would
            // hide its number line.
            while (stripped < raw.size() && (raw[stripped] <= u' ' || raw[stripped] == u'\uFEFF'))
                ++stripped;
            for (int header = 0; header < 2; ++header) {
                std::size_t lf = raw.find(u'\n', stripped);
                if (lf == std::u16string::npos || stripped >= raw.size() || !IsDigit(raw[stripped]))
                    break;
                stripped = lf + 1;
            }
            doc.S = from + static_cast<long>(stripped);
            doc.E = i + 1;
            blankLineFollows_ = ending == kBlank || ending == kEnd;
            if (ending == kDash && stripped == raw.size()) {
                // Only header lines before the first dialogue line: they are
                // kept as they are and the search goes on behind them.
                from = i + 1;
                doc.S = doc.E = from;
                if (from >= length) return std::nullopt;
                continue;
            }
            if (ending == kDash) raw.pop_back();
            return raw.substr(stripped);
        }
    }

    std::u16string WriteBackEnding() const override {
        return blankLineFollows_ ? std::u16string(kBlankLine) : std::u16string(kCrLf);
    }

private:
    bool blankLineFollows_ = false;
};

}  // namespace

UnitRule& ThisPluginRule() {
    static SrtRule rule;
    return rule;
}

const PluginIdentity& ThisPluginIdentity() {
    static const PluginIdentity identity = SubtitleFilterIdentity(u"Subtitles (.srt)");
    return identity;
}

}  // namespace pv
