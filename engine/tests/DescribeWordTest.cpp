#include "engine/DescribeWord.h"

#include <vector>

#include "engine/EngineState.h"
#include "engine/tests/EngineTestSupport.h"

namespace pv {
namespace {

class DescribeWordTest : public EngineTest {
protected:
    int32_t Instance(const std::u16string& text, int32_t language) {
        Collocation record;
        record.text = text;
        record.language = language;
        return Engine().instances.AddCollocation(record, 0);
    }

    // A reading of source (language, meaning) translated as target.
    FE Reading(const std::u16string& source, int32_t language, int32_t meaning, double score,
               const std::u16string& target, int32_t targetLanguage = kBulgarian,
               std::vector<int32_t> labels = {}) {
        FE entry;
        entry.sourceInstance = Instance(source, language);
        entry.targetInstance = Instance(target, targetLanguage);
        entry.language = static_cast<uint8_t>(language);
        entry.wordIds[0] = meaning;
        entry.wordIdCount = 1;
        entry.category = 1;
        entry.score = score;
        for (int32_t value : labels) entry.inherited.SetBit(value);
        return entry;
    }

    std::u16string Describe(std::vector<FE>& entries, int32_t ui) {
        FragmentEntries cell;
        for (FE& entry : entries) cell.entries.push_back(&entry);
        cell.count = static_cast<int32_t>(entries.size());
        return DescribeCell(cell, ui);
    }
};

TEST_F(DescribeWordTest, BlocksByLanguageAndMeaningWithEachTranslationOnce) {
    const struct {
        int32_t ui;
        std::u16string expected;
    } cases[] = {
        {1, u"\r\n\"house\" (n.,pl.) translated from English means in Bulgarian:\r\n"
            u"     къщата, дом\r\n"
            u"     жилище\r\n"
            u"\r\n\"Haus\" (n.) translated from German means in Bulgarian:\r\n"
            u"     къща\r\n"},
        {2, u"\r\n\"house\" (същ.,мн.ч.) преведено от английски означава на български:\r\n"
            u"     къщата, дом\r\n"
            u"     жилище\r\n"
            u"\r\n\"Haus\" (същ.) преведено от немски означава на български:\r\n"
            u"     къща\r\n"},
    };
    for (const auto& c : cases) {
        // German first and best, yet described after English; "къща" is
        // contained in "къщата" and so left out of the English line.
        std::vector<FE> entries = {
            Reading(u"Haus", kGerman, 8, 5.0, u"къща", kBulgarian, {1}),
            Reading(u"house", kEnglish, 7, 0.2, u"дом"),
            Reading(u"house", kEnglish, 7, 0.5, u"къща", kBulgarian, {12}),
            Reading(u"house", kEnglish, 7, 1.0, u"къщата", kBulgarian, {1}),
            Reading(u"house", kEnglish, 9, 0.4, u"жилище"),
            Reading(u"house", kEnglish, 7, 0.3, u"maison", kFrench),
        };
        EXPECT_EQ(Describe(entries, c.ui), c.expected) << c.ui;
    }
}

TEST_F(DescribeWordTest, TranslationsOnlyIntoOtherLanguagesDescribeNothing) {
    std::vector<FE> entries = {Reading(u"house", kEnglish, 7, 1.0, u"maison", kFrench)};
    EXPECT_EQ(Describe(entries, 1), u"");
}

TEST_F(DescribeWordTest, AnUnknownWordIsSaidToBeUnknownInTheInterfaceLanguage) {
    const struct {
        int32_t ui;
        std::u16string expected;
    } cases[] = {
        {2, u"\"xyz\" е непозната дума или словосъчетание"},
        {1, u"\"xyz\" is an unknown word or collocation"},
        {6, u"\"xyz\" is an unknown word or collocation"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DescribeWord(u"xyz", c.ui), c.expected) << c.ui;
        EXPECT_EQ(Engine().N, 0);
    }
    EXPECT_EQ(DescribeWord(u"", 1), u"\"\" is an unknown word or collocation");
}

}  // namespace
}  // namespace pv
