#include "datagen/build/HunspellSource.h"

#include <algorithm>
#include <map>
#include <set>

#include "datagen/build/AttributeInventory.h"
#include "datagen/build/SourceText.h"
#include "datagen/build/TurkishLexicon.h"
#include "morphology/LowerWord.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

enum class FlagType { kChar, kLong, kNum, kUtf8 };

std::vector<std::string> ParseFlags(std::string_view text, FlagType type) {
    std::vector<std::string> flags;
    if (type == FlagType::kNum) {
        for (const std::string& f : Split(text, ','))
            if (!f.empty()) flags.push_back(f);
    } else if (type == FlagType::kLong) {
        for (std::size_t i = 0; i + 1 < text.size(); i += 2) flags.emplace_back(text.substr(i, 2));
    } else if (type == FlagType::kUtf8) {
        for (std::size_t i = 0; i < text.size();) {
            std::size_t n = 1;
            while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
            flags.emplace_back(text.substr(i, n));
            i += n;
        }
    } else {
        for (char c : text) flags.emplace_back(1, c);
    }
    return flags;
}

// One position of an affix condition: a letter, a set "[...]", a negated
// set "[^...]" or any letter ".".
struct ConditionElement {
    bool any = false;
    bool negated = false;
    std::u16string letters;

    bool Matches(char16_t c) const { return any || ((letters.find(c) != std::u16string::npos) != negated); }
};

std::vector<ConditionElement> ParseCondition(const std::u16string& text, const SourceLine& line) {
    std::vector<ConditionElement> elements;
    if (text == u".") return elements;
    for (std::size_t i = 0; i < text.size(); ++i) {
        ConditionElement e;
        if (text[i] == u'.') {
            e.any = true;
        } else if (text[i] == u'[') {
            std::size_t close = text.find(u']', i);
            if (close == std::u16string::npos) throw line.Error("unclosed [ in affix condition");
            std::size_t from = i + 1;
            if (from < close && text[from] == u'^') e.negated = true, ++from;
            e.letters = text.substr(from, close - from);
            i = close;
        } else {
            e.letters = text.substr(i, 1);
        }
        elements.push_back(std::move(e));
    }
    return elements;
}

struct AffixRule {
    std::u16string strip, add;
    std::string addUtf8;
    // "haus-", "-haus", "l'uscita": the tokenizer cuts a form at a hyphen or
    // an apostrophe, so no text holds such a form as one word.
    bool cutsWord = false;
    std::vector<ConditionElement> condition;
};

struct AffixClass {
    bool suffix = false;
    bool cross = false;
    bool circumfix = false;
    std::vector<AffixRule> rules;
};

struct AffixFile {
    FlagType flagType = FlagType::kChar;
    std::string needAffix, onlyInCompound, circumfix;
    std::map<std::string, AffixClass> classes;
};

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x80) out.push_back(c);
        else out.push_back(static_cast<char>(0xC0 | u >> 6)), out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
    return out;
}

