#include "datagen/build/DictionaryEntries.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "datagen/ByteWriter.h"
#include "datagen/build/SourceText.h"
#include "lexdb/DataPath.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr int32_t kEnglish = 1;
constexpr std::size_t kMaxWords = 9;    // the longest span the engine matches
constexpr int32_t kDefaultTemplate = 1;  // above 0: the entry is translated

// The grammar a lemma's forms give an entry: the values every form has,
// and the attributes whose value differs between forms (or is missing in
// some), which the entry takes from the word as it stands in the text.
// The capitalisation is taken from the text, so that a word written with
// a capital or in capitals is translated so; a word spelled with a capital
// (a name, a German noun) has it among its own values.
struct LemmaShape {
    WordArray common;
    WordArray varying;
    WordArray associated;  // the common values, and the capital a word always has
};

LemmaShape ShapeOf(const std::string& text, const Lemma& lemma, const AttributeInventory& inventory) {
    WordArray values;
    for (const WordForm& form : lemma.forms) values.insert(values.end(), form.values.begin(), form.values.end());
    std::sort(values.begin(), values.end());
    LemmaShape shape;
    for (std::size_t i = 0; i < values.size();) {
        std::size_t end = i;
        while (end < values.size() && values[end] == values[i]) ++end;
        if (end - i == lemma.forms.size()) shape.common.push_back(values[i]);
        else if (int32_t attribute = inventory.AttributeOf(values[i]); attribute >= 0) AddIfMissing(shape.varying, attribute);
        i = end;
    }
    shape.associated = shape.common;
    if (StartsWithCapital(Utf8Decode(text))) {
        AddIfMissing(shape.associated, kInitialCapitalValue);
        std::sort(shape.associated.begin(), shape.associated.end());
    }
    AddIfMissing(shape.varying, kCapitalisationAttribute);
    std::sort(shape.varying.begin(), shape.varying.end());
    return shape;
}

// The in-use template above 0 whose slots hold every inherited group of
// the entry's words with the fewest others; the lowest such number on a
// tie, the lowest in-use number when none holds them all.
int32_t ChooseTemplate(const std::map<int32_t, EntryTemplate>& templates, const std::vector<WordArray>& inherited) {
    int32_t best = -1, fallback = -1;
    std::size_t bestExtra = std::numeric_limits<std::size_t>::max();
    for (const auto& [number, entryTemplate] : templates) {
        if (number <= 0 || !entryTemplate.inUse) continue;
        if (fallback < 0) fallback = number;
        bool covers = true;
        std::size_t extra = 0;
        for (std::size_t k = 0; k < inherited.size() && covers; ++k) {
            const WordArray empty;
            const WordArray& slot = k < entryTemplate.slots.size() ? entryTemplate.slots[k] : empty;
            for (int32_t group : inherited[k])
                covers = covers && std::find(slot.begin(), slot.end(), group) != slot.end();
            for (int32_t group : slot)
                if (std::find(inherited[k].begin(), inherited[k].end(), group) == inherited[k].end()) ++extra;
        }
        if (covers && extra < bestExtra) best = number, bestExtra = extra;
    }
    if (best > 0) return best;
    return fallback > 0 ? fallback : kDefaultTemplate;
}

std::string LowerCase(const std::string& text) {
    std::u16string wide = Utf8Decode(text);
    for (char16_t& c : wide) c = WideLowerChar(c);
    return Utf8Encode(wide);
}

std::string Join(const std::vector<std::string>& items, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) joined += separator;
        joined += items[i];
    }
    return joined;
}

// English, Turkish and German put the head of a compound noun phrase last.
bool HeadFinal(int32_t language) { return language == kEnglish || language == 3 || language == 4; }

// The score of an entry as a reading: words that the bilingual
// dictionaries link often are the common ones of their language, so of two
// homographs in different languages (English "in", Italian "in", a Turkish
// noun "in") the better known one wins. Small beside a spelling fix's
// penalty. As a translation every entry scores alike: a much-linked word
// has many senses, which makes it no better a translation.
double LinkScore(std::size_t links) { return 0.05 * std::log1p(static_cast<double>(links)); }

// A multi-word lemma split into its words, with the index of the word that
// a "#" follows (-1 without one).
struct MultiWordText {
    std::vector<std::string> words;
    int marked = -1;
};

MultiWordText SplitMultiWord(const std::string& text) {
    MultiWordText split;
    for (std::string word : Split(text, ' ')) {
        if (word.empty()) continue;
        if (word.back() == '#') {
            word.pop_back();
            split.marked = static_cast<int>(split.words.size());
        }
        split.words.push_back(word);
    }
    return split;
}

