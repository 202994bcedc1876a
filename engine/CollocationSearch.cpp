#include "engine/CollocationSearch.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineError.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "lexdb/CollocationFiles.h"
#include "morphology/WordAnalysis.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::size_t kMaxKeyLength = 255;
constexpr int32_t kSymbolPartOfSpeech = 768;
constexpr int32_t kBelowThirtyTwoValue = 383;
constexpr int32_t kNoClass = -1;

void Report(const std::exception& error, std::u16string_view where) {
    ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + std::u16string(where));
}

int32_t FirstId(std::string_view key) {
    int32_t id = 0;
    std::from_chars(key.data(), key.data() + key.size(), id);
    return id;
}

// The entries whose first word id is the key's first one, with their keys.
const std::vector<KeyedRow>& EntriesOfFirstId(std::string_view key) {
    static const std::vector<KeyedRow> none;
    CollocationFiles* database = CollocationDatabase();
    return database ? database->EntriesOfFirstWord(FirstId(key)) : none;
}

// The first entry whose key is not below text.
std::vector<KeyedRow>::const_iterator FirstKeyFrom(const std::vector<KeyedRow>& entries, std::string_view text) {
    return std::lower_bound(entries.begin(), entries.end(), text,
                            [](const KeyedRow& e, std::string_view t) { return e.key < t; });
}

// Whether some entry's key continues key with a further word: the keys that
// begin with key + ";" follow one another from the first not below it,
// which is found without building that text.
bool BeginsSomeKey(const std::string& key) {
    const std::vector<KeyedRow>& entries = EntriesOfFirstId(key);
    const auto belowContinuation = [](const KeyedRow& e, const std::string& k) {
        if (const int c = e.key.compare(0, k.size(), k); c != 0) return c < 0;
        return e.key.size() == k.size() || static_cast<unsigned char>(e.key[k.size()]) < ';';
    };
    const auto first = std::lower_bound(entries.begin(), entries.end(), key, belowContinuation);
    return first != entries.end() && first->key.size() > key.size() &&
           first->key.starts_with(key) && first->key[key.size()] == ';';
}

PartialMatch OneWordKey(int32_t id, int start, int span, int reading) {
    PartialMatch match;
    match.key = std::to_string(id);
    match.components[0] = {static_cast<int16_t>(start), static_cast<int16_t>(span), static_cast<int16_t>(reading)};
    match.componentCount = 1;
    return match;
}

// match followed by reading k of cell (start, span); false when the key
// would be too long or have too many words.
bool Extend(const PartialMatch& match, int32_t id, int start, int span, int k, PartialMatch& extended) {
    if (match.componentCount >= PartialMatch::kMaxComponents) return false;
    extended = match;
    extended.key += ';';
    extended.key += std::to_string(id);
    if (extended.key.size() > kMaxKeyLength) return false;
    extended.components[extended.componentCount++] = {static_cast<int16_t>(start), static_cast<int16_t>(span),
                                                       static_cast<int16_t>(k)};
    return true;
}

// The reading that matched word i of an entry.
const WordEntry& MatchedReading(const PartialMatch& key, std::size_t i, int reading, const FragmentEntries& cell) {
    if (reading >= 0) {
        if (static_cast<std::size_t>(reading) >= cell.words.meanings.size())
            throw EngineError("reading " + std::to_string(reading) + " is not in the span");
        return cell.words.meanings[reading];
    }
    if (i >= key.componentCount) throw EngineError("word " + std::to_string(i) + " has no matched reading");
    const PartialMatch::Component& c = key.components[i];
    Chart& chart = Engine().chart;
    if (c.start < 0 || c.start >= kChartRows || c.span < 0 ||
        static_cast<std::size_t>(c.span) >= chart.rows[c.start].size())
        throw EngineError("matched reading outside the chart");
    const std::vector<WordEntry>& meanings = chart.Cell(c.start, c.span).words.meanings;
    if (c.reading < 0 || static_cast<std::size_t>(c.reading) >= meanings.size())
        throw EngineError("reading " + std::to_string(c.reading) + " is not in its cell");
    return meanings[c.reading];
}

bool AllDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// An instance made up for a word the dictionary has no entry for.
Collocation MadeUpInstance(const std::u16string& text, int32_t partOfSpeech, WordArray associated, double score) {
    Collocation instance;
    instance.text = text;
    instance.partOfSpeech = partOfSpeech;
    instance.associatedAttributes = std::move(associated);
    instance.classId = kNoClass;
    instance.sourceScore = score;
    instance.targetScore = score;
    return instance;
}

WordArray NumberAttributes(const std::u16string& digits) {
    WordArray values;
    if (digits != u"1") values.push_back(kPluralValue);
    const std::size_t significant = digits.find_first_not_of(u'0');
    const std::u16string_view number =
        significant == std::u16string::npos ? std::u16string_view() : std::u16string_view(digits).substr(significant);
    if (number.size() < 2 || (number.size() == 2 && (number[0] - u'0') * 10 + (number[1] - u'0') < 32))
        values.push_back(kBelowThirtyTwoValue);
    return values;
}

