#include <algorithm>
#include <set>

#include "morphology/WordInflexions.h"

namespace pv {

InflexionTables& Inflexions() {
    static InflexionTables tables;
    return tables;
}

void InflexionTables::SetGroups(std::vector<InflexionGroup> groups) {
    groups_ = std::move(groups);
    groupIndex_.Clear();
    const auto byText = [](const InflexionEntry& a, const InflexionEntry& b) {
        return MyStrList::CompareStrings(a.ending, b.ending) < 0;
    };
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        // Stored groups usually come sorted already; checking is cheaper.
        InflexionEntryArray& endings = groups_[i].endings;
        if (!std::is_sorted(endings.begin(), endings.end(), byText))
            std::stable_sort(endings.begin(), endings.end(), byText);
        groupIndex_.Add(groups_[i].id, static_cast<int32_t>(i));
    }
    groupIndex_.Sort();
    groupSlots_.clear();
    int32_t smallest = 0, largest = -1;
    for (const InflexionGroup& group : groups_) {
        smallest = std::min(smallest, group.id);
        largest = std::max(largest, group.id);
    }
    if (smallest >= 0 && largest >= 0 &&
        static_cast<std::size_t>(largest) <= 4 * groups_.size() + 1024) {
        groupSlots_.assign(static_cast<std::size_t>(largest) + 1, -1);
        // The first of equal ids, as the index finds it.
        for (std::size_t i = groupIndex_.Count(); i-- > 0;)
            groupSlots_[groupIndex_[i].key] = groupIndex_[i].value;
    }
}

const InflexionGroup* InflexionTables::FindGroup(int32_t id) const {
    if (!groupSlots_.empty()) {
        if (id < 0 || static_cast<std::size_t>(id) >= groupSlots_.size() || groupSlots_[id] < 0)
            return nullptr;
        return &groups_[static_cast<std::size_t>(groupSlots_[id])];
    }
    IntegerIndex::FindResult hit = groupIndex_.Find(id);
    if (!hit.found) return nullptr;
    return &groups_[static_cast<std::size_t>(groupIndex_[static_cast<std::size_t>(hit.index)].value)];
}

void InflexionTables::SetDetails(std::vector<InflexionDetail> details) {
    details_ = std::move(details);
    detailsByLanguage_.clear();
    for (std::size_t k = 0; k < details_.size(); ++k)
        detailsByLanguage_[details_[k].language].push_back(static_cast<int32_t>(k));
}

const InflexionDetail* InflexionTables::Detail(int32_t key) const {
    if (key < 0 || static_cast<std::size_t>(key) >= details_.size()) return nullptr;
    return &details_[static_cast<std::size_t>(key)];
}

void InflexionTables::BuildZeroForms() {
    zeroForms_.Clear();
    zeroRefs_.clear();
    zeroWords_.Clear();
    // Several words without a stem may share a group; its forms are listed
    // once, and the index leads from the group to each of the words.
    std::set<int32_t> listed;
    for (int32_t k = 0; k < words.Count() && words.Item(k).empty(); ++k) {
        const int32_t record = words.RecordAt(k);
        const int32_t groupId = words.Record(record).group;
        const InflexionGroup* group = FindGroup(groupId);
        if (!group) continue;
        zeroWords_.Add(groupId, record);
        if (!listed.insert(groupId).second) continue;
        zeroRefs_.push_back({groupId, -1});
        zeroForms_.Add(group->baseEnding, static_cast<int32_t>(zeroRefs_.size() - 1));
        for (const InflexionEntry& entry : group->endings) {
            zeroRefs_.push_back({groupId, entry.key});
            zeroForms_.Add(entry.ending, static_cast<int32_t>(zeroRefs_.size() - 1));
        }
    }
    zeroForms_.Sort();
    zeroWords_.Sort();
}

InflexionData InflexionTables::GetWordEntry(int32_t wordId) const {
    InflexionData entry;
    const int32_t index = words.IndexOfId(wordId);
    if (index < 0) {
        entry.form = u"--";
        entry.partOfSpeech = kUnknownWordValue;
        return entry;
    }
    const WordRecord& record = words.Record(index);
    entry.form = words.Stem(index);
    if (const InflexionGroup* group = FindGroup(record.group)) entry.form += group->baseEnding;
    entry.partOfSpeech = record.partOfSpeech;
    entry.group = record.group;
    entry.language = record.language;
    entry.wordId = record.id;
    return entry;
}

std::u16string InflexionTables::Inflect(std::u16string_view lemma, int32_t group, int32_t key) const {
    const InflexionGroup* found = FindGroup(group);
    if (!found) return std::u16string(lemma);
    for (const InflexionEntry& entry : found->endings)
        if (entry.key == key) return Inflect(lemma, *found, entry);
    return std::u16string(lemma);
}

std::u16string InflexionTables::Inflect(std::u16string_view lemma, const InflexionGroup& group,
                                        const InflexionEntry& ending) {
    const std::size_t cut = std::min(lemma.size(), group.baseEnding.size());
    return std::u16string(lemma.substr(0, lemma.size() - cut)) + ending.ending;
}

int InflexionTables::DetailScore(int32_t k, const WordArray& values) const {
    int score = 0;
    for (uint16_t slot : details_[static_cast<std::size_t>(k)].values) {
        if (slot == 0) continue;
        if (std::find(values.begin(), values.end(), static_cast<int32_t>(slot)) == values.end()) return -1;
        ++score;
    }
    return score;
}

int32_t InflexionTables::FindInflexionDetail(int32_t language, const WordArray& values) const {
    auto records = detailsByLanguage_.find(language);
    if (records == detailsByLanguage_.end()) return -1;
    int32_t best = -1;
    int bestScore = 0;
    for (int32_t k : records->second) {
        // Strictly greater: of equal scores the first record in the file wins.
        if (const int score = DetailScore(k, values); score > bestScore) {
            best = k;
            bestScore = score;
        }
    }
    return best;
}

std::u16string InflexionTables::InflectFor(const InflexionData& word, const WordArray& values) const {
    const InflexionGroup* group = FindGroup(word.group);
    if (!group) return word.form;
    // The search of FindInflexionDetail over the group's own records: the
    // same record whenever the language-wide best is one of them.
    int32_t key = -1;
    int bestScore = 0;
    for (const InflexionEntry& entry : group->endings) {
        const InflexionDetail* detail = Detail(entry.key);
        if (!detail || detail->language != word.language) continue;
        const int score = DetailScore(entry.key, values);
        if (score > bestScore || (score == bestScore && score > 0 && entry.key < key)) {
            key = entry.key;
            bestScore = score;
        }
    }
    return Inflect(word.form, word.group, key);
}

InflexionData GetWordEntry(int32_t wordId) { return Inflexions().GetWordEntry(wordId); }

std::u16string Inflect(std::u16string_view lemma, int32_t group, int32_t key) {
    return Inflexions().Inflect(lemma, group, key);
}

int32_t FindInflexionDetail(int32_t language, const WordArray& values) {
    return Inflexions().FindInflexionDetail(language, values);
}

void BuildAllWords() { Inflexions().BuildAllWords(); }

bool PrefixLookup(std::u16string_view text) { return Inflexions().PrefixLookup(text); }

}  // namespace pv
