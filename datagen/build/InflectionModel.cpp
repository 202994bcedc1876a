#include "datagen/build/InflectionModel.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "textutil/TextConvert.h"

namespace pv {

std::vector<std::pair<std::u16string, int32_t>> InflectionModel::Forms(const LexiconWordRecord& word) const {
    std::vector<std::pair<std::u16string, int32_t>> forms;
    if (word.group <= 0 || word.group > static_cast<int32_t>(groups.size())) {
        forms.push_back({word.stem, -1});
        return forms;
    }
    const InflectionGroupRecord& g = groups[word.group - 1];
    forms.push_back({word.stem + g.baseEnding, -1});
    for (const InflectionEndingRecord& e : g.endings) forms.push_back({word.stem + e.text, e.key});
    return forms;
}

namespace {

using DetailKey = std::pair<int32_t, WordArray>;  // language, slots

// Slot 0 holds the word's part of speech: the word-forms window shows the
// part of speech once, on the lemma's row, and the labels of a form from
// slot 1 on. Synthesis and analysis set the part of speech anyway.
DetailKey DetailSlots(const LemmaKey& key, const WordForm& form) {
    WordArray slots{key.partOfSpeech};
    slots.insert(slots.end(), form.values.begin(), form.values.end());
    return {key.language, std::move(slots)};
}

// The display ranks of the values after the part of speech.
std::vector<int32_t> Ranks(const AttributeInventory& inventory, const WordArray& slots) {
    std::vector<int32_t> ranks;
    for (std::size_t i = 1; i < slots.size(); ++i) ranks.push_back(inventory.Rank(slots[i]));
    std::sort(ranks.begin(), ranks.end());
    return ranks;
}

std::size_t CommonPrefix(const std::u16string& a, const std::u16string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    // Never split a surrogate pair.
    if (n > 0 && n < a.size() && a[n - 1] >= 0xD800 && a[n - 1] < 0xDC00) --n;
    return n;
}

using GroupKey = std::pair<std::u16string, std::vector<std::pair<std::u16string, int32_t>>>;

// Words alike: same language and base ending, and a lemma ending in the
// same letters, which for suffixing languages decide which endings fit.
using Likeness = std::tuple<int32_t, std::u16string, std::u16string>;

std::u16string LastLetters(const std::u16string& lemma) {
    return lemma.substr(lemma.size() - std::min<std::size_t>(lemma.size(), 2));
}

struct GroupUse {
    int32_t language = 0;
    int64_t words = 0;
    int64_t analysedWords = 0;  // words whose forms came from an analyser
    bool allowed = false;
    std::set<std::u16string> lastLetters;  // of the lemmas of its words
};

// Marks the ending sets that get one of the group ids. When there
// are more sets, the ids are shared fairly among the languages (a language
// needing less than an equal share keeps all its sets, the rest divide what
// is left), and within a language the sets used by the most words win, of
// sets used by as many words those of more words from an analyser.
// The sets of a language left without an id are pooled: words alike (see
// Likeness) share the union of their endings as one group, when the
// language's share holds those unions besides its own sets; these
// likenesses are returned. Otherwise the words left over do not inflect.
std::set<Likeness> AllowGroups(std::map<GroupKey, GroupUse>& uses, int32_t idCount) {
    std::map<int32_t, std::vector<std::pair<const GroupKey*, GroupUse*>>> byLanguage;
    for (auto& [key, use] : uses) byLanguage[use.language].push_back({&key, &use});
    std::vector<std::pair<std::size_t, int32_t>> needs;  // sets, language
    for (const auto& [language, sets] : byLanguage) needs.push_back({sets.size(), language});
    std::sort(needs.begin(), needs.end());
    std::set<Likeness> pooled;
    std::size_t left = static_cast<std::size_t>(std::max(idCount, 0));
    for (std::size_t i = 0; i < needs.size(); ++i) {
        const std::size_t given = std::min(needs[i].first, left / (needs.size() - i));
        left -= given;
        const int32_t language = needs[i].second;
        auto& sets = byLanguage[language];
        // Of sets used by as many words, an analyser's first: its words are
        // the common ones, with whole paradigms.
        std::stable_sort(sets.begin(), sets.end(), [](const auto& a, const auto& b) {
            if (a.second->words != b.second->words) return a.second->words > b.second->words;
            return a.second->analysedWords > b.second->analysedWords;
        });
        // unions[k]: the pooled groups needed when the first k sets keep ids.
        std::vector<std::size_t> unions(sets.size() + 1, 0);
        std::set<Likeness> alike;
        for (std::size_t k = sets.size(); k-- > 0;) {
            for (const std::u16string& letters : sets[k].second->lastLetters)
                alike.insert({language, sets[k].first->first, letters});
            unions[k] = alike.size();
        }
        std::size_t kept = given;
        if (given < sets.size()) {
            std::size_t k = given + 1;
            while (k-- > 0 && k + unions[k] > given) {}
            if (k <= given) {
                kept = k;
                for (std::size_t j = k; j < sets.size(); ++j)
                    for (const std::u16string& letters : sets[j].second->lastLetters)
                        pooled.insert({language, sets[j].first->first, letters});
            }
        }
        for (std::size_t k = 0; k < kept; ++k) sets[k].second->allowed = true;
    }
    return pooled;
}

}  // namespace

InflectionModel DeriveInflection(const Lexicon& lexicon, const AttributeInventory& inventory,
                                 BuildReport& report, int32_t idCount) {
    InflectionModel model;

    // Detail records: every (language, part of speech, values) of a form,
    // in paradigm order.
    std::map<DetailKey, int32_t> detailIds;
    std::vector<DetailKey> keys;
    for (const auto& [key, lemma] : lexicon.lemmas)
        for (const WordForm& form : lemma.forms)
            if (form.values.size() < static_cast<std::size_t>(kDetailSlots) &&
                detailIds.emplace(DetailSlots(key, form), 0).second)
                keys.push_back(DetailSlots(key, form));
    std::sort(keys.begin(), keys.end(), [&](const DetailKey& a, const DetailKey& b) {
        if (a.first != b.first) return a.first < b.first;
        std::vector<int32_t> ra = Ranks(inventory, a.second), rb = Ranks(inventory, b.second);
        return ra != rb ? ra < rb : a.second < b.second;
    });
    int32_t order = 0, language = -1;
    for (const DetailKey& key : keys) {
        if (key.first != language) order = 0, language = key.first;
        InflectionDetailRecord record;
        record.language = key.first;
        for (std::size_t i = 0; i < key.second.size(); ++i) record.values[i] = static_cast<uint16_t>(key.second[i]);
        record.displayOrder = order++;
        detailIds[key] = static_cast<int32_t>(model.details.size());
        model.details.push_back(record);
    }

    // The words with their ending sets first; group ids are given out
    // afterwards, since there may be fewer ids than sets.
    struct PendingWord {
        LexiconWordRecord word;
        const GroupKey* group = nullptr;  // none: the word does not inflect
        int64_t forms = 0;
    };
    std::vector<PendingWord> pending;
    std::map<GroupKey, GroupUse> groupUses;
    for (const auto& [key, lemma] : lexicon.lemmas) {
        const std::string code = LanguageCode(key.language);
        std::u16string text = Utf8Decode(key.text);
        std::vector<std::pair<std::u16string, int32_t>> forms;
        bool tooManyValues = false;
        for (const WordForm& form : lemma.forms) {
            auto id = detailIds.find(DetailSlots(key, form));
            if (id == detailIds.end()) {
                tooManyValues = true;
                continue;
            }
            forms.push_back({Utf8Decode(form.text), id->second});
        }
        if (tooManyValues) report.Drop(code, "form with more than seven values");
        std::size_t stem = text.size();
        for (const auto& [form, detail] : forms) stem = std::min(stem, CommonPrefix(text, form));
        PendingWord p;
        p.word.language = key.language;
        p.word.partOfSpeech = key.partOfSpeech;
        p.word.stem = text.substr(0, stem);
        p.word.lemma = text;
        p.forms = static_cast<int64_t>(forms.size());
        std::u16string base = text.substr(stem);
        std::vector<std::pair<std::u16string, int32_t>> endings;
        bool tooLong = Utf8Encode(base).size() > kMaxEndingBytes;
        for (const auto& [form, detail] : forms) {
            endings.push_back({form.substr(stem), detail});
            tooLong = tooLong || Utf8Encode(endings.back().first).size() > kMaxEndingBytes;
        }
        if (tooLong) {
            report.Drop(code, "ending longer than 40 bytes");
            continue;
        }
        std::sort(endings.begin(), endings.end());
        if (!endings.empty()) {
            GroupUse use;
            use.language = key.language;
            auto it = groupUses.try_emplace(GroupKey{std::move(base), std::move(endings)}, std::move(use)).first;
            ++it->second.words;
            if (lemma.analysed) ++it->second.analysedWords;
            it->second.lastLetters.insert(LastLetters(text));
            p.group = &it->first;
        }
        pending.push_back(std::move(p));
    }
    const std::set<Likeness> pooled = AllowGroups(groupUses, std::min(idCount, kMaxGroupId));

    // The pooled groups: the union of the endings of the words alike.
    std::map<Likeness, std::set<std::pair<std::u16string, int32_t>>> poolEndings;
    auto poolOf = [&](const PendingWord& p) {
        return Likeness{p.word.language, p.group->first, LastLetters(p.word.lemma)};
    };
    for (const PendingWord& p : pending)
        if (p.group && !groupUses.at(*p.group).allowed && pooled.count(poolOf(p)))
            poolEndings[poolOf(p)].insert(p.group->second.begin(), p.group->second.end());
    std::map<Likeness, GroupKey> pools;
    for (const auto& [likeness, endings] : poolEndings)
        pools[likeness] = GroupKey{std::get<1>(likeness), {endings.begin(), endings.end()}};

    std::map<const GroupKey*, int32_t> groupIds;
    for (PendingWord& p : pending) {
        LexiconWordRecord& word = p.word;
        const std::string code = LanguageCode(word.language);
        if (p.group && !groupUses.at(*p.group).allowed && pooled.count(poolOf(p))) {
            report.Read(code, "words inflected by the endings of words alike");
            p.group = &pools.at(poolOf(p));
            p.forms = static_cast<int64_t>(p.group->second.size());
        } else if (p.group && !groupUses.at(*p.group).allowed) {
            // Without a group the word keeps its lemma as its only form.
            report.Drop(code, "inflection of a word with no inflection group id left");
            word.stem = word.lemma;
            p.group = nullptr;
            p.forms = 1;
        }
        if (p.group) {
            auto [it, added] = groupIds.emplace(p.group, 0);
            if (added) {
                InflectionGroupRecord group;
                group.id = static_cast<int32_t>(model.groups.size()) + 1;
                group.baseEnding = p.group->first;
                for (const auto& [ending, detail] : p.group->second) group.endings.push_back({detail, ending});
                model.groups.push_back(std::move(group));
                it->second = model.groups.back().id;
            }
            word.group = it->second;
        }
        word.id = static_cast<int32_t>(model.words.size()) + 1;
        if (word.stem.empty()) report.Read(code, "zero-stem words");
        report.Read(code, "lemmas");
        report.Read(code, "word forms", p.forms);
        model.words.push_back(std::move(word));
    }
    return model;
}

}  // namespace pv
