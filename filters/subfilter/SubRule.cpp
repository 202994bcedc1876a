// subfilter: frame-numbered subtitle lines such as "{100}{200}Hello|World".
// A unit is the text outside braces up to the end of its line or up to the
// next "{"; "|" separates the displayed lines of one subtitle.
#include <optional>
#include <string>

#include "filters/PluginDocument.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

class SubRule : public UnitRule {
public:
    std::optional<std::u16string> Scan(FilterDocument& doc) override {
        const long length = doc.Length();
        std::u16string raw;
        bool withinBraces = false;
        long i = doc.P;
        while (i <= length) {
            const char16_t c = doc.At(i);
            if (c == u'{') {
                withinBraces = true;
            } else if (c == u'}') {
                doc.S = i + 1;
                withinBraces = false;
            }
            if (!withinBraces && c != u'}') raw += c;
            // A "{" after some text begins the next unit.
            if (!(c == u'{' && !raw.empty())) ++i;
            if ((c == u'\n' && !withinBraces) || (withinBraces && !raw.empty())) break;
        }
        doc.E = i;
        // A brace left open to the end holds no text; its span must not be
        // replaced, or the rest of the document would go with it.
        if (withinBraces && raw.empty()) {
            doc.S = doc.E = length + 1;
            return std::nullopt;
        }
        return WideReplaceAll(raw, u"|", u" ");
    }

    std::u16string WriteBackEnding() const override { return u"\r\n"; }
};

}  // namespace

UnitRule& ThisPluginRule() {
    static SubRule rule;
    return rule;
}

const PluginIdentity& ThisPluginIdentity() {
    static const PluginIdentity identity = SubtitleFilterIdentity(u"Subtitles (.sub)");
    return identity;
}

}  // namespace pv
