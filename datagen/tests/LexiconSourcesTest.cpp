#include <gtest/gtest.h>

#include "datagen/build/AnalogyLabels.h"
#include "datagen/build/ApertiumSource.h"
#include "datagen/build/AttributeInventory.h"
#include "datagen/build/DictionarySources.h"
#include "datagen/build/GermanNouns.h"
#include "datagen/build/GermanVerbs.h"
#include "datagen/build/HunspellSource.h"
#include "datagen/build/InflectionModel.h"
#include "datagen/build/SourceText.h"
#include "datagen/build/TagMapping.h"
#include "datagen/build/Translations.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

AttributeInventory Inventory() {
    return ParseAttributeInventory(ReadWholeFile(std::string(PV_TEST_DATA) + "/attributes.txt"), "attributes.txt");
}

TagMapping Tags(const AttributeInventory& inventory) {
    return TagMapping::Parse(ReadWholeFile(std::string(PV_TEST_DATA) + "/tags.txt"), "tags.txt", inventory);
}

std::set<std::string> FormTexts(const Lexicon& lexicon, const LemmaKey& key) {
    std::set<std::string> texts;
    for (const WordForm& form : lexicon.lemmas.at(key).forms) texts.insert(form.text);
    return texts;
}

// The tokenizer cuts at apostrophes, so an elided form must also be known
// by the letters before its apostrophe.
TEST(ApertiumAnalyser, ElidedFormsAreAlsoReadWithoutTheirApostrophe) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    // d' and d’ (de<pr>), jusqu'à (jusqu'à<pr>), 'a (a<pr>), d'a (de<pr>+a<pr>).
    const char* dump =
        "0\t1\td\td\t0.000000\t\n1\t2\t'\te\t0.000000\t\n1\t2\t’\te\t0.000000\t\n2\t3\tε\t<pr>\t0.000000\t\n"
        "0\t4\tj\tj\t0.000000\t\n4\t5\tu\tu\t0.000000\t\n5\t6\ts\ts\t0.000000\t\n6\t7\tq\tq\t0.000000\t\n"
        "7\t8\tu\tu\t0.000000\t\n8\t9\t'\t'\t0.000000\t\n9\t10\tà\tà\t0.000000\t\n10\t3\tε\t<pr>\t0.000000\t\n"
        "0\t11\t'\tε\t0.000000\t\n11\t12\ta\ta\t0.000000\t\n12\t3\tε\t<pr>\t0.000000\t\n"
        "2\t13\tε\t<pr>\t0.000000\t\n13\t14\tε\t+\t0.000000\t\n14\t15\ta\ta\t0.000000\t\n15\t3\tε\t<pr>\t0.000000\t\n3\n";
    Lexicon lexicon;
    BuildReport report;
    ReadApertiumAnalyser(dump, "fr", inventory, tags, lexicon, report);
    const int32_t pr = inventory.ValueId("preposition");
    EXPECT_EQ(FormTexts(lexicon, {6, "de", pr}), (std::set<std::string>{"d", "d'", "d’", "d'a", "d’a"}));
    EXPECT_EQ(FormTexts(lexicon, {6, "jusqu'à", pr}), (std::set<std::string>{"jusqu", "jusqu'à"}));
    EXPECT_EQ(FormTexts(lexicon, {6, "a", pr}), (std::set<std::string>{"a", "'a"}));

    // Italian "po'" is an elided "poco"; "e'" is "è" typed without its
    // accent, so neither it nor "e" is a form of "essere".
    const char* italian =
        "0\t1\tp\tp\t0.000000\t\n1\t2\to\to\t0.000000\t\n2\t3\t'\tc\t0.000000\t\n3\t4\tε\to\t0.000000\t\n"
        "4\t5\tε\t<adv>\t0.000000\t\n"
        "0\t6\te\te\t0.000000\t\n6\t7\t'\ts\t0.000000\t\n0\t16\tè\te\t0.000000\t\n16\t7\tε\ts\t0.000000\t\n"
        "7\t8\tε\ts\t0.000000\t\n"
        "8\t9\tε\te\t0.000000\t\n9\t10\tε\tr\t0.000000\t\n10\t11\tε\te\t0.000000\t\n11\t12\tε\t<vbser>\t0.000000\t\n"
        "12\t13\tε\t<pri>\t0.000000\t\n13\t14\tε\t<p3>\t0.000000\t\n14\t15\tε\t<sg>\t0.000000\t\n5\n15\n";
    ReadApertiumAnalyser(italian, "it", inventory, tags, lexicon, report);
    EXPECT_EQ(FormTexts(lexicon, {7, "poco", inventory.ValueId("adverb")}), (std::set<std::string>{"po", "po'"}));
    EXPECT_EQ(FormTexts(lexicon, {7, "essere", inventory.ValueId("verb")}), (std::set<std::string>{"è"}));
}

