#include "engine/OutputSynthesis.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ContextScoringRelations.h"
#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/SynthesisItems.h"
#include "morphology/PhraseRules.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr int kLastChild = kFEChildren - 1;  // children 1..20
constexpr int kLastSlot = kFESlots - 1;      // slot bindings 0..20

const std::u16string kNoTranslation = u"<no translation>";

// The entries whose expansion is under way. Slots handed down from a caller
// can lead back to one of them (a unary rule's child shares its parent's
// span); expanding it again would never end, so it then prints nothing.
class ExpansionPath {
public:
    explicit ExpansionPath(const FE& entry) : entered_(!Contains(entry)) {
        if (entered_) Path().push_back(&entry);
    }
    ~ExpansionPath() {
        if (entered_) Path().pop_back();
    }
    ExpansionPath(const ExpansionPath&) = delete;
    ExpansionPath& operator=(const ExpansionPath&) = delete;
    bool Entered() const { return entered_; }

private:
    static std::vector<const FE*>& Path() {
        thread_local std::vector<const FE*> path;
        return path;
    }
    static bool Contains(const FE& entry) {
        return std::find(Path().begin(), Path().end(), &entry) != Path().end();
    }
    bool entered_;
};

const std::u16string& MarkAt(int position) {
    static const std::u16string none;
    const std::vector<WordEntryArr>& window = Engine().Window;
    if (position < 0 || position >= static_cast<int>(window.size())) return none;
    return window[position].mark;
}

const Collocation* Instance(int32_t index) {
    const CollocationInstances& instances = Engine().instances;
    return index >= 0 && index < instances.Count() ? &instances[index] : nullptr;
}

// The first word of a "|"-separated word list.
std::u16string FirstListedWord(const std::u16string& field) {
    const std::size_t first = field.find_first_not_of(u'|');
    if (first == std::u16string::npos) return {};
    const std::size_t end = field.find(u'|', first);
    return field.substr(first, end == std::u16string::npos ? std::u16string::npos : end - first);
}

// Trim without keeping a blank of an all-blank text: a key of blanks is no key.
std::u16string TrimKey(const std::u16string& key) {
    const std::u16string trimmed = WideTrim(key);
    return trimmed.size() == 1 && trimmed[0] <= u' ' ? std::u16string() : trimmed;
}

