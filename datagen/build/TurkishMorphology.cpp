#include "datagen/build/TurkishMorphology.h"

#include <algorithm>

#include "datagen/build/SourceText.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

bool Among(char16_t c, std::u16string_view letters) { return letters.find(c) != std::u16string_view::npos; }
bool IsVowel(char16_t c) { return Among(c, u"aeıioöuüâîû"); }
bool IsBack(char16_t vowel) { return Among(vowel, u"aıouâû"); }
bool IsRounded(char16_t vowel) { return Among(vowel, u"oöuüû"); }
bool IsVoiceless(char16_t c) { return Among(c, u"çfhkpsşt"); }
bool IsSoftening(char16_t c) { return Among(c, u"pçtk"); }
bool IsTurkishLetter(char16_t c) { return (c >= u'a' && c <= u'z') || Among(c, u"çğıöşüâîû"); }

char16_t Softened(char16_t stop, char16_t before) {
    switch (stop) {
        case u'p': return u'b';
        case u'ç': return u'c';
        case u't': return u'd';
        default: return before == u'n' ? u'g' : u'ğ';
    }
}

char16_t Fronted(char16_t vowel) {
    switch (vowel) {
        case u'a': return u'e';
        case u'ı': return u'i';
        case u'o': return u'ö';
        case u'u': return u'ü';
        default: return vowel;
    }
}

std::size_t Syllables(const std::u16string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), IsVowel));
}

bool Listed(const std::vector<std::u16string>& list, const std::u16string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

// A word being built. A final stop that may soften waits in pending until
// the next letter shows whether a vowel follows.
struct Word {
    std::u16string text;
    char16_t pending = 0;
    // A stem whose suffixes take front vowels after its back one (harf:
    // harfi): its own vowels count as their front partners.
    std::size_t frontUpTo = 0;

    bool EndsInVowel() const { return pending == 0 && !text.empty() && IsVowel(text.back()); }
    char16_t Last() const { return pending != 0 ? pending : text.empty() ? 0 : text.back(); }
    char16_t LastVowel() const {
        for (std::size_t i = text.size(); i-- > 0;)
            if (IsVowel(text[i])) return i < frontUpTo ? Fronted(text[i]) : text[i];
        return u'e';
    }
    void Flush() {
        if (pending != 0) text += pending;
        pending = 0;
    }
    void Put(char16_t c) {
        if (pending != 0) {
            text += IsVowel(c) ? Softened(pending, text.empty() ? 0 : text.back()) : pending;
            pending = 0;
        }
        text += c;
    }
    std::u16string Done() const { return pending != 0 ? text + pending : text; }
};

char16_t HarmonyA(const Word& w) { return IsBack(w.LastVowel()) ? u'a' : u'e'; }
char16_t HarmonyI(const Word& w) {
    const char16_t v = w.LastVowel();
    return IsBack(v) ? (IsRounded(v) ? u'u' : u'ı') : (IsRounded(v) ? u'ü' : u'i');
}

void PutLetter(Word& w, char16_t c, bool wideAorist) {
    switch (c) {
        case u'A': return w.Put(HarmonyA(w));
        case u'I': return w.Put(HarmonyI(w));
        case u'D': return w.Put(IsVoiceless(w.Last()) ? u't' : u'd');
        case u'C': return w.Put(IsVoiceless(w.Last()) ? u'ç' : u'c');
        case u'K':
            w.Flush();
            w.pending = u'k';
            return;
        case u'R':
            if (!w.EndsInVowel()) w.Put(wideAorist ? HarmonyA(w) : HarmonyI(w));
            return w.Put(u'r');
        default: return w.Put(c);
    }
}

// Writes suffix after the word.
void Attach(Word& w, const std::u16string& suffix, bool wideAorist) {
    if (suffix == u"0") return;
    std::size_t i = 0;
    if (!suffix.empty() && suffix[0] == u'I' && w.EndsInVowel()) {
        if (w.text.back() == u'a' || w.text.back() == u'e') w.text.pop_back();
        else i = 1;
    }
    for (; i < suffix.size(); ++i) {
        if (suffix[i] != u'(') {
            PutLetter(w, suffix[i], wideAorist);
            continue;
        }
        const std::size_t close = suffix.find(u')', i);
        const std::u16string optional = suffix.substr(i + 1, close - i - 1);
        const bool vowel = optional == u"I" || optional == u"A";
        if (w.EndsInVowel() != vowel)
            for (char16_t c : optional) PutLetter(w, c, wideAorist);
        i = close;
    }
}

bool StartsBuffered(const std::u16string& suffix) { return !suffix.empty() && suffix[0] == u'('; }

// Checks a suffix's letters: lower-case Turkish letters, the capitals of
// the rules and closed parentheses around one or more letters.
std::u16string SuffixText(const std::string& word, const SourceLine& line) {
    const std::u16string text = Utf8Decode(word);
    if (text == u"0") return text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'(') {
            const std::size_t close = text.find(u')', i);
            if (close == std::u16string::npos || close == i + 1 || text.find(u'(', i + 1) < close)
                throw line.Error("unclosed or empty ( in suffix " + word);
            continue;
        }
        if (text[i] == u')' || IsTurkishLetter(text[i]) || Among(text[i], u"AIDCKR")) continue;
        throw line.Error("unexpected letter in suffix " + word);
    }
    return text;
}

}  // namespace

