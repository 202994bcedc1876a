#include "datagen/build/DictionarySources.h"

#include <zlib.h>

#include <algorithm>
#include <map>

#include "datagen/build/SourceText.h"
#include "textutil/TextConvert.h"

namespace pv {

int64_t DictdNumber(std::string_view digits) {
    static const std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.empty() || digits.size() > 8) return -1;
    int64_t n = 0;
    for (char c : digits) {
        std::size_t d = kDigits.find(c);
        if (d == std::string_view::npos) return -1;
        n = n * 64 + static_cast<int64_t>(d);
    }
    return n;
}

namespace {

// Removes stress marks (combining grave and acute accents) that some
// dictionaries put on vowels.
std::string WithoutStressMarks(std::string text) {
    for (const char* mark : {"\xCC\x81", "\xCC\x80"})
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.erase(at, 2);
    return text;
}

// Removes "(...)", "[...]" and "{...}" notes.
std::string WithoutNotes(std::string_view text) {
    std::string out;
    int depth = 0;
    for (char c : text) {
        if (c == '(' || c == '[' || c == '{') ++depth;
        else if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
        else if (depth == 0) out += c;
    }
    return Trim(out);
}

std::size_t CharacterCount(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool IsSingleWord(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (c == ' ' || c == '\t' || c == '.' || c == '/' || c == ',' || c == ';' || c == '"' || (c >= '0' && c <= '9'))
            return false;
    return true;
}

// The candidate translations of one line of a dictd entry.
std::vector<std::string> Translations(std::string line) {
    line = Trim(line);
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits > 0 && digits < line.size() && line[digits] == '.') line = line.substr(digits + 1);
    std::vector<std::string> out;
    for (std::string part : Split(line, ','))
        for (std::string piece : Split(part, ';')) {
            piece = WithoutStressMarks(WithoutNotes(piece));
            while (!piece.empty() && (piece.back() == '.' || piece.back() == ' ')) piece.pop_back();
            // A trailing sense number ("американски 2") belongs to the next sense.
            std::size_t space = piece.rfind(' ');
            if (space != std::string::npos && piece.find_first_not_of("0123456789", space + 1) == std::string::npos)
                piece = Trim(piece.substr(0, space));
            out.push_back(piece);
        }
    return out;
}

}  // namespace

void ReadFreeDict(std::string_view index, std::string_view dictionary, const std::string& fromLanguage,
                  const std::string& toLanguage, const AttributeInventory& inventory,
                  const TagMapping& tags, std::set<BilingualLink>& links, BuildReport& report) {
    const std::string pair = fromLanguage + "-" + toLanguage;
    const int32_t from = LanguageNumber(fromLanguage), to = LanguageNumber(toLanguage);
    std::set<std::pair<int64_t, int64_t>> seen;  // several headwords may share an entry
    for (const std::string& line : Split(index, '\n')) {
        std::vector<std::string> fields = Split(line, '\t');
        if (fields.size() < 3) continue;
        if (fields[0].rfind("00database", 0) == 0 || fields[0].rfind("00-database", 0) == 0) continue;
        int64_t offset = DictdNumber(fields[1]), length = DictdNumber(Trim(fields[2]));
        report.Read(pair, "dictionary entries");
        if (offset < 0 || length < 0 || static_cast<uint64_t>(offset) + length > dictionary.size()) {
            report.Drop(pair, "entry outside the dictionary text");
            continue;
        }
        if (!seen.insert({offset, length}).second) continue;
        std::vector<std::string> lines = Split(dictionary.substr(offset, length), '\n');
        std::string head = lines.front();
        std::string tag;
        if (std::size_t lt = head.find(" <"); lt != std::string::npos) {
            std::size_t gt = head.find('>', lt);
            if (gt != std::string::npos) tag = head.substr(lt + 2, gt - lt - 2);
        }
        std::string headword = Trim(head.substr(0, std::min(head.find(" /"), head.find(" <"))));
        if (!IsSingleWord(headword)) {
            report.Drop(pair, "multi-word headword");
            continue;
        }
        int32_t pos = 0;
        if (!tag.empty()) {
            std::vector<std::string> unknown;
            std::vector<std::string> first = Split(tag, ',');
            std::vector<WordArray> forms =
                ExpandTags(tags, inventory, "freedict", fromLanguage, {Trim(first.front())}, unknown);
            if (!forms.empty()) pos = TakePartOfSpeech(inventory, forms.front());
        }
        // The word that most senses give is the usual translation: it is
        // ranked first. The senses are not listed by how common they are, so
        // of words that as many senses give the shorter comes first, short
        // words being the common ones; then the order they first appear.
        std::vector<std::pair<std::string, int>> counted;
        for (std::size_t i = 1; i < lines.size(); ++i)
            for (const std::string& translation : Translations(lines[i])) {
                if (!IsSingleWord(translation)) continue;
                auto same = std::find_if(counted.begin(), counted.end(),
                                         [&](const auto& item) { return item.first == translation; });
                if (same == counted.end()) counted.push_back({translation, 1});
                else ++same->second;
                report.Read(pair, "translations");
            }
        std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
            if (a.second != b.second) return a.second > b.second;
            return CharacterCount(a.first) < CharacterCount(b.first);
        });
        for (const auto& [translation, count] : counted)
            AddLink(links, {LemmaKey{from, headword, pos}, LemmaKey{to, translation, 0}});
    }
}

