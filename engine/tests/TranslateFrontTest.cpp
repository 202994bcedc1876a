#include "engine/EngineState.h"
#include "engine/TextFront.h"
#include "engine/tests/EngineTestSupport.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using TranslateFrontTest = EngineTest;

// A word of letters only that names i, such as "wbd" for 13.
std::u16string Name(int i, char16_t initial) {
    std::u16string word(1, initial);
    do {
        word += static_cast<char16_t>(u'a' + i % 26);
        i /= 26;
    } while (i > 0);
    return word;
}

// The words for from .. to, joined with blanks.
std::u16string Words(int from, int to, char16_t initial = u'w') {
    std::u16string text;
    for (int i = from; i <= to; ++i) text += (text.empty() ? u"" : u" ") + Name(i, initial);
    return text;
}

// The text with its first letter made a capital.
std::u16string Opening(std::u16string text) {
    text[0] = WideUpperChar(text[0]);
    return text;
}

TEST_F(TranslateFrontTest,
       WithoutDictionaryEveryWordStandsAsItIsAndOnlySentencesBeginWithACapital) {
    EXPECT_EQ(TranslateText(u"Той каза , че ( утре ) ще дойде ."),
              u"Той каза, че (утре) ще дойде.");
    EXPECT_EQ(TranslateText(u"a\u2014b don\u2019t"), u"A - b don ' t");
    // After a full stop, a question or an exclamation mark (and the brackets
    // that close on it) the next word opens a sentence; a bracket between
    // them changes nothing.
    EXPECT_EQ(TranslateText(u"едно . две ! ( три ? ) четири , пет"),
              u"Едно. Две! (Три?) Четири, пет");
    EXPECT_EQ(Engine().N, 0);
}

TEST_F(TranslateFrontTest, EmptyAndBlankTextsGiveOneBlank) {
    EXPECT_EQ(TranslateText(u""), u" ");
    EXPECT_EQ(TranslateText(u"   "), u" ");
    EXPECT_EQ(TranslateText(u"~ § «»"), u" ");
}

TEST_F(TranslateFrontTest, NoTranslateTextPassesUnchanged) {
    const std::u16string text = u"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A keep , this\u2014";
    EXPECT_EQ(TranslateText(text), u"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A keep , this-");
    EXPECT_EQ(Engine().N, 0);
}

TEST_F(TranslateFrontTest, LongTextKeepsAllWordsInOrder) {
    EXPECT_EQ(TranslateText(Words(1, 300)), Opening(Words(1, 300)));
}

TEST_F(TranslateFrontTest, BatchGivesEveryEntryItsOwnTranslation) {
    BatchEntries entries;
    entries[0] = u"Той каза ,";
    entries[1] = u" че ( утре ) ";
    entries[2] = u"ще дойде .";
    TranslateBatch(entries);
    // The entries go on with the sentence of the entries before them.
    EXPECT_EQ(entries[0], u"Той каза, ");
    EXPECT_EQ(entries[1], u"че (утре) ");
    EXPECT_EQ(entries[2], u"ще дойде. ");
    EXPECT_EQ(entries[3], u"");
    EXPECT_EQ(Engine().N, 0);
}

TEST_F(TranslateFrontTest, BatchAttributesWordsPastTheWindowAndAroundWordlessEntries) {
    BatchEntries entries;
    entries[0] = Words(1, 100);
    entries[1] = u"~";            // no words, flushes the window
    entries[2] = u"x y";
    entries[3] = u"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A raw";
    entries[4] = u"z";
    entries[6] = u"never";        // after the empty entry: left alone
    TranslateBatch(entries);
    EXPECT_EQ(entries[0], Opening(Words(1, 100)) + u" ");
    EXPECT_EQ(entries[1], u" ");
    EXPECT_EQ(entries[2], u"x y ");
    EXPECT_EQ(entries[3], u"raw ");
    EXPECT_EQ(entries[4], u"z ");
    EXPECT_EQ(entries[6], u"never");
}

TEST_F(TranslateFrontTest, FullBatchIsFlushedIntoItsEntries) {
    BatchEntries entries;
    for (int k = 0; k < kBatchEntries; ++k) entries[k] = Words(k * 2, k * 2 + 1, u'a');
    TranslateBatch(entries);
    EXPECT_EQ(entries[0], Opening(Words(0, 1, u'a')) + u" ");
    for (int k = 1; k < kBatchEntries; ++k)
        EXPECT_EQ(entries[k], Words(k * 2, k * 2 + 1, u'a') + u" ") << k;
    EXPECT_EQ(Engine().N, 0);
}

TEST_F(TranslateFrontTest, ExtractEntryResultCollectsLaterPortionsOfItsMark) {
    std::u16string joined = u"##1!A ##2!B ##1!C ##3!D";
    EXPECT_EQ(ExtractEntryResult(joined, 1), u"A C ");
    EXPECT_EQ(ExtractEntryResult(joined, 2), u"B ");
    EXPECT_EQ(ExtractEntryResult(joined, 3), u"D ");
    joined = u"##1!A ##1!C ##2!B";
    EXPECT_EQ(ExtractEntryResult(joined, 1), u"A C ");
    EXPECT_EQ(ExtractEntryResult(joined, 2), u"B ");
    EXPECT_EQ(ExtractEntryResult(joined, 3), u" ");
}

}  // namespace
}  // namespace pv