void AddMadeUpLeaf(FragmentEntries& cell, Collocation instance, int position) {
    AddLeafEntry(cell, Engine().instances.AddCollocation(std::move(instance), position));
}

// The leaves of a single word besides its dictionary entries: its number
// and symbol readings, and when nothing matched at all the word itself.
void AddWordLeaves(FragmentEntries& cell, int q) {
    const WordEntryArr& position = Engine().Window[q];
    for (const WordEntry& reading : position.meanings) {
        if (reading.partOfSpeech == kNumberValue && AllDigits(position.word))
            AddMadeUpLeaf(cell, MadeUpInstance(position.word, kNumberValue, NumberAttributes(position.word), 0.0), q);
        else if (reading.partOfSpeech == kSymbolPartOfSpeech)
            AddMadeUpLeaf(cell, MadeUpInstance(position.word, kSymbolPartOfSpeech, {}, 0.0), q);
    }
    if (cell.count == 0)
        AddMadeUpLeaf(cell, MadeUpInstance(position.word, kUnknownWordValue, {kUnknownWordValue}, -1.0), q);
}

// The readings of a span of several words under each of its spellings.
WordEntryArr SpanReadings(const std::u16string& w) {
    const std::vector<std::u16string> spellings = SpanSpellings(w);
    ReadingsCache& readings = Engine().readings;
    WordEntryArr words = readings.SpanMeanings(spellings[0]);
    for (std::size_t i = 1; i < spellings.size(); ++i) {
        WordEntryArr more = readings.SpanMeanings(spellings[i]);
        words.meanings.insert(words.meanings.end(), std::make_move_iterator(more.meanings.begin()),
                              std::make_move_iterator(more.meanings.end()));
    }
    return words;
}

// The dictionary entries matching the span's readings, and those matching a
// partial match of a shorter span followed by a reading of the rest.
void AddKeyedLeaves(int q, int a, FragmentEntries& cell) {
    EngineState& engine = Engine();
    double weight = 0.0;
    if (q == a) {
        cell.words = engine.Window[q];
    } else {
        if (q + 1 < a && engine.Window[a - 1].word == u"-" && engine.Window[a].word == u"-") return;
        std::u16string w;
        for (int i = q; i <= a; ++i) {
            if (i > q) w += u' ';
            w += engine.Window[i].word;
        }
        for (int i = q; i < a; ++i) weight += engine.Window[i].weight;
        cell.words = SpanReadings(WideTrim(w));
    }
    for (std::size_t j = 0; j < cell.words.meanings.size(); ++j) {
        const PartialMatch key = OneWordKey(cell.words.meanings[j].id, q, a - q, static_cast<int>(j));
        AddPermutationString(key, static_cast<int>(j), weight, q, cell);
    }
    Chart& chart = engine.chart;
    for (int p = q; p < a; ++p) {
        const FragmentEntries& left = chart.Cell(q, p - q);
        const FragmentEntries& right = chart.Cell(p + 1, a - p - 1);
        for (const PartialMatch& match : left.partialMatches)
            for (std::size_t k = 0; k < right.words.meanings.size(); ++k) {
                PartialMatch key;
                if (Extend(match, right.words.meanings[k].id, p + 1, a - p - 1, static_cast<int>(k), key))
                    AddPermutationString(key, -1, weight, q, cell);
            }
    }
}

}  // namespace

std::vector<std::u16string> SpanSpellings(const std::u16string& w) {
    std::vector<std::u16string> spellings;
    spellings.reserve(5);
    spellings.push_back(w);
    auto add = [&](std::u16string variant) {
        if (!variant.empty() &&
            std::find(spellings.begin(), spellings.end(), variant) == spellings.end())
            spellings.push_back(std::move(variant));
    };
    if (w.find(u'-') == std::u16string::npos && w.find(u"  ") == std::u16string::npos) {
        // Most spans: only the variants without blanks and with hyphens
        // for blanks differ from w.
        std::u16string joined(w.size(), u' ');
        joined.erase(std::remove_copy(w.begin(), w.end(), joined.begin(), u' '), joined.end());
        std::u16string hyphened = w;
        std::replace(hyphened.begin(), hyphened.end(), u' ', u'-');
        add(std::move(joined));
        add(std::move(hyphened));
        return spellings;
    }
    std::u16string spaced =
        WideReplaceAll(WideReplaceAll(WideReplaceAll(w, u"--", u"-"), u"-", u" "), u"  ", u" ");
    if (!spaced.empty() && spaced.back() == u' ') spaced.clear();
    std::u16string hyphened =
        WideReplaceAll(WideReplaceAll(WideReplaceAll(w, u"  ", u"-"), u" ", u"-"), u"--", u"-");
    add(std::move(spaced));
    add(WideReplaceAll(WideReplaceAll(w, u" - ", u""), u" -- ", u""));
    add(WideReplaceAll(w, u" ", u""));
    add(std::move(hyphened));
    return spellings;
}