namespace {

struct DingWord {
    std::string text;
    std::vector<std::string> tags;
    std::string note;  // the "(...)" right after the tags: a pronoun's or article's case forms
    std::string abbreviation;  // "bzw" of "beziehungsweise /bzw./", without its dots
};

// "jdm.", "etw.", "jdn./etw.", "sth.": the slots of a verb's objects that the
// list writes into its headwords ("jdm. etw. geben", "to give sth.").
bool IsPlaceholder(const std::string& word) {
    static const std::set<std::string> kSlots{"jd.", "jds.", "jdm.", "jdn.", "etw.", "sb.", "sth."};
    for (const std::string& piece : Split(word, '/'))
        if (!kSlots.count(piece)) return false;
    return true;
}

bool IsVerbTag(const std::string& tag) { return tag == "v" || tag == "vt" || tag == "vi" || tag == "vr"; }

// "Abhöranlage {f} [pol.]" -> text "Abhöranlage", tags {"f"}; "(jdm.) etw.
// geben {vt}" -> "geben", the verb without its object slots; "sich freuen
// {vr}" -> "freuen".
DingWord ParseDingWord(std::string_view synonym) {
    DingWord word;
    std::string text(synonym);
    for (std::size_t open; (open = text.find('{')) != std::string::npos;) {
        std::size_t close = text.find('}', open);
        if (close == std::string::npos) break;
        for (const std::string& group : Split(text.substr(open + 1, close - open - 1), ';'))
            for (const std::string& t : Split(group, ',')) word.tags.push_back(Trim(t));
        text.erase(open, close - open + 1);
        std::size_t note = text.find_first_not_of(' ', open);
        if (word.note.empty() && note != std::string::npos && text[note] == '(') {
            close = text.find(')', note);
            if (close != std::string::npos) word.note = text.substr(note + 1, close - note - 1);
        }
    }
    const bool verb = std::any_of(word.tags.begin(), word.tags.end(), IsVerbTag);
    std::vector<std::string> kept;
    // "/bzw./", "/z. B./": the word's abbreviation, between slashes.
    std::string abbreviation;
    bool inAbbreviation = false;
    for (const std::string& w : Words(WithoutNotes(text))) {
        if (!inAbbreviation && w.size() > 1 && w.front() == '/') {
            inAbbreviation = true;
            abbreviation = w.substr(1);
        } else if (inAbbreviation) {
            abbreviation += " " + w;
        } else if (!IsPlaceholder(w) && !(verb && kept.empty() && w == "sich")) {
            kept.push_back(w);
        }
        if (inAbbreviation && abbreviation.size() > 1 && abbreviation.back() == '/') {
            inAbbreviation = false;
            abbreviation.pop_back();
            while (!abbreviation.empty() && abbreviation.back() == '.') abbreviation.pop_back();
            if (IsSingleWord(abbreviation)) word.abbreviation = abbreviation;
        }
    }
    for (const std::string& w : kept) word.text += (word.text.empty() ? "" : " ") + w;
    return word;
}

// The synonyms of a part, split at the semicolons outside brackets
// ("der {art} (des; dem; den)", "ab {prp; +Dat.}" are one word each).
std::vector<DingWord> DingSynonyms(std::string_view part) {
    std::vector<DingWord> words;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= part.size(); ++i) {
        const char c = i < part.size() ? part[i] : ';';
        if (c == '(' || c == '[' || c == '{') ++depth;
        else if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
        else if (c == ';' && (depth == 0 || i == part.size())) {
            words.push_back(ParseDingWord(part.substr(start, i - start)));
            start = i + 1;
        }
    }
    return words;
}

