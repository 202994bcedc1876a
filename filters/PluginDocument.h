// What lies behind the exports of a filter plug-in: the one open document
// and the unit rule that each plug-in brings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pv {

// The open document. Positions count characters from 1: P is where the next
// search for a unit begins, S the start of the current unit and E the scan
// position just past it; the current unit is the span S..E-1.
struct FilterDocument {
    std::u16string text;
    long P = 1, S = 1, E = 1;

    long Length() const { return static_cast<long>(text.size()); }
    char16_t At(long i) const { return text[static_cast<std::size_t>(i - 1)]; }

    // Opens a new text with P = S = E = 1.
    void Open(std::u16string_view newText);
    // Replaces the current span by `replacement`, which becomes the current
    // span; the next search begins right after it.
    void ReplaceCurrent(std::u16string_view replacement);
    // P / (L / 100 + 1) rounded to the nearest integer, a tie to the even one.
    int32_t Percent() const;
};

// The part that differs between plug-ins: how a unit is found and what
// follows a translated unit.
class UnitRule {
public:
    virtual ~UnitRule() = default;
    // Scans from doc.P (which is below the length), sets doc.S and doc.E
    // and returns the unit text before trimming, or nothing when the rest
    // of the document holds no unit.
    virtual std::optional<std::u16string> Scan(FilterDocument& doc) = 0;
    // The line ending written after the translated text of the current unit.
    virtual std::u16string WriteBackEnding() const = 0;
};

// The unit handed out next, trimmed, or nothing at the end of the document;
// afterwards the next search begins at doc.E.
std::optional<std::u16string> NextTextUnit(FilterDocument& doc, UnitRule& rule);

// What a plug-in reports about itself through PFPGetInfo.
struct PluginIdentity {
    std::u16string name, version, description, author, email;
};

// Defined once in each plug-in.
UnitRule& ThisPluginRule();
const PluginIdentity& ThisPluginIdentity();

// The identity both subtitle plug-ins share, under their own name.
PluginIdentity SubtitleFilterIdentity(std::u16string name);

}  // namespace pv
