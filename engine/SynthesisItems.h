// How output synthesis reads the phrase tables: the fields of a phrase rule
// and of a synthesis phrase's build steps ("template items") that render a
// rule's entry as target text. The data builder writes its synthesis
// templates into the same fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/PhraseTables.h"

namespace pv {

constexpr int kTemplateSlotCount = 30;  // template slots 1..30 of per-slot operations

// Attribute operations and conditions are (code, kind) pairs.
enum AttributeKind : int32_t {
    kSelectionSet = 0,    // operation: set in the selection set; condition: required there
    kSelectionClear = 1,  // operation: clear there; condition: forbidden there
    kFormSet = 2,         // operation: set in the form set; condition: required there
    kFormClear = 3,       // operation: clear in the form and carried sets; condition: forbidden
};

// A rule's template when no item of its synthesis phrase applies.
inline const std::u16string& DefaultTemplate(const PhraseEntry& rule) { return rule.name; }

// The rule's attribute operations on the sets that reach its entry.
inline const WordCondsArray& AttributeOperations(const PhraseEntry& rule) { return rule.conditions; }

// Agreement: template slot (child) `slot` takes the value of `group` from
// the entry bound to `sourceSlot`, from its associated set into the form
// sets when formFlag is set, else from its inherited set into the
// selection set. A negative group makes the slot print only its preposition.
struct Agreement {
    int32_t slot = 0;
    int32_t group = 0;
    int32_t sourceSlot = 0;
    bool formFlag = false;
};
inline Agreement AgreementOf(const PhraseSElement& e) { return {e.a, e.d, e.b, e.c != 0}; }

// A build step as a template item.
inline int32_t ItemLanguage(const BuildStep& step) { return step.c; }  // 0: any
inline bool ItemContinues(const BuildStep& step) { return step.a != 0; }
inline const std::u16string& ItemTemplate(const BuildStep& step) { return step.text1; }
inline const std::u16string& ItemKey(const BuildStep& step) { return step.text2; }
// Conditions on the selection set (kinds 0, 1) and the form set (2, 3).
inline const WordCondsArray& ItemConditions(const BuildStep& step) { return step.conditions; }
// Per slot 0..20: conditions on the entry bound there.
inline const std::vector<WordCondsArray>& ItemSlotConditions(const BuildStep& step) {
    return step.slotConditions;
}
// Per template slot (list n for slot n; list 0 unused): attribute operations.
inline const std::vector<WordCondsArray>& ItemSlotOperations(const BuildStep& step) {
    return step.assignments;
}

}  // namespace pv