TurkishGrammar ParseTurkishGrammar(const std::string& text, const std::string& file,
                                   const AttributeInventory& inventory) {
    TurkishGrammar g;
    auto id = [&](const std::string& name) {
        const int32_t value = inventory.ValueId(name);
        if (value < 0) throw SourceError(file + ": the attribute inventory lacks the value " + name);
        return value;
    };
    g.singular = id("singular");
    g.pluralValue = id("plural");
    g.infinitive = id("infinitive");
    g.negativeValue = id("negative");
    g.noun = id("noun");
    g.verb = id("verb");
    const char* persons[6][2] = {{"first-person", "singular"}, {"second-person", "singular"},
                                 {"third-person", "singular"}, {"first-person", "plural"},
                                 {"second-person", "plural"},  {"third-person", "plural"}};
    for (int k = 0; k < 6; ++k) g.personValues[k] = {id(persons[k][0]), id(persons[k][1])};

    for (const SourceLine& line : SourceLines(text, file)) {
        const std::vector<std::string>& w = line.words;
        auto values = [&](const std::string& names) {
            if (names == "-") return WordArray{};
            WordArray out = line.Values(inventory, names);
            std::sort(out.begin(), out.end());
            return out;
        };
        auto expect = [&](bool ok, const char* form) {
            if (!ok) throw line.Error(std::string("expected: ") + form);
        };
        auto stems = [&](std::vector<std::u16string>& list) {
            for (std::size_t i = 1; i < w.size(); ++i) list.push_back(Utf8Decode(w[i]));
        };
        const std::string& kind = w[0];
        if (kind == "plural") {
            expect(w.size() == 2, "plural SUFFIX");
            g.plural = SuffixText(w[1], line);
        } else if (kind == "polarity") {
            expect(w.size() == 3 || (w.size() == 4 && w[3] == "finite"), "polarity VALUES SUFFIX [finite]");
            TurkishGrammar::Polarity p{values(w[1]), SuffixText(w[2], line), false, w.size() == 4};
            p.negative = std::count(p.values.begin(), p.values.end(), g.negativeValue) > 0;
            g.polarities.push_back(std::move(p));
        } else if (kind == "possessor" || kind == "case") {
            expect(w.size() == 3 || w.size() == 4, "possessor|case VALUE SUFFIX [OTHER SUFFIX]");
            TurkishGrammar::Suffix s{values(w[1]), SuffixText(w[2], line), {}};
            if (w.size() == 4) s.other = SuffixText(w[3], line);
            s.thirdPerson = kind == "possessor" && w[1].find("third") != std::string::npos;
            (kind == "case" ? g.cases : g.possessors).push_back(std::move(s));
        } else if (kind == "after-case" || kind == "after-bare-case") {
            expect(w.size() >= 4, "after-case VALUES SUFFIX CASE...");
            TurkishGrammar::AfterCase a{values(w[1]), SuffixText(w[2], line), {}, kind == "after-bare-case"};
            for (std::size_t i = 3; i < w.size(); ++i) a.cases.push_back(values(w[i]).at(0));
            g.afterCases.push_back(std::move(a));
        } else if (kind == "finite" || kind == "finite-negative") {
            expect(w.size() == 8, "finite VALUES 1SG 2SG 3SG 1PL 2PL 3PL");
            TurkishGrammar::Tense tense;
            tense.values = values(w[1]);
            if (kind == "finite-negative") {
                tense.polarity = TurkishGrammar::Tense::Polarity::kNegative;
                for (TurkishGrammar::Tense& t : g.tenses)
                    if (t.values == tense.values) t.polarity = TurkishGrammar::Tense::Polarity::kPositive;
            }
            for (std::size_t k = 2; k < 8; ++k) {
                tense.persons.emplace_back();
                if (w[k] != "-")
                    for (const std::string& form : Split(w[k], ',')) tense.persons.back().push_back(SuffixText(form, line));
            }
            g.tenses.push_back(std::move(tense));
        } else if (kind == "nonfinite") {
            expect(w.size() == 3 || (w.size() == 4 && (w[3] == "noun" || w[3] == "number" || w[3] == "positive")),
                   "nonfinite VALUES SUFFIX [noun|number|positive]");
            TurkishGrammar::Nonfinite n{values(w[1]), SuffixText(w[2], line), TurkishGrammar::Nonfinite::Inflection::kNone};
            if (w.size() == 4 && w[3] == "positive") n.positiveOnly = true;
            else if (w.size() == 4)
                n.inflection = w[3] == "noun" ? TurkishGrammar::Nonfinite::Inflection::kNoun
                                              : TurkishGrammar::Nonfinite::Inflection::kNumber;
            g.nonfinite.push_back(std::move(n));
        } else if (kind == "aorist-ir") {
            stems(g.aoristIr);
        } else if (kind == "soft-stem") {
            stems(g.softStems);
        } else if (kind == "raised-stem") {
            stems(g.raisedStems);
        } else if (kind == "y-stem") {
            stems(g.yStems);
        } else if (kind == "word") {
            expect(w.size() == 5, "word POS LEMMA FORM VALUES");
            g.words.push_back({id(w[1]), w[2], w[3], values(w[4])});
        } else {
            throw line.Error("unknown line " + kind);
        }
    }
    if (g.cases.empty()) throw SourceError(file + ": no case suffixes");
    return g;
}

