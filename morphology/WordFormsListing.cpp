#include "morphology/WordFormsListing.h"

#include <algorithm>
#include <utility>

#include "morphology/GrammarLabels.h"
#include "morphology/WordAnalysis.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::u16string LabelOf(int32_t value, int32_t selector) {
    AttributeSet set;
    set.SetBit(value);
    return GetGrammarLabels(set, selector);
}

// A form takes a row of the paradigm when its labels say which form it is.
// One without a label (a derived word or a clitic form that a spelling
// dictionary adds to a lemma) or one written together with the next word
// ("gonna", "isn't", "del") stays a word that analysis reads, but its row
// would say nothing about it.
bool InParadigm(const InflexionDetail& detail, const std::u16string& labels) {
    for (int slot = 1; slot < kDetailSlots; ++slot)
        if (detail.values[static_cast<std::size_t>(slot)] == kJoinedFormValue) return false;
    return labels.find_first_not_of(u',') != std::u16string::npos;
}

struct ListedForm {
    std::u16string labels;
    int32_t order = 0;
    std::u16string form;
};

void AppendForms(const InflexionData& word, int32_t selector, std::vector<FormRow>& rows) {
    const InflexionTables& tables = Inflexions();
    const InflexionGroup* group = tables.FindGroup(word.group);
    if (!group) return;
    std::vector<ListedForm> forms;
    for (const InflexionEntry& ending : group->endings) {
        const InflexionDetail* detail = tables.Detail(ending.key);
        std::u16string labels = FormLabels(ending.key, selector);
        if (!detail || !InParadigm(*detail, labels)) continue;
        // Each ending's own text: two forms of one key (spelling variants)
        // would otherwise both show the first.
        forms.push_back({std::move(labels), detail->displayOrder, InflexionTables::Inflect(word.form, *group, ending)});
    }
    // The window's exchange sort, so that forms of equal order come out
    // exactly as it shows them.
    for (std::size_t i = 0; i + 1 < forms.size(); ++i)
        for (std::size_t j = i + 1; j < forms.size(); ++j)
            if (forms[j].order < forms[i].order) std::swap(forms[i], forms[j]);
    for (ListedForm& f : forms) rows.push_back({std::move(f.labels), std::move(f.form)});
}

}  // namespace

std::u16string FormLabels(int32_t key, int32_t selector) {
    std::u16string text;
    const InflexionDetail* detail = Inflexions().Detail(key);
    if (!detail) return text;
    for (int slot = 1; slot < kDetailSlots; ++slot) {
        if (!text.empty() && text.back() != u',') text += u',';
        text += LabelOf(detail->values[static_cast<std::size_t>(slot)], selector);
    }
    return text;
}

std::vector<FormRow> ListWordForms(std::u16string_view word, int32_t onlyLanguage, int32_t selector) {
    std::vector<FormRow> rows;
    if (WideTrim(word).empty()) return rows;
    std::vector<int32_t> seen;
    for (const InflexionData& a : GetInflexionData(word)) {
        if (std::find(seen.begin(), seen.end(), a.wordId) != seen.end()) continue;
        if (onlyLanguage != 0 && onlyLanguage != a.language) continue;
        seen.push_back(a.wordId);
        if (!rows.empty()) rows.push_back({});
        // The word's own entry: the analysis of a word without a stem holds
        // the form analysed ("went"), not the lemma ("go") its forms are
        // made from.
        InflexionData lemma = GetWordEntry(a.wordId);
        if (lemma.wordId != a.wordId) lemma = a;
        const int32_t category = a.partOfSpeech == 733 ? 1 : a.partOfSpeech;
        rows.push_back({LabelOf(category, selector) + u", " + GetLanguageName(a.language, selector), lemma.form});
        AppendForms(lemma, selector, rows);
    }
    return rows;
}

}  // namespace pv
