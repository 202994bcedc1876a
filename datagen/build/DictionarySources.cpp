#include "datagen/build/DictionarySources.h"

#include <zlib.h>

#include <algorithm>

#include "datagen/build/SourceText.h"

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
};

// "Abhöranlage {f} [pol.]" -> text "Abhöranlage", tags {"f"}.
DingWord ParseDingWord(std::string_view synonym) {
    DingWord word;
    std::string text(synonym);
    for (std::size_t open; (open = text.find('{')) != std::string::npos;) {
        std::size_t close = text.find('}', open);
        if (close == std::string::npos) break;
        for (const std::string& t : Split(text.substr(open + 1, close - open - 1), ','))
            word.tags.push_back(Trim(t));
        text.erase(open, close - open + 1);
    }
    word.text = WithoutNotes(text);
    return word;
}

std::vector<DingWord> DingSynonyms(std::string_view part) {
    std::vector<DingWord> words;
    for (const std::string& synonym : Split(part, ';')) words.push_back(ParseDingWord(synonym));
    return words;
}

std::string EnglishLemma(std::string text) {
    if (text.rfind("to ", 0) == 0) text = text.substr(3);
    return text;
}

}  // namespace

void ReadGermanEnglish(std::string_view text, const AttributeInventory& inventory, const TagMapping& tags,
                       Lexicon& lexicon, std::set<BilingualLink>& links, BuildReport& report) {
    const int32_t de = LanguageNumber("de"), en = LanguageNumber("en");
    auto value = [&](const char* name) { return inventory.ValueId(name); };
    for (const std::string& rawLine : Split(text, '\n')) {
        if (rawLine.empty() || rawLine[0] == '#') continue;
        std::size_t sep = rawLine.find(" :: ");
        if (sep == std::string::npos) continue;
        report.Read("de", "dictionary lines");
        std::vector<std::string> germanParts = Split(rawLine.substr(0, sep), '|');
        std::vector<std::string> englishParts = Split(rawLine.substr(sep + 4), '|');
        std::vector<DingWord> heads = DingSynonyms(germanParts[0]);
        std::vector<DingWord> english = DingSynonyms(englishParts[0]);
        for (std::size_t s = 0; s < heads.size(); ++s) {
            const DingWord& head = heads[s];
            if (!IsSingleWord(head.text) || head.tags.empty()) {
                report.Drop("de", "multi-word or untagged headword");
                continue;
            }
            std::vector<std::string> unknown;
            std::vector<WordArray> forms = ExpandTags(tags, inventory, "ding", "de", head.tags, unknown);
            WordArray values = forms.empty() ? WordArray{} : forms.front();
            int32_t pos = TakePartOfSpeech(inventory, values);
            if (pos == 0) {
                report.Drop("de", "part of speech not mapped");
                continue;
            }
            LemmaKey key{de, head.text, pos};
            Lemma& lemma = lexicon.lemmas[key];
            // The later parts are the same senses inflected, synonym by synonym.
            auto formOf = [&](std::size_t part) -> std::string {
                if (part >= germanParts.size()) return {};
                std::vector<DingWord> words = DingSynonyms(germanParts[part]);
                if (words.size() != heads.size() || !IsSingleWord(words[s].text)) return {};
                return words[s].text;
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
                std::vector<DingWord> next = germanParts.size() > 1 ? DingSynonyms(germanParts[1]) : std::vector<DingWord>{};
                if (next.size() == heads.size() && !next[s].tags.empty() && next[s].tags.front() == "pl") {
                    WordArray plural = values;
                    plural.push_back(value("plural"));
                    add(formOf(1), plural);
                }
            } else if (pos == value("verb")) {
                add(head.text, {value("infinitive")});
                std::string participle = formOf(1);
                if (participle.size() > 3 && participle.compare(participle.size() - 3, 3, "end") == 0) {
                    add(participle, {value("present-participle")});
                    add(formOf(2), {value("past-participle")});
                }
            } else if (pos == value("adjective")) {
                add(head.text, {value("positive")});
                std::string comparative = formOf(1);
                if (comparative.size() > head.text.size() && comparative.compare(0, 2, head.text, 0, 2) == 0)
                    add(comparative, {value("comparative")});
            } else {
                add(head.text, values);
            }
            report.Read("de", "headwords");
            for (const DingWord& e : english) {
                std::string target = EnglishLemma(e.text);
                if (IsSingleWord(target)) AddLink(links, {key, LemmaKey{en, target, 0}});
            }
        }
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
    for (const std::string& word : words) {
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