AffixFile ParseAffixFile(const std::string& text) {
    AffixFile file;
    std::vector<SourceLine> lines = SourceLines(text, "affix file");
    for (const SourceLine& line : lines) {
        const std::vector<std::string>& w = line.words;
        if (w[0] == "FLAG" && w.size() >= 2) {
            file.flagType = w[1] == "num" ? FlagType::kNum : w[1] == "long" ? FlagType::kLong
                          : w[1] == "UTF-8" ? FlagType::kUtf8 : FlagType::kChar;
        } else if (w[0] == "NEEDAFFIX" && w.size() >= 2) {
            file.needAffix = w[1];
        } else if (w[0] == "ONLYINCOMPOUND" && w.size() >= 2) {
            file.onlyInCompound = w[1];
        } else if (w[0] == "CIRCUMFIX" && w.size() >= 2) {
            file.circumfix = w[1];
        }
    }
    for (const SourceLine& line : lines) {
        const std::vector<std::string>& w = line.words;
        if (w[0] != "PFX" && w[0] != "SFX") continue;
        if (w.size() < 4) throw line.Error("affix line too short");
        auto [it, header] = file.classes.try_emplace(w[1]);
        AffixClass& c = it->second;
        if (header) {
            c.suffix = w[0] == "SFX";
            c.cross = w[2] == "Y";
            continue;
        }
        AffixRule rule;
        rule.strip = w[2] == "0" ? u"" : Utf8Decode(w[2]);
        std::string add = w[3].substr(0, w[3].find('/'));
        if (add == "0") add.clear();
        // Continuation classes are not followed; an affix of a circumfix
        // needs its partner, so it is left out.
        if (std::size_t slash = w[3].find('/'); slash != std::string::npos && !file.circumfix.empty())
            for (const std::string& f : ParseFlags(std::string_view(w[3]).substr(slash + 1), file.flagType))
                c.circumfix = c.circumfix || f == file.circumfix;
        rule.addUtf8 = add;
        rule.cutsWord = add.find_first_of("-'") != std::string::npos || add.find("\u2019") != std::string::npos;
        rule.add = Utf8Decode(add);
        rule.condition = ParseCondition(Utf8Decode(w.size() >= 5 ? w[4] : "."), line);
        c.rules.push_back(std::move(rule));
    }
    return file;
}

bool Apply(const AffixClass& c, const AffixRule& rule, const std::u16string& word, std::u16string& out) {
    const std::size_t n = rule.condition.size();
    if (word.size() < n || word.size() <= rule.strip.size()) return false;
    if (c.suffix) {
        for (std::size_t i = 0; i < n; ++i)
            if (!rule.condition[i].Matches(word[word.size() - n + i])) return false;
        if (word.compare(word.size() - rule.strip.size(), rule.strip.size(), rule.strip) != 0) return false;
        out = word.substr(0, word.size() - rule.strip.size()) + rule.add;
    } else {
        for (std::size_t i = 0; i < n; ++i)
            if (!rule.condition[i].Matches(word[i])) return false;
        if (word.compare(0, rule.strip.size(), rule.strip) != 0) return false;
        out = rule.add + word.substr(rule.strip.size());
    }
    return !out.empty();
}

}  // namespace