// "ab" and "a-b", both a<pr>+b<pr>: the tokenizer cuts "a-b" at its
// hyphen, so only "ab" is a form of "a", a joined one. "falo" = fa<vblex><inf>+lo<prn>
// is a form of "fa" with its pronoun.
TEST(ApertiumAnalyser, JoinedFormsWithAHyphenAreLeftOutAndPronounsMarked) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    const char* dump =
        "0\t1\ta\ta\t0.000000\t\n1\t2\t-\t<pr>\t0.000000\t\n2\t3\tε\t+\t0.000000\t\n"
        "3\t4\tb\tb\t0.000000\t\n4\t5\tε\t<pr>\t0.000000\t\n"
        "1\t6\tε\t<pr>\t0.000000\t\n6\t7\tε\t+\t0.000000\t\n7\t8\tb\tb\t0.000000\t\n8\t5\tε\t<pr>\t0.000000\t\n"
        "0\t9\tf\tf\t0.000000\t\n9\t10\ta\ta\t0.000000\t\n10\t11\tl\t<vblex>\t0.000000\t\n"
        "11\t12\to\t<inf>\t0.000000\t\n12\t13\tε\t+\t0.000000\t\n13\t14\tε\tl\t0.000000\t\n"
        "14\t15\tε\to\t0.000000\t\n15\t5\tε\t<prn>\t0.000000\t\n5\n";
    Lexicon lexicon;
    BuildReport report;
    ReadApertiumAnalyser(dump, "fr", inventory, tags, lexicon, report);
    // "ab" is read, but as a joined form it is no row of the paradigm.
    EXPECT_EQ(lexicon.lemmas.at({6, "a", inventory.ValueId("preposition")}).forms,
              (std::set<WordForm>{WordForm{"ab", {inventory.ValueId("joined")}}}));
    EXPECT_EQ(report.dropped.at("fr").at("joined form with a hyphen"), 1);
    const std::set<WordForm> falo{
        WordForm{"falo", {inventory.ValueId("infinitive"), inventory.ValueId("enclitic-pronoun")}}};
    EXPECT_EQ(lexicon.lemmas.at({6, "fa", inventory.ValueId("verb")}).forms, falo);
}

