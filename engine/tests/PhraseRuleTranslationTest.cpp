// Phrase rules written in our rule source, compiled with the engine fixture
// and seen through whole translations: a noun phrase whose adjective takes
// the gender of the target noun and the number of the source noun, and a
// rule that only one target language uses, and word sequences that join
// a sentence into one segment.
#include <memory>

#include "datagen/EngineFixture.h"
#include "datagen/PhraseTableWriter.h"
#include "datagen/build/PhraseRuleSource.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/tests/TempDir.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

// The fixture's values under our names.
const char* const kInventory =
    "attribute 1 category\n  1 noun\n  2 adjective\n  5 pronoun\n  4 word-sequence\n  531 unknown-word\n"
    "attribute 2 gender\n  8 masculine\n  9 feminine\n  10 neuter\n"
    "attribute 3 grammatical-number\n  11 singular\n  12 plural\n"
    "attribute 5 definiteness\n  16 full-article\n  18 article\n";

// Bulgarian is given the adjective after its noun here, as French has it,
// so that one rule shows both reordering and agreement; "the" makes the
// phrase definite in Bulgarian alone, with the article on its first word.
const char* const kRules =
    "rule weight 0.5 plan\n"
    "  slot adjective\n"
    "  slot noun\n"
    "  assign 1 2\n"
    "  agree 1 gender 1 form\n"
    "  agree 1 grammatical-number 1 form\n"
    "  inherit 2 all\n"
    "  template #!1 #!2\n"
    "  item 2 #!2 #!1\n"
    "  slotop 1 clearform full-article\n"
    "rule weight 1 target 2 plan\n"
    "  slot pronoun\n"
    "  slot noun\n"
    "  assign 1 2 propagate\n"
    "  inherit 2 all\n"
    "  setform full-article\n"
    "  template #!2\n"
    "rule plan languages 0,1,2,3,4\n  slot noun\n  set word-sequence\n  template #!1\n"
    "rule plan languages 0,1,2,3,4\n  slot pronoun\n  set word-sequence\n  template #!1\n"
    "rule plan languages 0,1,2,3,4\n  slot unknown-word\n  set word-sequence\n  template #!1\n"
    "rule plan languages 0,1,2,3,4\n  slot word-sequence\n  slot word-sequence\n  set word-sequence\n"
    "  template #!1 #!2\n";

class PhraseRuleTranslationTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<testing::TempDir>();
        const std::string base = folder->dir() + "/";
        WriteEngineFixture(base);
        PhraseTableSet tables;
        ParsePhraseRules(kRules, "rules.txt", ParseAttributeInventory(kInventory, "attributes.txt"), tables);
        WritePhraseTables(base, tables);
        ASSERT_TRUE(StartEngine(base));
    }
    static void TearDownTestSuite() { folder.reset(); }

    static std::string Translate(int32_t target, const char16_t* text) {
        ResetEngine();
        TargetLanguage = target;
        return Utf8Encode(TranslateText(text));
    }

    static std::unique_ptr<testing::TempDir> folder;
};

std::unique_ptr<testing::TempDir> PhraseRuleTranslationTest::folder;

TEST_F(PhraseRuleTranslationTest, TheAdjectiveFollowsItsNounAndTakesItsGenderAndNumber) {
    EXPECT_EQ(Translate(kBulgarian, u"new book"), "Книга нова");  // feminine from книга
    EXPECT_EQ(Translate(kBulgarian, u"new books"), "Книги нови");  // plural from books
    EXPECT_EQ(Translate(kEnglish, u"new book"), "New book");       // no item: the default template
    EXPECT_TRUE(errors.empty());
}

TEST_F(PhraseRuleTranslationTest, ARuleOfOneTargetLanguageAppliesToThatLanguageAlone) {
    EXPECT_EQ(Translate(kBulgarian, u"the book"), "Книгата");
    // The article goes to the first word of the phrase only.
    EXPECT_EQ(Translate(kBulgarian, u"the new book"), "Книгата нова");
    EXPECT_EQ(Translate(kEnglish, u"the book"), "The book");  // one word sequence
    EXPECT_TRUE(errors.empty());
}

// Without the sequences every word would be a segment of its own, and
// capitalised as one.
TEST_F(PhraseRuleTranslationTest, ASentenceIsOneSegmentWithItsUnknownWordsAndPunctuation) {
    EXPECT_EQ(Translate(kEnglish, u"the book , qwzx book ."), "The book, qwzx book.");
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace pv
