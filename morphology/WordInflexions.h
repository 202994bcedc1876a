// The lexicon and its inflection: word stems, inflection groups with their
// endings, the grammatical description of every ending, the forms of words
// without a stem, the word-form trie, and the operations that generate a
// word form from a lemma and attribute values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lexdb/WordTree.h"
#include "morphology/Attributes.h"
#include "morphology/IntegerIndex.h"
#include "morphology/MyStrList.h"

namespace pv {

struct Collocation;

inline constexpr const char* kWordsBase = "DATA\\WORDS";
inline constexpr const char* kInflexionGroupsFile = "Data/INFLGR.DAT";
inline constexpr const char* kInflexionEndingsFile = "Data/INFLGRE.DAT";
inline constexpr const char* kInflexionDetailsFile = "DATA\\INFLDETS.DAT";
inline constexpr const char* kWordFormsFile = "DATA\\WORDS.GLS";
inline constexpr const char* kPrefixesFile = "DATA\\PREFIXES.STR";
inline constexpr const char* kSuffixesFile = "DATA\\SUFFIXES.STR";
inline constexpr const char* kSpellFixBase = "DATA\\SPELLFIX";

// id, language, group, part of speech, stem position, alphabetical index.
constexpr std::size_t kWordRecordSize = 17;
// group id, then the base ending (1 length byte + 80 hexadecimal characters).
constexpr std::size_t kGroupRecordSize = 85;
// ending key, group id, then the ending text as above.
constexpr std::size_t kEndingRecordSize = 89;
constexpr std::size_t kHexTextSize = 80;
constexpr std::size_t kMaxEndingBytes = kHexTextSize / 2;  // UTF-8 bytes
// language, eight value slots, display order.
constexpr std::size_t kDetailRecordSize = 24;
constexpr int kDetailSlots = 8;

// Group ids 0 and 0xFFFF mark a word that does not inflect.
constexpr bool IsUninflected(int32_t group) { return group == 0 || group == 0xFFFF; }

// One analysis of a word form, or a lemma (GetWordEntry).
struct InflexionData {
    std::u16string form;
    int32_t partOfSpeech = 0;
    int32_t endingKey = 0;  // detail record number; -1 the base form
    int32_t group = 0;
    int32_t language = 0;
    int32_t wordId = 0;
    double weight = 0.0;  // penalty of the spelling fixes used
    bool operator==(const InflexionData&) const = default;
};
using InflArray = std::vector<InflexionData>;

struct InflexionEntry {
    int32_t key = 0;  // detail record number
    std::u16string ending;
    bool operator==(const InflexionEntry&) const = default;
};
using InflexionEntryArray = std::vector<InflexionEntry>;

struct InflexionGroup {
    int32_t id = 0;
    std::u16string baseEnding;
    InflexionEntryArray endings;  // sorted by ending text once loaded
};

// The grammatical description of one form: up to eight value ids (0 is an
// unused slot) and the place of the form in the word-forms listing.
struct InflexionDetail {
    int32_t language = 0;
    std::array<uint16_t, kDetailSlots> values{};
    int32_t displayOrder = 0;
};

// One lexicon record as stored.
struct WordRecord {
    int32_t id = 0;
    uint8_t language = 0;
    uint16_t group = 0;
    int16_t partOfSpeech = 0;
    int32_t stemPosition = 0;  // 1-based, in code units of the stem text
    int32_t alphabetical = 0;  // record whose stem comes at this record's place in order
};

// The lexicon: every stem with its record. Item k is the k-th stem in
// alphabetical (ordinal) order.
class WordsController {
public:
    // Takes the stem text (stems each ended by a 0 code unit) and the
    // records. Throws EngineError, keeping the old content, when a stem
    // position or an alphabetical index points outside the data.
    void Set(std::u16string text, std::vector<WordRecord> records);

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    // Throws EngineError "... in Wordscontroller.Item[k]" for a k out of range.
    std::u16string_view Item(int32_t k) const;
    // The record index of the k-th stem in alphabetical order.
    int32_t RecordAt(int32_t k) const { return records_[static_cast<std::size_t>(k)].alphabetical; }
    const WordRecord& Record(int32_t index) const { return records_[static_cast<std::size_t>(index)]; }
    std::u16string_view Stem(int32_t index) const;
    // Binary search among the stems: the first match or the insertion place.
    MyStrList::FindResult Find(std::u16string_view text) const;
    // The stems in [low, high) that begin with text, given that all of them
    // begin with text minus its last character: read one character further
    // each time, the stems that begin a word narrow without a search of the
    // whole list. A stem equal to text is the first of the range.
    struct Range {
        int32_t low = 0;
        int32_t high = 0;
    };
    Range NarrowToPrefix(std::u16string_view text, Range within) const;
    // Binary search by word id: the record index or -1.
    int32_t IndexOfId(int32_t id) const;

private:
    // The first stem in [low, high) that is not below text.
    int32_t LowerBound(std::u16string_view text, int32_t low, int32_t high) const;