struct TurkishMorphology::Stem {
    std::u16string text;  // the whole stem
    Word word;
    bool verb = false, wideAorist = false, raised = false, yStem = false;
};

TurkishMorphology::TurkishMorphology(TurkishGrammar grammar) : grammar_(std::move(grammar)) {}

void TurkishMorphology::LearnStem(const std::string& word, const std::vector<std::string>& forms) {
    const std::u16string w = Utf8Decode(word);
    if (w.size() < 2) return;
    // The first vowel after the stem shows its harmony.
    const char16_t last = Word{w}.LastVowel();
    if (IsBack(last)) {
        bool frontForm = false, backForm = false;
        for (const std::string& form : forms) {
            const std::u16string f = Utf8Decode(form);
            if (f.size() <= w.size() || f.compare(0, w.size() - 1, w, 0, w.size() - 1) != 0) continue;
            auto vowel = std::find_if(f.begin() + static_cast<std::ptrdiff_t>(w.size()), f.end(), IsVowel);
            if (vowel == f.end()) continue;
            (IsBack(*vowel) ? backForm : frontForm) = true;
        }
        if (frontForm && !backForm) front_.insert(w);
    }
    if (IsVowel(w.back())) return;
    const std::u16string soft = w.substr(0, w.size() - 1) + Softened(w.back(), w[w.size() - 2]);
    bool softForm = false, hardForm = false, wide = false, narrow = false;
    for (const std::string& form : forms) {
        const std::u16string f = Utf8Decode(form);
        if (f.size() <= w.size() || !IsVowel(f[w.size()])) continue;
        const bool isSoft = f.compare(0, soft.size(), soft) == 0, isHard = f.compare(0, w.size(), w) == 0;
        softForm = softForm || isSoft;
        hardForm = hardForm || isHard;
        if ((isSoft || isHard) && f.size() == w.size() + 2 && f.back() == u'r') {
            wide = wide || Among(f[w.size()], u"ae");
            narrow = narrow || Among(f[w.size()], u"ıiuü");
        }
    }
    if (IsSoftening(w.back()) && softForm != hardForm) softens_[w] = softForm;
    if (wide != narrow) wideAorist_[w] = wide;
}