// German nouns as the word list and the spelling dictionary give them:
// forms by number and gender, or affixed forms with no values at all.
TEST(GermanNouns, CasesFollowFromGenderAndTheShapesOfTheForms) {
    const AttributeInventory inventory = Inventory();
    auto id = [&](const char* name) { return inventory.ValueId(name); };
    const int32_t noun = id("noun"), m = id("masculine"), f = id("feminine"), n = id("neuter");
    const int32_t sg = id("singular"), pl = id("plural");
    Lexicon lexicon;
    auto add = [&](const std::string& lemma, std::vector<std::pair<std::string, WordArray>> forms) {
        Lemma& l = lexicon.lemmas[LemmaKey{4, lemma, noun}];
        for (auto& [text, values] : forms) {
            std::sort(values.begin(), values.end());
            l.forms.insert(WordForm{text, values});
        }
    };
    add("Haus", {{"Haus", {n, sg}}, {"Häuser", {n, pl}}, {"Hauses", {}}, {"Häusern", {}}});
    add("Tag", {{"Tag", {m, sg}}, {"Tage", {m, pl}}, {"Tagen", {pl}}, {"Tages", {}}, {"Tags", {}}});
    add("Frau", {{"Frau", {f, sg}}, {"Frauen", {f, pl}}});
    add("Lehrer", {{"Lehrer", {}}, {"Lehrers", {}}, {"Lehrern", {pl}}});
    add("Auto", {{"Auto", {n, sg}}, {"Autos", {n, pl}}});
    const int32_t dim = id("diminutive"), gen = id("genitive");
    add("Kind", {{"Kind", {n, sg}}, {"Kinder", {n, pl}}, {"Kindchen", {dim, n, sg}}, {"Kindchens", {dim, n, sg, gen}}});
    BuildReport report;
    AddGermanNounCases(lexicon, inventory, report);

    // Each form with its cases, as "form:number:case" sorted.
    auto cases = [&](const std::string& lemma) {
        std::set<std::string> out;
        for (const WordForm& form : lexicon.lemmas.at(LemmaKey{4, lemma, noun}).forms) {
            std::string text = form.text;
            for (int32_t v : form.values)
                if (v != m && v != f && v != n) text += ":" + inventory.ValueName(v);
            out.insert(text);
        }
        return out;
    };
    using Set = std::set<std::string>;
    EXPECT_EQ(cases("Haus"), (Set{"Haus:singular:nominative", "Haus:singular:accusative", "Haus:singular:dative",
                                  "Hauses:singular:genitive", "Häuser:plural:nominative", "Häuser:plural:accusative",
                                  "Häuser:plural:genitive", "Häusern:plural:dative"}));
    EXPECT_EQ(cases("Tag"), (Set{"Tag:singular:nominative", "Tag:singular:accusative", "Tag:singular:dative",
                                 "Tages:singular:genitive", "Tags:singular:genitive", "Tage:plural:nominative", "Tage:plural:accusative",
                                 "Tage:plural:genitive", "Tagen:plural:dative"}));
    // Feminine: one singular form for all cases, a plural in -n for all cases.
    EXPECT_EQ(cases("Frau"), (Set{"Frau:singular:nominative", "Frau:singular:accusative", "Frau:singular:dative",
                                  "Frau:singular:genitive", "Frauen:plural:nominative", "Frauen:plural:accusative",
                                  "Frauen:plural:dative", "Frauen:plural:genitive"}));
    // -er with a plural in -n: the lemma's text is also the plural.
    EXPECT_EQ(cases("Lehrer"), (Set{"Lehrer:singular:nominative", "Lehrer:singular:accusative",
                                    "Lehrer:singular:dative", "Lehrers:singular:genitive",
                                    "Lehrer:plural:nominative", "Lehrer:plural:accusative",
                                    "Lehrer:plural:genitive", "Lehrern:plural:dative"}));
    // A plural in -s is every plural case and, not feminine, also the genitive.
    EXPECT_EQ(cases("Auto"), (Set{"Auto:singular:nominative", "Auto:singular:accusative", "Auto:singular:dative",
                                  "Autos:singular:genitive", "Autos:plural:nominative", "Autos:plural:accusative",
                                  "Autos:plural:dative", "Autos:plural:genitive"}));
    // A diminutive's genitive leaves the noun's cases to be made.
    EXPECT_EQ(cases("Kind"), (Set{"Kind:singular:nominative", "Kind:singular:accusative", "Kind:singular:dative",
                                  "Kind:singular:genitive", "Kinder:plural:nominative", "Kinder:plural:accusative",
                                  "Kinder:plural:genitive", "Kindern:plural:dative", "Kindchen:singular:diminutive",
                                  "Kindchens:singular:genitive:diminutive"}));
    for (const WordForm& form : lexicon.lemmas.at(LemmaKey{4, "Haus", noun}).forms)
        EXPECT_TRUE(std::count(form.values.begin(), form.values.end(), n)) << form.text;
}

// Turkish-like words: "ders" and "kurs" share an ending set; "pars",
// "mars" and "ev" each have one of their own.
Lexicon SuffixingLexicon(const AttributeInventory& inventory) {
    const int32_t noun = inventory.ValueId("noun");
    const WordArray plural{inventory.ValueId("plural")}, dative{inventory.ValueId("dative")},
        locative{inventory.ValueId("locative")};
    Lexicon lexicon;
    auto add = [&](const std::string& lemma, std::vector<std::pair<std::string, WordArray>> endings) {
        Lemma& l = lexicon.lemmas[LemmaKey{3, lemma, noun}];
        for (auto& [ending, values] : endings) l.forms.insert(WordForm{lemma + ending, values});
    };
    add("ders", {{"ler", plural}, {"e", dative}});
    add("kurs", {{"ler", plural}, {"e", dative}});
    add("pars", {{"lar", plural}, {"a", dative}});
    add("mars", {{"lar", plural}});
    add("ev", {{"ler", plural}, {"de", locative}});
    return lexicon;
}

std::set<std::u16string> Forms(const InflectionModel& model, const std::string& lemma) {
    for (const LexiconWordRecord& word : model.words)
        if (word.lemma == Utf8Decode(lemma)) {
            std::set<std::u16string> forms;
            for (const auto& [text, key] : model.Forms(word)) forms.insert(text);
            return forms;
        }
    return {};
}