std::string EnglishLemma(std::string text) {
    if (text.rfind("to ", 0) == 0) text = text.substr(3);
    return text;
}

// Reads the finite forms of a verb line ("du liest", "ich/er/sie las",
// "lies!") in the order the list gives them: the present, the past, then
// the subjunctive II. A tense ends where a person comes again with another
// form, at a form shared by the first and the third person singular (which
// only the past and the subjunctive have), and, once the perfect ("er/sie
// hat/hatte gelesen") has been given, at the next such form.
class FiniteVerbForms {
public:
    FiniteVerbForms(const AttributeInventory& inventory, std::string pastParticiple)
        : inventory_(inventory), pastParticiple_(std::move(pastParticiple)) {}

    // The forms that one synonym of a later part gives (none for an example).
    std::vector<WordForm> Read(const std::string& text) {
        auto value = [&](const char* name) { return inventory_.ValueId(name); };
        std::vector<std::string> words = Words(text);
        if (words.size() > 2 && !pastParticiple_.empty() && words.back() == pastParticiple_) perfect_ = true;
        if (words.size() == 1 && text.size() > 1 && text.back() == '!') {
            std::string form = text.substr(0, text.size() - 1);
            if (!IsSingleWord(form) || StartsWithCapital(Utf8Decode(form))) return {};
            // "seid!" is the plural's: the form of "ihr" in the present.
            auto plural = present2Plural_ == form ? "plural" : "singular";
            return {Form(form, {value("imperative"), value("second-person"), value(plural)})};
        }
        std::vector<std::string> pronouns;
        if (words.size() != 2 || !IsSingleWord(words[1])) return {};
        for (const std::string& p : Split(words[0], '/')) {
            if (!kPronouns.count(p)) return {};
            pronouns.push_back(p);
        }
        const std::string& form = words[1];
        auto has = [&](const char* p) { return std::find(pronouns.begin(), pronouns.end(), p) != pronouns.end(); };
        std::set<std::pair<int32_t, int32_t>> persons;
        for (const std::string& p : pronouns) {
            if (p != "sie") {
                const auto& [person, number] = kPronouns.at(p);
                persons.insert({value(person), value(number)});
            } else {
                persons.insert({value("third-person"), value(SiePlural(form, has("wir"), pronouns.size()) ? "plural"
                                                                                                         : "singular")});
            }
        }
        const bool firstAndThird = has("ich") && (has("er") || has("sie") || has("es"));
        if (firstAndThird && tense_ == kPresent) Next();
        bool changed = firstAndThird && perfect_ && tense_ == kPast;
        for (const auto& slot : persons) {
            auto seen = seen_.find(slot);
            changed = changed || (seen != seen_.end() && seen->second != form);
        }
        if (changed) Next();
        if (tense_ > kSubjunctive) return {};
        std::vector<WordForm> out;
        for (const auto& [person, number] : persons) {
            seen_[{person, number}] = form;
            if (tense_ == kPresent && person == value("second-person") && number == value("plural"))
                present2Plural_ = form;
            out.push_back(Form(form, {value(tense_ == kPresent ? "present" : "past"),
                                      value(tense_ == kSubjunctive ? "subjunctive" : "indicative"), person, number}));
        }
        return out;
    }

private:
    enum Tense { kPresent, kPast, kSubjunctive };
    static inline const std::map<std::string, std::pair<const char*, const char*>> kPronouns{
        {"ich", {"first-person", "singular"}}, {"du", {"second-person", "singular"}},
        {"er", {"third-person", "singular"}},  {"es", {"third-person", "singular"}},
        {"sie", {"third-person", ""}},         {"wir", {"first-person", "plural"}},
        {"ihr", {"second-person", "plural"}},  {"Sie", {"third-person", "plural"}},
    };

