#include "datagen/build/Translations.h"

#include <algorithm>

#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::string LowerCase(const std::string& text) {
    std::u16string wide = Utf8Decode(text);
    for (char16_t& c : wide) c = WideLowerChar(c);
    return Utf8Encode(wide);
}

bool IsMultiWord(const LemmaKey& key) { return key.text.find(' ') != std::string::npos; }

constexpr int32_t kVerb = 3;

// The analysed lemmas that have a form spelled like a link end, by
// (language, text), for the ends that leave their part of speech open.
using FormIndex = std::map<std::pair<int32_t, std::string>, std::vector<LemmaKey>>;

FormIndex IndexFormsOfOpenEnds(const std::set<BilingualLink>& links, const Lexicon& lexicon) {
    std::map<int32_t, std::set<std::string>> wanted;
    for (const BilingualLink& link : links)
        for (const LemmaKey* end : {&link.from, &link.to})
            if (end->partOfSpeech == 0 && !IsMultiWord(*end)) {
                wanted[end->language].insert(end->text);
                wanted[end->language].insert(LowerCase(end->text));
            }
    FormIndex index;
    for (const auto& [key, lemma] : lexicon.lemmas) {
        auto texts = wanted.find(key.language);
        if (!lemma.analysed || texts == wanted.end()) continue;
        for (const WordForm& form : lemma.forms)
            if (texts->second.count(form.text)) {
                std::vector<LemmaKey>& lemmas = index[{key.language, form.text}];
                if (lemmas.empty() || !(lemmas.back() == key)) lemmas.push_back(key);
            }
    }
    return index;
}

std::vector<LemmaKey> Candidates(const LemmaKey& end, int32_t otherPos, const Lexicon& lexicon,
                                 const FormIndex& forms) {
    // A multi-word end becomes an entry of its own; whether its words are
    // in the lexicon is checked when the entries are made.
    if (IsMultiWord(end)) return end.partOfSpeech != 0 ? std::vector<LemmaKey>{end} : std::vector<LemmaKey>{};
    std::vector<const LemmaKey*> found = lexicon.Find(end.language, end.text);
    if (found.empty()) found = lexicon.Find(end.language, LowerCase(end.text));
    std::vector<LemmaKey> out;
    for (const LemmaKey* k : found)
        if (end.partOfSpeech == 0 || k->partOfSpeech == end.partOfSpeech) out.push_back(*k);
    if (end.partOfSpeech == 0 && otherPos != 0) {
        std::vector<LemmaKey> samePos;
        for (const LemmaKey& k : out)
            if (k.partOfSpeech == otherPos) samePos.push_back(k);
        // Dictionaries name a verb by different forms ("чета", the first
        // person, where the analyser's lemma is "чете"): without a lemma of
        // that name and part of speech, the analysed verbs that have such a
        // form stand for it. Only verbs: the analysers give pronouns
        // placeholder lemmas ("free") whose forms are every pronoun.
        if (samePos.empty() && otherPos == kVerb)
            for (const std::string& text : {end.text, LowerCase(end.text)}) {
                auto lemmas = forms.find({end.language, text});
                if (lemmas == forms.end()) continue;
                for (const LemmaKey& k : lemmas->second)
                    if (k.partOfSpeech == otherPos) samePos.push_back(k);
                if (!samePos.empty()) break;
            }
        if (!samePos.empty()) out = samePos;
    }
    return out;
}

}  // namespace

std::set<BilingualLink> ResolveLinks(const std::set<BilingualLink>& links, const Lexicon& lexicon,
                                     BuildReport& report) {
    std::set<BilingualLink> resolved;
    const FormIndex forms = IndexFormsOfOpenEnds(links, lexicon);
    for (const BilingualLink& link : links) {
        const std::string pair = LanguageCode(link.from.language) + "-" + LanguageCode(link.to.language);
        std::vector<LemmaKey> from = Candidates(link.from, link.to.partOfSpeech, lexicon, forms);
        if (from.empty()) {
            report.Drop(pair, "source lemma not in the lexicon");
            continue;
        }
        std::vector<LemmaKey> to = Candidates(link.to, from.front().partOfSpeech, lexicon, forms);
        if (to.empty()) {
            report.Drop(pair, "target lemma not in the lexicon");
            continue;
        }
        for (const LemmaKey& f : from)
            for (const LemmaKey& t : to) KeepLink(resolved, {f, t, link.rank});
    }
    for (const BilingualLink& link : resolved)
        report.Read(LanguageCode(link.from.language) + "-" + LanguageCode(link.to.language), "translation links");
    return resolved;
}

std::map<LemmaKey, std::set<int32_t>> ShareClasses(const std::set<BilingualLink>& links) {
    constexpr int32_t kEnglish = 1;
    std::map<LemmaKey, std::set<LemmaKey>> neighbours;
    for (const BilingualLink& link : links) {
        neighbours[link.from].insert(link.to);
        neighbours[link.to].insert(link.from);
    }
    std::map<LemmaKey, std::set<int32_t>> classes;
    int32_t next = 1;
    for (const auto& [lemma, linked] : neighbours)
        if (lemma.language == kEnglish) classes[lemma].insert(next++);
    for (const auto& [lemma, linked] : neighbours) {
        if (lemma.language == kEnglish) continue;
        for (const LemmaKey& other : linked)
            if (other.language == kEnglish) classes[lemma].insert(*classes[other].begin());
    }
    std::map<LemmaKey, std::set<int32_t>> secondHand;
    for (const auto& [lemma, linked] : neighbours) {
        if (lemma.language == kEnglish || classes.count(lemma)) continue;
        std::set<int32_t> inherited;
        for (const LemmaKey& other : linked)
            if (auto it = classes.find(other); it != classes.end() && other.language != lemma.language)
                inherited.insert(it->second.begin(), it->second.end());
        if (!inherited.empty()) secondHand[lemma] = inherited;
    }
    classes.merge(secondHand);
    return classes;
}

std::set<BilingualLink> PivotLinks(const std::set<BilingualLink>& links) {
    constexpr int32_t kEnglish = 1;
    // Every lemma's links either way, best-ranked first.
    std::map<LemmaKey, std::vector<std::pair<int32_t, LemmaKey>>> linked;
    for (const BilingualLink& link : links) {
        linked[link.from].push_back({link.rank, link.to});
        linked[link.to].push_back({link.rank, link.from});
    }
    for (auto& [lemma, list] : linked) std::sort(list.begin(), list.end());
    std::set<BilingualLink> pivots;
    for (const auto& [lemma, list] : linked) {
        if (lemma.language == kEnglish) continue;
        std::set<int32_t> reached{lemma.language, kEnglish};
        for (const auto& [rank, other] : list) reached.insert(other.language);
        std::map<int32_t, int> found;  // translations taken per language
        for (const auto& [rank, english] : list) {
            if (english.language != kEnglish || english.partOfSpeech != lemma.partOfSpeech) continue;
            std::set<int32_t> givenHere;
            for (const auto& [nextRank, target] : linked.at(english)) {
                if (target.partOfSpeech != lemma.partOfSpeech || reached.count(target.language) ||
                    found[target.language] >= kPivotTranslations)
                    continue;
                pivots.insert({lemma, target, nextRank});
                ++found[target.language];
                givenHere.insert(target.language);
            }
            // Only the best English word that reaches a language speaks for it.
            reached.insert(givenHere.begin(), givenHere.end());
        }
    }
    return pivots;
}

}  // namespace pv
