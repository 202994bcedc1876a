// Grammatical information as attribute values: the 1,056-bit attribute set,
// value lists and condition lists, and the definition tables (attributes,
// values, relation types, implied values, entry templates) that give the
// values their attributes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pv {

struct Collocation;

constexpr int kAttributeSetWords = 33;
constexpr int kAttributeSetBits = kAttributeSetWords * 32;  // 1,056

// Reserved ids that the program itself uses.
constexpr int32_t kPhraseCategoryAttribute = 1;
constexpr int32_t kCapitalisationAttribute = 214;
constexpr int32_t kPluralValue = 12;
constexpr int32_t kNumberValue = 303;
constexpr int32_t kUnknownWordValue = 531;
constexpr int32_t kInitialCapitalValue = 769;
constexpr int32_t kAllCapitalsValue = 770;

// Value id v is bit v mod 1,056, so ids of 1,056 and above share bits with
// lower ids. Negative bit numbers name no bit.
struct AttributeSet {
    std::array<uint32_t, kAttributeSetWords> words{};

    void Clear() { words.fill(0); }
    void SetBit(int32_t bit) {
        if (bit >= 0) words[WordOf(bit)] |= MaskOf(bit);
    }
    void ClearBit(int32_t bit) {
        if (bit >= 0) words[WordOf(bit)] &= ~MaskOf(bit);
    }
    bool TestBit(int32_t bit) const { return bit >= 0 && (words[WordOf(bit)] & MaskOf(bit)) != 0; }
    bool operator==(const AttributeSet&) const = default;

private:
    static int WordOf(int32_t bit) { return bit % kAttributeSetBits / 32; }
    static uint32_t MaskOf(int32_t bit) { return 1u << (bit % kAttributeSetBits % 32); }
};

// A list of value ids, usually sorted ascending.
using WordArray = std::vector<int32_t>;

// Mode bit 0: 0 the value must be present, 1 it must be absent. Modes 0 and 1
// test a word's own set, modes 2 and 3 its associated set.
struct WordCond {
    int32_t value = 0;
    int32_t mode = 0;
    bool operator==(const WordCond&) const = default;
};
using WordCondsArray = std::vector<WordCond>;

// One attribute: the set words first..last hold its bits; mask word k has a
// 0 bit at every position of this attribute and a 1 bit elsewhere.
struct AttributeDef {
    int32_t id = 0;
    int32_t first = 0;
    int32_t last = -1;
    std::array<uint32_t, kAttributeSetWords> mask{};
};

// A word of the set that holds bits of an attribute, with the mask that
// keeps every bit of the word but those.
struct AttributeWord {
    uint8_t index = 0;
    uint32_t keep = 0xFFFFFFFFu;
};

// A value implied by a (language, part of speech) pair.
struct ImpliedValue {
    int32_t language = 0;
    int32_t partOfSpeech = 0;
    int32_t value = 0;
};

constexpr int kTemplateSlots = 10;

// An entry template: for each of up to ten words, the attribute ids that the
// word inherits from its context.
struct EntryTemplate {
    bool inUse = false;
    std::array<WordArray, kTemplateSlots> slots;
};

// Value-list and condition-list operations that need no definitions.
void AddIfMissing(WordArray& list, int32_t value);
bool Contains(const WordArray& list, int32_t value);
// Both lists sorted ascending: every value of part is in whole.
bool IsSubset(const WordArray& whole, const WordArray& part);
void SortAscending(WordArray& list);
void SortByValue(WordCondsArray& conds);
// Conditions of modes 0 and 1 against own, of modes 2 and 3 against associated.
bool CheckOwnConditions(const WordCondsArray& conds, const AttributeSet& own);
bool CheckAssociatedConditions(const WordCondsArray& conds, const AttributeSet& associated);
bool CheckConditions(const WordCondsArray& conds, const AttributeSet& own,
                     const AttributeSet& associated);

