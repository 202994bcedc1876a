#include "morphology/WordAnalysis.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "morphology/LowerWord.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// One call of GetInflexionData: its word, budget and results.
class Analysis {
public:
    Analysis(const InflexionTables& tables, std::u16string word) : tables_(tables), word_(std::move(word)) {}

    InflArray Run() {
        std::u16string candidate;
        try {
            Iterate(candidate, WordTree::kRoot, 1, 0xFFFF, 0.0);
        } catch (const std::exception& error) {
            throw EngineError(std::string("Iterate: ") + error.what());
        }
        return std::move(results_);
    }

    // After a run without results: the beginning of the word that decided
    // it, when the search never read past it and never ran out of budget.
    // Every step then reads the same characters and meets the same trie
    // nodes in a longer word with this beginning, which has no analysis
    // either. Empty when there is no such beginning.
    std::u16string DeadEnd() const {
        if (!results_.empty() || overBudget_ || reach_ >= word_.size()) return {};
        return word_.substr(0, reach_);
    }

private:
    // position is the 1-based index of the next character of the word to
    // read; candidate is what has been read so far, with replacements, and
    // node its node in the word-form trie (none when no form begins so), so
    // that reading on walks one step from there.
    void Iterate(std::u16string& candidate, std::optional<WordNode> node, std::size_t position, uint32_t mask,
                 double weight) {
        if (budget_ >= kExpansionBudget) {
            // The word as written is still tried, so an exact form is found.
            overBudget_ = true;
            TestSplits(word_, mask, weight);
            return;
        }
        ++budget_;
        if (!node) return;
        // A step reads its own character and, for the spelling fixes, as
        // many more as the longest fix has.
        reach_ =
            std::max(reach_, position - 1 + std::max<std::size_t>(tables_.spellFixes.longest, 1));
        if (position > word_.size()) {
            TestSplits(candidate, mask, weight);
            return;
        }
        const WordTree& trie = tables_.wordTree;
        const std::size_t size = candidate.size();
        candidate.push_back(word_[position - 1]);
        Iterate(candidate, trie.FindNode(std::u16string_view(candidate).substr(size), *node), position + 1, mask,
                weight);
        candidate.resize(size);

        const SpellFixes& fixes = tables_.spellFixes;
        const std::u16string_view rest = std::u16string_view(word_).substr(position - 1);
        const auto initial = std::find_if(fixes.initials.begin(), fixes.initials.end(),
                                          [&](const auto& first) { return first.first == rest[0]; });
        if (initial == fixes.initials.end()) return;
        for (std::size_t i = initial->second; i < fixes.strings.Count(); ++i) {
            const MyStrList::Item& fix = fixes.strings[i];
            if (fix.text.empty() || fix.text[0] != rest[0]) break;
            if (!rest.starts_with(fix.text)) continue;
            const SpellFixData& data = fixes.data[static_cast<std::size_t>(fix.object)];
            const std::size_t after = position + fix.text.size();
            if ((!(data.flags & kFixAtStart) && position == 1) ||
                (!(data.flags & kFixInside) && position >= 2 && after <= word_.size()) ||
                (!(data.flags & kFixAtEnd) && after == word_.size() + 1))
                continue;
            const uint32_t narrowed = data.mask & mask;
            if (static_cast<int32_t>(narrowed) <= 0) continue;
            const std::u16string& replacement = fixes.replacements[static_cast<std::size_t>(fix.object)];
            candidate += replacement;
            Iterate(candidate, trie.FindNode(replacement, *node), after, narrowed, weight + data.weight / 10.0);
            candidate.resize(size);
        }
    }