TEST(DeriveInflection, WordsWithoutAnIdOfTheirOwnShareTheEndingsOfWordsAlike) {
    const AttributeInventory inventory = Inventory();
    const Lexicon lexicon = SuffixingLexicon(inventory);
    struct Case {
        int32_t ids;
        std::size_t groups;
        std::set<std::u16string> mars, ev;
    };
    const Case cases[] = {
        // Four sets: each word keeps its own.
        {4, 4, {u"mars", u"marslar"}, {u"ev", u"evler", u"evde"}},
        // Three ids: the set of two words keeps its id; "pars" and "mars", both
        // ending in "rs", pool their endings; "ev" pools alone.
        {3, 3, {u"mars", u"marslar", u"marsa"}, {u"ev", u"evler", u"evde"}},
        // One id cannot hold both pools: the most used set keeps it, the rest keep their lemma.
        {1, 1, {u"mars"}, {u"ev"}},
    };
    for (const Case& c : cases) {
        BuildReport report;
        const InflectionModel model = DeriveInflection(lexicon, inventory, report, c.ids);
        EXPECT_EQ(model.groups.size(), c.groups) << c.ids;
        EXPECT_EQ(Forms(model, "mars"), c.mars) << c.ids;
        EXPECT_EQ(Forms(model, "ev"), c.ev) << c.ids;
        EXPECT_EQ(Forms(model, "ders"), (std::set<std::u16string>{u"ders", u"dersler", u"derse"})) << c.ids;
    }
}

// Of two sets of one word each, with one id to give, the analyser's word
// keeps its endings.
TEST(DeriveInflection, AnAnalysersWordWinsAnIdOverASetOfAsManyWords) {
    const AttributeInventory inventory = Inventory();
    const int32_t noun = inventory.ValueId("noun");
    const WordArray plural{inventory.ValueId("plural")};
    Lexicon lexicon;
    lexicon.lemmas[LemmaKey{3, "at", noun}].forms = {WordForm{"atlar", plural}};
    Lemma& ev = lexicon.lemmas[LemmaKey{3, "ev", noun}];
    ev.forms = {WordForm{"evler", plural}};
    ev.analysed = true;
    BuildReport report;
    const InflectionModel model = DeriveInflection(lexicon, inventory, report, 1);
    EXPECT_EQ(Forms(model, "ev"), (std::set<std::u16string>{u"ev", u"evler"}));
    EXPECT_EQ(Forms(model, "at"), (std::set<std::u16string>{u"at"}));
}

using TaggedForms = std::set<std::pair<std::string, std::string>>;

// The forms of a German lemma, each with its value names sorted and joined by "+".
TaggedForms GermanForms(const Lexicon& lexicon, const AttributeInventory& inventory, const char* lemma, const char* pos) {
    TaggedForms out;
    for (const WordForm& form : lexicon.lemmas.at({4, lemma, inventory.ValueId(pos)}).forms) {
        std::vector<std::string> names;
        for (int32_t v : form.values) names.push_back(inventory.ValueName(v));
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const std::string& name : names) joined += (joined.empty() ? "" : "+") + name;
        out.insert({form.text, joined});
    }
    return out;
}

