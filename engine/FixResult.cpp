#include "engine/FixResult.h"

#include <stdexcept>

#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "engine/TextFront.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::u16string_view kVowels = u"aouei";

// " word a" -> " w'a" for each vowel in the given order.
void AddElisions(std::vector<ReplacementRow>& rows, std::u16string_view word,
                 std::u16string_view vowels) {
    std::u16string stem(word.substr(0, word.size() - 1));
    for (char16_t v : vowels) {
        std::u16string vowel(1, v);
        rows.emplace_back(u" " + std::u16string(word) + u" " + vowel, u" " + stem + u"'" + vowel);
    }
}

std::vector<ReplacementRow> ItalianRows() {
    struct Preposition {
        std::u16string_view word;
        std::u16string_view forms[7];  // + il, lo, l', i, gli, la, le
    };
    static constexpr std::u16string_view kArticles[7] = {u"il", u"lo", u"l'", u"i",
                                                         u"gli", u"la", u"le"};
    static constexpr Preposition kPrepositions[] = {
        {u"a", {u"al", u"allo", u"all'", u"ai", u"agli", u"alla", u"alle"}},
        {u"da", {u"dal", u"dallo", u"dall'", u"dai", u"dagli", u"dalla", u"dalle"}},
        {u"di", {u"del", u"dello", u"dell'", u"dei", u"degli", u"della", u"delle"}},
        {u"in", {u"nel", u"nello", u"nell'", u"nei", u"negli", u"nella", u"nelle"}},
        {u"su", {u"sul", u"sullo", u"sull'", u"sui", u"sugli", u"sulla", u"sulle"}},
    };
    std::vector<ReplacementRow> rows;
    auto text = [](std::initializer_list<std::u16string_view> parts) {
        std::u16string s;
        for (auto part : parts) s += part;
        return s;
    };
    for (const Preposition& p : kPrepositions) {
        for (int i = 0; i < 7; ++i) {
            rows.emplace_back(text({u" ", p.word, u" ", kArticles[i], u" "}),
                              text({u" ", p.forms[i], u" "}));
        }
        for (int form : {5, 6, 1}) AddElisions(rows, p.forms[form], kVowels);  // -la, -le, -lo
    }
    AddElisions(rows, u"ci", u"èae");
    for (std::u16string_view article : {u"la", u"le", u"lo"}) AddElisions(rows, article, kVowels);
    return rows;
}

std::vector<ReplacementRow> FrenchRows() {
    std::vector<ReplacementRow> rows = {
        {u" ce est ", u" c'est "}, {u" de le ", u" du "}, {u" de les ", u" des "},
        {u" la é", u" l'é"},       {u" le é", u" l'é"},   {u" ce é", u" c'é"},
    };
    AddElisions(rows, u"la", kVowels);
    AddElisions(rows, u"le", kVowels);
    rows.emplace_back(u" à le ", u" au ");
    rows.emplace_back(u" à les ", u" aux ");
    AddElisions(rows, u"que", u"aouie");
    for (std::u16string_view word : {u"ne", u"je", u"me", u"te"}) AddElisions(rows, word, kVowels);
    for (std::u16string_view form : {u"lequel", u"lequelle", u"lequels", u"lequelles"})
        rows.emplace_back(u" de " + std::u16string(form) + u" ", u" dont ");
    for (std::u16string_view word : {u"de", u"si", u"se"}) AddElisions(rows, word, kVowels);
    rows.emplace_back(u"a-il", u"a-t-il");
    rows.emplace_back(u"e-il", u"e-t-il");
    return rows;
}

bool IsClosingMark(char16_t c) {
    return std::u16string_view(u".,;!?)").find(c) != std::u16string_view::npos;
}

// Deletes a blank that follows a blank or "(", or that stands before one of
// . , ; ! ? ) — in one pass, comparing with the last character kept.
// Straight double quotation marks open and close in turn: the blank after an
// opening one and the blank before a closing one go, so that a quotation
// hugs its marks on both sides.
std::u16string RemoveBlanks(std::u16string_view r) {
    std::u16string out;
    out.reserve(r.size());
    bool quoteOpen = false;  // an odd number of quotation marks kept so far
    for (std::size_t j = 0; j < r.size(); ++j) {
        char16_t c = r[j];
        if (c == u' ' && !out.empty()) {
            const char16_t before = out.back();
            const char16_t after = j + 1 < r.size() ? r[j + 1] : u'\0';
            if (before == u' ' || before == u'(' || (before == u'"' && quoteOpen) ||
                IsClosingMark(after) || (after == u'"' && quoteOpen))
                continue;
        }
        if (c == u'"') quoteOpen = !quoteOpen;
        out += c;
    }
    return out;
}

std::u16string FixResultUnguarded(std::u16string_view text) {
    std::u16string r = RemoveBlanks(WideTrim(text));
    for (std::u16string_view commas : {u",,,,", u",,,", u",,"}) r = WideReplaceAll(r, commas, u",");
    const std::vector<ReplacementRow>& rows = ContractionRows(TargetLanguage);
    // A text of blanks stays one blank rather than being capitalised away.
    if (rows.empty() || r.find_first_not_of(u' ') == std::u16string::npos) return r;
    r = u" " + LowercaseFirst(r);
    for (const auto& [pattern, replacement] : rows) {
        if (r.find(pattern) != std::u16string::npos) r = WideReplaceAll(r, pattern, replacement);
    }
    return CapitaliseSegment(WideTrim(r));
}

}  // namespace

const std::vector<ReplacementRow>& ContractionRows(int language) {
    static const std::vector<ReplacementRow> italian = ItalianRows();
    static const std::vector<ReplacementRow> french = FrenchRows();
    static const std::vector<ReplacementRow> spanish = {{u" a el ", u" al "},
                                                        {u" de el ", u" del "}};
    static const std::vector<ReplacementRow> german = {
        {u" von wo ", u" woher "}, {u" von dem ", u" vom "}, {u" zu der ", u" zur "},
        {u" zu dem ", u" zum "},   {u" in dem ", u" im "},
    };
    static const std::vector<ReplacementRow> none;
    switch (language) {
        case kItalian: return italian;
        case kFrench: return french;
        case kSpanish: return spanish;
        case kGerman: return german;
        default: return none;
    }
}

std::u16string FixResult(std::u16string_view text) {
    try {
        return FixResultUnguarded(text);
    } catch (const std::exception& e) {
        throw EngineError(std::string("FixResult:") + e.what());
    }
}

}  // namespace pv
