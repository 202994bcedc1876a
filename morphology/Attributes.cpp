#include "morphology/Attributes.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <stdexcept>

#include "lexdb/Collocation.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::u16string Decimal(int32_t v) {
    std::string digits = std::to_string(v);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

void AddIfMissing(WordArray& list, int32_t value) {
    if (!Contains(list, value)) list.push_back(value);
}

bool Contains(const WordArray& list, int32_t value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool IsSubset(const WordArray& whole, const WordArray& part) {
    std::size_t i = 0;
    for (int32_t v : part) {
        while (i < whole.size() && whole[i] < v) ++i;
        if (i == whole.size() || whole[i] != v) return false;
    }
    return true;
}

void SortAscending(WordArray& list) { std::sort(list.begin(), list.end()); }

void SortByValue(WordCondsArray& conds) {
    std::stable_sort(conds.begin(), conds.end(),
                     [](const WordCond& a, const WordCond& b) { return a.value < b.value; });
}

namespace {

bool Holds(const WordCond& c, const AttributeSet& set) {
    return set.TestBit(c.value) == ((c.mode & 1) == 0);
}

}  // namespace

bool CheckOwnConditions(const WordCondsArray& conds, const AttributeSet& own) {
    return std::all_of(conds.begin(), conds.end(),
                       [&](const WordCond& c) { return c.mode >= 2 || Holds(c, own); });
}

bool CheckAssociatedConditions(const WordCondsArray& conds, const AttributeSet& associated) {
    return std::all_of(conds.begin(), conds.end(),
                       [&](const WordCond& c) { return c.mode < 2 || Holds(c, associated); });
}

bool CheckConditions(const WordCondsArray& conds, const AttributeSet& own,
                     const AttributeSet& associated) {
    return std::all_of(conds.begin(), conds.end(), [&](const WordCond& c) {
        return Holds(c, c.mode < 2 ? own : associated);
    });
}

void AttributeTables::SetAttributes(const std::vector<AttributeDef>& attributes,
                                    std::vector<int32_t> valueAttributes) {
    attributeWords_.assign(attributes.size(), {});
    for (std::size_t a = 0; a < attributes.size(); ++a) {
        const AttributeDef& attribute = attributes[a];
        for (int k = std::max(attribute.first, 0); k <= std::min(attribute.last, kAttributeSetWords - 1); ++k)
            if (attribute.mask[k] != 0xFFFFFFFFu)
                attributeWords_[a].push_back({static_cast<uint8_t>(k), attribute.mask[k]});
    }
    valueAttributes_ = std::move(valueAttributes);
    valueNames_.assign(valueAttributes_.size(), std::u16string());
}

void AttributeTables::SetImpliedValues(const std::vector<ImpliedValue>& implied) {
    implied_.clear();
    for (const ImpliedValue& v : implied) implied_[{v.language, v.partOfSpeech}].push_back(v.value);
}

int32_t AttributeTables::AttributeOf(int32_t value) const {
    if (value < 0 || value >= ValueCount()) return -1;
    return valueAttributes_[value];
}

const std::u16string& AttributeTables::ValueName(int32_t value) const {
    static const std::u16string none;
    if (value < 0 || value >= ValueCount()) return none;
    return valueNames_[value];
}

int32_t AttributeTables::AddValue(int32_t attribute, std::u16string name) {
    valueAttributes_.push_back(attribute);
    valueNames_.push_back(std::move(name));
    return ValueCount() - 1;
}

bool AttributeTables::AncestorIsFirst(int32_t relationType) const {
    return relationType >= 0 && static_cast<std::size_t>(relationType) < relations_.size() &&
           relations_[relationType] == 1;
}

void AttributeTables::SetAttribute(AttributeSet& set, int32_t value) const {
    if (value < 0 || value >= ValueCount()) return;
    try {
        const std::vector<AttributeWord>* words = WordsOf(valueAttributes_[value]);
        if (!words)
            throw std::out_of_range("value " + std::to_string(value) + " belongs to attribute " +
                                    std::to_string(valueAttributes_[value]) +
                                    ", which is not defined");
        for (const AttributeWord& word : *words) set.words[word.index] &= word.keep;
        set.SetBit(value);
    } catch (const std::exception& e) {
        ShowErrorBox(u"Exception " + Utf8Decode(e.what()) + u" in SetAttribute(N=" + Decimal(value) + u")");
    }
}

int32_t AttributeTables::ValueOfAttribute(const AttributeSet& set, int32_t attribute) const {
    const std::vector<AttributeWord>* words = WordsOf(attribute);
    if (!words) return -1;
    for (const AttributeWord& word : *words) {
        const uint32_t bits = set.words[word.index] & ~word.keep;
        // Exactly one bit; without a popcount instruction in the baseline
        // target, std::popcount is a library call on this hot path.
        if (bits != 0 && (bits & (bits - 1)) == 0) return word.index * 32 + std::countr_zero(bits);
    }
    return -1;
}

void AttributeTables::Merge(AttributeSet& target, const AttributeSet& source) const {
    for (int k = 0; k < kAttributeSetWords; ++k)
        for (uint32_t bits = source.words[k]; bits != 0; bits &= bits - 1)
            SetAttribute(target, k * 32 + std::countr_zero(bits));
}

void AttributeTables::FromList(AttributeSet& set, const WordArray& list) const {
    for (int32_t v : list) SetAttribute(set, v);
}

bool AttributeTables::Compatible(const AttributeSet& a, const AttributeSet& b,
                                 int32_t attribute) const {
    const std::vector<AttributeWord>* words = WordsOf(attribute);
    if (!words) return true;
    bool aHolds = false, bHolds = false, differ = false;
    for (const AttributeWord& word : *words) {
        uint32_t x = a.words[word.index] & ~word.keep, y = b.words[word.index] & ~word.keep;
        aHolds |= x != 0;
        bHolds |= y != 0;
        differ |= x != y;
    }
    return !(aHolds && bHolds && differ);
}

void AttributeTables::CopyAttribute(AttributeSet& target, const AttributeSet& source,
                                    int32_t attribute) const {
    const std::vector<AttributeWord>* words = WordsOf(attribute);
    if (!words) return;
    bool holds = false;
    for (const AttributeWord& word : *words) holds |= (source.words[word.index] & ~word.keep) != 0;
    if (!holds) return;
    for (const AttributeWord& word : *words)
        target.words[word.index] =
            (target.words[word.index] & word.keep) | (source.words[word.index] & ~word.keep);
}

void AttributeTables::SetValue(WordArray& list, int32_t value) const {
    value = static_cast<uint16_t>(value);
    int32_t attribute = AttributeOf(value);
    if (attribute >= 0) {
        for (int32_t& v : list)
            if (AttributeOf(v) == attribute) {
                v = value;
                return;
            }
        list.push_back(value);
        return;
    }
    // A value without a known attribute replaces nothing.
    AddIfMissing(list, value);
}

void AttributeTables::RemoveAttribute(WordArray& list, int32_t attribute) const {
    if (attribute < 0) return;
    for (int32_t& v : list)
        if (AttributeOf(v) == attribute) {
            v = list.back();
            list.pop_back();
            return;
        }
}

int32_t AttributeTables::ValueOfAttribute(const WordArray& list, int32_t attribute) const {
    if (attribute < 0) return -1;
    for (int32_t v : list)
        if (AttributeOf(v) == attribute) return v;
    return -1;
}

void AttributeTables::Merge(WordArray& target, const WordArray& source) const {
    for (int32_t v : source) SetValue(target, v);
}

WordArray AttributeTables::AddImplied(const WordArray& list, int32_t language,
                                      int32_t partOfSpeech) const {
    WordArray result;
    if (auto it = implied_.find({language, partOfSpeech}); it != implied_.end()) result = it->second;
    Merge(result, list);
    return result;
}

WordCond AttributeTables::FindByAttribute(const WordCondsArray& conds, int32_t attribute) const {
    if (attribute >= 0)
        for (const WordCond& c : conds)
            if (AttributeOf(c.value) == attribute) return c;
    return WordCond{};
}

void AttributeTables::ApplyTemplate(std::vector<WordArray>& inherited, std::size_t wordCount,
                                    int32_t templateNumber) const {
    if (templateNumber < 0 || static_cast<std::size_t>(templateNumber) >= templates_.size()) return;
    const EntryTemplate& entryTemplate = templates_[templateNumber];
    if (!entryTemplate.inUse) return;
    std::size_t words = std::min<std::size_t>(wordCount, kTemplateSlots);
    if (inherited.size() < words) inherited.resize(words);
    for (std::size_t k = 0; k < words; ++k)
        for (int32_t id : entryTemplate.slots[k]) AddIfMissing(inherited[k], id);
}

void AttributeTables::ApplyTemplate(Collocation& entry, int32_t templateNumber) const {
    ApplyTemplate(entry.inheritedGroups, entry.wordIds.size(), templateNumber);
}

}  // namespace pv