    void TestSplits(std::u16string_view candidate, uint32_t mask, double weight) {
        TestZeroInflexions(candidate, mask, weight);
        // Stems are tried from the shortest on; once no stem begins with the
        // first q characters, no longer one can match either.
        const WordsController& words = tables_.words;
        WordsController::Range stems{0, words.Count()};
        for (std::size_t q = 1; q <= candidate.size() && stems.low < stems.high; ++q) {
            const std::u16string_view stem = candidate.substr(0, q);
            stems = words.NarrowToPrefix(stem, stems);
            if (stems.low < stems.high && words.Item(stems.low) == stem)
                TestNonZeroInflexions(candidate, q, stems.low, mask, weight);
        }
    }

    void TestZeroInflexions(std::u16string_view candidate, uint32_t mask, double weight) {
        try {
            const MyStrList& forms = tables_.ZeroForms();
            const IntegerIndex& words = tables_.ZeroWords();
            for (std::size_t i = forms.Find(candidate).index; i < forms.Count() && forms[i].text == candidate; ++i) {
                const ZeroFormRef& ref = tables_.ZeroForm(static_cast<std::size_t>(forms[i].object));
                const IntegerIndex::FindResult hit = words.Find(ref.group);
                if (!hit.found) continue;
                for (auto j = static_cast<std::size_t>(hit.index); j < words.Count() && words[j].key == ref.group; ++j) {
                    const WordRecord& record = tables_.words.Record(words[j].value);
                    Add(std::u16string(candidate), record, ref.group, ref.key, mask, weight);
                }
            }
        } catch (const std::exception& error) {
            throw EngineError(std::string("TestZeroInflexions: ") + error.what());
        }
    }

    // The split after q characters, whose stem is item first of the lexicon.
    void TestNonZeroInflexions(std::u16string_view candidate, std::size_t q, int32_t first, uint32_t mask,
                               double weight) {
        try {
            const std::u16string_view stem = candidate.substr(0, q);
            const std::u16string_view ending = candidate.substr(q);
            const WordsController& words = tables_.words;
            for (int32_t k = first; k < words.Count() && words.Item(k) == stem; ++k) {
                const WordRecord& record = words.Record(words.RecordAt(k));
                if (const InflexionGroup* group = tables_.FindGroup(record.group)) {
                    if (group->baseEnding == ending)
                        Add(std::u16string(candidate), record, record.group, -1, mask, weight);
                    auto it = std::lower_bound(group->endings.begin(), group->endings.end(), ending,
                                               [](const InflexionEntry& e, std::u16string_view text) {
                                                   return MyStrList::CompareStrings(e.ending, text) < 0;
                                               });
                    for (; it != group->endings.end() && it->ending == ending; ++it)
                        Add(std::u16string(stem) + group->baseEnding, record, record.group, it->key, mask, weight);
                } else if (IsUninflected(record.group) && ending.empty() && stem == candidate) {
                    Add(std::u16string(candidate), record, -1, -1, mask, weight);
                }
            }
        } catch (const std::exception& error) {
            throw EngineError(std::string("TestNonZeroInflexions: ") + error.what());
        }
    }

    // Kept only for a language inside mask, and only the first 500.
    void Add(std::u16string form, const WordRecord& record, int32_t group, int32_t key, uint32_t mask,
             double weight) {
        if (results_.size() >= static_cast<std::size_t>(kMaxAnalyses)) return;
        const uint32_t bit = record.language < 32 ? 1u << record.language : 0u;
        if (static_cast<int32_t>(bit & mask) <= 0) return;
        results_.push_back(InflexionData{std::move(form), record.partOfSpeech, key, group,
                                         record.language, record.id, weight});
    }

    const InflexionTables& tables_;
    const std::u16string word_;
    int budget_ = 0;
    bool overBudget_ = false;
    std::size_t reach_ = 0;  // characters of the word that a step has read
    InflArray results_;
};

// A word in capitals has no small letter and two capitals at least: a single
// capital ("A", the "L" of "L'homme") is only an initial one.
bool AllCapitals(std::u16string_view token) {
    const auto capitals = std::count_if(token.begin(), token.end(), [](char16_t c) { return WideLowerChar(c) != c; });
    return capitals >= 2 &&
           std::all_of(token.begin(), token.end(), [](char16_t c) { return WideUpperChar(c) == c; });
}

