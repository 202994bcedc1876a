// The surface text of a dictionary entry in a grammatical context.
#include "lexdb/Collocation.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// Upper-cases the first count characters (all when count is npos).
void Upper(std::u16string& text, std::size_t count) {
    for (std::size_t i = 0; i < text.size() && i < count; ++i) text[i] = WideUpperChar(text[i]);
}

std::u16string TrimSpaces(const std::u16string& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace

std::u16string ComposeCollocationText(const Collocation& entry, const AttributeSet& context) {
    if (entry.wordIds.empty()) return entry.text;
    const AttributeTables& grammar = GrammarTables();
    const InflexionTables& tables = Inflexions();
    std::u16string result;
    for (std::size_t i = 0; i < entry.wordIds.size(); ++i) {
        WordArray values;
        if (i < entry.requiredAttributes.size()) values = entry.requiredAttributes[i];
        if (i < entry.inheritedGroups.size())
            for (int32_t attribute : entry.inheritedGroups[i]) {
                const int32_t value = grammar.ValueOfAttribute(context, attribute);
                if (value >= 0) grammar.SetValue(values, value);
            }
        const InflexionData word = tables.GetWordEntry(entry.wordIds[i]);
        grammar.SetValue(values, word.partOfSpeech);
        SortAscending(values);
        std::u16string form = tables.InflectFor(word, values);
        const int32_t capitals = grammar.ValueOfAttribute(values, kCapitalisationAttribute);
        if (capitals == kInitialCapitalValue) Upper(form, 1);
        else if (capitals == kAllCapitalsValue) Upper(form, std::u16string::npos);
        result += u' ';
        result += form;
    }
    return TrimSpaces(result);
}

}  // namespace pv
