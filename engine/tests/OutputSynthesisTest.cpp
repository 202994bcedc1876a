#include "engine/OutputSynthesis.h"

#include <algorithm>
#include <string>
#include <vector>

#include "datagen/MorphologyFixture.h"
#include "datagen/PhraseTableWriter.h"
#include "engine/EngineState.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/PhraseRules.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using namespace fixture;

// Attribute values of the morphology fixture: 9 feminine, 11 singular,
// 12 plural, 16 definite article, 769 initial capital, 770 all capitals.
constexpr int32_t kFeminine = 9, kSingular = 11, kPlural = 12, kDefinite = 16;
constexpr int32_t kGender = 2, kNumber = 3, kArticle = 5, kCapitals = 214;

// The rules of the fixture, by index.
enum Rule : int32_t {
    kSwap,
    kJoin,
    kStored,
    kUnknownPlaceholders,
    kRangeCheck,
    kConditional,
    kAgree,
    kPrepositionOnly,
    kPlaceholders,
    kCallerSlot,
    kRulePlural,
    kItemPlural,
    kCycle,
    kUnary,
};

BuildStepSource Item(std::string text, std::string key = {}, bool continues = false) {
    BuildStepSource item;
    item.text1 = std::move(text);
    item.text2 = std::move(key);
    item.a = continues;
    return item;
}

SynthPhraseSource Phrase(std::vector<BuildStepSource> items) {
    SynthPhraseSource phrase;
    phrase.steps = std::move(items);
    return phrase;
}

PhraseSource Rule(std::string defaultTemplate, std::vector<int32_t> synths = {}) {
    PhraseSource rule;
    rule.name = std::move(defaultTemplate);
    for (int32_t synth : synths) rule.links.push_back({1.0, synth});
    return rule;
}

PhraseTableSet FixtureRules() {
    PhraseTableSet set;
    BuildStepSource slot31 = Item("#!1");
    slot31.assignments.resize(32);
    slot31.assignments[31] = {{kPlural, 2}};
    BuildStepSource several = Item("several #!1");
    several.conditions = {{kPlural, 0}};
    BuildStepSource itemPlural = Item("#!1");
    itemPlural.assignments = {{}, {{kPlural, 2}}};
    set.synthPhrases = {
        Phrase({Item("#!1", "X", true), Item("#!2", "", true), Item("#!VAR(X) and #!PREV")}),
        Phrase({slot31}),
        Phrase({several}),
        Phrase({itemPlural}),
    };
    set.phrases = {
        Rule("#!2 #!1"),
        Rule("#!1#!2"),
        Rule("unused", {0}),
        Rule("[#!21|#!0|#!Q]#!1"),
        Rule("unused", {1}),
        Rule("#!1", {2}),
        Rule("#!1 #!2"),
        Rule("#!1 #!2"),
        Rule("#!PREP(2) #!SP(3)#!SYNPART(SP3)"),
        Rule("<#!SP(4)>"),
        Rule("#!1"),
        Rule("unused", {3}),
        Rule("x#!SP(0)y"),
        Rule("#!1"),
    };
    set.phrases[kAgree].s = {{.a = 1, .d = kNumber, .b = 2, .c = 1}, {.a = 1, .d = kGender, .b = 2, .c = 1}};
    set.phrases[kPrepositionOnly].s = {{.a = 1, .d = -1, .b = 0, .c = 0}};
    set.phrases[kRulePlural].conditions = {{kPlural, 2}};
    return set;
}

Collocation Text(std::u16string text) {
    Collocation c;
    c.text = std::move(text);
    return c;
}

// A dictionary entry of fixture words that take the given attribute
// groups from the context.
Collocation Words(std::u16string text, std::vector<int32_t> wordIds, std::vector<WordArray> inherited,
                  std::vector<WordArray> required = {}) {
    Collocation c = Text(std::move(text));
    c.wordIds = std::move(wordIds);
    c.inheritedGroups = std::move(inherited);
    c.requiredAttributes = std::move(required);
    c.requiredAttributes.resize(c.wordIds.size());
    return c;
}

AttributeSet Set(const WordArray& values) {
    AttributeSet set;
    for (int32_t v : values) GrammarTables().SetAttribute(set, v);
    return set;
}

