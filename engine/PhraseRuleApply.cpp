// Building the entry of a phrase rule: ApplyRule and CombineEntries.
#include <algorithm>
#include <exception>

#include "engine/ContextScoringRelations.h"
#include "engine/EngineState.h"
#include "engine/PhraseRuleDefaults.h"
#include "engine/PhraseRules.h"
#include "morphology/LowerWord.h"
#include "morphology/PhraseRules.h"

namespace pv {

namespace {

constexpr int kFirstChild = 1;
constexpr int kLastChild = kFEChildren - 1;  // 20
constexpr int kLastSlot = kFESlots - 1;      // 20

FE* Child(const FE& n, int32_t c) { return c >= kFirstChild && c <= kLastChild ? n.children[c] : nullptr; }
FE* Slot(const FE& n, int32_t g) { return g >= 0 && g <= kLastSlot ? n.slots[g] : nullptr; }

// The source collocation of an entry, null when it has none.
const Collocation* SourceOf(const FE& entry) {
    const CollocationInstances& instances = Engine().instances;
    if (entry.sourceInstance < 0 || entry.sourceInstance >= instances.Count()) return nullptr;
    return &instances[entry.sourceInstance];
}

// Whether the lower-cased text of member's source, between "|", is in the
// first (code -1) or second preposition field of owner's source.
bool InPrepositionField(const FE& member, const FE& owner, int32_t code) {
    const Collocation* word = SourceOf(member);
    const Collocation* list = SourceOf(owner);
    if (!word || !list) return false;
    const std::u16string& field = code == -1 ? list->firstPrepositions : list->secondPrepositions;
    return field.find(u"|" + LowerWord(word->text) + u"|") != std::u16string::npos;
}

void AppendRelation(FE& n, const FERelation& relation) {
    if (n.relationCount < kFERelations) n.relations[n.relationCount++] = relation;
}

void AppendPending(FE& n, int32_t rule) {
    if (n.pendingCount < kFEPendingRules) n.pendingRules[n.pendingCount++] = rule;
}

void AssignSlots(FE& n, const PhraseEntry& rule) {
    for (const PhraseJElement& assignment : rule.j) {
        const int32_t g = assignment.a;
        if (g < 0 || g > kLastSlot) continue;
        FE* child = Child(n, assignment.b);
        n.slots[g] = assignment.c && child ? child->slots[g] : child;
    }
}

// The agreement list in order; a satisfied membership test ends the checks.
bool Agrees(const FE& n, const PhraseEntry& rule) {
    const AttributeTables& attributes = GrammarTables();
    for (const PhraseSElement& agreement : rule.s) {
        const FE* child = Child(n, agreement.a);
        const FE* slot = Slot(n, agreement.b);
        const int32_t code = agreement.d;
        if (code == -1 || code == -2) {
            if (!child || !slot) continue;
            return InPrepositionField(*child, *slot, code);
        }
        if (agreement.c == 0 && child && slot && !attributes.Compatible(child->inherited, slot->inherited, code))
            return false;
    }
    return true;
}

void Inherit(FE& n, const PhraseEntry& rule) {
    n.inherited.Clear();
    n.associated.Clear();
    // Whole sets first, so that single groups can refine them.
    for (const PhraseIElement& inheritance : rule.i) {
        const FE* child = Child(n, inheritance.a);
        if (inheritance.b != -1 || !child) continue;
        if (inheritance.c == 0) {
            n.inherited = child->inherited;
            n.wordIds = child->wordIds;
            n.wordIdCount = child->wordIdCount;
            n.sourceInstance = child->sourceInstance;
        } else {
            n.associated = child->associated;
            n.targetInstance = child->targetInstance;
        }
    }
    const AttributeTables& attributes = GrammarTables();
    for (const PhraseIElement& inheritance : rule.i) {
        const FE* child = Child(n, inheritance.a);
        if (inheritance.b < 0 || !child) continue;
        if (inheritance.c == 0) attributes.CopyAttribute(n.inherited, child->inherited, inheritance.b);
        else attributes.CopyAttribute(n.associated, child->associated, inheritance.b);
    }
}

void ApplyDefaults(FE& n, const PhraseEntry& rule) {
    for (const PhrasePElement& fallback : rule.p) {
        const int32_t g = fallback.a;
        if (g < 0 || g > kLastSlot) continue;
        if (fallback.b > 0) {
            if (!n.slots[g]) n.slots[g] = Slot(n, fallback.b);
        } else if (fallback.entryInstance >= 0) {
            if (!n.slots[g]) n.slots[g] = StaticEntry(fallback.entryInstance);
        } else {
            n.slots[g] = nullptr;
        }
    }
}

double ChildScores(const FE& n) {
    double sum = 0.0;
    for (int c = kFirstChild; c <= kLastChild; ++c)
        if (n.children[c]) sum += n.children[c]->score;
    return sum;
}

void UseOwnCollocation(FE& n, const PhraseEntry& rule) {
    if (rule.entryInstance < 0) return;
    n.wordIds.fill(-1);
    n.sourceInstance = rule.entryInstance;
    const CollocationInstances& instances = Engine().instances;
    const int32_t classId = rule.entryInstance < instances.Count() ? instances[rule.entryInstance].classId : -1;
    n.wordIds[0] = classId;
    n.wordIdCount = classId >= 0 ? 1 : 0;
}

void ApplyAttributeOperations(FE& n, const PhraseEntry& rule) {
    const AttributeTables& attributes = GrammarTables();
    for (const WordCond& operation : rule.conditions) {
        switch (operation.mode) {
            case 0: attributes.SetAttribute(n.inherited, operation.value); break;
            case 1: n.inherited.ClearBit(operation.value); break;
            case 2: attributes.SetAttribute(n.associated, operation.value); break;
            case 3: n.associated.ClearBit(operation.value); break;
            default: break;
        }
    }
}

}  // namespace

bool ApplyRule(FE& n, int32_t ruleIndex) {
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    if (ruleIndex < 0 || static_cast<std::size_t>(ruleIndex) >= phrases.size()) return false;
    const PhraseEntry& rule = phrases[ruleIndex];
    try {
        n.rule = ruleIndex;
        AssignSlots(n, rule);
        if (!Agrees(n, rule)) return false;
        Inherit(n, rule);
        ApplyDefaults(n, rule);
        for (const PhraseRelation& relation : rule.relations)
            AppendRelation(n, {relation.type, relation.a, relation.b, relation.c});
        AppendPending(n, ruleIndex);
        n.score = ChildScores(n);
        EvaluateRelations(n);
        if (RuleResets(rule)) {
            n.relationCount = 0;
            n.pendingCount = 0;
        }
        UseOwnCollocation(n, rule);
        ApplyAttributeOperations(n, rule);
        n.category = GrammarTables().ValueOfAttribute(n.inherited, kPhraseCategoryAttribute);
        n.complete = 1;
        n.planEligible = RulePlanEligible(rule);
        n.score += RuleWeight(rule);
        n.bestGain = 0.0;
    } catch (const std::exception&) {
        // The rule ends with what it has built.
    }
    return true;
}

bool CombineEntries(FE& p, FE& h, const SimplePhraseEntry& s, FE& n) {
    try {
        n.leftChild = &p;
        n.rightChild = &h;
        for (const FE* part : {&p, &h}) {
            for (int k = 0; k < std::min<int>(part->relationCount, kFERelations); ++k)
                AppendRelation(n, part->relations[k]);
            for (int k = 0; k < std::min<int>(part->pendingCount, kFEPendingRules); ++k)
                AppendPending(n, part->pendingRules[k]);
        }
        if (p.complete) n.children[kFirstChild] = &p;
        else n.children = p.children;
        const int32_t childNumber = s.rightPosition + 1;
        if (childNumber >= kFirstChild && childNumber <= kLastChild) n.children[childNumber] = &h;

        const int32_t mask = RuleLanguageMask(s);
        const bool leftAccepted = LanguageInMask(mask, p.language);
        const bool rightAccepted = LanguageInMask(mask, h.language);
        double penalty = 0.0;
        if (!leftAccepted) penalty -= 0.5;
        if (!rightAccepted) penalty -= 0.5;
        if (p.language != h.language) penalty -= 1.5;

        if (s.result != 0) {
            // A part that does not finish its rule: an intermediate entry
            // that the next part of the rule continues, scored by its
            // children so far like the finished entry will be.
            n.category = s.result;
            GrammarTables().SetAttribute(n.inherited, s.result);
            n.score = ChildScores(n);
        } else if (!ApplyRule(n, s.phrase)) {
            return false;
        }
        n.language = p.language != 0 && leftAccepted ? p.language : (rightAccepted ? h.language : 0);
        n.score += penalty;
    } catch (const std::exception&) {
        // The partial entry is kept.
    }
    return true;
}

}  // namespace pv
