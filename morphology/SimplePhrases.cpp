#include "morphology/SimplePhrases.h"

#include <algorithm>
#include <exception>
#include <string>

#include "engine/EngineSettings.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

bool IsCategory(const AttributeTables& attributes, int32_t value) {
    return attributes.AttributeOf(value) == kPhraseCategoryAttribute;
}

int32_t LastCategory(const AttributeTables& attributes, const WordCondsArray& conds) {
    for (auto c = conds.rbegin(); c != conds.rend(); ++c)
        if (IsCategory(attributes, c->value)) return c->value;
    return 0;
}

void RemoveRequiredCategories(const AttributeTables& attributes, WordCondsArray& conds) {
    std::erase_if(conds, [&](const WordCond& c) { return c.mode == 0 && IsCategory(attributes, c.value); });
}

// Anchors are kept beside the slot lists; a phrase built without them has none.
int32_t AnchorOf(const PhraseEntry& phrase, int32_t slot) {
    return static_cast<std::size_t>(slot) < phrase.anchors.size() ? phrase.anchors[slot] : 0;
}

WordCondsArray Sorted(WordCondsArray conds) {
    SortByValue(conds);
    return conds;
}

std::u16string ErrorText(const std::exception& error, const char16_t* operation) {
    return u"Exception " + Utf8Decode(error.what()) + u" in " + operation;
}

}  // namespace

const SimplePhrases::RuleList& SimplePhrases::Find(const Index& index, int32_t category) {
    static const RuleList none;
    if (category < 0 || static_cast<std::size_t>(category) >= index.size()) return none;
    return index[category];
}

void SimplePhrases::Insert(Index& index, int32_t category, int32_t item) {
    if (category < 0) return;
    if (static_cast<std::size_t>(category) >= index.size()) index.resize(static_cast<std::size_t>(category) + 1);
    index[category].push_back(item);
}

const SimplePhrases::RuleList& SimplePhrases::Free(PhraseSide side, int32_t category) const {
    return Find(side == PhraseSide::Left ? leftFree_ : rightFree_, category);
}

const SimplePhrases::RuleList& SimplePhrases::Anchored(PhraseSide side, int32_t category) const {
    return Find(side == PhraseSide::Left ? leftAnchored_ : rightAnchored_, category);
}

void SimplePhrases::Clear() {
    rules_.clear();
    unary_.clear();
    leftFree_.clear();
    rightFree_.clear();
    leftAnchored_.clear();
    rightAnchored_.clear();
}

void SimplePhrases::AddSimplePhrase(SimplePhraseEntry rule, const AttributeTables& attributes) {
    try {
        rule.leftCategory = LastCategory(attributes, rule.leftConditions);
        rule.rightCategory = LastCategory(attributes, rule.rightConditions);
        RemoveRequiredCategories(attributes, rule.leftConditions);
        RemoveRequiredCategories(attributes, rule.rightConditions);
        rule.index = static_cast<int32_t>(rules_.size());
        rules_.push_back(std::move(rule));
    } catch (const std::exception& error) {
        ShowErrorBox(ErrorText(error, u"AddSimplePhrase"));
    }
}

void SimplePhrases::SortSPArrayByFixedVal(RuleList& list, PhraseSide side) const {
    try {
        auto anchor = [&](int32_t rule) {
            return side == PhraseSide::Left ? rules_[rule].leftAnchor : rules_[rule].rightAnchor;
        };
        std::stable_sort(list.begin(), list.end(),
                         [&](int32_t a, int32_t b) { return anchor(a) < anchor(b); });
    } catch (const std::exception& error) {
        ShowErrorBox(ErrorText(error, u"SortSPArrayByFixedVal/QuickSort"));
    }
}

void SimplePhrases::CutPhrase(const PhraseEntry& phrase, int32_t phraseIndex, AttributeTables& attributes) {
    SimplePhraseEntry rule;
    rule.phrase = phraseIndex;
    rule.p2 = phrase.p2;
    rule.p3 = phrase.p3;
    rule.leftConditions = Sorted(phrase.slotConditions[0]);
    rule.leftAnchor = AnchorOf(phrase, 0);
    rule.rightConditions = Sorted(phrase.slotConditions[1]);
    rule.rightAnchor = AnchorOf(phrase, 1);
    rule.rightPosition = 1;
    for (int32_t k = 2; k < phrase.SlotCount(); ++k) {
        const std::u16string name = u"SubPhrase " + Utf8Decode(std::to_string(k - 1)) + u" for (" +
                                    phrase.name + u")";
        const int32_t subPhrase = attributes.AddValue(kPhraseCategoryAttribute, name);
        rule.result = subPhrase;
        AddSimplePhrase(rule, attributes);
        rule.leftConditions = {WordCond{subPhrase, 0}};
        rule.rightConditions = Sorted(phrase.slotConditions[k]);
        rule.rightAnchor = AnchorOf(phrase, k);
        rule.rightPosition = k;
    }
    rule.result = 0;
    AddSimplePhrase(std::move(rule), attributes);
}

void SimplePhrases::Build(std::vector<PhraseEntry>& phrases, AttributeTables& attributes) {
    Clear();
    for (std::size_t n = 0; n < phrases.size() && !EngineStop; ++n) {
        PhraseEntry& phrase = phrases[n];
        const int32_t phraseIndex = static_cast<int32_t>(n);
        if (phrase.SlotCount() == 1) {
            WordCondsArray& slot = phrase.slotConditions[0];
            Insert(unary_, attributes.FindByAttribute(slot, kPhraseCategoryAttribute).value, phraseIndex);
            SortByValue(slot);
        } else if (phrase.SlotCount() >= 2) {
            CutPhrase(phrase, phraseIndex, attributes);
        }
    }
    for (const SimplePhraseEntry& rule : rules_) {
        Insert(rule.leftAnchor > 0 ? leftAnchored_ : leftFree_, rule.leftCategory, rule.index);
        Insert(rule.rightAnchor > 0 ? rightAnchored_ : rightFree_, rule.rightCategory, rule.index);
    }
    for (RuleList& list : leftAnchored_) SortSPArrayByFixedVal(list, PhraseSide::Left);
    for (RuleList& list : rightAnchored_) SortSPArrayByFixedVal(list, PhraseSide::Right);
}

}  // namespace pv