// A lexicon word that a word of a multi-word lemma can stand for, with the
// values all its forms spelled like that word share.
struct WordUse {
    const LemmaKey* lemma = nullptr;
    int32_t id = 0;
    WordArray values;
};

class DictionaryMaker {
public:
    DictionaryMaker(const BuildResult& result, BuildReport& report) : r_(result), report_(report) {}

    std::vector<CollocationRecord> Make() {
        IndexWords();
        std::vector<CollocationRecord> records;
        for (const LexiconWordRecord& word : r_.inflection.words) records.push_back(SingleWordEntry(word));
        MakeMultiWordEntries(records);
        AddTranslations(records);
        std::vector<CollocationRecord> kept;
        for (CollocationRecord& record : records) {
            const std::string language = LanguageCode(record.language);
            if (!FitText(record)) {
                report_.Drop(language, "dictionary entry text longer than 511 bytes");
                continue;
            }
            report_.Read(language, "entries in data/cols");
            if (record.wordIds.size() > 1) report_.Read(language, "multi-word entries in data/cols");
            kept.push_back(std::move(record));
        }
        return kept;
    }

private:
    // Words follow the lexicon's lemma order (lemmas that could not become
    // words are missing), so one walk pairs them.
    void IndexWords() {
        const std::vector<LexiconWordRecord>& words = r_.inflection.words;
        lemmaOfId_.assign(words.empty() ? 1 : static_cast<std::size_t>(words.back().id) + 1, nullptr);
        auto word = words.begin();
        for (auto lemma = r_.lexicon.lemmas.begin(); lemma != r_.lexicon.lemmas.end() && word != words.end(); ++lemma) {
            const LemmaKey& key = lemma->first;
            if (key.language != word->language || key.partOfSpeech != word->partOfSpeech ||
                Utf8Decode(key.text) != word->lemma)
                continue;
            idOf_.emplace_hint(idOf_.end(), key, word->id);
            lemmaOfId_[word->id] = &lemma->second;
            lastId_ = std::max(lastId_, word->id);
            ++word;
        }
        if (word != words.end()) throw SourceError("the inflection words do not follow the lemma order");
        for (const BilingualLink& link : r_.links) {
            if (link.to.language == kEnglish) linkedToEnglish_.insert(link.from);
            if (link.from.language == kEnglish) linkedToEnglish_.insert(link.to);
        }
    }

    // Fills the header fields every entry shares.
    void Describe(CollocationRecord& record, const LemmaKey& key, const std::vector<WordArray>& inherited) {
        record.language = static_cast<uint8_t>(key.language);
        record.partOfSpeech = static_cast<int16_t>(key.partOfSpeech);
        record.inheritedGroups = inherited;
        record.templateId = ChooseTemplate(r_.inventory.templates, inherited);
        record.meaningId = record.id;
        record.sourceScore = 0;
        record.targetScore = 0;
        if (auto it = r_.classes.find(key); it != r_.classes.end() && !it->second.empty()) {
            record.classId = *it->second.begin();
            record.flag = FirstHandClass(key) ? 1 : 0;
        }
    }

    bool FirstHandClass(const LemmaKey& key) const {
        return key.language == kEnglish || linkedToEnglish_.count(key);
    }

    CollocationRecord SingleWordEntry(const LexiconWordRecord& word) {
        CollocationRecord record;
        record.id = word.id;
        record.text = Utf8Encode(word.lemma);
        record.wordIds = {word.id};
        const LemmaKey key{word.language, record.text, word.partOfSpeech};
        LemmaShape shape;
        if (const Lemma* lemma = lemmaOfId_[word.id]) shape = ShapeOf(record.text, *lemma, r_.inventory);
        // Every form has the common values, so requiring them matches each
        // reading of the word, and a translation's form is found by them.
        record.requiredAttributes = {shape.common};
        record.associatedAttributes = shape.associated;
        Describe(record, key, {shape.varying});
        return record;
    }

