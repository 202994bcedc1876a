#include "datagen/build/AnalysisLists.h"

#include <filesystem>
#include <set>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/SourceText.h"
#include "morphology/LowerWord.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::u16string Text(const SourceLine& line, const std::string& word) {
    if (FindInvalidUtf8(word) != std::string::npos) throw line.Error("malformed UTF-8");
    return Utf8Decode(word);
}

}  // namespace

std::vector<SpellFixSource> ParseSpellFixes(const std::string& text, const std::string& file) {
    std::vector<SpellFixSource> fixes;
    for (const SourceLine& line : SourceLines(text, file)) {
        const std::vector<std::string>& w = line.words;
        if (w.size() != 5) throw line.Error("expected: FROM TO LANGUAGES WEIGHT PLACES");
        SpellFixSource fix;
        fix.from = Text(line, w[0]);
        fix.to = Text(line, w[1]);
        // The analysis compares the fixes with the lower-cased word.
        if (LowerWord(fix.from) != fix.from) throw line.Error("FROM must be lower case: " + w[0]);
        for (const std::string& code : Split(w[2], ',')) fix.data.mask |= 1u << line.Language(code);
        if (!ParseInt(w[3], fix.data.weight) || fix.data.weight < 0) throw line.Error("bad weight " + w[3]);
        for (const std::string& place : Split(w[4], ',')) {
            if (place == "start") fix.data.flags |= kFixAtStart;
            else if (place == "inside") fix.data.flags |= kFixInside;
            else if (place == "end") fix.data.flags |= kFixAtEnd;
            else throw line.Error("unknown place " + place + " (start, inside, end)");
        }
        fixes.push_back(std::move(fix));
    }
    return fixes;
}

std::vector<std::u16string> ParseAffixes(const std::string& text, const std::string& file) {
    std::set<std::u16string> affixes;
    for (const SourceLine& line : SourceLines(text, file)) {
        line.Language(line.words[0]);
        // What follows "=" is the meaning of the suffixes (EndingWords.h).
        for (std::size_t i = 1; i < line.words.size() && line.words[i] != "="; ++i) {
            std::u16string affix = Text(line, line.words[i]);
            if (LowerWord(affix) != affix) throw line.Error("affixes must be lower case: " + line.words[i]);
            affixes.insert(std::move(affix));
        }
    }
    return {affixes.begin(), affixes.end()};
}

void WriteAnalysisLists(const std::string& sources, const std::string& base, BuildReport& report) {
    // A source that is absent gives an empty list.
    auto read = [&](const char* name) {
        const std::filesystem::path path = std::filesystem::path(sources) / name;
        return std::filesystem::exists(path) ? ReadWholeFile(path.string()) : std::string();
    };
    std::vector<SpellFixSource> fixes = ParseSpellFixes(read("spellfix.txt"), "spellfix.txt");
    std::vector<std::u16string> prefixes = ParseAffixes(read("prefixes.txt"), "prefixes.txt");
    std::vector<std::u16string> suffixes = ParseAffixes(read("suffixes.txt"), "suffixes.txt");
    for (const SpellFixSource& fix : fixes)
        for (int32_t language = 0; language < 32; ++language)
            if (fix.data.mask & (1u << language)) report.Read(LanguageCode(language), "spelling fixes");
    report.Read("*", "prefixes", static_cast<int64_t>(prefixes.size()));
    report.Read("*", "suffixes", static_cast<int64_t>(suffixes.size()));
    WriteSpellFixes(base, fixes);
    WriteAffixLists(base, prefixes, suffixes);
}

}  // namespace pv
