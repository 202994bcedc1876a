#include "engine/WordPositions.h"

#include <algorithm>
#include <vector>

#include "datagen/MorphologyFixture.h"
#include "engine/EngineState.h"
#include "engine/tests/EngineTestSupport.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using WordPositionsTest = EngineTest;

struct Part {
    std::u16string word;
    double weight;
    bool known;
};

struct Case {
    const char16_t* token;
    std::vector<Part> parts;
};

TEST_F(WordPositionsTest, TokensBecomeTheirParts) {
    const Case cases[] = {
        {u"walks", {{u"walks", 0.0, true}}},
        {u"qwzx", {{u"qwzx", 0.0, false}}},
        // Unknown, so cut at a known prefix and suffix of two letters or more.
        {u"Haustür", {{u"Haus", 3.0, true}, {u"tür", 0.0, true}}},
        {u"unqwz", {{u"un", 3.0, false}, {u"qwz", 0.0, false}}},
        // Turkish words of four letters or more are split at their suffixes.
        {u"evler", {{u"ev", 3.0, true}, {u"ler", 0.0, true}}},
        // A German word of six letters is not cut for being German.
        {u"Hauses", {{u"Hauses", 0.0, true}}},
        // An unknown compound of known words is cut into them, the linking
        // element going with the word before it.
        {u"Türenhaus", {{u"Tür", 3.0, true}, {u"haus", 0.0, true}}},
        {u"walkbooks", {{u"walk", 3.0, true}, {u"books", 0.0, true}}},
    };
    for (const Case& c : cases) {
        ResetEngine();
        AddWordToCurrentPhrase(c.token, u"##3!");
        const EngineState& engine = Engine();
        ASSERT_EQ(engine.N, static_cast<int>(c.parts.size())) << Utf8Encode(c.token);
        for (std::size_t i = 0; i < c.parts.size(); ++i) {
            const WordEntryArr& slot = engine.Window[i];
            EXPECT_EQ(slot.word, c.parts[i].word) << Utf8Encode(c.token);
            EXPECT_EQ(slot.weight, c.parts[i].weight) << Utf8Encode(c.token);
            EXPECT_EQ(!slot.meanings.empty(), c.parts[i].known) << Utf8Encode(slot.word);
            EXPECT_EQ(slot.mark, u"##3!");
        }
    }
    EXPECT_TRUE(errors.empty());
}

// Russian is a target language only: a Bulgarian word is not read as a
// Russian one, while a word that reads only in Russian keeps its readings.
TEST(RussianReadings, AreDroppedFromWordsThatReadInBulgarian) {
    auto reading = [](int32_t id, int32_t language) { return WordEntry{id, u"утро", 1, language, {}, 0.0}; };
    WordEntryArr both{u"утре", u"", 0.0, {reading(1, kBulgarian), reading(2, kRussian), reading(3, kEnglish)}};
    DropRussianReadingsOfBulgarianWords(both);
    std::vector<int32_t> ids;
    for (const WordEntry& r : both.meanings) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 3}));
    WordEntryArr russian{u"утре", u"", 0.0, {reading(2, kRussian)}};
    DropRussianReadingsOfBulgarianWords(russian);
    EXPECT_EQ(russian.meanings.size(), 1u);
}

TEST_F(WordPositionsTest, ReadingsFollowTheTablesOfTheCurrentText) {
    AddWordToCurrentPhrase(u"walks", {});
    ASSERT_EQ(Engine().N, 1);
    EXPECT_FALSE(Engine().Window[0].meanings.empty());
    // Without its lexicon the next text knows the word no more.
    WordsController lexicon = std::move(Inflexions().words);
    Inflexions().words = WordsController{};
    ResetEngine();
    AddWordToCurrentPhrase(u"walks", {});
    const EngineState& engine = Engine();
    const bool known = std::any_of(engine.Window.begin(), engine.Window.begin() + engine.N,
                                   [](const WordEntryArr& slot) { return !slot.meanings.empty(); });
    Inflexions().words = std::move(lexicon);
    ResetEngine();
    EXPECT_FALSE(known);
}

TEST_F(WordPositionsTest, KnownWordKeepsItsReadingsInDictionaryOrder) {
    AddWordToCurrentPhrase(u"walked", {});
    ASSERT_EQ(Engine().N, 1);
    const std::vector<WordEntry>& readings = Engine().Window[0].meanings;
    ASSERT_GE(readings.size(), 2u);  // past tense and participle
    EXPECT_TRUE(std::all_of(readings.begin(), readings.end(),
                            [](const WordEntry& r) { return r.id == fixture::kWalk; }));
}

TEST_F(WordPositionsTest, NumbersGetTheNumberReading) {
    AddWordToCurrentPhrase(u"2005", {});
    ASSERT_EQ(Engine().N, 1);
    const std::vector<WordEntry>& readings = Engine().Window[0].meanings;
    EXPECT_TRUE(std::any_of(readings.begin(), readings.end(),
                            [](const WordEntry& r) { return r.id == -1 && r.partOfSpeech == 303; }));
}

TEST_F(WordPositionsTest, PartsOfAFullWindowStillGetSlots) {
    for (int i = 0; i < 89; ++i) AddWordToCurrentPhrase(u"walk", {});
    AddWordToCurrentPhrase(u"Haustür", {});
    EXPECT_EQ(Engine().N, 91);
    EXPECT_EQ(Engine().Window[90].word, u"tür");
}

}  // namespace
}  // namespace pv