    // Every multi-word lemma that a link names, with the uses of its words
    // found in one pass over the lexicon.
    void MakeMultiWordEntries(std::vector<CollocationRecord>& records) {
        std::set<LemmaKey> multiWord;
        for (const BilingualLink& link : r_.links)
            for (const LemmaKey* end : {&link.from, &link.to})
                if (end->text.find(' ') != std::string::npos && !idOf_.count(*end)) multiWord.insert(*end);
        std::map<std::pair<int32_t, std::string>, std::vector<WordUse>> uses;
        std::map<int32_t, std::set<std::string>> wanted;  // by language
        for (const LemmaKey& key : multiWord)
            for (const std::string& word : SplitMultiWord(key.text).words) {
                wanted[key.language].insert(word);
                wanted[key.language].insert(LowerCase(word));
            }
        for (const auto& [lemmaKey, lemma] : r_.lexicon.lemmas) {
            auto words = wanted.find(lemmaKey.language);
            auto id = idOf_.find(lemmaKey);
            if (words == wanted.end() || id == idOf_.end()) continue;
            std::map<std::string, std::vector<const WordArray*>> spelled;
            for (const WordForm& form : lemma.forms)
                if (words->second.count(form.text)) spelled[form.text].push_back(&form.values);
            for (const auto& [text, valueLists] : spelled) {
                WordArray shared = *valueLists.front();
                for (const WordArray* values : valueLists) {
                    WordArray both;
                    std::set_intersection(shared.begin(), shared.end(), values->begin(), values->end(),
                                          std::back_inserter(both));
                    shared = both;
                }
                uses[{lemmaKey.language, text}].push_back({&lemmaKey, id->second, shared});
            }
        }
        for (const LemmaKey& key : multiWord) {
            const std::string language = LanguageCode(key.language);
            CollocationRecord record;
            std::size_t head = 0;
            if (const char* reason = MultiWordEntry(key, uses, record, head)) {
                report_.Drop(language, reason);
                continue;
            }
            record.id = lastId_ + 1 + static_cast<int32_t>(records.size() - r_.inflection.words.size());
            idOf_[key] = record.id;
            LemmaShape shape = ShapeOf(record.text, *lemmaOfId_[record.wordIds[head]], r_.inventory);
            record.requiredAttributes[head] = shape.common;
            record.associatedAttributes = shape.associated;
            std::vector<WordArray> inherited(record.wordIds.size());
            inherited[head] = shape.varying;
            Describe(record, key, inherited);
            records.push_back(std::move(record));
        }
    }

    // The text, word ids and required values of a multi-word entry and the
    // index of its head word, or why it cannot be one.
    const char* MultiWordEntry(const LemmaKey& key, std::map<std::pair<int32_t, std::string>, std::vector<WordUse>>& uses,
                               CollocationRecord& record, std::size_t& headIndex) {
        const MultiWordText split = SplitMultiWord(key.text);
        if (split.words.size() > kMaxWords) return "multi-word expression of more than nine words";
        std::vector<std::vector<const WordUse*>> found(split.words.size());
        for (std::size_t i = 0; i < split.words.size(); ++i) {
            const std::string lower = LowerCase(split.words[i]);
            for (const WordUse& use : uses[{key.language, split.words[i]}]) found[i].push_back(&use);
            if (lower != split.words[i])
                for (const WordUse& use : uses[{key.language, lower}]) found[i].push_back(&use);
            if (found[i].empty()) return "multi-word expression with a word not in the lexicon";
        }
        auto hasPos = [&](std::size_t i) {
            for (const WordUse* use : found[i])
                if (use->lemma->partOfSpeech == key.partOfSpeech) return true;
            return false;
        };
        int head = split.marked;
        for (std::size_t i = 0; i < split.words.size() && head < 0; ++i) {
            const std::size_t at = HeadFinal(key.language) ? split.words.size() - 1 - i : i;
            if (hasPos(at)) head = static_cast<int>(at);
        }
        if (head < 0) head = HeadFinal(key.language) ? static_cast<int>(split.words.size()) - 1 : 0;
        for (std::size_t i = 0; i < split.words.size(); ++i) {
            // For the head a lemma of the entry's part of speech first; then
            // a lemma whose base form the word is; then the first one.
            const WordUse* chosen = nullptr;
            int bestRank = -1;
            for (const WordUse* use : found[i]) {
                const int rank = (use->lemma->text == split.words[i] ? 2 : 0) +
                                 (static_cast<int>(i) == head && use->lemma->partOfSpeech == key.partOfSpeech ? 4 : 0);
                if (rank > bestRank) chosen = use, bestRank = rank;
            }
            record.wordIds.push_back(chosen->id);
            record.requiredAttributes.push_back(static_cast<int>(i) == head ? WordArray{} : chosen->values);
        }
        headIndex = static_cast<std::size_t>(head);
        record.text = Join(split.words, ' ');
        return nullptr;
    }