// Whether text continues at `at` with name, compared in upper case.
bool NameAt(std::u16string_view text, std::size_t at, std::u16string_view name) {
    if (text.size() - at < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (WideUpperChar(text[at + i]) != name[i]) return false;
    return true;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A decimal number at `at` (optional sign; none: 0) and the position after
// it. Long numbers saturate far above every slot number.
std::pair<long, std::size_t> NumberAt(std::u16string_view text, std::size_t at) {
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    long n = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) n = std::min(n * 10 + (text[at] - u'0'), 1000000L);
    return {negative ? -n : n, at};
}

// The position after a closing parenthesis at `at`, if there is one.
std::size_t SkipClose(std::u16string_view text, std::size_t at) {
    return at < text.size() && text[at] == u')' ? at + 1 : at;
}

// The selection, form and carried sets of one template slot.
struct SlotSets {
    AttributeSet selection;
    AttributeSet form;
    AttributeSet carried;
};

// kind 0/1 set/clear in the selection set; 2 set in the form set (and in the
// carried set when carriedToo); 3 clear in the form and carried sets.
void ApplyOperation(const WordCond& op, SlotSets& sets, bool carriedToo) {
    const AttributeTables& grammar = GrammarTables();
    switch (op.mode) {
    case kSelectionSet: grammar.SetAttribute(sets.selection, op.value); break;
    case kSelectionClear: sets.selection.ClearBit(op.value); break;
    case kFormSet:
        grammar.SetAttribute(sets.form, op.value);
        if (carriedToo) grammar.SetAttribute(sets.carried, op.value);
        break;
    case kFormClear:
        sets.form.ClearBit(op.value);
        sets.carried.ClearBit(op.value);
        break;
    default: break;
    }
}

std::u16string Translate(const FE& entry, const SlotSets& sets, const SlotArray& slots) {
    return GetTranslation(entry, sets.selection, sets.form, sets.carried, slots);
}

std::u16string LeafText(const FE& entry, const AttributeSet& form, const AttributeSet& carried) {
    const Collocation* target = Instance(entry.targetInstance);
    if (!target) return kNoTranslation;
    const AttributeTables& grammar = GrammarTables();
    AttributeSet forms = form;
    grammar.Merge(forms, entry.associated);
    grammar.Merge(forms, carried);
    const Collocation* source = Instance(entry.sourceInstance);
    const std::u16string& mark = MarkAt(source ? source->position : -1);
    return WideTrim(mark + ComposeCollocationText(*target, forms) + mark);
}

// The expansion of one inner entry: its rule's template items, in turn,
// into one output text.
class RuleSynthesis {
public:
    explicit RuleSynthesis(const FE& entry) : entry_(entry) {}

    std::u16string Run(const AttributeSet& selection, const AttributeSet& form, const AttributeSet& carried,
                       const SlotArray& slots) {
        try {
            Prepare(selection, form, carried, slots);
            RunItems();
        } catch (...) {
            // The text made so far is the entry's text.
        }
        std::u16string text = WideTrim(out_);
        if (!text.empty()) text = WideTrim(MarkAt(entry_.start) + text);
        return text;
    }

private:
    void Prepare(const AttributeSet& selection, const AttributeSet& form, const AttributeSet& carried,
                 const SlotArray& slots) {
        const PhraseTables& tables = Phrases();
        if (entry_.rule >= static_cast<int32_t>(tables.phrases.size()))
            throw EngineError("rule " + std::to_string(entry_.rule) + " does not exist");
        rule_ = &tables.phrases[entry_.rule];
        for (int i = 0; i < kFESlots; ++i) merged_[i] = entry_.slots[i] ? entry_.slots[i] : slots[i];

        int32_t synth = -1;
        if (rule_->links.size() == 1) synth = rule_->links.front().synth;
        else if (rule_->links.size() > 1) synth = ChooseSynthesis(entry_.rule, merged_);
        if (synth >= 0 && synth < static_cast<int32_t>(tables.synthPhrases.size()))
            phrase_ = &tables.synthPhrases[synth];

        const AttributeTables& grammar = GrammarTables();
        sets_ = {selection, form, carried};
        grammar.Merge(sets_.selection, entry_.inherited);
        grammar.Merge(sets_.form, entry_.associated);
        for (const WordCond& op : AttributeOperations(*rule_)) ApplyOperation(op, sets_, false);
        slotSets_.assign(kTemplateSlotCount + 1, sets_);
    }

    void RunItems() {
        int next = 0;
        do {
            out_.clear();
            const int i = phrase_ ? GetProperBuildString(next, *phrase_, entry_, merged_, sets_.form,
                                                         sets_.selection)
                                  : -1;
            item_ = i >= 0 ? &phrase_->steps[i] : nullptr;
            std::u16string key;
            if (item_) {
                key = TrimKey(ItemKey(*item_));
                if (!key.empty() && !Stored(key)) stored_.emplace_back(key, std::u16string());
                next = i + 1;
                ApplySlotOperations();
            }
            Expand(item_ ? ItemTemplate(*item_) : DefaultTemplate(*rule_));
            if (!key.empty()) {
                *Stored(key) = std::move(out_);
                out_.clear();
            } else {
                prev_ = out_;
            }
        } while (item_ && ItemContinues(*item_));
    }

    void ApplySlotOperations() {
        const std::vector<WordCondsArray>& lists = ItemSlotOperations(*item_);
        for (std::size_t n = 1; n < lists.size(); ++n) {
            if (n > kTemplateSlotCount)
                throw EngineError("Range check in GetTranslation: index(" + std::to_string(n) + ")");
            for (const WordCond& op : lists[n]) ApplyOperation(op, slotSets_[n], true);
        }
    }

    std::u16string* Stored(const std::u16string& key) {
        for (auto& [name, text] : stored_)
            if (name == key) return &text;
        return nullptr;
    }

    void Append(const std::u16string& part) { out_ = WideTrim(out_ + part); }

    const FE* Child(long n) const { return n >= 1 && n <= kLastChild ? entry_.children[n] : nullptr; }
    const FE* Slot(long n) const { return n >= 0 && n <= kLastSlot ? merged_[n] : nullptr; }

    // Partly inside the entry's span and partly outside it.
    bool PartlyOverlaps(const FE& other) const {
        const int first = entry_.start, last = entry_.start + entry_.span;
        const int otherFirst = other.start, otherLast = other.start + other.span;
        const bool inside = otherFirst >= first && otherLast <= last;
        return !inside && otherLast >= first && otherFirst <= last;
    }

    void Expand(std::u16string_view text) {
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t mark = text.find(u"#!", at);
            if (mark == std::u16string_view::npos) {
                out_ += text.substr(at);
                return;
            }
            out_ += text.substr(at, mark - at);
            at = Placeholder(text, mark + 2);
        }
    }

    // Inserts the placeholder that starts at `at`; returns where the text goes on.
    std::size_t Placeholder(std::u16string_view text, std::size_t at) {
        if (NameAt(text, at, u"PREV")) {
            Append(prev_);
            return at + 4;
        }
        if (NameAt(text, at, u"PREP(")) return WordOfList(text, at + 5, PrepositionText);
        if (NameAt(text, at, u"SYNPART(")) return WordOfList(text, at + 8, SyntheticPartText);
        if (NameAt(text, at, u"SP(")) {
            const auto [n, end] = NumberAt(text, at + 3);
            InsertSlot(std::max(n, 0L));
            return SkipClose(text, end);
        }
        if (NameAt(text, at, u"VAR(")) {
            const std::size_t close = text.find(u')', at + 4);
            const std::u16string name = TrimKey(std::u16string(text.substr(at + 4, close - (at + 4))));
            if (const std::u16string* stored = Stored(name)) Append(*stored);
            return close == std::u16string_view::npos ? text.size() : close + 1;
        }
        if (at < text.size() && IsDigit(text[at])) {
            const auto [n, end] = NumberAt(text, at);
            InsertChild(n);
            return end;
        }
        return at;
    }

    // PREP(n) / SYNPART(n) of child n (0 counts as 1), or with "SP" before
    // the number, of slot binding n.
    std::size_t WordOfList(std::u16string_view text, std::size_t at, std::u16string (*word)(const FE&)) {
        const bool slot = NameAt(text, at, u"SP");
        const auto [n, end] = NumberAt(text, slot ? at + 2 : at);
        if (const FE* source = slot ? Slot(n) : Child(n == 0 ? 1 : n)) Append(word(*source));
        return SkipClose(text, end);
    }

    // SP(n): the entry's own binding n, else the caller's when it lies wholly
    // inside, before or after the entry.
    void InsertSlot(long n) {
        const FE* bound = Slot(n);
        if (!bound || (!entry_.slots[n] && PartlyOverlaps(*bound))) return;
        Append(Translate(*bound, slotSets_[n], merged_));
    }

    // #!n: child n, with the attributes of the entries it agrees with.
    void InsertChild(long n) {
        const FE* child = Child(n);
        if (!child) return;
        const AttributeTables& grammar = GrammarTables();
        SlotSets& sets = slotSets_[n];
        bool prepositionOnly = false;
        for (const PhraseSElement& element : rule_->s) {
            const Agreement agreement = AgreementOf(element);
            if (agreement.slot != n) continue;
            if (agreement.group < 0) {
                prepositionOnly = true;
                continue;
            }
            const FE* source = Slot(agreement.sourceSlot);
            if (!source) continue;
            if (agreement.formFlag) {
                const int32_t value = grammar.ValueOfAttribute(source->associated, agreement.group);
                if (value >= 0) {
                    grammar.SetAttribute(sets.form, value);
                    grammar.SetAttribute(sets.carried, value);
                }
            } else {
                const int32_t value = grammar.ValueOfAttribute(source->inherited, agreement.group);
                if (value >= 0) grammar.SetAttribute(sets.selection, value);
            }
        }
        if (item_) {
            const std::vector<WordCondsArray>& lists = ItemSlotOperations(*item_);
            if (static_cast<std::size_t>(n) < lists.size())
                for (const WordCond& op : lists[n]) ApplyOperation(op, sets, true);
        }
        Append(prepositionOnly ? PrepositionText(*child) : Translate(*child, sets, merged_));
    }

    const FE& entry_;
    const PhraseEntry* rule_ = nullptr;
    const SynthPhraseEntry* phrase_ = nullptr;
    const BuildStep* item_ = nullptr;  // the item being expanded; none for the default template
    SlotArray merged_{};
    SlotSets sets_;
    // Template slots 0..30, on the heap: rule entries nest as deep as unary
    // rules were stacked in one cell.
    std::vector<SlotSets> slotSets_;
    std::vector<std::pair<std::u16string, std::u16string>> stored_;  // key name, text
    std::u16string prev_;
    std::u16string out_;
};