// The list gives a strong verb's finite forms after its participles, an
// article's and a pronoun's cases after the headword, and contractions in
// the examples of a preposition. Each form is read with the person, number,
// tense and mood its pronouns and its place in the line give; examples and
// the perfect are not forms. Object slots and abbreviations are no part of
// a headword.
TEST(GermanEnglish, FiniteFormsCasesAndContractions) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    const char* text =
        "der {art} (des; dem; den) :: the\n"
        "die {art} (der; die; der) :: the\n"
        "wir {ppron} {pl} (unser; uns; uns) | wir sind :: we (us) | we are\n"
        "in {prp; wo?, wann? +Dat.} | im (= in dem) Haus | in der Schule sein :: in; at | in the house | to be at school\n"
        "lesen {vt} {vi} | lesend | gelesen | du liest | er/sie liest | ich/er/sie las | er/sie hat/hatte gelesen | "
        "ich/er/sie läse | lies! | Ich habe erst zehn Seiten gelesen. :: to read {read; read} | reading | read | "
        "you read | he/she reads | I/he/she read | he/she has/had read | I/he/she would read | read! | "
        "I have read only ten pages so far.\n"
        "sein {vi} | seiend | gewesen | er/sie/es ist | sie sind | ihr seid | ich/er/sie/es war | ich war | "
        "wir/sie waren | er/sie/es wäre | seid! :: to be | being | been | he/she/it is | they are | you are | "
        "I/he/she/it was | I was | we/they were | he/she/it would be | be!\n"
        "etw. aufführen; geben [veraltend] {vt} :: to perform sth.\n"
        "beziehungsweise /bzw./; respektive /resp./ {conj} :: respectively /resp./\n"
        "Abteilung {f} /Abt./ :: department /dept./\n"
        "(jdm.) etw. geben {vt} | gebend | gegeben | er/sie gibt :: to give sth. (to sb.) | giving | given | he/she gives\n";
    Lexicon lexicon;
    std::set<BilingualLink> links;
    BuildReport report;
    ReadGermanEnglish(text, inventory, tags, lexicon, links, report);
    auto forms = [&](const char* lemma, const char* pos) { return GermanForms(lexicon, inventory, lemma, pos); };
    EXPECT_EQ(forms("lesen", "verb"),
              (TaggedForms{{"lesen", "infinitive"},
                     {"lesend", "present-participle"},
                     {"gelesen", "past-participle"},
                     {"liest", "indicative+present+second-person+singular"},
                     {"liest", "indicative+present+singular+third-person"},
                     {"las", "first-person+indicative+past+singular"},
                     {"las", "indicative+past+singular+third-person"},
                     {"läse", "first-person+past+singular+subjunctive"},
                     {"läse", "past+singular+subjunctive+third-person"},
                     {"lies", "imperative+second-person+singular"}}));
    const TaggedForms sein = forms("sein", "verb");
    for (const TaggedForms::value_type& form : TaggedForms{{"sind", "indicative+plural+present+third-person"},
                                               {"seid", "imperative+plural+second-person"},
                                               {"war", "first-person+indicative+past+singular"},
                                               {"waren", "first-person+indicative+past+plural"},
                                               {"waren", "indicative+past+plural+third-person"},
                                               {"wäre", "past+singular+subjunctive+third-person"}})
        EXPECT_TRUE(sein.count(form)) << form.first << " " << form.second;
    EXPECT_EQ(sein.size(), 12u);
    EXPECT_TRUE(forms("geben", "verb").count({"gibt", "indicative+present+singular+third-person"}));
    EXPECT_EQ(forms("der", "determiner"), (TaggedForms{{"der", "nominative"}, {"des", "genitive"}, {"dem", "dative"},
                                                 {"den", "accusative"}}));
    EXPECT_EQ(forms("die", "determiner"), (TaggedForms{{"die", "nominative"}, {"der", "genitive"}, {"die", "accusative"},
                                                 {"der", "dative"}}));
    EXPECT_EQ(forms("wir", "pronoun"), (TaggedForms{{"wir", "nominative+plural"}, {"unser", "genitive+plural"},
                                              {"uns", "dative+plural"}, {"uns", "accusative+plural"}}));
    EXPECT_EQ(forms("im", "preposition"), (TaggedForms{{"im", ""}}));
    const int32_t prep = inventory.ValueId("preposition");
    for (const char* english : {"in the", "at the"})
        EXPECT_TRUE(links.count({{4, "im", prep}, {1, english, prep}})) << english;
    // An abbreviation between slashes is a word of its own; the tag after
    // the last synonym is every synonym's.
    const int32_t conj = inventory.ValueId("conjunction");
    for (const char* word : {"beziehungsweise", "bzw"})
        EXPECT_TRUE(links.count({{4, word, conj}, {1, "respectively", 0}})) << word;
    EXPECT_EQ(forms("Abt", "noun"), (TaggedForms{{"Abt", "feminine+singular"}}));
    EXPECT_TRUE(links.count({{4, "Abteilung", inventory.ValueId("noun")}, {1, "department", 0}}));
    // "give" is the sense of "geben" itself, "perform" one of "aufführen".
    const int32_t verb = inventory.ValueId("verb");
    auto rank = [&](const char* lemma, const char* english) {
        auto link = links.find({{4, lemma, verb}, {1, english, 0}});
        return link == links.end() ? -1 : link->rank;
    };
    EXPECT_GE(rank("geben", "give"), 0);
    EXPECT_GT(rank("geben", "perform"), rank("geben", "give"));
    EXPECT_GE(rank("aufführen", "perform"), 0);
    EXPECT_LT(rank("aufführen", "perform"), rank("geben", "give"));
}

// The spelling dictionary knows "liest" and "gelesen" as words and makes
// the weak "lest" of "lesen": "liest" and "gelesen" join the verb they are
// forms of instead of becoming nouns, "gelesene" with no values (its ending
// means nothing on a participle), and "lest" is only the plural's form, the
// list's "liest" keeps the third person singular and "lies" the imperative,
// beside which the weak "lese" is a form without values.
TEST(GermanEnglish, SpellingDictionaryWordsJoinTheListsVerbs) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    Lexicon lexicon;
    std::set<BilingualLink> links;
    BuildReport report;
    ReadGermanEnglish("lesen {vt} | lesend | gelesen | er/sie liest | lies! :: to read | reading | read | he/she reads | read!\n",
                      inventory, tags, lexicon, links, report);
    ReadHunspell("SET UTF-8\nSFX A Y 3\nSFX A en t .\nSFX A n 0 .\nSFX A 0 de .\nSFX B Y 1\nSFX B 0 e .\n",
                 "3\nlesen/A\nliest\ngelesen/B\n", "de", {"en"}, inventory, tags, lexicon, report);
    EXPECT_EQ(lexicon.lemmas.size(), 1u);
    const TaggedForms lesen = GermanForms(lexicon, inventory, "lesen", "verb");
    EXPECT_TRUE(lesen.count({"lest", "indicative+plural+present+second-person"}));
    EXPECT_FALSE(lesen.count({"lest", "indicative+present+singular+third-person"}));
    EXPECT_TRUE(lesen.count({"liest", "indicative+present+singular+third-person"}));
    EXPECT_TRUE(lesen.count({"gelesene", ""}));
    EXPECT_TRUE(lesen.count({"lese", ""}));  // the weak imperative, where the list gives "lies"
    EXPECT_TRUE(lesen.count({"lesende", "present-participle"}));  // beside "lesend": no person's slot
}