    void AddTranslations(std::vector<CollocationRecord>& records) {
        // By entry id: the ids linked with it either way (an ending's only
        // from the ending), with their ranks, and those reached through
        // English.
        const std::size_t ids = records.empty() ? 1 : static_cast<std::size_t>(records.back().id) + 1;
        std::vector<std::vector<std::pair<int32_t, int32_t>>> ranked(ids);
        for (const BilingualLink& link : r_.links) {
            auto from = idOf_.find(link.from), to = idOf_.find(link.to);
            if (from == idOf_.end() || to == idOf_.end()) continue;
            ranked[from->second].push_back({link.rank, to->second});
            ranked[to->second].push_back({link.rank, from->second});
        }
        for (const BilingualLink& link : r_.endingLinks) {
            auto from = idOf_.find(link.from), to = idOf_.find(link.to);
            if (from != idOf_.end() && to != idOf_.end()) ranked[from->second].push_back({link.rank, to->second});
        }
        std::vector<std::vector<std::pair<int32_t, int32_t>>> pivoted(ids);
        for (const BilingualLink& link : r_.pivotLinks) {
            auto from = idOf_.find(link.from), to = idOf_.find(link.to);
            if (from != idOf_.end() && to != idOf_.end()) pivoted[from->second].push_back({link.rank, to->second});
        }
        languageOfId_.assign(ids, {0, 0});
        for (const CollocationRecord& record : records)
            languageOfId_[record.id] = {record.language, record.partOfSpeech};
        for (CollocationRecord& record : records) {
            // The engine takes the first of equally scored translations, so
            // they are listed in the order the sources give them.
            std::vector<std::pair<int32_t, int32_t>>& links = ranked[record.id];
            std::sort(links.begin(), links.end());
            std::vector<int32_t> linked;
            for (const auto& [rank, id] : links)
                if (std::find(linked.begin(), linked.end(), id) == linked.end()) linked.push_back(id);
            // How often the sources translate a word tells how usual it is;
            // translations through English say nothing of that.
            record.sourceScore = LinkScore(linked.size());
            std::vector<std::pair<int32_t, int32_t>>& pivots = pivoted[record.id];
            std::sort(pivots.begin(), pivots.end());
            for (const auto& [rank, id] : pivots) linked.push_back(id);
            translations_.push_back(SamePartOfSpeech(record, linked));
        }
    }

    // The engine takes every listed translation of the target language, so
    // where a language offers translations of the entry's own part of
    // speech, those of other parts of speech are left out.
    std::vector<int32_t> SamePartOfSpeech(const CollocationRecord& record, const std::vector<int32_t>& ids) {
        std::set<int32_t> matched;
        for (int32_t id : ids)
            if (languageOfId_[id].second == record.partOfSpeech) matched.insert(languageOfId_[id].first);
        std::vector<int32_t> kept;
        for (int32_t id : ids)
            if (languageOfId_[id].second == record.partOfSpeech || !matched.count(languageOfId_[id].first))
                kept.push_back(id);
        if (kept.size() < ids.size())
            report_.Drop(LanguageCode(record.language), "translations of another part of speech", ids.size() - kept.size());
        return kept;
    }

    // Sets the translations of a record, cutting them where the entry text
    // would not fit; false when the text does not fit without them.
    bool FitText(CollocationRecord& record) {
        std::vector<int32_t>& ids = translations_[next_++];
        std::vector<std::string> items;
        for (int32_t id : ids) items.push_back(std::to_string(id));
        std::size_t kept = items.size();
        for (;;) {
            record.translations = Join(std::vector<std::string>(items.begin(), items.begin() + kept), ';');
            try {
                CollocationText(record);
                break;
            } catch (const WriterError&) {
                if (kept == 0) return false;
                kept = std::min(kept - 1, kept * 9 / 10);
            }
        }
        const std::string language = LanguageCode(record.language);
        if (kept < items.size()) report_.Drop(language, "translations cut to fit the entry text", items.size() - kept);
        for (std::size_t k = 0; k < kept; ++k)
            report_.Read(language + "-" + LanguageCode(languageOfId_[ids[k]].first), "translations in data/cols");
        return true;
    }

    const BuildResult& r_;
    BuildReport& report_;
    std::map<LemmaKey, int32_t> idOf_;
    std::vector<const Lemma*> lemmaOfId_;  // by word id
    std::vector<std::pair<int32_t, int32_t>> languageOfId_;  // by entry id: language, part of speech
    std::set<LemmaKey> linkedToEnglish_;
    int32_t lastId_ = 0;
    std::vector<std::vector<int32_t>> translations_;
    std::size_t next_ = 0;
};

}  // namespace

std::vector<CollocationRecord> BuildDictionaryEntries(const BuildResult& result, BuildReport& report) {
    return DictionaryMaker(result, report).Make();
}

void WriteDictionary(const std::string& base, BuildResult& result, std::ostream& progress) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<CollocationRecord> records = BuildDictionaryEntries(result, result.report);
    CreateDataFolder(base);
    WriteCollocationFiles(ResolveDataPath(base, "data/cols"), records);
    progress << "wrote " << records.size() << " dictionary entries in "
             << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
}

}  // namespace pv