bool SlotConditionsHold(const BuildStep& item, const SlotArray& slots) {
    const std::vector<WordCondsArray>& lists = ItemSlotConditions(item);
    const std::size_t count = std::min<std::size_t>(lists.size(), kFESlots);
    for (std::size_t j = 0; j < count; ++j) {
        const FE* bound = slots[j];
        if (bound ? !CheckConditions(lists[j], bound->inherited, bound->associated) : !lists[j].empty())
            return false;
    }
    return true;
}

}  // namespace

std::u16string GetTranslation(const FE& entry, const AttributeSet& selection, const AttributeSet& form,
                              const AttributeSet& carried, const SlotArray& slots) {
    ExpansionPath path(entry);
    if (!path.Entered()) return {};
    if (entry.rule >= 0) return RuleSynthesis(entry).Run(selection, form, carried, slots);
    try {
        return LeafText(entry, form, carried);
    } catch (...) {
        return {};
    }
}

std::u16string SegmentTranslation(const FE& entry) { return GetTranslation(entry, {}, {}, {}, entry.slots); }

int GetProperBuildString(int first, const SynthPhraseEntry& phrase, const FE& entry, const SlotArray& slots,
                         const AttributeSet& form, const AttributeSet& selection) {
    try {
        AttributeSet own = selection;
        GrammarTables().Merge(own, entry.inherited);
        for (int i = std::max(first, 0); i < static_cast<int>(phrase.steps.size()); ++i) {
            const BuildStep& item = phrase.steps[i];
            const int32_t language = ItemLanguage(item);
            if (language != 0 && language != TargetLanguage) continue;
            if (!CheckOwnConditions(ItemConditions(item), own) ||
                !CheckAssociatedConditions(ItemConditions(item), form))
                continue;
            if (SlotConditionsHold(item, slots)) return i;
        }
        return -1;
    } catch (const std::exception& error) {
        throw EngineError(std::string("GetProperBuildString:") + error.what());
    }
}

std::u16string PrepositionText(const FE& entry) {
    const Collocation* target = Instance(entry.targetInstance);
    return target ? FirstListedWord(target->firstPrepositions) : std::u16string();
}

std::u16string SyntheticPartText(const FE& entry) {
    const Collocation* target = Instance(entry.targetInstance);
    return target ? FirstListedWord(target->secondPrepositions) : std::u16string();
}

}  // namespace pv