bool TurkishMorphology::ShowsSoftening(const std::string& word) const {
    auto hint = softens_.find(Utf8Decode(word));
    return hint != softens_.end() && hint->second;
}

std::unique_ptr<TurkishEndings> TurkishMorphology::MakeEndings(const Stem& stem, bool verb) const {
    const TurkishGrammar& g = grammar_;
    std::vector<std::pair<std::u16string, WordArray>> forms;
    // The next word: the stem's own rules apply to the suffix right after it.
    auto next = [&](const Word& from, bool atStem, const std::u16string& suffix) {
        Word w = from;
        if (atStem && stem.raised && (StartsBuffered(suffix) || (!suffix.empty() && suffix[0] == u'I')))
            w.text.back() = u'i';
        if (atStem && stem.yStem && StartsBuffered(suffix)) w.Put(u'y');
        // After a suffix (-Abil) the aorist is -Ir.
        Attach(w, suffix, atStem && stem.wideAorist);
        return w;
    };
    auto emit = [&](const Word& w, WordArray values) {
        std::sort(values.begin(), values.end());
        forms.emplace_back(w.Done(), std::move(values));
    };
    auto nounForms = [&](const Word& start, bool atStem, const WordArray& base, bool possessors) {
        for (bool plural : {false, true}) {
            const Word numbered = plural ? next(start, atStem, g.plural) : start;
            const bool bare = atStem && !plural;
            for (int p = -1; p < (possessors ? static_cast<int>(g.possessors.size()) : 0); ++p) {
                const TurkishGrammar::Suffix* possessor = p < 0 ? nullptr : &g.possessors[static_cast<std::size_t>(p)];
                const Word owned = possessor == nullptr ? numbered
                                   : next(numbered, bare, plural && !possessor->other.empty() ? possessor->other : possessor->text);
                const bool third = possessor != nullptr && possessor->thirdPerson;
                for (const TurkishGrammar::Suffix& c : g.cases) {
                    const Word w = next(owned, bare && possessor == nullptr, third && !c.other.empty() ? c.other : c.text);
                    WordArray values = base;
                    values.push_back(plural ? g.pluralValue : g.singular);
                    if (possessor != nullptr) values.insert(values.end(), possessor->values.begin(), possessor->values.end());
                    values.insert(values.end(), c.values.begin(), c.values.end());
                    emit(w, values);
                    // Participles take none of them.
                    for (const TurkishGrammar::AfterCase& after : g.afterCases)
                        if (base.empty() && !(after.bareOnly && possessor != nullptr) &&
                            std::count(after.cases.begin(), after.cases.end(), c.values.at(0))) {
                            Word more = w;
                            Attach(more, after.text, false);
                            WordArray moreValues = values;
                            moreValues.insert(moreValues.end(), after.values.begin(), after.values.end());
                            emit(more, moreValues);
                        }
                }
            }
        }
    };
    if (!verb) {
        nounForms(stem.word, true, {}, true);
    } else {
        std::vector<TurkishGrammar::Polarity> polarities{{}};
        polarities.insert(polarities.end(), g.polarities.begin(), g.polarities.end());
        for (const TurkishGrammar::Polarity& polarity : polarities) {
            const bool atStem = polarity.text.empty();
            const Word start = atStem ? stem.word : next(stem.word, true, polarity.text);
            auto with = [&](WordArray values, const WordArray& more) {
                values.insert(values.end(), more.begin(), more.end());
                values.insert(values.end(), polarity.values.begin(), polarity.values.end());
                return values;
            };
            if (!polarity.finiteOnly) emit(next(start, atStem, u"mAk"), with({g.infinitive}, {}));
            for (const TurkishGrammar::Tense& tense : g.tenses) {
                using Polarity = TurkishGrammar::Tense::Polarity;
                if (tense.polarity == (polarity.negative ? Polarity::kPositive : Polarity::kNegative)) continue;
                for (std::size_t k = 0; k < tense.persons.size(); ++k)
                    for (const std::u16string& suffix : tense.persons[k])
                        emit(next(start, atStem, suffix), with(tense.values, g.personValues[k]));
            }
            if (polarity.finiteOnly) continue;
            for (const TurkishGrammar::Nonfinite& n : g.nonfinite) {
                if (n.positiveOnly && !atStem) continue;
                const Word w = next(start, atStem, n.text);
                using Inflection = TurkishGrammar::Nonfinite::Inflection;
                if (n.inflection == Inflection::kNone) emit(w, with(n.values, {}));
                else nounForms(w, false, with(n.values, {}), n.inflection == Inflection::kNoun);
            }
        }
    }
    // Every form begins with the stem without its last letter.
    auto endings = std::make_unique<TurkishEndings>();
    const std::size_t baseLength = stem.text.size() - 1;
    for (auto& [text, values] : forms) {
        if (text.compare(0, baseLength, stem.text, 0, baseLength) != 0) continue;
        std::string ending = Utf8Encode(text.substr(baseLength));
        endings->byEnding[ending].push_back(values);
        endings->forms.emplace_back(std::move(ending), std::move(values));
    }
    for (auto& [ending, list] : endings->byEnding) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return endings;
}