    std::u16string text_;
    std::vector<WordRecord> records_;
    struct StemSpan {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    std::vector<StemSpan> stems_;  // per record, into text_
};

// A form of a word without a stem: the group and the ending key (-1 for
// the base ending) that produce it.
struct ZeroFormRef {
    int32_t group = 0;
    int32_t key = 0;
};

// A spelling fix: where it may apply, its penalty in tenths, and in which
// languages (bit n: language n).
struct SpellFixData {
    uint32_t mask = 0;
    int32_t weight = 0;
    uint8_t flags = 0;
};
constexpr uint8_t kFixAtStart = 1;
constexpr uint8_t kFixInside = 2;
constexpr uint8_t kFixAtEnd = 4;

struct SpellFixes {
    MyStrList strings;  // sorted; object = index into replacements and data
    // Each first character of the strings with the first string that has
    // it: the fixes of a character follow one another in the sorted list.
    std::vector<std::pair<char16_t, std::size_t>> initials;
    std::size_t longest = 0;  // the longest string: how far a fix reads ahead
    std::vector<std::u16string> replacements;
    std::vector<SpellFixData> data;
};

// Every inflection table, loaded once and read-only afterwards.
class InflexionTables {
public:
    // Installs the groups: builds the id index and sorts each group's
    // endings by text (equal texts keep their order).
    void SetGroups(std::vector<InflexionGroup> groups);
    const std::vector<InflexionGroup>& Groups() const { return groups_; }
    const InflexionGroup* FindGroup(int32_t id) const;

    void SetDetails(std::vector<InflexionDetail> details);
    const std::vector<InflexionDetail>& Details() const { return details_; }
    // None for a key that names no record.
    const InflexionDetail* Detail(int32_t key) const;

    // Rebuilds the zero-stem form list and index from the lexicon and groups.
    void BuildZeroForms();
    const MyStrList& ZeroForms() const { return zeroForms_; }
    const ZeroFormRef& ZeroForm(std::size_t i) const { return zeroRefs_[i]; }
    // (group id, record index) of every word without a stem, sorted.
    const IntegerIndex& ZeroWords() const { return zeroWords_; }