std::vector<HunspellWord> ExpandHunspell(std::string_view aff, std::string_view dic, BuildReport& report,
                                         const std::string& language) {
    std::string affText(aff), dicText(dic);
    if (affText.find("SET ISO8859-1") != std::string::npos || affText.find("SET ISO-8859-1") != std::string::npos)
        affText = Latin1ToUtf8(affText), dicText = Latin1ToUtf8(dicText);
    const AffixFile file = ParseAffixFile(affText);

    std::vector<HunspellWord> words;
    std::size_t start = 0;
    bool first = true;
    while (start < dicText.size()) {
        std::size_t end = dicText.find('\n', start);
        if (end == std::string::npos) end = dicText.size();
        std::string_view line = std::string_view(dicText).substr(start, end - start);
        start = end + 1;
        line = line.substr(0, line.find_first_of("\t\r "));
        if (first) {
            first = false;
            int32_t count;
            if (ParseInt(line, count)) continue;  // the word count
        }
        if (line.empty()) continue;
        std::size_t slash = line.find('/');
        while (slash != std::string_view::npos && slash > 0 && line[slash - 1] == '\\') slash = line.find('/', slash + 1);
        std::string word(line.substr(0, slash));
        if (FindInvalidUtf8(word) != std::string::npos) {
            report.Drop(language, "hunspell word not UTF-8");
            continue;
        }
        std::vector<std::string> flags;
        if (slash != std::string_view::npos) flags = ParseFlags(line.substr(slash + 1), file.flagType);
        std::set<std::string> flagSet(flags.begin(), flags.end());
        if (flagSet.count(file.onlyInCompound)) {
            report.Drop(language, "hunspell word only inside compounds");
            continue;
        }
        report.Read(language, "hunspell words");
        HunspellWord entry{word, {}};
        const std::u16string text = Utf8Decode(word);
        if (!flagSet.count(file.needAffix)) entry.forms.push_back({word, {}});

        // Each suffix applied alone and with each prefix that may combine.
        std::vector<std::pair<const AffixClass*, const AffixRule*>> prefixes, suffixes;
        for (const std::string& f : flags) {
            auto it = file.classes.find(f);
            if (it == file.classes.end() || it->second.circumfix) continue;
            for (const AffixRule& rule : it->second.rules)
                (it->second.suffix ? suffixes : prefixes).push_back({&it->second, &rule});
        }
        // A prefix makes another word ("un" + "day", "ver" + "gehen"), whose
        // forms are the prefix with each form of the word.
        std::map<std::string, HunspellWord> derived;
        std::set<std::pair<std::string, std::string>> seen{{word, word}};  // word, form
        bool bounded = false;
        auto dropCut = [&] { report.Drop(language, "hunspell form cut at the hyphen or apostrophe of its affix"); };
        auto add = [&](HunspellWord& to, const std::u16string& form, std::vector<std::string> affixes, bool cut) {
            if (cut) return dropCut();
            std::string utf8 = Utf8Encode(form);
            if (!seen.insert({to.word, utf8}).second) return;
            if (to.forms.size() >= kMaxHunspellForms) {
                bounded = true;
                return;
            }
            to.forms.push_back({std::move(utf8), std::move(affixes)});
        };
        auto derivedWord = [&](const std::u16string& base) -> HunspellWord& {
            const std::string utf8 = Utf8Encode(base);
            auto [it, added] = derived.try_emplace(utf8, HunspellWord{utf8, {}});
            if (added) add(it->second, base, {}, false);
            return it->second;
        };
        std::u16string withSuffix, withBoth, withPrefix;
        for (const auto& [c, rule] : suffixes)
            if (Apply(*c, *rule, text, withSuffix)) {
                add(entry, withSuffix, {rule->addUtf8}, rule->cutsWord);
                if (!c->cross) continue;
                for (const auto& [pc, prule] : prefixes) {
                    if (!pc->cross || !Apply(*pc, *prule, withSuffix, withBoth) || !Apply(*pc, *prule, text, withPrefix))
                        continue;
                    if (prule->cutsWord) dropCut();
                    else add(derivedWord(withPrefix), withBoth, {rule->addUtf8}, rule->cutsWord);
                }
            }
        for (const auto& [c, rule] : prefixes)
            if (Apply(*c, *rule, text, withPrefix)) {
                if (rule->cutsWord) dropCut();
                else derivedWord(withPrefix);
            }
        if (bounded) report.Drop(language, "hunspell forms over the bound of a word");
        if (!entry.forms.empty()) words.push_back(std::move(entry));
        for (auto& [prefixed, prefixedWord] : derived) {
            report.Read(language, "hunspell words made by a prefix");
            words.push_back(std::move(prefixedWord));
        }
    }
    return words;
}

