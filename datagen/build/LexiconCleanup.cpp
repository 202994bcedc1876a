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
    std::map<LemmaKey, Lemma> cleaned;
    for (auto& [key, lemma] : lexicon.lemmas) {
        const std::string language = LanguageCode(key.language);
        LemmaKey cleanKey = key;
        cleanKey.text = CleanWordText(key.language, key.text);
        if (cleanKey.text.empty()) {
            report.Drop(language, "lemma without a letter or in a foreign script");
            continue;
        }
        if (cleanKey.text != key.text) report.Read(language, "lemmas respelled in Cyrillic");
        Lemma& clean = cleaned[cleanKey];
        clean.analysed = clean.analysed || lemma.analysed;
        std::set<WordForm>& forms = clean.forms;
        for (const WordForm& form : lemma.forms) {
            std::string text = CleanWordText(key.language, form.text);
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
        link.from.text = CleanWordText(link.from.language, link.from.text);
        link.to.text = CleanWordText(link.to.language, link.to.text);
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