    // "sie" is "she" or "they": plural beside "wir" ("wir/sie gingen"),
    // singular beside "er" or "ich"; alone, plural when its form ends in
    // the plural's "n" ("sie kamen", not "sie gewann"), or when the
    // singular already has another form in this tense ("sie sind").
    bool SiePlural(const std::string& form, bool withWir, std::size_t pronounCount) const {
        if (pronounCount > 1) return withWir;
        const bool ending = form.size() > 1 && form.back() == 'n' && form[form.size() - 2] != 'n';
        auto singular = seen_.find({inventory_.ValueId("third-person"), inventory_.ValueId("singular")});
        return ending || (singular != seen_.end() && singular->second != form);
    }

    void Next() {
        tense_ = static_cast<Tense>(tense_ + 1);
        seen_.clear();
    }

    static WordForm Form(const std::string& text, WordArray values) {
        std::sort(values.begin(), values.end());
        return WordForm{text, std::move(values)};
    }

    const AttributeInventory& inventory_;
    const std::string pastParticiple_;
    Tense tense_ = kPresent;
    bool perfect_ = false;
    std::map<std::pair<int32_t, int32_t>, std::string> seen_;  // (person, number) -> form in this tense
    std::string present2Plural_;
};

// "im (= in dem) Haus", "am (an dem) Sonntag", "beim; bei dem": the
// preposition written together with the article after it, as (word, article).
std::vector<std::pair<std::string, std::string>> Contractions(const std::string& part, const std::string& preposition) {
    std::vector<std::pair<std::string, std::string>> found;
    auto take = [&](const std::string& word, std::string expansion) {
        if (!expansion.empty() && expansion[0] == '=') expansion.erase(0, 1);
        std::vector<std::string> words = Words(expansion);
        if (words.size() != 2 || words[0] != preposition || !IsSingleWord(word) || !IsSingleWord(words[1])) return;
        std::u16string wide = Utf8Decode(word);
        wide[0] = WideLowerChar(wide[0]);  // "Zum (= zu dem) Essen"
        found.push_back({Utf8Encode(wide), words[1]});
    };
    for (std::size_t open = part.find('('); open != std::string::npos; open = part.find('(', open + 1)) {
        const std::size_t close = part.find(')', open);
        if (close == std::string::npos) break;
        std::vector<std::string> before = Words(part.substr(0, open));
        if (!before.empty()) take(before.back(), part.substr(open + 1, close - open - 1));
    }
    std::vector<std::string> synonyms = Split(part, ';');
    if (synonyms.size() == 2) take(Trim(synonyms[0]), synonyms[1]);
    return found;
}

// The part of speech of the first tag that gives one ("wir {ppron} {pl}" is
// a pronoun, though "{pl}" alone marks a plural noun), or 0.
int32_t FirstPartOfSpeech(const std::vector<std::string>& tagList, const AttributeInventory& inventory,
                          const TagMapping& tags) {
    std::vector<std::string> unknown;
    for (const std::string& tag : tagList)
        for (WordArray values : ExpandTags(tags, inventory, "ding", "de", {tag}, unknown))
            if (int32_t pos = TakePartOfSpeech(inventory, values)) return pos;
    return 0;
}

struct PendingContraction {
    std::string word, article;
    std::vector<std::string> english;  // the translations of its preposition
};

}  // namespace

