#include "engine/DescribeWord.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <utility>

#include "engine/CollocationSearch.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/Segmentation.h"
#include "engine/SentenceDriver.h"
#include "engine/TranslationLookup.h"
#include "morphology/GrammarLabels.h"

namespace pv {

namespace {

constexpr double kListed = -9999.0;

struct Wording {
    const char16_t* translatedFrom;
    const char16_t* means;
};

Wording WordingFor(int32_t ui) {
    if (ui == 2) return {u") преведено от ", u" означава на "};
    if (ui == 6) return {u") traduit de ", u" signifie en "};
    return {u") translated from ", u" means in "};
}

const Collocation* Instance(int32_t index) {
    const CollocationInstances& instances = Engine().instances;
    return index >= 0 && index < instances.Count() ? &instances[index] : nullptr;
}

std::u16string TextOf(int32_t instance) {
    const Collocation* record = Instance(instance);
    return record ? record->text : std::u16string();
}

bool Listed(const FE& entry) { return std::abs(entry.score - kListed) < 0.1; }

bool TranslatedIntoTarget(const FE& entry) {
    const Collocation* target = Instance(entry.targetInstance);
    return target && target->language == TargetLanguage;
}

// Entry x is described before entry y: lower source language first, then
// the clearly higher score.
bool Before(const FE& x, const FE& y) {
    if (x.language != y.language) return x.language < y.language;
    return x.score > y.score + 0.001;
}

void Order(FragmentEntries& cell) {
    for (int j = 0; j < cell.count; ++j)
        for (int k = j + 1; k < cell.count; ++k)
            if (Before(*cell.entries[k], *cell.entries[j])) std::swap(cell.entries[j], cell.entries[k]);
}

bool SameMeaning(const FE& x, const FE& y) {
    return x.language == y.language && x.wordIds[0] == y.wordIds[0];
}

// The labels of every reading of e's language, meaning and category.
std::u16string Labels(const FragmentEntries& cell, const FE& e, int32_t ui) {
    AttributeSet all;
    for (int k = 0; k < cell.count; ++k) {
        const FE& other = *cell.entries[k];
        if (!SameMeaning(other, e) || other.category != e.category) continue;
        for (int w = 0; w < kAttributeSetWords; ++w) all.words[w] |= other.inherited.words[w];
    }
    return GetGrammarLabels(all, ui);
}

// The translations of e's language and meaning, each text once (a text
// already contained in the list is left out); they are not listed again.
std::u16string Translations(FragmentEntries& cell, const FE& e) {
    std::u16string list;
    for (int k = 0; k < cell.count; ++k) {
        FE& other = *cell.entries[k];
        if (!SameMeaning(other, e) || !TranslatedIntoTarget(other) || Listed(other)) continue;
        const std::u16string text = TextOf(other.targetInstance);
        if (list.find(text) == std::u16string::npos) {
            if (!list.empty()) list += u", ";
            list += text;
        }
        other.score = kListed;
    }
    return list;
}

// Forgets the words of the window and what the chart holds of them.
void ClearWindowWords(EngineState& engine) {
    for (int i = 0; i < engine.N && i < static_cast<int>(engine.Window.size()); ++i)
        engine.Window[i] = WordEntryArr{};
    engine.N = 0;
    engine.P = 0;
    engine.ancestors.ReleaseBefore(std::numeric_limits<int32_t>::max());
    engine.instances.ReleaseBefore(std::numeric_limits<int32_t>::max());
}

}  // namespace

std::u16string DescribeCell(FragmentEntries& cell, int32_t ui) {
    Order(cell);
    const Wording wording = WordingFor(ui);
    std::u16string out;
    int32_t previousLanguage = -10;
    int32_t previousMeaning = -10;
    int32_t previousCategory = -1;
    std::u16string previousSource;
    for (int k = 0; k < cell.count; ++k) {
        FE& e = *cell.entries[k];
        if (!TranslatedIntoTarget(e) || Listed(e)) continue;
        const std::u16string source = TextOf(e.sourceInstance);
        std::u16string head;
        if (e.language != previousLanguage) head = GetLanguageName(e.language, ui);
        if (!head.empty() || source != previousSource || e.category != previousCategory) {
            head = u"\r\n\"" + source + u"\" (" + Labels(cell, e, ui) + wording.translatedFrom +
                   GetLanguageName(e.language, ui) + wording.means + GetLanguageName(TargetLanguage, ui) +
                   u":\r\n";
        }
        if (e.wordIds[0] != previousMeaning || !head.empty() || e.category != previousCategory)
            out += head + u"     " + Translations(cell, e) + u"\r\n";
        previousLanguage = e.language;
        previousMeaning = e.wordIds[0];
        previousSource = source;
        previousCategory = e.category;
    }
    return out;
}

std::u16string DescribeEntry(const std::u16string& text, int32_t ui) {
    EngineState& engine = Engine();
    ClearWindowWords(engine);
    std::size_t p = 1;
    do {
        SkipSeparators(text, p);
        const std::u16string token = NextToken(text, p);
        if (token.empty()) break;
        ProcessToken(token, {});
    } while (p < text.size());
    std::u16string out;
    if (engine.N > 0) {
        FragmentEntries& cell = engine.temporaryCell;
        TryCollocationSQL(0, engine.N - 1, cell);
        FindTranslations(cell);
        out = DescribeCell(cell, ui);
        ClearCell(cell);
    }
    ClearWindowWords(engine);
    return out.empty() ? text : out;
}

std::u16string DescribeWord(const std::u16string& word, int32_t ui) {
    std::lock_guard<std::recursive_mutex> lock(EngineLock());
    const std::u16string r = DescribeEntry(word, ui);
    if (r != word) return r;
    return u"\"" + word + u"\"" +
           (ui == 2 ? u" е непозната дума или словосъчетание" : u" is an unknown word or collocation");
}

}  // namespace pv
