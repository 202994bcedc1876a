// What the word-forms window shows for a word: per word that the analysis
// finds, the lemma with its labels and language, then every form of the
// word with its labels, in display order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

// One row of the listing: grammatical labels and a word form. An empty row
// separates two words.
struct FormRow {
    std::u16string labels;
    std::u16string form;
    bool operator==(const FormRow&) const = default;
};

// The labels of slots 1 to 7 of an inflection detail record, joined with
// ","; empty slots and values without a label leave their comma.
std::u16string FormLabels(int32_t key, int32_t selector);

// The value of a form written together with the word after or before it
// ("isn't", "gonna", "del", "'m") or cut from such a form at its
// apostrophe: analysis reads it, the paradigm leaves it out.
constexpr int32_t kJoinedFormValue = 944;

// The rows for word (analysed as given, untrimmed). onlyLanguage 0 lists
// every word; another language id lists only the words of that language.
// A form is listed when its labels say which form it is: forms with no
// value and joined forms (kJoinedFormValue) are left out. selector 2
// gives Bulgarian labels, any other English. No rows for a blank word or
// a word that no analysis explains.
std::vector<FormRow> ListWordForms(std::u16string_view word, int32_t onlyLanguage, int32_t selector);

}  // namespace pv