void ReadGermanEnglish(std::string_view text, const AttributeInventory& inventory, const TagMapping& tags,
                       Lexicon& lexicon, std::set<BilingualLink>& links, BuildReport& report) {
    const int32_t de = LanguageNumber("de"), en = LanguageNumber("en");
    auto value = [&](const char* name) { return inventory.ValueId(name); };
    std::set<std::string> articleForms;
    std::vector<PendingContraction> contractions;
    // A line's translations are the first headword's own senses; for the
    // synonyms after it ("aufführen; …; geben [veraltend] :: to perform")
    // they are rarer senses, ranked after every first headword's.
    std::vector<BilingualLink> laterSynonyms;
    for (const std::string& rawLine : Split(text, '\n')) {
        if (rawLine.empty() || rawLine[0] == '#') continue;
        std::size_t sep = rawLine.find(" :: ");
        if (sep == std::string::npos) continue;
        report.Read("de", "dictionary lines");
        std::vector<std::string> germanParts = Split(rawLine.substr(0, sep), '|');
        std::vector<std::string> englishParts = Split(rawLine.substr(sep + 4), '|');
        std::vector<DingWord> heads = DingSynonyms(germanParts[0]);
        // "aber; doch; dennoch {conj}": synonyms of one part of speech carry
        // their tags once, after the last of them.
        for (std::size_t s = heads.size(); s-- > 1;)
            if (heads[s - 1].tags.empty()) heads[s - 1].tags = heads[s].tags;
        std::vector<DingWord> english = DingSynonyms(englishParts[0]);
        std::vector<std::string> targets;
        for (const DingWord& e : english)
            if (std::string target = EnglishLemma(e.text); IsSingleWord(target)) targets.push_back(target);
        for (std::size_t s = 0; s < heads.size(); ++s) {
            const DingWord& head = heads[s];
            if (!IsSingleWord(head.text) || head.tags.empty()) {
                report.Drop("de", "multi-word or untagged headword");
                continue;
            }
            std::vector<std::string> unknown;
            std::vector<WordArray> forms = ExpandTags(tags, inventory, "ding", "de", head.tags, unknown);
            WordArray values = forms.empty() ? WordArray{} : forms.front();
            TakePartOfSpeech(inventory, values);
            const int32_t pos = FirstPartOfSpeech(head.tags, inventory, tags);
            if (pos == 0) {
                report.Drop("de", "part of speech not mapped");
                continue;
            }
            LemmaKey key{de, head.text, pos};
            Lemma& lemma = lexicon.lemmas[key];
            // The later parts are the same senses inflected, synonym by
            // synonym; a line of one headword may give several forms in a part.
            auto synonymsOf = [&](std::size_t part) -> std::vector<DingWord> {
                if (part >= germanParts.size()) return {};
                std::vector<DingWord> words = DingSynonyms(germanParts[part]);
                if (words.size() == heads.size()) return {words[s]};
                return heads.size() == 1 ? words : std::vector<DingWord>{};
            };
            auto formOf = [&](std::size_t part) -> std::string {
                std::vector<DingWord> words = synonymsOf(part);
                if (words.size() != 1 || !IsSingleWord(words[0].text)) return {};
                return words[0].text;
            };
            auto add = [&](const std::string& form, WordArray formValues) {
                if (form.empty()) return;
                std::sort(formValues.begin(), formValues.end());
                lemma.forms.insert(WordForm{form, formValues});
            };
            if (pos == value("noun")) {
                WordArray singular = values;
                singular.push_back(value("singular"));
                add(head.text, singular);
                std::vector<DingWord> next = synonymsOf(1);
                if (next.size() == 1 && !next[0].tags.empty() && next[0].tags.front() == "pl") {
                    WordArray plural = values;
                    plural.push_back(value("plural"));
                    add(formOf(1), plural);
                }
            } else if (pos == value("verb")) {
                add(head.text, {value("infinitive")});
                std::string participle = formOf(1), pastParticiple;
                // "lesend", "sammelnd": the infinitive + "d".
                if ((participle.size() > 3 && participle.compare(participle.size() - 3, 3, "end") == 0) ||
                    participle == head.text + "d") {
                    pastParticiple = formOf(2);
                    add(participle, {value("present-participle")});
                    add(pastParticiple, {value("past-participle")});
                }
                FiniteVerbForms finite(inventory, pastParticiple);
                for (std::size_t part = 1; part < germanParts.size(); ++part)
                    for (const DingWord& word : synonymsOf(part))
                        for (const WordForm& form : finite.Read(word.text)) {
                            lemma.forms.insert(form);
                            report.Read("de", "finite verb forms");
                        }
            } else if (pos == value("adjective")) {
                add(head.text, {value("positive")});
                std::string comparative = formOf(1);
                if (comparative.size() > head.text.size() && comparative.compare(0, 2, head.text, 0, 2) == 0)
                    add(comparative, {value("comparative")});
            } else if ((pos == value("pronoun") || pos == value("determiner")) &&
                       Split(heads.back().note, ';').size() == 3) {
                // "der {art} (des; dem; den)": the genitive, dative and
                // accusative of the line's first headword, after its last.
                // Where the middle form is the headword ("die {art} (der;
                // die; der)") it is the accusative, which is the nominative
                // for all but the masculine singular; the dative never is.
                std::vector<std::string> cases = Split(heads.back().note, ';');
                WordArray nominative = values;
                nominative.push_back(value("nominative"));
                add(head.text, nominative);
                const bool accusativeSecond = Trim(cases[1]) == head.text && Trim(cases[2]) != head.text;
                const char* caseNames[] = {"genitive", accusativeSecond ? "accusative" : "dative",
                                           accusativeSecond ? "dative" : "accusative"};
                for (std::size_t c = 0; c < 3 && s == 0; ++c)
                    for (const std::string& form : Split(cases[c], ',')) {
                        WordArray caseValues = values;
                        caseValues.push_back(value(caseNames[c]));
                        if (IsSingleWord(Trim(form))) add(Trim(form), caseValues);
                    }
            } else {
                add(head.text, values);
            }
            if (pos == value("determiner"))
                for (const WordForm& form : lemma.forms) articleForms.insert(form.text);
            if (pos == value("preposition"))
                for (std::size_t part = 1; part < germanParts.size(); ++part)
                    for (auto& [word, article] : Contractions(germanParts[part], head.text))
                        contractions.push_back({word, article, targets});
            report.Read("de", "headwords");
            std::vector<LemmaKey> keys{key};
            // An abbreviation is a word of its own with the headword's
            // values and translations.
            if (!head.abbreviation.empty()) {
                keys.push_back(LemmaKey{de, head.abbreviation, pos});
                auto base = lemma.forms.lower_bound(WordForm{head.text, {}});
                WordArray baseValues = base != lemma.forms.end() && base->text == head.text ? base->values : WordArray{};
                lexicon.lemmas[keys.back()].forms.insert(WordForm{head.abbreviation, baseValues});
                report.Read("de", "abbreviations");
            }
            for (const LemmaKey& k : keys)
                for (const std::string& target : targets)
                    if (s == 0) AddLink(links, {k, LemmaKey{en, target, 0}});
                    else laterSynonyms.push_back({k, LemmaKey{en, target, 0}});
        }
    }
    for (const BilingualLink& link : laterSynonyms) AddLink(links, link);
    // A contraction is a preposition of its own, translated by the
    // preposition's translations with "the".
    for (const PendingContraction& c : contractions) {
        if (!articleForms.count(c.article)) continue;
        LemmaKey key{de, c.word, value("preposition")};
        lexicon.lemmas[key].forms.insert(WordForm{c.word, {}});
        report.Read("de", "contractions of a preposition and an article");
        for (const std::string& target : c.english) AddLink(links, {key, LemmaKey{en, target + " the", key.partOfSpeech}});
    }
}

