#include "datagen/build/LexiconCleanup.h"

#include <gtest/gtest.h>

namespace pv {
namespace {

constexpr int32_t kEnglish = 1, kBulgarian = 2, kTurkish = 3;

TEST(LexiconCleanupTest, WordsWithoutLettersGoAndCyrillicWordsGetOneScript) {
    struct Case {
        int32_t language;
        const char* text;
        const char* cleaned;  // "" = dropped
    };
    const Case cases[] = {
        {kTurkish, ")", ""},            // punctuation read as a noun
        {kEnglish, "--", ""},
        {kEnglish, "2nd", "2nd"},
        {kBulgarian, "тoй", "той"},     // Latin o inside a Cyrillic word
        {kBulgarian, "кaзaлия", "казалия"},
        {kBulgarian, "Тoм", "Том"},
        {kBulgarian, "a", ""},          // wholly Latin: no Bulgarian word
        {kBulgarian, "тqй", ""},        // a Latin letter with no Cyrillic twin
        {kEnglish, "tea", "tea"},       // Latin languages keep their letters
        {kBulgarian, "в къщи", "в къщи"},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanWordText(c.language, c.text), c.cleaned) << c.text;
}

TEST(LexiconCleanupTest, RespelledLemmasMergeAndLinksFollowThem) {
    Lexicon lexicon;
    lexicon.lemmas[{kBulgarian, "той", 5}].forms = {{"той", {11}}};
    lexicon.lemmas[{kBulgarian, "тoй", 5}].forms = {{"тoй", {11}}, {"тoгo", {143}}};
    lexicon.lemmas[{kTurkish, ")", 1}].forms = {{")", {11}}};
    std::set<BilingualLink> links = {{{kEnglish, "he", 5}, {kBulgarian, "тoй", 5}},
                                     {{kEnglish, "bracket", 1}, {kTurkish, ")", 1}}};
    BuildReport report;
    CleanLexicon(lexicon, links, report);
    ASSERT_EQ(lexicon.lemmas.size(), 1u);
    const auto& [key, lemma] = *lexicon.lemmas.begin();
    EXPECT_EQ(key.text, "той");
    EXPECT_EQ(lemma.forms, (std::set<WordForm>{{"той", {11}}, {"того", {143}}}));
    EXPECT_EQ(links, (std::set<BilingualLink>{{{kEnglish, "he", 5}, {kBulgarian, "той", 5}}}));
}

}  // namespace
}  // namespace pv
