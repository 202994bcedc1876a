#include "datagen/build/LexiconCleanup.h"

#include <gtest/gtest.h>

namespace pv {
namespace {

constexpr int32_t kEnglish = 1, kBulgarian = 2, kTurkish = 3, kFrench = 6;

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

// The analyser's "oeil" (plural "yeux") and the spelling dictionary's
// "œil" become one word; "moelle" has no ligature spelling and keeps its
// letters.
TEST(LexiconCleanupTest, FrenchOeIsWrittenAsTheLigatureTheLexiconHas) {
    Lexicon lexicon;
    lexicon.lemmas[{kFrench, "oeil", 1}] = Lemma{{{"oeil", {8, 11}}, {"yeux", {8, 12}}}, true};
    lexicon.lemmas[{kFrench, "œil", 1}].forms = {{"œil", {}}, {"œils", {}}};
    lexicon.lemmas[{kFrench, "moelle", 1}].forms = {{"moelle", {9, 11}}};
    std::set<BilingualLink> links = {{{kFrench, "oeil", 1}, {kEnglish, "eye", 1}}};
    BuildReport report;
    CleanLexicon(lexicon, links, report);
    ASSERT_EQ(lexicon.lemmas.size(), 2u);
    const Lemma& eye = lexicon.lemmas.at({kFrench, "œil", 1});
    EXPECT_TRUE(eye.analysed);
    EXPECT_EQ(eye.forms, (std::set<WordForm>{{"œil", {}}, {"œil", {8, 11}}, {"œils", {}}, {"yeux", {8, 12}}}));
    EXPECT_TRUE(lexicon.lemmas.count({kFrench, "moelle", 1}));
    EXPECT_EQ(links, (std::set<BilingualLink>{{{kFrench, "œil", 1}, {kEnglish, "eye", 1}}}));
}

}  // namespace
}  // namespace pv
