// Loading of the inflection tables, the lexicon, its affix lists and the
// spelling fixes into the process-wide tables.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>

#include "engine/EngineError.h"
#include "lexdb/ByteReader.h"
#include "lexdb/Container.h"
#include "lexdb/DataPath.h"
#include "morphology/Attributes.h"
#include "morphology/PlainFile.h"
#include "morphology/TextList.h"
#include "morphology/WordAnalysis.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A length-prefixed field of hexadecimal UTF-8; none when the digits or the
// UTF-8 are malformed.
std::optional<std::u16string> ReadHexText(ByteReader& in) {
    const std::size_t length = std::min<std::size_t>(in.U8(), kHexTextSize);
    std::string_view digits = in.Bytes(kHexTextSize).substr(0, length);
    if (!in.ok() || digits.size() % 2 != 0) return std::nullopt;
    // Endings are short and mostly ASCII: decode into a fixed buffer and
    // widen ASCII directly, as a million of them are read at start.
    char bytes[kMaxEndingBytes];
    bool ascii = true;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        int high = HexDigit(digits[i]), low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i / 2] = static_cast<char>(high << 4 | low);
        ascii = ascii && high < 8;
    }
    const std::string_view text(bytes, digits.size() / 2);
    if (ascii) return std::u16string(text.begin(), text.end());
    if (FindInvalidUtf8(text) != std::string::npos) return std::nullopt;
    return Utf8Decode(text);
}

// The records of a counted container; none when it is missing or damaged.
std::optional<std::string> ReadRecords(const std::string& path) {
    CountedBlock block = ReadCountedBlock(path);
    if (!block.complete) return std::nullopt;
    return std::move(block.payload);
}

bool LoadInflexionGroups(const std::string& base, InflexionTables& tables) {
    std::vector<InflexionGroup> groups;
    std::optional<std::string> groupBytes =
        ReadRecords(ResolveDataPath(base, kInflexionGroupsFile));
    if (groupBytes) {
        for (std::size_t at = 0; at + kGroupRecordSize <= groupBytes->size(); at += kGroupRecordSize) {
            ByteReader in(std::string_view(*groupBytes).substr(at, kGroupRecordSize));
            InflexionGroup group;
            group.id = in.I32();
            std::optional<std::u16string> base = ReadHexText(in);
            if (!base) continue;  // a damaged record names no group
            group.baseEnding = std::move(*base);
            groups.push_back(std::move(group));
        }
    }
    // Attach the endings through a temporary index of the groups.
    IntegerIndex index;
    for (std::size_t i = 0; i < groups.size(); ++i) index.Add(groups[i].id, static_cast<int32_t>(i));
    index.Sort();
    // The endings file is by far the largest table: it is taken a chunk at a
    // time rather than held whole beside the endings made from it.
    const CountedRead endings = ReadCountedChunks(
        ResolveDataPath(base, kInflexionEndingsFile), 1, kEndingRecordSize,
        [&](int32_t, std::string_view chunk) {
            for (std::size_t at = 0; at + kEndingRecordSize <= chunk.size();
                 at += kEndingRecordSize) {
                ByteReader in(chunk.substr(at, kEndingRecordSize));
                InflexionEntry entry;
                entry.key = in.I32();
                const int32_t groupId = in.I32();
                std::optional<std::u16string> text = ReadHexText(in);
                IntegerIndex::FindResult hit = index.Find(groupId);
                if (!text || !hit.found) continue;
                entry.ending = std::move(*text);
                groups[static_cast<std::size_t>(index[static_cast<std::size_t>(hit.index)].value)]
                    .endings.push_back(std::move(entry));
            }
        });
    // A damaged or short endings file gives no endings at all.
    if (!endings.complete)
        for (InflexionGroup& group : groups) group.endings.clear();
    tables.SetGroups(std::move(groups));
    return groupBytes && endings.complete;
}

void LoadInflexionDetails(const std::string& base, InflexionTables& tables) {
    const std::string bytes = ReadPlainFile(ResolveDataPath(base, kInflexionDetailsFile));
    std::vector<InflexionDetail> details(bytes.size() / kDetailRecordSize);
    ByteReader in(bytes);
    for (InflexionDetail& detail : details) {
        detail.language = in.I32();
        for (uint16_t& value : detail.values) value = in.U16();
        detail.displayOrder = in.I32();
    }
    tables.SetDetails(std::move(details));
}

MyStrList LoadSortedList(const std::string& path) { return SortedStrList(LoadTextList(path)); }

}  // namespace