void ReadHunspell(std::string_view aff, std::string_view dic, const std::string& language,
                  const std::vector<std::string>& verbEndings, const AttributeInventory& inventory,
                  const TagMapping& tags, Lexicon& lexicon, BuildReport& report, TurkishMorphology* suffixRules) {
    const int32_t number = LanguageNumber(language);
    std::vector<std::string> unknown;
    const int32_t personAttribute = inventory.AttributeOf(inventory.ValueId("first-person"));
    std::vector<HunspellWord> words = ExpandHunspell(aff, dic, report, language);
    if (suffixRules != nullptr) AttachTurkishWords(words, *suffixRules, lexicon, report);
    // The lemmas not from an analyser that have a word which is no lemma of
    // its own among their forms ("liest" of "lesen"): the word joins them,
    // with its affixed forms ("gelesene" of "gelesen") as forms of no values
    // of their own, the affixes' meaning being that on a base form. (An
    // analyser's lemma keeps its paradigm, and its pronouns share a
    // placeholder lemma, so "he" stays a word of its own for the links.)
    std::map<std::string, std::vector<LemmaKey>> formOf;
    for (const HunspellWord& word : words)
        if (lexicon.Find(number, word.word).empty()) formOf[word.word];
    for (const auto& [key, lemma] : lexicon.OfLanguage(number)) {
        if (lemma.analysed) continue;
        for (const WordForm& form : lemma.forms)
            if (auto word = formOf.find(form.text);
                word != formOf.end() && (word->second.empty() || !(word->second.back() == key)))
                word->second.push_back(key);
    }
    for (HunspellWord& word : words) {
        std::vector<LemmaKey> keys;
        for (const LemmaKey* key : lexicon.Find(number, word.word)) keys.push_back(*key);
        const auto lemmas = formOf.find(word.word);
        const bool asForm = keys.empty() && lemmas != formOf.end() && !lemmas->second.empty();
        if (asForm) {
            keys = lemmas->second;
            report.Read(language, "hunspell words joining the lemmas they are a form of");
        }
        if (keys.empty()) {
            const std::u16string text = Utf8Decode(word.word);
            const bool capital = LowerWord(text.substr(0, 1)) != text.substr(0, 1);
            bool verb = false;
            for (const std::string& ending : verbEndings)
                verb = verb || (word.word.size() > ending.size() &&
                                word.word.compare(word.word.size() - ending.size(), ending.size(), ending) == 0);
            const char* pos = capital ? (language == "de" ? "noun" : "proper-noun") : verb ? "verb" : "noun";
            keys.push_back(LemmaKey{number, word.word, inventory.ValueId(pos)});
            report.Read(language, "hunspell lemmas");
        }
        for (const LemmaKey& key : keys) {
            Lemma& lemma = lexicon.lemmas[key];
            std::set<std::string> known;
            for (const WordForm& form : lemma.forms) known.insert(form.text);
            // An analyser that gives the word's base form gives its whole
            // paradigm; spelling variants would only make the word's set of
            // endings one of its own. (Some analysers know a verb only with
            // pronouns written on; those words take the dictionary's forms.)
            if (lemma.analysed && known.count(key.text)) {
                report.Read(language, "hunspell words left to the analyser's lemma");
                continue;
            }
            // A person's slot the lemma fills already (a strong verb's
            // "liest") keeps its form; the affix rules would make the weak
            // one ("lest"). Other slots may have several forms ("folgend",
            // "folgende" are both present participles).
            std::set<WordArray> filled;
            for (const WordForm& form : lemma.forms)
                if (std::any_of(form.values.begin(), form.values.end(),
                                [&](int32_t v) { return inventory.AttributeOf(v) == personAttribute; }))
                    filled.insert(form.values);
            const std::string pos = inventory.ValueName(key.partOfSpeech) + ":";
            for (const auto& [text, affixes] : word.forms) {
                if (known.count(text)) continue;
                if (asForm) {
                    lemma.forms.insert(WordForm{text, {}});
                    continue;
                }
                // An affix means what the part of speech of its word makes of
                // it ("verb:t", "noun:en"), where the table says so.
                std::vector<std::string> affixTags;
                for (const std::string& affix : affixes)
                    affixTags.push_back(tags.Find("hunspell", language, pos + affix) ? pos + affix : affix);
                unknown.clear();
                std::vector<WordArray> alternatives = ExpandTags(tags, inventory, "hunspell", language, affixTags, unknown);
                bool kept = false;
                for (WordArray& values : alternatives) {
                    TakePartOfSpeech(inventory, values);
                    if (filled.count(values)) continue;
                    lemma.forms.insert(WordForm{text, std::move(values)});
                    kept = true;
                }
                // The word stays a form of the lemma, with no values to
                // claim a filled slot ("gebe" beside the list's "gib").
                if (!kept) {
                    lemma.forms.insert(WordForm{text, {}});
                    report.Read(language, "hunspell forms of a slot the lemma fills");
                }
                report.Read(language, "hunspell forms");
            }
        }
    }
}

}  // namespace pv