bool AllDigits(std::u16string_view token) {
    return std::all_of(token.begin(), token.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

WordArray DetailValues(const InflexionTables& tables, int32_t key) {
    WordArray values;
    if (key < 0) return values;
    try {
        const InflexionDetail* detail = tables.Detail(key);
        if (!detail) throw EngineError("no inflection detail " + std::to_string(key));
        for (uint16_t value : detail->values) {
            if (value == 0) break;
            values.push_back(value);
        }
    } catch (const std::exception& error) {
        throw EngineError(std::string("Getwordmeanings/InflDetList:") + error.what());
    }
    SortAscending(values);
    return values;
}

void ReportError(const std::exception& error, const char16_t* operation) {
    ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in " + operation);
}

// Walks the affixes of list that begin text, from the place where text
// would be inserted downwards.
template <typename Visit>
void ForEachAffix(const MyStrList& list, std::u16string_view text, Visit visit) {
    if (text.empty()) return;
    std::size_t end = list.Find(text).index;
    while (end < list.Count() && list[end].text == text) ++end;
    for (std::size_t i = end; i-- > 0;) {
        const std::u16string& affix = list[i].text;
        if (affix.empty() || affix[0] != text[0]) break;
        if (text.starts_with(affix)) visit(affix);
    }
}

// A first part is a base form of three letters or more; the last part,
// any form, of four or more: shorter or inflected pieces match by chance.
constexpr std::size_t kMinFirstPart = 3;
constexpr std::size_t kMinLastPart = 4;
// Longer tokens are no words; the search tries every substring.
constexpr std::size_t kMaxCompoundLength = 40;
// What German puts between a first part and the next: Arbeit-s-zeit,
// Taste-n-folge, Gerät-e-nummer.
constexpr std::u16string_view kGermanLinks[] = {u"es", u"er", u"en", u"s", u"n", u"e"};

// The languages (bit per language) in which word is a form as written,
// without spelling fixes; only base forms when baseOnly.
uint32_t ExactLanguages(std::u16string_view word, bool baseOnly) {
    uint32_t languages = 0;
    for (const InflexionData& a : GetInflexionData(word))
        if (a.weight == 0.0 && (!baseOnly || a.endingKey == -1) && a.language >= 0 && a.language < 32)
            languages |= 1u << a.language;
    return languages;
}

// The German base form that part is with a linking element; empty if none.
std::u16string_view LinkedGermanBase(std::u16string_view part) {
    for (std::u16string_view link : kGermanLinks) {
        if (part.size() < kMinFirstPart + link.size() || part.substr(part.size() - link.size()) != link) continue;
        const std::u16string_view base = part.substr(0, part.size() - link.size());
        if (ExactLanguages(base, true) & (1u << kGerman)) return base;
    }
    return {};
}

// Whether a cut between part (an affix) and rest is accepted.
bool AcceptCut(std::u16string_view part, std::u16string_view rest, bool allowAny) {
    const InflArray a = GetInflexionData(part);
    if (a.empty() && !allowAny) return false;
    const InflArray b = GetInflexionData(rest);
    if (SameLanguage(a, b)) return true;
    return allowAny && part.size() >= 2 && rest.size() >= 2;
}

// GetInflexionData, skipping a word that a dead end covers and keeping the
// dead end of one analysed in vain (when deadEnds is given).
InflArray Analyses(std::u16string_view word, DeadEnds* deadEnds) {
    try {
        std::u16string lower = LowerWord(word);
        if (lower.empty() || (deadEnds && deadEnds->Covers(lower))) return {};
        Analysis analysis(Inflexions(), std::move(lower));
        InflArray found = analysis.Run();
        if (deadEnds && found.empty())
            if (std::u16string end = analysis.DeadEnd(); !end.empty())
                deadEnds->Add(std::move(end));
        return found;
    } catch (const std::exception& error) {
        throw EngineError(std::string("GetInflexionData:") + error.what());
    }
}

WordEntryArr Meanings(std::u16string_view token, DeadEnds* deadEnds) {
    WordEntryArr result;
    result.weight = 0.0;
    if (token.empty()) return result;
    try {
        const InflexionTables& tables = Inflexions();
        const AttributeTables& grammar = GrammarTables();
        const InflArray analyses = Analyses(token, deadEnds);
        result.word = token;
        for (const InflexionData& a : analyses)
            result.meanings.push_back(WordEntry{a.wordId, a.form, a.partOfSpeech, a.language,
                                                DetailValues(tables, a.endingKey), a.weight});
        if (AllDigits(token))
            result.meanings.push_back(WordEntry{-1, std::u16string(token), kNumberValue, 0, {}, 0.0});
        if (result.meanings.empty()) return result;
        const bool initialCapital = LowerWord(token.substr(0, 1))[0] != token[0];
        const bool allCapitals = AllCapitals(token);
        for (WordEntry& reading : result.meanings) {
            WordArray values = grammar.AddImplied({}, reading.language, reading.partOfSpeech);
            if (reading.language == 2 && reading.partOfSpeech == 2 &&
                grammar.ValueOfAttribute(reading.attributes, 3) == kPluralValue)
                grammar.RemoveAttribute(values, 2);
            for (int32_t value : reading.attributes) grammar.SetValue(values, value);
            grammar.SetValue(values, reading.partOfSpeech);
            if (allCapitals) grammar.SetValue(values, kAllCapitalsValue);
            else if (initialCapital) grammar.SetValue(values, kInitialCapitalValue);
            SortAscending(values);
            reading.attributes = std::move(values);
        }
    } catch (const std::exception& error) {
        throw EngineError(std::string("GetWordMeanings:") + error.what());
    }
    return result;
}

}  // namespace

InflArray GetInflexionData(std::u16string_view word) { return Analyses(word, nullptr); }

WordEntryArr GetWordMeanings(std::u16string_view token) { return Meanings(token, nullptr); }

WordEntryArr GetWordMeanings(std::u16string_view token, DeadEnds& deadEnds) {
    return Meanings(token, &deadEnds);
}

PositionList GetPrefixPositions(std::u16string_view word, bool allowAny) {
    PositionList positions{1};
    try {
        const std::u16string lower = LowerWord(word);
        ForEachAffix(Inflexions().prefixes, lower, [&](const std::u16string& prefix) {
            if (AcceptCut(prefix, std::u16string_view(lower).substr(prefix.size()), allowAny))
                positions.push_back(static_cast<int32_t>(prefix.size() + 1));
        });
    } catch (const std::exception& error) {
        ReportError(error, u"GetPrefixPositions");
    }
    return positions;
}

PositionList GetSuffixPositions(std::u16string_view word, bool allowAny) {
    PositionList positions{static_cast<int32_t>(word.size() + 1)};
    try {
        const std::u16string lower = LowerWord(word);
        ForEachAffix(Inflexions().suffixes, WideReverse(lower), [&](const std::u16string& reversed) {
            const std::size_t restLength = lower.size() - reversed.size();
            if (AcceptCut(WideReverse(reversed), std::u16string_view(lower).substr(0, restLength), allowAny))
                positions.push_back(static_cast<int32_t>(restLength + 1));
        });
    } catch (const std::exception& error) {
        ReportError(error, u"GetSuffixPositions");
    }
    return positions;
}

PositionList GetCompoundPositions(std::u16string_view word) {
    const std::u16string lower = LowerWord(word);
    const std::size_t n = lower.size();
    if (n < kMinFirstPart + kMinLastPart || n > kMaxCompoundLength) return {};
    // languages[i][j]: those in which lower[i, j) can be a part there.
    std::vector<std::vector<uint32_t>> languages(n + 1, std::vector<uint32_t>(n + 1, 0));
    for (std::size_t i = 0; i + kMinFirstPart <= n; ++i)
        for (std::size_t j = i + kMinFirstPart; j <= n; ++j) {
            const std::u16string_view part = std::u16string_view(lower).substr(i, j - i);
            if (j == n) {
                languages[i][j] = part.size() >= kMinLastPart ? ExactLanguages(part, false) : 0;
            } else {
                languages[i][j] = ExactLanguages(part, true);
                if (!LinkedGermanBase(part).empty()) languages[i][j] |= 1u << kGerman;
            }
        }
    PositionList best;
    for (int32_t language = 0; language < 32; ++language) {
        const uint32_t bit = 1u << language;
        // parts[i]: fewest parts covering lower[i, n); next[i]: where the
        // first of them ends.
        std::vector<std::size_t> parts(n + 1, n + 1), next(n + 1, 0);
        parts[n] = 0;
        for (std::size_t i = n; i-- > 0;)
            for (std::size_t j = n; j >= i + kMinFirstPart; --j)
                if ((languages[i][j] & bit) && parts[j] + 1 < parts[i]) {
                    parts[i] = parts[j] + 1;
                    next[i] = j;
                }
        if (parts[0] < 2 || parts[0] > n || (!best.empty() && parts[0] + 1 >= best.size())) continue;
        PositionList positions{1};
        for (std::size_t i = 0; i < n; i = next[i]) positions.push_back(static_cast<int32_t>(next[i] + 1));
        best = std::move(positions);
    }
    return best;
}

std::u16string_view CompoundPartWord(std::u16string_view part) {
    if (ExactLanguages(part, true)) return part;
    const std::u16string lower = LowerWord(part);
    const std::size_t length = LinkedGermanBase(lower).size();
    return length ? part.substr(0, length) : part;
}

void SortPositions(PositionList& positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
}

PositionList GetCutPositions(std::u16string_view word, bool allowUnknown) {
    PositionList cuts = allowUnknown ? GetCompoundPositions(word) : PositionList{};
    if (!cuts.empty()) return cuts;
    cuts = GetPrefixPositions(word, allowUnknown);
    const PositionList suffixCuts = GetSuffixPositions(word, allowUnknown);
    cuts.insert(cuts.end(), suffixCuts.begin(), suffixCuts.end());
    SortPositions(cuts);
    return cuts;
}

WordEntryArr SplitWord(std::u16string& word) {
    WordEntryArr result;
    try {
        for (std::size_t n = word.size(); n-- > 2;) {
            const std::u16string left = word.substr(0, n);
            const std::u16string right = word.substr(n);
            const InflArray a = GetInflexionData(left);
            if (a.empty()) continue;
            const InflArray b = GetInflexionData(right);
            if (b.empty() || !SameLanguage(a, b)) continue;
            result = GetWordMeanings(left);
            word = right;
            break;
        }
    } catch (const std::exception& error) {
        ReportError(error, u"SplitWord");
    }
    return result;
}

bool HasLanguage(const WordEntryArr& entry, int32_t language) {
    return std::any_of(entry.meanings.begin(), entry.meanings.end(),
                       [language](const WordEntry& reading) { return reading.language == language; });
}

bool SameLanguage(const InflArray& a, const InflArray& b) {
    constexpr int32_t kLanguages = 21;
    int counters[kLanguages] = {};
    for (const InflexionData& x : a)
        if (x.language >= 0 && x.language < kLanguages) counters[x.language] = 1;
    for (const InflexionData& x : b)
        if (x.language >= 0 && x.language < kLanguages && counters[x.language] > 0) ++counters[x.language];
    return std::any_of(std::begin(counters), std::end(counters), [](int c) { return c > 1; });
}

}  // namespace pv
