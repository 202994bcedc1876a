#include <gtest/gtest.h>

#include "datagen/build/HunspellSource.h"
#include "datagen/build/SourceText.h"
#include "datagen/build/TagMapping.h"
#include "datagen/build/TurkishLexicon.h"

namespace pv {
namespace {

const AttributeInventory& Inventory() {
    static const AttributeInventory inventory =
        ParseAttributeInventory(ReadWholeFile(std::string(PV_TEST_DATA) + "/attributes.txt"), "attributes.txt");
    return inventory;
}

TurkishMorphology Morphology() {
    return TurkishMorphology(
        ParseTurkishGrammar(ReadWholeFile(std::string(PV_TEST_DATA) + "/turkish.txt"), "turkish.txt", Inventory()));
}

WordArray Values(const std::string& names) {
    WordArray values;
    for (const std::string& name : Split(names, '+')) values.push_back(Inventory().ValueId(name));
    std::sort(values.begin(), values.end());
    return values;
}

// The texts of the forms of a lemma that have exactly these values.
std::set<std::string> FormsWith(const std::vector<WordForm>& forms, const WordArray& values) {
    std::set<std::string> texts;
    for (const WordForm& form : forms)
        if (form.values == values) texts.insert(form.text);
    return texts;
}

struct Case {
    const char* lemma;
    const char* values;
    const char* form;
};

void ExpectForms(TurkishMorphology& morphology, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const std::string lemma = c.lemma;
        const bool verb = lemma.size() > 3 && (lemma.ends_with("mak") || lemma.ends_with("mek"));
        const std::set<std::string> forms = FormsWith(morphology.Forms(lemma, verb), Values(c.values));
        EXPECT_TRUE(forms.count(c.form)) << c.lemma << " " << c.values << ": " << (forms.empty() ? "" : *forms.begin());
    }
}

TEST(TurkishMorphology, MakesNounFormsWithHarmonyBuffersAndSoftening) {
    TurkishMorphology morphology = Morphology();
    ExpectForms(morphology, {
        // two- and four-way harmony, d/t after a voiceless consonant
        {"ev", "plural+nominative", "evler"},
        {"ev", "singular+locative", "evde"},
        {"ev", "plural+possessive-first-plural+locative", "evlerimizde"},
        {"göz", "singular+genitive", "gözün"},
        {"okul", "singular+accusative", "okulu"},
        {"kitap", "singular+ablative", "kitaptan"},
        {"kitap", "plural+nominative", "kitaplar"},
        // buffer letters y, n, s; n before the case after a third person
        {"araba", "singular+accusative", "arabayı"},
        {"araba", "singular+genitive", "arabanın"},
        {"araba", "singular+possessive-third-singular+nominative", "arabası"},
        {"araba", "singular+possessive-third-singular+locative", "arabasında"},
        {"araba", "singular+instrumental", "arabayla"},
        {"ev", "plural+possessive-third-plural+dative", "evlerine"},
        // the final stop softens before a vowel, not before a consonant
        {"kitap", "singular+accusative", "kitabı"},
        {"ağaç", "singular+dative", "ağaca"},
        {"çocuk", "singular+possessive-first-singular+nominative", "çocuğum"},
        {"renk", "singular+accusative", "rengi"},
        {"top", "singular+accusative", "topu"},
        {"su", "singular+accusative", "suyu"},
        {"su", "singular+genitive", "suyun"},
        {"su", "singular+locative", "suda"},
        // one level of -ki
        {"ev", "singular+locative+relative-ki", "evdeki"},
        {"kitap", "plural+nominative+copula", "kitaplardır"},
        {"doğru", "singular+nominative+conditional+copula", "doğruysa"},
        {"küçük", "singular+nominative+conditional+copula", "küçükse"},
        {"dosya", "singular+nominative+evidential+copula", "dosyaymış"},
        {"mevcut", "singular+nominative+adverbial-participle+copula", "mevcutken"},
    });
}

TEST(TurkishMorphology, MakesVerbFormsOfRegularAndIrregularStems) {
    TurkishMorphology morphology = Morphology();
    ExpectForms(morphology, {
        {"gelmek", "infinitive", "gelmek"},
        {"gelmek", "present+indicative+first-person+singular", "geliyorum"},
        {"gelmek", "negative+present+indicative+first-person+singular", "gelmiyorum"},
        {"gelmek", "past+indicative+third-person+plural", "geldiler"},
        {"gelmek", "past+evidential+second-person+singular", "gelmişsin"},
        {"gelmek", "future+indicative+first-person+singular", "geleceğim"},
        {"gelmek", "negative+future+indicative+third-person+singular", "gelmeyecek"},
        {"gelmek", "aorist+indicative+third-person+singular", "gelir"},
        {"gelmek", "negative+aorist+indicative+first-person+singular", "gelmem"},
        {"gelmek", "negative+aorist+indicative+third-person+singular", "gelmez"},
        {"gelmek", "conditional+first-person+plural", "gelsek"},
        {"gelmek", "necessitative+first-person+singular", "gelmeliyim"},
        {"gelmek", "subjunctive+first-person+singular", "geleyim"},
        {"gelmek", "imperative+second-person+singular", "gel"},
        {"gelmek", "negative+imperative+second-person+singular", "gelme"},
        {"gelmek", "present-active-participle+singular+nominative", "gelen"},
        {"gelmek", "past-participle+singular+possessive-first-singular+locative", "geldiğimde"},
        {"gelmek", "adverbial-participle", "gelip"},
        {"gelmek", "past+evidential+copula+third-person+singular", "gelmiştir"},
        {"gelmek", "imperfect+indicative+first-person+singular", "geliyordum"},
        {"gelmek", "imperfect+conditional+third-person+singular", "gelirdi"},
        {"gelmek", "negative+imperfect+conditional+third-person+singular", "gelmezdi"},
        {"gelmek", "negative+aorist+conditional+third-person+singular", "gelmezse"},
        {"gelmek", "negative+past+conditional+third-person+singular", "gelmemişse"},
        {"yapmak", "adverbial-participle", "yaparken"},
        {"yapmak", "negative+adverbial-participle", "yapmazken"},
        {"gelmek", "potential+aorist+indicative+third-person+singular", "gelebilir"},
        {"gelmek", "negative+potential+aorist+indicative+first-person+singular", "gelemem"},
        {"yapmak", "negative+potential+past+indicative+third-person+singular", "yapamadı"},
        {"okumak", "negative+potential+present+indicative+third-person+singular", "okuyamıyor"},
        {"yapmak", "aorist+indicative+third-person+singular", "yapar"},
        {"çalışmak", "aorist+indicative+third-person+singular", "çalışır"},
        {"okumak", "present+indicative+third-person+singular", "okuyor"},
        {"okumak", "aorist+indicative+first-person+singular", "okurum"},
        {"okumak", "future+indicative+third-person+singular", "okuyacak"},
        {"aramak", "present+indicative+third-person+singular", "arıyor"},
        {"beklemek", "present+indicative+third-person+singular", "bekliyor"},
        {"almak", "aorist+indicative+third-person+singular", "alır"},
        {"olmak", "aorist+indicative+third-person+singular", "olur"},
        {"gitmek", "present+indicative+third-person+singular", "gidiyor"},
        {"gitmek", "aorist+indicative+third-person+singular", "gider"},
        {"gitmek", "past+indicative+third-person+singular", "gitti"},
        {"etmek", "future+indicative+first-person+singular", "edeceğim"},
        {"demek", "present+indicative+third-person+singular", "diyor"},
        {"demek", "aorist+indicative+third-person+singular", "der"},
        {"demek", "past+indicative+third-person+singular", "dedi"},
        {"demek", "future+indicative+third-person+singular", "diyecek"},
        {"yemek", "present+indicative+first-person+plural", "yiyoruz"},
        {"yemek", "negative+present+indicative+third-person+singular", "yemiyor"},
    });
    // Several words, capitals and a verb without its ending take no suffixes.
    for (const auto& [lemma, verb] : std::vector<std::pair<const char*, bool>>{
             {"yardım etmek", true}, {"Ankara", false}, {"gel", true}})
        EXPECT_TRUE(morphology.Forms(lemma, verb).empty()) << lemma;
}

// A spelling dictionary's forms override the default softening and aorist.
TEST(TurkishMorphology, LearnsStemsFromTheSpellingDictionary) {
    TurkishMorphology morphology = Morphology();
    morphology.LearnStem("kaybet", {"kaybet", "kaybediyor", "kaybeder", "kaybetti"});
    morphology.LearnStem("kağıt", {"kağıt", "kağıdı", "kağıtlar"});
    morphology.LearnStem("hukuk", {"hukuk", "hukuku"});
    morphology.LearnStem("et", {"et", "eti", "ete"});
    morphology.LearnStem("harf", {"harf", "harfi", "harflerde"});
    morphology.LearnStem("sembol", {"sembol", "sembolü"});
    ExpectForms(morphology, {
        {"kaybetmek", "present+indicative+third-person+singular", "kaybediyor"},
        {"kaybetmek", "aorist+indicative+third-person+singular", "kaybeder"},
        {"kağıt", "singular+accusative", "kağıdı"},
        {"hukuk", "singular+accusative", "hukuku"},
        {"ahlak", "singular+accusative", "ahlağı"},
        {"etmek", "present+indicative+third-person+singular", "ediyor"},
        {"harf", "singular+dative", "harfe"},
        {"harf", "plural+nominative", "harfler"},
        {"sembol", "singular+accusative", "sembolü"},
        {"sembol", "plural+nominative", "semboller"},
    });
}

TEST(TurkishMorphology, RefusesMalformedLines) {
    for (const char* text : {"case nominative\n", "case nomnative 0\n", "plural l(Ar\n", "finite past DI\n",
                             "plural lAr\nwhatever x\n", "plural lAx\n"}) {
        EXPECT_THROW(ParseTurkishGrammar(text, "t", Inventory()), SourceError) << text;
    }
}

// The spelling dictionary's words through the suffix rules: forms of the
// dictionaries' lemmas take their values, the stem "gel" and the inflected
// "geldiğim" are no lemmas of their own, a word whose forms parse only as
// its own stays one.
TEST(TurkishMorphology, ReadsSpellingDictionaryWordsAsFormsOfTheirLemmas) {
    const AttributeInventory& inv = Inventory();
    const TagMapping tags = TagMapping::Parse(ReadWholeFile(std::string(PV_TEST_DATA) + "/tags.txt"), "tags.txt", inv);
    TurkishMorphology morphology = Morphology();
    Lexicon lexicon;
    const int32_t tr = LanguageNumber("tr"), noun = inv.ValueId("noun"), verb = inv.ValueId("verb");
    lexicon.lemmas[LemmaKey{tr, "gelmek", verb}].forms.insert(WordForm{"gelmek", Values("infinitive")});
    lexicon.lemmas[LemmaKey{tr, "kale", noun}].forms.insert(WordForm{"kale", Values("singular")});
    lexicon.lemmas[LemmaKey{tr, "parmak", verb}].forms.insert(WordForm{"parmak", Values("infinitive")});
    // Several words: no paradigm, as verb or as noun.
    lexicon.lemmas[LemmaKey{tr, "yardım etmek", verb}].forms.insert(WordForm{"yardım etmek", Values("infinitive")});
    const std::string aff =
        "SET UTF-8\nFLAG num\nSFX 1 N 2\nSFX 1 0 di .\nSFX 1 0 meke .\nSFX 2 N 1\nSFX 2 0 de .\n"
        "SFX 3 N 2\nSFX 3 0 ler .\nSFX 3 0 i .\nSFX 4 N 1\nSFX 4 k ğı k\n";
    BuildReport report;
    ReadHunspell(aff, "6\ngel/1\ngeldiğim/2\nkalem/3\nkedi/3\nxyz/3\nparmak/4\n", "tr", {"mak", "mek"}, inv, tags, lexicon,
                 report, &morphology);

    const Lemma& gelmek = lexicon.lemmas.at(LemmaKey{tr, "gelmek", verb});
    EXPECT_TRUE(gelmek.forms.count(WordForm{"geldi", Values("past+indicative+third-person+singular")}));
    EXPECT_TRUE(gelmek.forms.count(WordForm{"gel", Values("imperative+second-person+singular")}));
    EXPECT_TRUE(gelmek.forms.count(
        WordForm{"geldiğimde", Values("past-participle+singular+possessive-first-singular+locative")}));
    // A form that does not parse stays with the lemma its word joined.
    EXPECT_TRUE(gelmek.forms.count(WordForm{"gelmeke", {}}));
    for (const char* word : {"gel", "geldiğim"}) EXPECT_TRUE(lexicon.Find(tr, word).empty()) << word;

    // "kalem" is a form of "kale" and, by "kalemler", a lemma of its own.
    EXPECT_TRUE(lexicon.lemmas.at(LemmaKey{tr, "kale", noun})
                    .forms.count(WordForm{"kalem", Values("singular+possessive-first-singular+nominative")}));
    const Lemma& kalem = lexicon.lemmas.at(LemmaKey{tr, "kalem", noun});
    EXPECT_TRUE(kalem.forms.count(WordForm{"kalem", Values("singular+nominative")}));
    EXPECT_TRUE(kalem.forms.count(WordForm{"kalemler", Values("plural+nominative")}));
    const Lemma& kedi = lexicon.lemmas.at(LemmaKey{tr, "kedi", noun});
    EXPECT_TRUE(kedi.forms.count(WordForm{"kediler", Values("plural+nominative")}));
    EXPECT_TRUE(kedi.forms.count(WordForm{"kedii", {}}));
    EXPECT_EQ(lexicon.lemmas.count(LemmaKey{tr, "xyz", noun}), 1u);
    // A headword taken for a verb by its ending has its noun's forms too.
    EXPECT_TRUE(lexicon.lemmas.at(LemmaKey{tr, "parmak", noun})
                    .forms.count(WordForm{"parmağı", Values("singular+accusative")}));

    // The dictionaries' lemmas take their whole paradigm.
    // "bu" is a listed word: its namesake noun takes no forms of the rules (buyu).
    lexicon.lemmas[LemmaKey{tr, "bu", noun}].forms.insert(WordForm{"bu", Values("singular")});
    AddTurkishParadigms({LemmaKey{tr, "gelmek", verb}, LemmaKey{tr, "kale", noun}, LemmaKey{tr, "bu", noun}},
                        morphology, lexicon, report);
    EXPECT_EQ(lexicon.lemmas.at(LemmaKey{tr, "bu", noun}).forms.size(), 1u);
    EXPECT_TRUE(gelmek.forms.count(WordForm{"geliyoruz", Values("present+indicative+first-person+plural")}));
    EXPECT_FALSE(gelmek.forms.count(WordForm{"gelmeke", {}}));
    EXPECT_EQ(report.dropped.at("tr").at("hunspell forms outside the paradigm of a dictionary lemma"), 1);
    const Lemma& kale = lexicon.lemmas.at(LemmaKey{tr, "kale", noun});
    EXPECT_TRUE(kale.forms.count(WordForm{"kale", Values("singular+nominative")}));
    EXPECT_FALSE(kale.forms.count(WordForm{"kale", Values("singular")}));
    EXPECT_GT(report.read.at("tr").at("hunspell forms read by the suffix rules"), 0);
}

}  // namespace
}  // namespace pv