class OutputSynthesisTest : public EngineTest {
protected:
    static void SetUpTestSuite() {
        EngineTest::SetUpTestSuite();
        WritePhraseTables(rulesDir->dir() + "/", FixtureRules());
    }
    static void TearDownTestSuite() {
        delete rulesDir;
        rulesDir = nullptr;
        Phrases() = {};
    }
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_GT(GrammarTables().ValueCount(), kCapitals) << "the engine runs without the morphology fixture";
        LoadPhrases(rulesDir->dir() + "/", Engine().instances);
        ASSERT_EQ(Phrases().phrases.size(), static_cast<std::size_t>(kUnary + 1));
    }

    // A leaf at a window position translated as target, with form attributes.
    FE Leaf(Collocation target, int position = 0, const WordArray& form = {}) {
        FE entry;
        entry.start = static_cast<int16_t>(position);
        entry.sourceInstance = Engine().instances.AddCollocation(Text(u"source"), position);
        entry.targetInstance = Engine().instances.AddCollocation(std::move(target), position);
        entry.associated = Set(form);
        return entry;
    }
    FE Leaf(std::u16string text, int position = 0) { return Leaf(Text(std::move(text)), position); }

    // An entry of rule made of children 1, 2, ... spanning their positions.
    static FE Inner(int32_t rule, std::vector<FE*> children) {
        FE entry;
        entry.rule = rule;
        int first = children.empty() ? 0 : children.front()->start, last = first;
        for (std::size_t i = 0; i < children.size(); ++i) {
            entry.children[i + 1] = children[i];
            first = std::min<int>(first, children[i]->start);
            last = std::max<int>(last, children[i]->start + children[i]->span);
        }
        entry.start = static_cast<int16_t>(first);
        entry.span = static_cast<int16_t>(last - first);
        return entry;
    }

    // The text of a segment's entry, as UTF-8 for readable failures.
    static std::string Synth(const FE& entry) { return Utf8Encode(SegmentTranslation(entry)); }

    static inline testing::TempDir* rulesDir = new testing::TempDir;
};

TEST_F(OutputSynthesisTest, LeavesTakeTheFormsTheirAttributesAskFor) {
    const Collocation book = Words(u"книга", {kKniga}, {{kNumber, kArticle, kCapitals}});
    const Collocation newBook = Words(u"нова книга", {kNov, kKniga}, {{kNumber}, {kNumber}}, {{kFeminine}, {}});
    struct Case {
        Collocation target;
        WordArray form;
        std::string text;
    } cases[] = {
        {book, {}, "книга"},
        {book, {kPlural}, "книги"},
        {book, {kSingular, kDefinite}, "книгата"},
        {book, {kPlural, kInitialCapitalValue}, "Книги"},
        {book, {kAllCapitalsValue}, "КНИГА"},
        {newBook, {kSingular}, "нова книга"},
        {newBook, {kPlural}, "нови книги"},
        // An entry without words prints its headword.
        {Text(u"2026"), {kPlural}, "2026"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Synth(Leaf(c.target, 0, c.form)), c.text);
    }
    // The carried set overrides the leaf's own form attributes.
    const FE singular = Leaf(book, 0, {kSingular});
    EXPECT_EQ(Utf8Encode(GetTranslation(singular, {}, {}, Set({kPlural}), {})), "книги");
    FE untranslated = Leaf(u"x");
    untranslated.targetInstance = -1;
    EXPECT_EQ(Synth(untranslated), "<no translation>");
}

TEST_F(OutputSynthesisTest, TemplatesPlaceTheChildrenAndTheTextBetweenThem) {
    FE big = Leaf(u"big", 0), house = Leaf(u"house", 1);
    FE failing = Inner(kRangeCheck, {&big});
    struct Case {
        int32_t rule;
        std::vector<FE*> children;
        std::string text;
    } cases[] = {
        {kSwap, {&big, &house}, "house big"},
        {kJoin, {&big, &house}, "bighouse"},
        // Keyed items store their text for #!VAR; #!PREV is the last unkeyed one.
        {kStored, {&big, &house}, "big and house"},
        // #!21 and #!0 name no child; an unknown name inserts nothing.
        {kUnknownPlaceholders, {&big}, "[||Q]big"},
        // A per-slot list for slot 31 ends that entry; its parent goes on.
        {kSwap, {&failing, &house}, "house"},
        // The only synthesis phrase has no item for a singular entry.
        {kConditional, {&big}, "big"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Synth(Inner(c.rule, c.children)), c.text) << c.rule;
    }
    EXPECT_EQ(Synth(failing), "");
    FE plural = Inner(kConditional, {&big});
    plural.inherited = Set({kPlural});
    EXPECT_EQ(Synth(plural), "several big");
}

TEST_F(OutputSynthesisTest, AttributesFlowDownToTheWordForms) {
    const Collocation adjective = Words(u"нов", {kNov}, {{kGender, kNumber}});
    const Collocation noun = Words(u"книга", {kKniga}, {{kNumber}});
    // The adjective takes number and gender from the noun bound to slot 2.
    for (auto [number, text] : {std::pair{kSingular, "нова книга"}, std::pair{kPlural, "нови книги"}}) {
        FE nov = Leaf(adjective, 0), kniga = Leaf(noun, 1, {kFeminine, number});
        FE phrase = Inner(kAgree, {&nov, &kniga});
        phrase.slots[2] = &kniga;
        EXPECT_EQ(Synth(phrase), text);
    }
    // The rule's and the item's operations set plural for child 1.
    for (int32_t rule : {kRulePlural, kItemPlural}) {
        FE kniga = Leaf(noun, 0);
        EXPECT_EQ(Synth(Inner(rule, {&kniga})), "книги") << rule;
    }
}