std::optional<WordsController> ReadLexiconWords(const std::string& base) {
    const std::string name = kWordsBase;
    CountedBlock text = ReadCountedBlock(ResolveDataPath(base, name + ".STR"), 2);
    CountedBlock records = ReadCountedBlock(ResolveDataPath(base, name + ".DAT"), kWordRecordSize);
    if (!text.complete || !records.complete) return std::nullopt;
    ByteReader textIn(text.payload);
    std::u16string stems = textIn.Utf16(static_cast<std::size_t>(text.count));
    ByteReader in(records.payload);
    std::vector<WordRecord> list(static_cast<std::size_t>(records.count));
    for (WordRecord& r : list) {
        r.id = in.I32();
        r.language = in.U8();
        r.group = in.U16();
        r.partOfSpeech = in.I16();
        r.stemPosition = in.I32();
        r.alphabetical = in.I32();
    }
    WordsController words;
    try {
        words.Set(std::move(stems), std::move(list));
    } catch (const EngineError&) {
        return std::nullopt;
    }
    return words;
}

bool LoadInflexionTables(const std::string& base) {
    InflexionTables& tables = Inflexions();
    const bool groups = LoadInflexionGroups(base, tables);
    LoadInflexionDetails(base, tables);
    return groups;
}

bool LoadLexicon(const std::string& base) { return InstallLexicon(base, ReadLexiconWords(base)); }

bool InstallLexicon(const std::string& base, std::optional<WordsController> words) {
    InflexionTables& tables = Inflexions();
    const bool loaded = words.has_value();
    tables.words = loaded ? std::move(*words) : WordsController{};  // a damaged lexicon stays empty
    tables.prefixes = LoadSortedList(ResolveDataPath(base, kPrefixesFile));
    tables.suffixes = LoadSortedList(ResolveDataPath(base, kSuffixesFile));
    tables.BuildZeroForms();
    return loaded;
}

void RequireInflexionTables(const std::string& base) {
    if (!LoadInflexionTables(base))
        throw EngineError("the inflection groups " + ResolveDataPath(base, kInflexionGroupsFile) + " are missing or damaged");
}

void RequireLexicon(const std::string& base) { RequireLexicon(base, ReadLexiconWords(base)); }

void RequireLexicon(const std::string& base, std::optional<WordsController> words) {
    if (!InstallLexicon(base, std::move(words)))
        throw EngineError("the lexicon " + ResolveDataPath(base, kWordsBase) + " is missing or damaged");
}

void LoadAnalysisTables(const std::string& base) {
    GrammarTables().LoadAttributeDefinitions(base);
    RequireInflexionTables(base);
    LoadSpellFixes(base);  // without them words are read as written
    RequireLexicon(base);
    LoadWordForms(base);
}

bool LoadSpellFixes(const std::string& base) {
    SpellFixes& fixes = Inflexions().spellFixes;
    fixes = SpellFixes{};
    const std::string name = kSpellFixBase;
    MyStrList strings = LoadSortedList(ResolveDataPath(base, name + ".STR"));
    std::vector<std::u16string> replacements = LoadTextList(ResolveDataPath(base, name + ".RPL"));
    std::optional<std::string> records = ReadRecords(ResolveDataPath(base, name + ".DAT"));
    if (!records) return false;
    const std::size_t count = records->size() / kSpellFixRecordSize;
    // Entry i of the sorted strings goes with line i and record i; lists
    // out of step cannot be paired and give no fixes.
    if (strings.Count() != count || replacements.size() != count) return false;
    ByteReader in(*records);
    for (std::size_t i = 0; i < count; ++i) {
        SpellFixData data;
        data.mask = in.U32();
        data.weight = in.I32();
        data.flags = in.U8();
        // An empty string would match everywhere without consuming anything.
        if (strings[i].text.empty()) continue;
        fixes.strings.Add(strings[i].text, static_cast<int32_t>(fixes.data.size()));
        fixes.replacements.push_back(std::move(replacements[i]));
        fixes.data.push_back(data);
    }
    fixes.strings.Sort();
    for (std::size_t i = 0; i < fixes.strings.Count(); ++i) {
        const char16_t initial = fixes.strings[i].text[0];
        if (fixes.initials.empty() || fixes.initials.back().first != initial) fixes.initials.emplace_back(initial, i);
        fixes.longest = std::max(fixes.longest, fixes.strings[i].text.size());
    }
    return true;
}

}  // namespace pv
