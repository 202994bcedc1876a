#include "filters/PluginDocument.h"

#include <cmath>
#include <utility>

#include "textutil/TextConvert.h"

namespace pv {

void FilterDocument::Open(std::u16string_view newText) {
    text.assign(newText);
    P = S = E = 1;
}

void FilterDocument::ReplaceCurrent(std::u16string_view replacement) {
    text.replace(static_cast<std::size_t>(S - 1), static_cast<std::size_t>(E - S), replacement);
    E = S + static_cast<long>(replacement.size());
    P = E;
}

int32_t FilterDocument::Percent() const {
    return static_cast<int32_t>(std::lrint(static_cast<double>(P) / (Length() / 100.0 + 1.0)));
}

std::optional<std::u16string> NextTextUnit(FilterDocument& doc, UnitRule& rule) {
    doc.S = doc.E = doc.P;
    if (doc.P >= doc.Length()) return std::nullopt;
    std::optional<std::u16string> raw = rule.Scan(doc);
    doc.P = doc.E;
    if (!raw) return std::nullopt;
    return WideTrim(*raw);
}

PluginIdentity SubtitleFilterIdentity(std::u16string name) {
    PluginIdentity identity;
    identity.name = std::move(name);
    identity.version = u"1.0";
    // Kept as Windows-1251 text, as the plug-ins always carried it.
    identity.description = CyrillicToWide(
        "\xD4\xE8\xEB\xF2\xFA\xF0\x20\xE7\xE0\x20\xF1\xF3\xE1\xF2\xE8\xF2\xF0\xE8\x20\xED\xE0"
        "\x20\xF4\xE8\xEB\xEC\xE8\x2E");
    identity.author = u"The Polyverba developers";
    identity.email = u"polyverba@localhost";
    return identity;
}

}  // namespace pv