    // Lemma of a word id; "--" with part of speech 531 for an unknown id.
    InflexionData GetWordEntry(int32_t wordId) const;
    // The lemma with its group's base ending replaced by the ending of key;
    // unchanged for an unknown group or key.
    std::u16string Inflect(std::u16string_view lemma, int32_t group, int32_t key) const;
    // The lemma with the group's base ending replaced by the given ending.
    static std::u16string Inflect(std::u16string_view lemma, const InflexionGroup& group,
                                  const InflexionEntry& ending);
    // The first detail record of language with the most non-zero slots, all
    // of them among values; -1 when none qualifies.
    int32_t FindInflexionDetail(int32_t language, const WordArray& values) const;
    // The form of word for values: the ending of its group whose detail
    // record fits best, as FindInflexionDetail chooses among the language's
    // records. Where the language-wide best is not among them, the group's
    // own best still gives a form (a plural adjective asked for with a
    // gender takes its plural, not its lemma); the lemma when none fits.
    std::u16string InflectFor(const InflexionData& word, const WordArray& values) const;
    // Builds the word-form trie from the lexicon (used when "DATA\WORDS.GLS"
    // is absent or unreadable). Errors raise "Exception [...] in BuildAllWords".
    void BuildAllWords();
    // Whether text begins some known word form. Errors raise "PrefixLookup: ...".
    bool PrefixLookup(std::u16string_view text) const;

    WordsController words;
    MyStrList prefixes;
    MyStrList suffixes;  // written backwards
    SpellFixes spellFixes;
    WordTree wordTree;

private:
    // The number of non-zero slots of detail record k, -1 unless all of them
    // are among values.
    int DetailScore(int32_t k, const WordArray& values) const;

    std::vector<InflexionGroup> groups_;
    IntegerIndex groupIndex_;
    // Group id -> index into groups_ (-1 for none), when the ids are small
    // enough for a table: every analysed word looks its group up.
    std::vector<int32_t> groupSlots_;
    std::vector<InflexionDetail> details_;
    std::unordered_map<int32_t, std::vector<int32_t>> detailsByLanguage_;
    MyStrList zeroForms_;
    std::vector<ZeroFormRef> zeroRefs_;
    IntegerIndex zeroWords_;
};

// The process-wide tables.
InflexionTables& Inflexions();

// Loaders of the process-wide tables, each on its own; base is the folder
// that holds DATA (with a trailing separator).
// Groups and endings, then the details. A missing or damaged group or
// ending file leaves that table empty (false); a missing details file
// raises EngineError.
bool LoadInflexionTables(const std::string& base);
// "DATA\WORDS" .STR and .DAT, the prefix and suffix lists, then the
// zero-stem forms (needs the groups). False when the lexicon is missing or
// damaged; it is then empty.
bool LoadLexicon(const std::string& base);
// LoadLexicon in two steps, so that the largest files can be read while
// other tables load: the stems and records of "DATA\WORDS" (touching no
// table), none when missing or damaged; then installing them (an empty
// lexicon for none) with the affix lists and the zero-stem forms.
std::optional<WordsController> ReadLexiconWords(const std::string& base);
bool InstallLexicon(const std::string& base, std::optional<WordsController> words);
// The word-form trie from "DATA\WORDS.GLS", or built from the lexicon when
// that file is absent or unreadable. True when it was read from the file.
bool LoadWordForms(const std::string& base);
// LoadWordForms in two steps, so that the file can be read while other
// tables load: the trie of "DATA\WORDS.GLS" (touching no table), none when
// it is absent or unreadable; then installing it, or building the trie from
// the lexicon for none.
std::optional<WordTree> ReadWordForms(const std::string& base);
bool InstallWordForms(std::optional<WordTree> tree);
// The same three as the steps of engine start: a table that cannot be
// loaded raises EngineError naming it and the folder.
void RequireInflexionTables(const std::string& base);
void RequireLexicon(const std::string& base);
void RequireLexicon(const std::string& base, std::optional<WordsController> words);

// Operations on the process-wide tables.
InflexionData GetWordEntry(int32_t wordId);
std::u16string Inflect(std::u16string_view lemma, int32_t group, int32_t key);
int32_t FindInflexionDetail(int32_t language, const WordArray& values);
void BuildAllWords();
bool PrefixLookup(std::u16string_view text);
// The surface text of a dictionary entry in the grammatical context given by
// the attribute set context.
std::u16string ComposeCollocationText(const Collocation& entry, const AttributeSet& context);

}  // namespace pv
