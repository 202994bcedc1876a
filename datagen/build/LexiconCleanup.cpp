#include "datagen/build/LexiconCleanup.h"

#include <algorithm>
#include <utility>

#include "textutil/TextConvert.h"

namespace pv {

namespace {

bool CyrillicLanguage(int32_t language) { return language == 2 || language == 9; }  // Bulgarian, Russian

bool IsCyrillic(char16_t c) { return c >= 0x0400 && c <= 0x04FF; }
bool IsLatin(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return WideLowerChar(c) != c || WideUpperChar(c) != c; }

// Latin letters drawn like a Cyrillic letter, and that letter.
constexpr std::pair<char16_t, char16_t> kLookAlikes[] = {
    {u'a', u'а'}, {u'c', u'с'}, {u'e', u'е'}, {u'o', u'о'}, {u'p', u'р'}, {u'x', u'х'}, {u'y', u'у'},
    {u'A', u'А'}, {u'B', u'В'}, {u'C', u'С'}, {u'E', u'Е'}, {u'H', u'Н'}, {u'K', u'К'}, {u'M', u'М'},
    {u'O', u'О'}, {u'P', u'Р'}, {u'T', u'Т'}, {u'X', u'Х'}, {u'Y', u'У'},
};

char16_t CyrillicLookAlike(char16_t c) {
    for (const auto& [latin, cyrillic] : kLookAlikes)
        if (c == latin) return cyrillic;
    return 0;
}

// The French words that the lexicon writes with the ligature "œ".
std::set<std::string> LigatureWords(const Lexicon& lexicon) {
    std::set<std::string> words;
    for (const auto& [key, lemma] : lexicon.OfLanguage(LanguageNumber("fr"))) {
        if (key.text.find("œ") != std::string::npos) words.insert(key.text);
        for (const WordForm& form : lemma.forms)
            if (form.text.find("œ") != std::string::npos) words.insert(form.text);
    }
    return words;
}

// "oeil" as "œil" where the lexicon has that spelling: the French analyser
// writes the ligature as two letters, the spelling dictionary and texts
// as one, and "oe" is two letters in other words ("coexister", "moelle").
std::string Ligature(int32_t language, const std::string& text, const std::set<std::string>& ligatureWords) {
    if (language != LanguageNumber("fr") || text.find("oe") == std::string::npos) return text;
    std::string joined = text;
    for (std::size_t at; (at = joined.find("oe")) != std::string::npos;) joined.replace(at, 2, "œ");
    return ligatureWords.count(joined) ? joined : text;
}

}  // namespace

std::string CleanWordText(int32_t language, const std::string& text) {
    std::u16string word = Utf8Decode(text);
    if (std::none_of(word.begin(), word.end(), [](char16_t c) { return IsLetter(c) || IsDigit(c); })) return {};
    if (!CyrillicLanguage(language) || std::none_of(word.begin(), word.end(), IsLatin)) return text;
    // A word wholly in Latin letters is no word of a Cyrillic language.
    if (std::none_of(word.begin(), word.end(), IsCyrillic)) return {};
    for (char16_t& c : word)
        if (IsLatin(c)) {
            c = CyrillicLookAlike(c);
            if (c == 0) return {};
        }
    return Utf8Encode(word);
}

void CleanLexicon(Lexicon& lexicon, std::set<BilingualLink>& links, BuildReport& report) {
    const std::set<std::string> ligatureWords = LigatureWords(lexicon);
    auto cleanText = [&](int32_t language, const std::string& text) {
        return Ligature(language, CleanWordText(language, text), ligatureWords);
    };
    std::map<LemmaKey, Lemma> cleaned;
    for (auto& [key, lemma] : lexicon.lemmas) {
        const std::string language = LanguageCode(key.language);
        LemmaKey cleanKey = key;
        cleanKey.text = cleanText(key.language, key.text);
        if (cleanKey.text.empty()) {
            report.Drop(language, "lemma without a letter or in a foreign script");
            continue;
        }
        if (cleanKey.text != key.text) report.Read(language, "lemmas respelled in Cyrillic");
        Lemma& clean = cleaned[cleanKey];
        clean.analysed = clean.analysed || lemma.analysed;
        std::set<WordForm>& forms = clean.forms;
        for (const WordForm& form : lemma.forms) {
            std::string text = cleanText(key.language, form.text);
            if (text.empty()) {
                report.Drop(language, "form without a letter or in a foreign script");
                continue;
            }
            forms.insert(WordForm{std::move(text), form.values});
        }
        if (forms.empty()) cleaned.erase(cleanKey);
    }
    lexicon.lemmas = std::move(cleaned);

    std::set<BilingualLink> kept;
    for (BilingualLink link : links) {
        link.from.text = cleanText(link.from.language, link.from.text);
        link.to.text = cleanText(link.to.language, link.to.text);
        if (link.from.text.empty() || link.to.text.empty()) {
            report.Drop(LanguageCode(link.from.language) + "-" + LanguageCode(link.to.language),
                        "link to a word without a letter or in a foreign script");
            continue;
        }
        KeepLink(kept, std::move(link));
    }
    links = std::move(kept);
}

}  // namespace pv
