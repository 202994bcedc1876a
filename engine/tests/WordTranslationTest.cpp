// Word-by-word translation through the whole engine on the fixture
// dictionary: each word's translation takes the form of its reading.
#include "engine/TextFront.h"
#include "engine/tests/EngineTestSupport.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using WordTranslationTest = EngineTest;

TEST_F(WordTranslationTest, TranslationsAndUntranslatedWordsKeepTheFormOfTheirReading) {
    struct Case {
        int32_t target;
        const char16_t* text;
        const char* expected;
    };
    const Case cases[] = {
        {kBulgarian, u"books", "Книги"},     // plural stays plural
        {kBulgarian, u"book", "Книга"},
        {kEnglish, u"книги", "Books"},
        {kEnglish, u"книгата", "Book"},      // English has no article form
        {kBulgarian, u"книгата", "Книгата"}, // already in the target language
        {kTurkish, u"Hauses", "Ev"},         // through the shared class
        {kEnglish, u"Hauses", "Hauses"},     // no English word: itself, inflected
    };
    for (const Case& c : cases) {
        ResetEngine();
        TargetLanguage = c.target;
        EXPECT_EQ(Utf8Encode(TranslateText(c.text)), c.expected) << Utf8Encode(c.text) << " to " << c.target;
    }
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace pv