// The definition tables and every operation that needs them.
class AttributeTables {
public:
    // Loaders of the plain files below base (each raises EngineError when its
    // file cannot be read; records are size div record size).
    void LoadAttributes(const std::string& base);        // ATTRS.DAT and ATTRVALS.DAT
    void LoadRelationDefinitions(const std::string& base);
    void LoadSP(const std::string& base);
    void LoadImpliedValues(const std::string& base);
    // The template container "DATA\COLTEMPS.DAT"; a missing or damaged
    // container gives no templates.
    void LoadEntryTemplatesFile(const std::string& base);
    // Every definition table in the order of engine start: attributes and
    // values, relation definitions, SP, entry templates, implied values.
    void LoadAttributeDefinitions(const std::string& base);
    // The template container's byte count and the payload read after it;
    // a negative count or one above 20,000,000 gives no templates, and only
    // complete records are taken.
    void LoadEntryTemplates(int64_t byteCount, std::string_view payload);

    // The tables as arrays, for loaders and tests.
    void SetAttributes(const std::vector<AttributeDef>& attributes,
                       std::vector<int32_t> valueAttributes);
    void SetRelationDefinitions(std::vector<uint8_t> ancestorIsFirst) { relations_ = std::move(ancestorIsFirst); }
    void SetSP(std::vector<int32_t> sp) { sp_ = std::move(sp); }
    void SetImpliedValues(const std::vector<ImpliedValue>& implied);
    void SetEntryTemplates(std::vector<EntryTemplate> templates) { templates_ = std::move(templates); }

    int32_t AttributeCount() const { return static_cast<int32_t>(attributeWords_.size()); }
    int32_t ValueCount() const { return static_cast<int32_t>(valueAttributes_.size()); }
    // The attribute of value v, or -1 when v is no known value.
    int32_t AttributeOf(int32_t value) const;
    const std::u16string& ValueName(int32_t value) const;
    // Appends a value of attribute and returns its id (the next after the
    // highest so far).
    int32_t AddValue(int32_t attribute, std::u16string name);

    // Whether relations of this type count their first id as the ancestor.
    bool AncestorIsFirst(int32_t relationType) const;
    const std::vector<int32_t>& SP() const { return sp_; }
    const std::vector<EntryTemplate>& EntryTemplates() const { return templates_; }

    // Attribute sets.
    void SetAttribute(AttributeSet& set, int32_t value) const;
    int32_t ValueOfAttribute(const AttributeSet& set, int32_t attribute) const;
    void Merge(AttributeSet& target, const AttributeSet& source) const;
    void FromList(AttributeSet& set, const WordArray& list) const;
    bool Compatible(const AttributeSet& a, const AttributeSet& b, int32_t attribute) const;
    // Replaces target's bits of attribute by source's, when source holds any.
    void CopyAttribute(AttributeSet& target, const AttributeSet& source, int32_t attribute) const;

    // Value lists.
    void SetValue(WordArray& list, int32_t value) const;
    void RemoveAttribute(WordArray& list, int32_t attribute) const;
    int32_t ValueOfAttribute(const WordArray& list, int32_t attribute) const;
    void Merge(WordArray& target, const WordArray& source) const;
    WordArray AddImplied(const WordArray& list, int32_t language, int32_t partOfSpeech) const;

    // Condition lists: the first condition whose value belongs to attribute,
    // or value 0 when none does.
    WordCond FindByAttribute(const WordCondsArray& conds, int32_t attribute) const;

    // Adds the attribute ids of template slot k to the inherited attributes of
    // word k, for each of the entry's words (at most ten).
    void ApplyTemplate(std::vector<WordArray>& inherited, std::size_t wordCount,
                       int32_t templateNumber) const;
    // The same for a dictionary entry's words and inherited attributes.
    void ApplyTemplate(Collocation& entry, int32_t templateNumber) const;

private:
    // The words of the attribute's range that hold any of its bits (the
    // values of an attribute may lie far apart); null for an attribute that
    // is not defined.
    const std::vector<AttributeWord>* WordsOf(int32_t attribute) const {
        if (attribute < 0 || attribute >= AttributeCount()) return nullptr;
        return &attributeWords_[attribute];
    }

    std::vector<std::vector<AttributeWord>> attributeWords_;  // WordsOf() of each attribute
    std::vector<int32_t> valueAttributes_;
    std::vector<std::u16string> valueNames_;
    std::vector<uint8_t> relations_;
    std::vector<int32_t> sp_;
    std::vector<EntryTemplate> templates_;
    std::map<std::pair<int32_t, int32_t>, WordArray> implied_;
};

// The process-wide tables that the engine loads at start. Inline: the
// engine asks for them millions of times a text.
inline AttributeTables& GrammarTables() {
    static AttributeTables tables;
    return tables;
}

}  // namespace pv
