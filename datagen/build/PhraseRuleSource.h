// Our phrase rules, written as readable text under data/phrases/, compiled
// into the phrase tables.
//
//   rule [weight W] [languages L,L,...] [target L] [plan] [reset] [entry ID]
//                            starts a rule; languages are language ids (the
//                            source languages accepted, all when not given),
//                            target 0 or the only target language, plan makes
//                            its entries plan segments, reset drops the
//                            relations, entry names the rule's own dictionary
//                            entry
//   slot COND... [template N]
//                            the next child (1, 2, ...): conditions are value
//                            names or ids, "!" forbids, "@" tests the
//                            associated set; template is the collocation
//                            template id the child's source must have
//   agree CHILD GROUP SLOT [form]
//                            GROUP an attribute name or id, or prep1/prep2:
//                            the child's word must be in the first/second
//                            preposition list of the slot's entry
//   inherit CHILD GROUP|all [associated]
//   assign SLOT CHILD [propagate]
//   default SLOT ENTRY|none [from SLOT]
//   relation KIND SLOT SLOT [FLAG]
//   set|clear|setform|clearform VALUE
//                            attribute operations on the rule's entry
//   template TEXT            the default synthesis template (rest of line)
//   item LANG TEXT           a template item for target language LANG (0:
//                            any), rest of line; the first item whose
//                            language fits renders the entry, the default
//                            template only when none does
//   slotop SLOT set|clear|setform|clearform VALUE
//                            an attribute operation of the last item on
//                            template slot SLOT (1 to 30)
//
// A line whose first non-blank character is "#" is a comment (templates
// contain "#!" placeholders, so a "#" later in a line is kept).
#pragma once

#include <string>

#include "datagen/PhraseTableWriter.h"
#include "datagen/build/AttributeInventory.h"

namespace pv {

// Appends the rules of one source text to tables; file names the text in
// error messages. Throws SourceError with file and line for a malformed
// line, an unknown name or a number out of range.
void ParsePhraseRules(const std::string& text, const std::string& file, const AttributeInventory& inventory,
                      PhraseTableSet& tables);

// The rules of every "*.txt" file of folder, in file name order; no folder
// gives no rules.
PhraseTableSet CompilePhraseRules(const std::string& folder, const AttributeInventory& inventory);

}  // namespace pv