TurkishParadigm TurkishMorphology::Paradigm(const std::string& lemma, bool verb) {
    std::u16string text = Utf8Decode(lemma);
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsTurkishLetter)) return {};
    if (verb) {
        if (text.size() < 4 || (text.compare(text.size() - 3, 3, u"mak") != 0 && text.compare(text.size() - 3, 3, u"mek") != 0))
            return {};
        text.resize(text.size() - 3);
    }
    Stem stem;
    stem.text = text;
    stem.verb = verb;
    stem.word.text = text;
    if (front_.count(text)) stem.word.frontUpTo = text.size();
    const char16_t last = text.back();
    const std::size_t syllables = Syllables(text);
    if (IsSoftening(last) && text.size() >= 2) {
        auto hint = softens_.find(text);
        // The list wins over the hints: "et" is a noun (eti) as well.
        const bool soft = Listed(grammar_.softStems, text) ||
                          (hint != softens_.end() ? hint->second : !verb && syllables >= 2 && last != u't');
        if (soft) stem.word.pending = last, stem.word.text.pop_back();
    }
    if (verb) {
        auto hint = wideAorist_.find(text);
        stem.wideAorist = !Listed(grammar_.aoristIr, text) && (hint != wideAorist_.end() ? hint->second : syllables == 1);
        stem.raised = Listed(grammar_.raisedStems, text);
    } else {
        stem.yStem = Listed(grammar_.yStems, text);
    }
    // What the endings depend on: the flags, the last letter, the last vowel
    // (and the one before it where a final a or e gives way to Iyor) and
    // whether a softening k follows an n.
    const std::u16string head = text.substr(0, text.size() - 1);
    const std::size_t front = stem.word.frontUpTo;
    std::u16string key{verb ? u'v' : u'n', stem.word.pending != 0 ? u's' : u'-', stem.wideAorist ? u'w' : u'-',
                       stem.raised ? u'r' : u'-', stem.yStem ? u'y' : u'-', last, Word{text, 0, front}.LastVowel(),
                       IsVowel(last) ? Word{head, 0, front}.LastVowel() : u'-',
                       head.empty() ? u'-' : head.back() == u'n' ? u'n' : u'-'};
    auto& endings = endings_[key];
    if (!endings) endings = MakeEndings(stem, verb);
    return {Utf8Encode(text.substr(0, text.size() - 1)), endings.get()};
}

std::vector<WordForm> TurkishMorphology::Forms(const std::string& lemma, bool verb) {
    std::vector<WordForm> forms;
    const TurkishParadigm paradigm = Paradigm(lemma, verb);
    if (paradigm.endings == nullptr) return forms;
    for (const auto& [ending, values] : paradigm.endings->forms) forms.push_back(WordForm{paradigm.base + ending, values});
    return forms;
}

}  // namespace pv
