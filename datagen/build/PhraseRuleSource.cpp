#include "datagen/build/PhraseRuleSource.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>

#include "datagen/build/SourceText.h"
#include "engine/FragmentEntry.h"
#include "engine/SynthesisItems.h"

namespace pv {

namespace {

constexpr int32_t kAllLanguages = 0x3FE;  // bits 1 to 9

// The kind of an attribute operation word, -1 for another word.
int32_t OperationKind(const std::string& word) {
    if (word == "set") return kSelectionSet;
    if (word == "clear") return kSelectionClear;
    if (word == "setform") return kFormSet;
    if (word == "clearform") return kFormClear;
    return -1;
}

struct RuleReader {
    const AttributeInventory& inventory;
    PhraseTableSet& tables;
    PhraseSource* rule = nullptr;

    int32_t Number(const SourceLine& line, const std::string& word, int32_t low, int32_t high) const {
        int32_t value = 0;
        if (!ParseInt(word, value) || value < low || value > high)
            throw line.Error("\"" + word + "\" is not a number from " + std::to_string(low) + " to " +
                             std::to_string(high));
        return value;
    }
    int32_t Child(const SourceLine& line, const std::string& word) const {
        return Number(line, word, 1, kFEChildren - 1);
    }
    int32_t Slot(const SourceLine& line, const std::string& word) const {
        return Number(line, word, 0, kFESlots - 1);
    }
    int32_t Value(const SourceLine& line, const std::string& word) const {
        int32_t value = inventory.ValueId(word);
        if (value < 0 && !ParseInt(word, value)) throw line.Error("unknown value \"" + word + "\"");
        return value;
    }
    int32_t Attribute(const SourceLine& line, const std::string& word) const {
        for (const InventoryAttribute& attribute : inventory.attributes)
            if (attribute.name == word) return attribute.id;
        int32_t id = 0;
        if (!ParseInt(word, id) || id < 0) throw line.Error("unknown attribute \"" + word + "\"");
        return id;
    }
    // The words after the directive, at least min and at most max of them.
    void Count(const SourceLine& line, std::size_t min, std::size_t max) const {
        const std::size_t n = line.words.size() - 1;
        if (n < min || n > max) throw line.Error("wrong number of words for \"" + line.words[0] + "\"");
    }
    bool Flag(const SourceLine& line, std::size_t at, const char* word) const {
        if (line.words.size() <= at) return false;
        if (line.words[at] != word) throw line.Error("expected \"" + std::string(word) + "\"");
        return true;
    }

    void StartRule(const SourceLine& line) {
        PhraseSource& r = tables.phrases.emplace_back();
        r.p2 = kAllLanguages;
        rule = &r;
        for (std::size_t k = 1; k < line.words.size(); ++k) {
            const std::string& word = line.words[k];
            auto next = [&]() -> const std::string& {
                if (++k >= line.words.size()) throw line.Error("\"" + word + "\" needs a value");
                return line.words[k];
            };
            if (word == "weight") {
                try {
                    r.score1 = std::stod(next());
                } catch (const std::exception&) {
                    throw line.Error("bad weight \"" + line.words[k] + "\"");
                }
            } else if (word == "languages") {
                r.p2 = 0;
                for (const std::string& language : Split(next(), ','))
                    r.p2 |= 1 << Number(line, language, 0, 31);
            } else if (word == "target") {
                r.p3 = Number(line, next(), 0, 31);
            } else if (word == "plan") {
                r.b1 = 1;
            } else if (word == "reset") {
                r.b2 = 1;
            } else if (word == "entry") {
                r.entryId = Number(line, next(), 1, INT32_MAX);
            } else {
                throw line.Error("unknown rule option \"" + word + "\"");
            }
        }
    }

    void AddSlot(const SourceLine& line) {
        PhraseSlotSource& slot = rule->slots.emplace_back();
        if (static_cast<int32_t>(rule->slots.size()) > kFEChildren - 1) throw line.Error("more than 20 slots");
        for (std::size_t k = 1; k < line.words.size(); ++k) {
            std::string word = line.words[k];
            if (word == "template") {
                if (k + 2 != line.words.size()) throw line.Error("\"template\" takes one id at the end");
                slot.anchor = Number(line, line.words[k + 1], 1, INT32_MAX);
                break;
            }
            int32_t mode = 0;
            if (word.starts_with('!')) mode |= 1, word.erase(0, 1);
            if (word.starts_with('@')) mode |= 2, word.erase(0, 1);
            slot.conditions.push_back({Value(line, word), mode});
        }
        // A slot without conditions would not read back from the tables.
        if (slot.conditions.empty()) throw line.Error("a slot needs at least one condition");
    }

