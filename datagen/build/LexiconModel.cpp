#include "datagen/build/LexiconModel.h"

#include <algorithm>

namespace pv {

namespace {

struct LanguageCodeEntry {
    const char* code;
    int32_t number;
};

constexpr LanguageCodeEntry kCodes[] = {{"en", 1}, {"bg", 2}, {"tr", 3}, {"de", 4},
                                        {"es", 5}, {"fr", 6}, {"it", 7}, {"ru", 9}};

}  // namespace

int32_t LanguageNumber(const std::string& code) {
    for (const LanguageCodeEntry& e : kCodes)
        if (code == e.code) return e.number;
    return -1;
}

std::string LanguageCode(int32_t language) {
    for (const LanguageCodeEntry& e : kCodes)
        if (language == e.number) return e.code;
    return std::to_string(language);
}

std::vector<const LemmaKey*> Lexicon::Find(int32_t language, const std::string& text) const {
    std::vector<const LemmaKey*> found;
    for (auto it = lemmas.lower_bound(LemmaKey{language, text, INT32_MIN});
         it != lemmas.end() && it->first.language == language && it->first.text == text; ++it)
        found.push_back(&it->first);
    return found;
}

std::ranges::subrange<std::map<LemmaKey, Lemma>::iterator> Lexicon::OfLanguage(int32_t language) {
    return {lemmas.lower_bound(LemmaKey{language, "", INT32_MIN}),
            lemmas.lower_bound(LemmaKey{language + 1, "", INT32_MIN})};
}

std::ranges::subrange<std::map<LemmaKey, Lemma>::const_iterator> Lexicon::OfLanguage(int32_t language) const {
    return {lemmas.lower_bound(LemmaKey{language, "", INT32_MIN}),
            lemmas.lower_bound(LemmaKey{language + 1, "", INT32_MIN})};
}

void AddLink(std::set<BilingualLink>& links, BilingualLink link) {
    link.rank = static_cast<int32_t>(links.size());
    links.insert(std::move(link));
}

void KeepLink(std::set<BilingualLink>& links, BilingualLink link) {
    auto [it, added] = links.insert(link);
    if (!added) it->rank = std::min(it->rank, link.rank);
}

}  // namespace pv