// The regular rest of a German verb's paradigm, from the list's and the
// spelling dictionary's forms read as the data build reads them: a weak
// verb, a strong one whose list gives its irregular forms, a modal one
// whose 1st singular is its 3rd, an "-eln" verb, and a word typed a verb by
// its ending alone, which gets nothing.
TEST(GermanVerbs, TheParadigmFollowsFromTheInfinitiveAndThePast) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    Lexicon lexicon;
    std::set<BilingualLink> links;
    BuildReport report;
    ReadGermanEnglish("lesen {vt} | lesend | gelesen | du liest | er/sie liest | ich/er/sie las | "
                      "er/sie hat/hatte gelesen | ich/er/sie läse | lies! :: to read\n"
                      "arbeiten {vi} | arbeitend | gearbeitet | ich/er/sie arbeitete :: to work\n"
                      "können {vt} | ich kann | du kannst | er/sie/es kann | ich/er/sie/es konnte :: can\n"
                      "sammeln {vt} | sammelnd | gesammelt :: to collect\n"
                      "werden {vi} | du wirst | er/sie/es wird :: will\n",
                      inventory, tags, lexicon, links, report);
    ReadHunspell("SET UTF-8\nSFX A Y 1\nSFX A 0 de .\nSFX B Y 3\nSFX B 0 e .\nSFX B 0 em .\nSFX B 0 bar .\n",
                 "5\nlesen/A\ngelesen/B\narbeiten\ngearbeitet/B\nirgendwen\n", "de", {"en"}, inventory, tags,
                 lexicon, report);
    AddGermanVerbForms(lexicon, inventory, report);
    struct Case {
        const char* lemma;
        const char* form;
        const char* values;  // value names sorted, joined by "+"; "" none
        bool present;
    };
    const Case cases[] = {
        {"lesen", "lese", "first-person+indicative+present+singular", true},
        {"lesen", "liest", "indicative+present+second-person+singular", true},
        {"lesen", "lest", "indicative+present+second-person+singular", false},  // the list's "liest" stays
        {"lesen", "lesen", "indicative+plural+present+third-person", true},
        {"lesen", "lest", "imperative+plural+second-person", true},
        {"lesen", "lesest", "present+second-person+singular+subjunctive", true},
        {"lesen", "lasest", "indicative+past+second-person+singular", true},
        {"lesen", "last", "indicative+past+plural+second-person", true},
        {"lesen", "läsen", "first-person+past+plural+subjunctive", true},
        {"lesen", "gelesene", "feminine+nominative+past-participle+singular", true},
        {"lesen", "gelesene", "", false},
        {"lesen", "gelesenem", "dative+masculine+past-participle+singular", true},
        {"lesen", "gelesenbar", "", true},  // a derived word: no slot of the verb
        {"lesen", "lesende", "accusative+plural+present-participle", true},
        {"lesen", "lesende", "present-participle", false},
        {"arbeiten", "arbeitest", "indicative+present+second-person+singular", true},
        {"arbeiten", "arbeitet", "indicative+present+singular+third-person", true},
        {"arbeiten", "arbeitetest", "indicative+past+second-person+singular", true},
        {"arbeiten", "arbeitetet", "past+plural+second-person+subjunctive", true},
        {"können", "kann", "first-person+indicative+present+singular", true},
        {"werden", "werde", "first-person+indicative+present+singular", true},
        {"werden", "wird", "first-person+indicative+present+singular", false},
        {"werden", "werdet", "indicative+plural+present+second-person", true},
        {"können", "könne", "first-person+present+singular+subjunctive", true},
        {"können", "konnten", "indicative+past+plural+third-person", true},
        {"sammeln", "sammle", "first-person+indicative+present+singular", true},
        {"sammeln", "sammelst", "indicative+present+second-person+singular", true},
        {"sammeln", "sammlet", "plural+present+second-person+subjunctive", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GermanForms(lexicon, inventory, c.lemma, "verb").count({c.form, c.values}), c.present ? 1u : 0u)
            << c.lemma << " " << c.form << " " << c.values;
    EXPECT_EQ(lexicon.lemmas.at({4, "irgendwen", inventory.ValueId("verb")}).forms.size(), 1u);
}