    // A template item of the rule's own synthesis phrase, made and linked
    // on its first item; items are tried in the order written.
    void AddItem(const SourceLine& line) {
        Count(line, 1, SIZE_MAX);
        if (rule->links.empty()) {
            rule->links.push_back({1.0, static_cast<int32_t>(tables.synthPhrases.size())});
            tables.synthPhrases.emplace_back();
        }
        BuildStepSource& item = tables.synthPhrases[rule->links.front().synth].steps.emplace_back();
        item.c = static_cast<uint8_t>(Number(line, line.words[1], 0, 31));
        item.text1 = line.After(2);
        if (item.text1.size() > 100) throw line.Error("a template has at most 100 bytes");
    }

    void AddSlotOperation(const SourceLine& line) {
        Count(line, 3, 3);
        if (rule->links.empty()) throw line.Error("\"slotop\" before the rule's first \"item\"");
        BuildStepSource& item = tables.synthPhrases[rule->links.front().synth].steps.back();
        const std::vector<std::string>& w = line.words;
        const int32_t slot = Number(line, w[1], 1, kTemplateSlotCount);
        const int32_t mode = OperationKind(w[2]);
        if (mode < 0) throw line.Error("unknown operation \"" + w[2] + "\"");
        if (item.assignments.size() <= static_cast<std::size_t>(slot)) item.assignments.resize(slot + 1);
        item.assignments[slot].push_back({Value(line, w[3]), mode});
    }

    void Directive(const SourceLine& line) {
        const std::string& d = line.words[0];
        const std::vector<std::string>& w = line.words;
        if (d == "rule") return StartRule(line);
        if (!rule) throw line.Error("\"" + d + "\" before the first rule");
        if (d == "slot") {
            AddSlot(line);
        } else if (d == "agree") {
            Count(line, 3, 4);
            const int32_t code = w[2] == "prep1" ? -1 : w[2] == "prep2" ? -2 : Attribute(line, w[2]);
            rule->s.push_back({Child(line, w[1]), code, Slot(line, w[3]), Flag(line, 4, "form")});
        } else if (d == "inherit") {
            Count(line, 2, 3);
            const int32_t group = w[2] == "all" ? -1 : Attribute(line, w[2]);
            rule->i.push_back({Child(line, w[1]), group, Flag(line, 3, "associated")});
        } else if (d == "assign") {
            Count(line, 2, 3);
            rule->j.push_back({static_cast<int16_t>(Slot(line, w[1])), static_cast<int16_t>(Child(line, w[2])),
                               Flag(line, 3, "propagate")});
        } else if (d == "default") {
            Count(line, 2, 4);
            const int32_t entry = w[2] == "none" ? -1 : Number(line, w[2], 1, INT32_MAX);
            if (w.size() == 4) throw line.Error("\"from\" needs a slot");
            const int32_t from = Flag(line, 3, "from") ? Number(line, w[4], 1, kFESlots - 1) : 0;
            rule->p.push_back({Slot(line, w[1]), entry, from});
        } else if (d == "relation") {
            Count(line, 3, 4);
            rule->relations.push_back({Number(line, w[1], 0, INT16_MAX), Slot(line, w[2]), Slot(line, w[3]),
                                       static_cast<uint8_t>(w.size() > 4 ? Number(line, w[4], 0, 255) : 0)});
        } else if (const int32_t mode = OperationKind(d); mode >= 0) {
            Count(line, 1, 1);
            rule->conditions.push_back({Value(line, w[1]), mode});
        } else if (d == "template") {
            rule->name = line.After(1);
            if (rule->name.size() > 100) throw line.Error("a template has at most 100 bytes");
        } else if (d == "item") {
            AddItem(line);
        } else if (d == "slotop") {
            AddSlotOperation(line);
        } else {
            throw line.Error("unknown directive \"" + d + "\"");
        }
    }
};

// Lines of a rule source; only a line starting with "#" is a comment.
std::vector<SourceLine> RuleLines(const std::string& text, const std::string& file) {
    std::vector<SourceLine> lines;
    int number = 0;
    for (const std::string& raw : Split(text, '\n')) {
        ++number;
        std::string trimmed = Trim(raw);
        if (trimmed.empty() || trimmed.starts_with('#')) continue;
        SourceLine& line = lines.emplace_back();
        line.file = file;
        line.number = number;
        line.words = Words(trimmed);
        line.text = std::move(trimmed);
    }
    return lines;
}

}  // namespace

void ParsePhraseRules(const std::string& text, const std::string& file, const AttributeInventory& inventory,
                      PhraseTableSet& tables) {
    RuleReader reader{inventory, tables};
    int ruleLine = 0;
    auto finish = [&] {
        if (reader.rule && reader.rule->slots.empty())
            throw SourceError(file + ":" + std::to_string(ruleLine) + ": a rule needs at least one slot");
    };
    for (const SourceLine& line : RuleLines(text, file)) {
        if (line.words[0] == "rule") {
            finish();
            ruleLine = line.number;
        }
        reader.Directive(line);
    }
    finish();
}

PhraseTableSet CompilePhraseRules(const std::string& folder, const AttributeInventory& inventory) {
    PhraseTableSet tables;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return tables;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& path : files)
        ParsePhraseRules(ReadWholeFile(path.string()), path.filename().string(), inventory, tables);
    return tables;
}

}  // namespace pv