TEST_F(OutputSynthesisTest, PrepositionsSyntheticPartsAndSlots) {
    Collocation withPrepositions = Text(u"house");
    withPrepositions.firstPrepositions = u"|на|от|";
    withPrepositions.secondPrepositions = u"||s|";
    FE big = Leaf(u"big", 0), house = Leaf(withPrepositions, 1), bound = Leaf(withPrepositions, 2);
    FE onlyPreposition = Inner(kPrepositionOnly, {&house, &big});
    EXPECT_EQ(Synth(onlyPreposition), "на big");
    FE placeholders = Inner(kPlaceholders, {&big, &house});
    placeholders.slots[3] = &bound;
    EXPECT_EQ(Synth(placeholders), "на houses");

    // SP(n) of a slot bound by the caller: only when the bound entry does not
    // straddle the entry's own span.
    struct Case {
        int start, span;
        std::string text;
    } cases[] = {{2, 0, "<x>bottom"}, {0, 0, "<x>bottom"}, {0, 1, "<>bottom"}};
    for (const Case& c : cases) {
        FE x = Leaf(u"x", c.start);
        x.span = static_cast<int16_t>(c.span);
        FE bottom = Leaf(u"bottom", 1);
        FE child = Leaf(u"unused", 0);
        child.rule = kCallerSlot;
        FE parent = Inner(kJoin, {&child, &bottom});
        parent.slots[4] = &x;
        EXPECT_EQ(Synth(parent), c.text) << c.start << "," << c.span;
    }
}

TEST_F(OutputSynthesisTest, AnEntryThatReachesItselfThroughItsSlotsPrintsOnce) {
    FE inner = Inner(kCycle, {});
    FE top = Inner(kUnary, {&inner});
    top.slots[0] = &inner;
    EXPECT_EQ(Synth(top), "xy");
}

TEST_F(OutputSynthesisTest, MarksOfBatchEntriesSurroundLeavesAndLeadInnerTexts) {
    Engine().Window[0].mark = u"##1!";
    Engine().Window[1].mark = u"##2!";
    FE big = Leaf(u"big", 0), house = Leaf(u"house", 1);
    EXPECT_EQ(Synth(Inner(kAgree, {&big, &house})), "##1!##1!big##1! ##2!house##2!");
    EXPECT_EQ(Synth(Inner(kUnary, {&house})), "##2!##2!house##2!");
}

TEST_F(OutputSynthesisTest, GetProperBuildStringChecksConditionsLanguageAndSlots) {
    SynthPhraseEntry phrase;
    phrase.steps.resize(5);
    phrase.steps[0].c = kGerman;
    phrase.steps[1].conditions = {{kPlural, 0}};
    phrase.steps[2].conditions = {{kPlural, 1}, {kFeminine, 2}};
    phrase.steps[3].slotConditions = {{}, {{kPlural, 0}}};
    FE pluralWord;
    pluralWord.inherited = Set({kPlural});
    struct Case {
        const char* name;
        int first;
        AttributeSet inherited, selection, form;
        FE* slot1;
        int32_t language;
        int expected;
    } cases[] = {
        {"nothing holds but the catch-all", 0, {}, {}, {}, nullptr, kBulgarian, 4},
        {"the target language", 0, {}, {}, {}, nullptr, kGerman, 0},
        {"required in the entry's inherited set", 0, Set({kPlural}), {}, {}, nullptr, kBulgarian, 1},
        {"required in the selection set", 0, {}, Set({kPlural}), {}, nullptr, kBulgarian, 1},
        {"required in the form set", 0, {}, {}, Set({kFeminine}), nullptr, kBulgarian, 2},
        {"forbidden in the selection set", 2, Set({kPlural}), {}, Set({kFeminine}), nullptr, kBulgarian, 4},
        {"on the entry bound to a slot", 0, {}, {}, {}, &pluralWord, kBulgarian, 3},
        {"past the last item", 5, {}, {}, {}, nullptr, kBulgarian, -1},
    };
    for (const Case& c : cases) {
        FE entry;
        entry.inherited = c.inherited;
        SlotArray slots{};
        slots[1] = c.slot1;
        TargetLanguage = c.language;
        EXPECT_EQ(GetProperBuildString(c.first, phrase, entry, slots, c.form, c.selection), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace pv