// Five analysed verbs in "-are" give the endings' values: "libr" + "ai"
// is the 1st singular past of "librare" as "parl" + "ai" is of "parlare";
// "i" is the 2nd singular present on four of them and the subjunctive on
// two, so it is both; "acela" is on one only and says nothing. A word
// ending in "ere" has no five models and keeps its forms as they are.
TEST(AnalogyLabels, FormsOfAWordNoAnalyserKnowsTakeTheValuesOfWordsAlike) {
    const int32_t it = 7, verb = 3, past = 42, present = 40, subjunctive = 828, sg = 11, p1 = 13, p2 = 14,
                  infinitive = 916;
    Lexicon lexicon;
    const char* stems[] = {"parl", "cant", "am", "lav", "port"};
    for (std::size_t i = 0; i < std::size(stems); ++i) {
        const std::string stem = stems[i];
        Lemma& lemma = lexicon.lemmas[{it, stem + "are", verb}];
        lemma.analysed = true;
        lemma.forms = {{stem + "are", {infinitive}}, {stem + "ai", {sg, p1, past}}, {stem + "i", {sg, p2, present}}};
        if (i < 2) lemma.forms.insert({stem + "i", {sg, p2, subjunctive}});
        if (i == 0) lemma.forms.insert({stem + "acela", {sg, p2}});
        if (i == 4) lemma.forms.erase({stem + "i", {sg, p2, present}});
    }
    lexicon.lemmas[{it, "librare", verb}].forms = {{"librare", {}}, {"librai", {}}, {"libri", {}}, {"libracela", {}}};
    lexicon.lemmas[{it, "temere", verb}].forms = {{"temere", {}}, {"temei", {}}};
    BuildReport report;
    LabelFormsByAnalogy(lexicon, report);
    EXPECT_EQ(lexicon.lemmas.at({it, "librare", verb}).forms,
              (std::set<WordForm>{{"librare", {infinitive}},
                                  {"librai", {sg, p1, past}},
                                  {"libri", {sg, p2, present}},
                                  {"libri", {sg, p2, subjunctive}},
                                  {"libracela", {}}}));
    EXPECT_EQ(lexicon.lemmas.at({it, "temere", verb}).forms, (std::set<WordForm>{{"temere", {}}, {"temei", {}}}));
    EXPECT_EQ(lexicon.lemmas.at({it, "parlare", verb}).forms.size(), 5u);
}

// Dictionaries list senses, not the usual word first: the word that most
// senses give leads, then the shorter words, then the order of the senses.
TEST(FreeDict, TheTranslationOfMostSensesIsRankedFirst) {
    const AttributeInventory inventory = Inventory();
    const TagMapping tags = Tags(inventory);
    const std::string dictionary = "house <n>\n1. стопанство, къща\n2. къща\n3. дом\n";
    ASSERT_EQ(dictionary.size(), 66u);  // the index gives its length as "BC"
    std::set<BilingualLink> links;
    BuildReport report;
    ReadFreeDict("house\tA\tBC\n", dictionary, "en", "bg", inventory, tags, links, report);
    std::vector<std::pair<int32_t, std::string>> ranked;
    for (const BilingualLink& link : links) ranked.push_back({link.rank, link.to.text});
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> order;
    for (const auto& [rank, text] : ranked) order.push_back(text);
    EXPECT_EQ(order, (std::vector<std::string>{"къща", "дом", "стопанство"}));
}

// Dictionary headwords fill what the analyser lacks: a verb by its ending,
// other words as nouns; a word the analyser knows, as a lemma or a form,
// keeps its own readings.
TEST(Headwords, OnlyWordsTheLexiconLacksBecomeLemmas) {
    const AttributeInventory inventory = Inventory();
    const int32_t noun = inventory.ValueId("noun"), verb = inventory.ValueId("verb");
    const int32_t adjective = inventory.ValueId("adjective");
    Lexicon lexicon;
    lexicon.lemmas[{7, "grande", adjective}].forms.insert(WordForm{"grande", {}});
    lexicon.lemmas[{7, "amico", noun}].forms.insert(WordForm{"amica", {}});
    std::set<BilingualLink> links;
    for (const char* word : {"grande", "amica", "sorgente", "parlare"}) AddLink(links, {{1, "x", 0}, {7, word, 0}});
    BuildReport report;
    AddHeadwordLemmas(links, 7, {"are", "ere", "ire"}, inventory, lexicon, report);
    std::set<LemmaKey> keys;
    for (const auto& [key, lemma] : lexicon.lemmas) keys.insert(key);
    EXPECT_EQ(keys, (std::set<LemmaKey>{{7, "amico", noun}, {7, "grande", adjective}, {7, "parlare", verb},
                                        {7, "sorgente", noun}}));
    EXPECT_EQ(report.read.at("it").at("headword lemmas"), 2);
}