void TryCollocationSQL(int q, int a, FragmentEntries& cell) {
    try {
        ClearCell(cell);
        AddKeyedLeaves(q, a, cell);
        if (q == a) AddWordLeaves(cell, q);
    } catch (const std::exception& error) {
        Report(error, u" in TryCollocationSQL");
    }
}

void ExtendPartialMatches(int q, int a) {
    try {
        Chart& chart = Engine().chart;
        FragmentEntries& cell = chart.Cell(q, a - q);
        std::vector<PartialMatch> kept;
        for (std::size_t k = 0; k < cell.words.meanings.size(); ++k) {
            PartialMatch match = OneWordKey(cell.words.meanings[k].id, q, a - q, static_cast<int>(k));
            if (BeginsSomeKey(match.key)) kept.push_back(std::move(match));
        }
        // Partial matches lie only in the spans of row q that received content.
        const int splits = std::min(a, q + chart.Cell(q, 0).contentSpans);
        for (int p = q; p < splits; ++p) {
            const FragmentEntries& left = chart.Cell(q, p - q);
            const FragmentEntries& right = chart.Cell(p + 1, a - p - 1);
            for (const PartialMatch& match : left.partialMatches) {
                if (right.words.word == u"-") kept.push_back(match);
                for (std::size_t k = 0; k < right.words.meanings.size(); ++k) {
                    PartialMatch extended;
                    if (Extend(match, right.words.meanings[k].id, p + 1, a - p - 1, static_cast<int>(k), extended) &&
                        BeginsSomeKey(extended.key))
                        kept.push_back(std::move(extended));
                }
            }
        }
        if (kept.empty()) return;
        cell.partialMatches.insert(cell.partialMatches.end(), std::make_move_iterator(kept.begin()),
                                   std::make_move_iterator(kept.end()));
        NoteContent(cell);
    } catch (const std::exception& error) {
        Report(error, u" in ExtendPartialMatches");
    }
}

void AddPermutationString(const PartialMatch& key, int reading, double weight, int start, FragmentEntries& cell) {
    try {
        std::vector<int32_t> rows;
        const std::vector<KeyedRow>& entries = EntriesOfFirstId(key.key);
        for (auto entry = FirstKeyFrom(entries, key.key); entry != entries.end() && entry->key == key.key; ++entry)
            rows.push_back(entry->row);
        for (int32_t row : rows) AddPermutationEntry(key, row, reading, weight, start, cell);
    } catch (const std::exception& error) {
        Report(error, u" in AddPermutationString");
    }
}

void AddPermutationEntry(const PartialMatch& key, int32_t header, int reading, double weight, int start,
                         FragmentEntries& cell) {
    try {
        CollocationFiles* database = CollocationDatabase();
        if (!database) throw EngineError("collocation files not loaded");
        Collocation entry = database->LoadByRow(header);
        entry.sourceScore += weight;
        if (!TestCollocation(key, entry, reading, cell)) return;
        AddLeafEntry(cell, Engine().instances.AddCollocation(std::move(entry), start));
    } catch (const std::exception& error) {
        Report(error, u" in AddPermutationEntry");
    }
}

bool TestCollocation(const PartialMatch& key, Collocation& entry, int reading, const FragmentEntries& cell) {
    try {
        const AttributeTables& tables = GrammarTables();
        const bool severalWords = entry.wordIds.size() > 1;
        double readingWeights = 0.0;
        for (std::size_t i = 0; i < entry.wordIds.size(); ++i) {
            const WordEntry& matched = MatchedReading(key, i, reading, cell);
            if (i < entry.requiredAttributes.size())
                for (int32_t value : entry.requiredAttributes[i])
                    if (!Contains(matched.attributes, value)) return false;
            if (i < entry.inheritedGroups.size())
                for (int32_t group : entry.inheritedGroups[i]) {
                    const int32_t value = tables.ValueOfAttribute(matched.attributes, group);
                    if (value < 0) continue;
                    const int32_t own = tables.ValueOfAttribute(entry.associatedAttributes, group);
                    if (own >= 0 && own != value && severalWords) return false;
                    // A single word takes the reading's value in place of its own.
                    tables.SetValue(entry.associatedAttributes, value);
                }
            readingWeights += matched.readingWeight;
        }
        AddIfMissing(entry.associatedAttributes, entry.partOfSpeech);
        SortAscending(entry.associatedAttributes);
        entry.sourceScore -= readingWeights;
        return true;
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in TestCollocation:" + entry.text);
        return false;
    }
}

void AddLeafEntry(FragmentEntries& cell, int32_t k) {
    const Collocation& instance = Engine().instances[k];
    FE leaf;
    leaf.wordIds[0] = instance.classId;
    leaf.wordIdCount = instance.classId >= 0 ? 1 : 0;
    leaf.sourceInstance = k;
    leaf.category = instance.partOfSpeech;
    leaf.rule = -1;
    leaf.complete = 1;
    leaf.language = static_cast<uint8_t>(instance.language);
    leaf.score = instance.sourceScore;
    leaf.planEligible = 1;
    GrammarTables().FromList(leaf.inherited, instance.associatedAttributes);
    AppendEntry(cell, leaf);
}

}  // namespace pv