void AddHeadwordLemmas(const std::set<BilingualLink>& links, int32_t language,
                       const std::vector<std::string>& verbEndings, const AttributeInventory& inventory,
                       Lexicon& lexicon, BuildReport& report) {
    const std::string code = LanguageCode(language);
    std::set<std::string> words;
    for (const BilingualLink& link : links) {
        if (link.from.language == language) words.insert(link.from.text);
        if (link.to.language == language) words.insert(link.to.text);
    }
    // A word the lexicon has, as a lemma or a form of one, keeps its readings.
    std::set<std::string> known;
    for (const auto& [key, lemma] : lexicon.OfLanguage(language)) {
        known.insert(key.text);
        for (const WordForm& form : lemma.forms) known.insert(form.text);
    }
    for (const std::string& word : words) {
        if (known.count(word)) continue;
        bool verb = false;
        for (const std::string& ending : verbEndings)
            verb = verb || (word.size() > ending.size() && word.compare(word.size() - ending.size(), ending.size(), ending) == 0);
        int32_t pos = inventory.ValueId(verb ? "verb" : "noun");
        WordArray values{inventory.ValueId(verb ? "infinitive" : "singular")};
        lexicon.lemmas[LemmaKey{language, word, pos}].forms.insert(WordForm{word, values});
        report.Read(code, "headword lemmas");
    }
}

std::string ReadGzipFile(const std::string& path) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) throw SourceError("cannot read " + path);
    std::string content;
    char buffer[1 << 16];
    int n;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<std::size_t>(n));
    bool failed = n < 0;
    gzclose(file);
    if (failed) throw SourceError("damaged compressed file " + path);
    return content;
}

}  // namespace pv
