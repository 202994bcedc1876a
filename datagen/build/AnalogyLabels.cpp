#include "datagen/build/AnalogyLabels.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::size_t kLemmaEnding = 3;
constexpr int kMinModelWords = 5;
constexpr int kMinVotes = 2;

using ModelKey = std::tuple<int32_t, int32_t, std::u16string>;  // language, part of speech, lemma ending

struct Model {
    int words = 0;
    std::map<std::u16string, std::map<WordArray, int>> endings;  // ending -> value set -> words
};

// The key of a lemma and its stem (the lemma without its ending); false for
// a lemma too short to have both.
bool Split(const LemmaKey& key, ModelKey& model, std::u16string& stem) {
    const std::u16string text = Utf8Decode(key.text);
    if (text.size() <= kLemmaEnding) return false;
    stem = text.substr(0, text.size() - kLemmaEnding);
    model = {key.language, key.partOfSpeech, text.substr(stem.size())};
    return true;
}

bool Unlabelled(const Lemma& lemma) {
    return std::any_of(lemma.forms.begin(), lemma.forms.end(), [](const WordForm& f) { return f.values.empty(); });
}

}  // namespace

void LabelFormsByAnalogy(Lexicon& lexicon, BuildReport& report) {
    std::map<ModelKey, Model> models;
    ModelKey model;
    std::u16string stem;
    for (const auto& [key, lemma] : lexicon.lemmas)
        if (!lemma.analysed && Unlabelled(lemma) && Split(key, model, stem)) models.try_emplace(model);
    for (const auto& [key, lemma] : lexicon.lemmas) {
        if (!lemma.analysed || !Split(key, model, stem)) continue;
        auto found = models.find(model);
        if (found == models.end()) continue;
        std::set<std::pair<std::u16string, WordArray>> given;
        for (const WordForm& form : lemma.forms) {
            const std::u16string text = Utf8Decode(form.text);
            if (!form.values.empty() && text.compare(0, stem.size(), stem) == 0)
                given.insert({text.substr(stem.size()), form.values});
        }
        ++found->second.words;
        for (const auto& [ending, values] : given) ++found->second.endings[ending][values];
    }
    for (auto& [key, lemma] : lexicon.lemmas) {
        if (lemma.analysed || !Unlabelled(lemma) || !Split(key, model, stem)) continue;
        const Model& m = models.at(model);
        if (m.words < kMinModelWords) continue;
        std::set<WordForm> forms;
        for (const WordForm& form : lemma.forms) {
            const std::u16string text = Utf8Decode(form.text);
            auto votes = form.values.empty() && text.compare(0, stem.size(), stem) == 0
                             ? m.endings.find(text.substr(stem.size()))
                             : m.endings.end();
            int best = 0;
            if (votes != m.endings.end())
                for (const auto& [values, n] : votes->second) best = std::max(best, n);
            if (best < kMinVotes) {
                forms.insert(form);
                continue;
            }
            for (const auto& [values, n] : votes->second)
                if (2 * n >= best && n >= kMinVotes) forms.insert(WordForm{form.text, values});
            report.Read(LanguageCode(key.language), "forms labelled like the analyser's words alike");
        }
        lemma.forms = std::move(forms);
    }
}

}  // namespace pv