// A dictionary names a Bulgarian verb by its first person ("чета"), the
// analyser by its third ("чете"); a spelling dictionary knows "чета" as a
// word of its own. The link goes to the analysed verb. A pronoun is not
// moved so: the analyser's pronouns share a placeholder lemma.
TEST(ResolveLinks, AVerbNamedByAnotherFormGoesToTheAnalysedVerb) {
    const AttributeInventory inventory = Inventory();
    const int32_t verb = inventory.ValueId("verb"), noun = inventory.ValueId("noun"),
                  pronoun = inventory.ValueId("pronoun");
    Lexicon lexicon;
    lexicon.lemmas[LemmaKey{1, "read", verb}].forms = {WordForm{"read", {}}};
    lexicon.lemmas[LemmaKey{1, "she", pronoun}].forms = {WordForm{"she", {}}};
    Lemma& chete = lexicon.lemmas[LemmaKey{2, "чете", verb}];
    chete.forms = {WordForm{"чета", {}}, WordForm{"чете", {}}};
    chete.analysed = true;
    lexicon.lemmas[LemmaKey{2, "чета", noun}].forms = {WordForm{"чета", {}}};
    Lemma& free = lexicon.lemmas[LemmaKey{2, "free", pronoun}];
    free.forms = {WordForm{"тя", {}}};
    free.analysed = true;
    lexicon.lemmas[LemmaKey{2, "тя", noun}].forms = {WordForm{"тя", {}}};
    const std::set<BilingualLink> links = {{{1, "read", verb}, {2, "чета", 0}}, {{1, "she", pronoun}, {2, "тя", 0}}};
    BuildReport report;
    const std::set<BilingualLink> resolved = ResolveLinks(links, lexicon, report);
    EXPECT_EQ(resolved, (std::set<BilingualLink>{{{1, "read", verb}, {2, "чете", verb}},
                                                 {{1, "she", pronoun}, {2, "тя", noun}}}));
}

TEST(PivotLinks, LanguagesALemmaDoesNotReachTakeTheTranslationsOfItsBestEnglishWord) {
    const LemmaKey haus{4, "Haus", 1}, house{1, "house", 1}, establishment{1, "establishment", 1},
        kashta{2, "къща", 1}, dom{2, "дом", 1}, kamara{2, "камара", 1}, uchrezhdenie{2, "учреждение", 1},
        casa{5, "casa", 1}, casaDe{5, "Haus", 1}, heim{4, "Heim", 1}, home{1, "home", 1},
        houseVerb{1, "house", 3}, nastanyavam{2, "настанявам", 3};
    std::set<BilingualLink> links;
    AddLink(links, {haus, houseVerb});
    AddLink(links, {houseVerb, nastanyavam});
    AddLink(links, {heim, home});
    AddLink(links, {heim, house});
    AddLink(links, {home, dom});
    AddLink(links, {haus, house});
    AddLink(links, {haus, establishment});
    AddLink(links, {haus, casaDe});  // Spanish is reached directly
    AddLink(links, {establishment, uchrezhdenie});
    AddLink(links, {house, kashta});
    AddLink(links, {house, dom});
    AddLink(links, {house, kamara});
    AddLink(links, {house, casa});
    const std::set<BilingualLink> pivots = PivotLinks(links);
    const struct {
        LemmaKey from, to;
        bool linked;
    } cases[] = {
        {haus, kashta, true},          {haus, dom, true},
        {haus, kamara, false},         // two at most
        {haus, uchrezhdenie, false},
        {heim, dom, true},             {heim, kashta, false},  // only the best English word with Bulgarian speaks
        {haus, casa, false},           // Spanish is reached directly
        {casa, kashta, true},          {uchrezhdenie, haus, true},
        {kashta, house, false},        // English is never a pivot's target
        {haus, nastanyavam, false},    // nor a word of another part of speech
    };
    for (const auto& c : cases)
        EXPECT_EQ(pivots.count({c.from, c.to}), c.linked ? 1u : 0u) << c.from.text << " -> " << c.to.text;
}

}  // namespace
}  // namespace pv
