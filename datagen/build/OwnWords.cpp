#include "datagen/build/OwnWords.h"

#include <algorithm>

#include "datagen/build/SourceText.h"
#include "datagen/build/TagMapping.h"

namespace pv {

std::vector<OwnWord> ParseOwnWords(const std::string& text, const std::string& file,
                                   const AttributeInventory& inventory) {
    std::vector<OwnWord> words;
    for (const SourceLine& line : SourceLines(text, file)) {
        const std::vector<std::string>& w = line.words;
        const auto equals = std::find(w.begin(), w.end(), "=");
        if (equals == w.end()) continue;
        const std::size_t meaning = static_cast<std::size_t>(equals - w.begin()) + 1;
        if (meaning < 3 || meaning >= w.size())
            throw line.Error(
                "expected: LANGUAGE WORD ... = VALUES [PART-OF-SPEECH LANGUAGE:WORD ...]");
        const int32_t language = line.Language(w[0]);
        WordArray values = line.Values(inventory, w[meaning]);
        const int32_t partOfSpeech = TakePartOfSpeech(inventory, values);
        if (partOfSpeech == 0) throw line.Error("no part of speech among " + w[meaning]);
        std::sort(values.begin(), values.end());

        std::vector<LemmaKey> translations;
        if (meaning + 1 < w.size()) {
            const int32_t targetPos = line.Value(inventory, w[meaning + 1]);
            for (std::size_t i = meaning + 2; i < w.size(); ++i) {
                const std::size_t colon = w[i].find(':');
                if (colon == std::string::npos)
                    throw line.Error("expected LANGUAGE:WORD, not " + w[i]);
                std::string word = w[i].substr(colon + 1);
                int32_t pos = targetPos;
                if (const std::size_t slash = word.find('/'); slash != std::string::npos) {
                    pos = line.Value(inventory, word.substr(slash + 1));
                    word.resize(slash);
                }
                translations.push_back(LemmaKey{line.Language(w[i].substr(0, colon)), word, pos});
            }
        }
        for (std::size_t i = 1; i + 1 < meaning; ++i)
            words.push_back(OwnWord{LemmaKey{language, w[i], partOfSpeech}, values, translations});
    }
    return words;
}

void AddOwnWords(const std::vector<OwnWord>& words, Lexicon& lexicon,
                 std::set<BilingualLink>& links, BuildReport& report) {
    for (const OwnWord& e : words) {
        lexicon.lemmas[e.lemma].forms.insert(WordForm{e.lemma.text, e.values});
        for (const LemmaKey& to : e.translations) AddLink(links, {e.lemma, to});
        report.Read(LanguageCode(e.lemma.language), "own words");
    }
}

}  // namespace pv
