// The word-form trie of the lexicon: read from "DATA\WORDS.GLS" or built
// from the stems and their groups.
#include <exception>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "engine/EngineError.h"
#include "lexdb/DataPath.h"
#include "morphology/WordInflexions.h"

namespace pv {

void InflexionTables::BuildAllWords() {
    try {
        WordTree tree;
        for (const MyStrList::Item& form : zeroForms_.Items()) tree.AddWord(form.text);
        // A stem whose node has no children yet takes its group's page of
        // endings: the page made below the first such stem of the group.
        // The tree copies a shared page before anything is added below it,
        // so a stem that runs on through another stem's endings never
        // changes (or loops back into) the page that the group shares.
        std::unordered_map<int32_t, int32_t> sharedPage;
        for (int32_t k = 0; k < words.Count(); ++k) {
            const std::u16string_view stem = words.Item(k);
            if (stem.empty()) continue;
            const int32_t groupId = words.Record(words.RecordAt(k)).group;
            if (IsUninflected(groupId)) {
                tree.AddWord(stem);
                continue;
            }
            const InflexionGroup* group = FindGroup(groupId);
            if (!group) continue;
            const WordNode node = *tree.AddWord(stem);
            const int32_t next = tree.Node(node).next;
            auto shared = sharedPage.find(groupId);
            if (shared != sharedPage.end() && next == shared->second) continue;  // the same word again
            if (shared != sharedPage.end() && next < 0) {
                tree.SetNext(node, shared->second);
                continue;
            }
            // The forms go below the stem's node, which AddToPage leaves in place.
            tree.AddToPage(group->baseEnding, node);
            for (const InflexionEntry& entry : group->endings) tree.AddToPage(entry.ending, node);
            const int32_t endings = tree.Node(node).next;
            if (shared == sharedPage.end() && next < 0 && endings >= 0) {
                tree.Share(endings);
                sharedPage.emplace(groupId, endings);
            }
        }
        tree.DropUnreachablePages();
        wordTree = std::move(tree);
    } catch (const std::exception& error) {
        throw EngineError(std::string("Exception [") + error.what() + "] in BuildAllWords");
    }
}

bool InflexionTables::PrefixLookup(std::u16string_view text) const {
    try {
        return wordTree.HasPrefix(text);
    } catch (const std::exception& error) {
        throw EngineError(std::string("PrefixLookup: ") + error.what());
    }
}

std::optional<WordTree> ReadWordForms(const std::string& base) {
    const std::string path = ResolveDataPath(base, kWordFormsFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    try {
        WordTree tree;
        tree.LoadFromFile(path);
        return tree;
    } catch (const std::exception&) {
        return std::nullopt;  // a damaged trie is rebuilt from the lexicon
    }
}

bool InstallWordForms(std::optional<WordTree> tree) {
    InflexionTables& tables = Inflexions();
    if (!tree) {
        tables.BuildAllWords();
        return false;
    }
    tables.wordTree = std::move(*tree);
    return true;
}

bool LoadWordForms(const std::string& base) { return InstallWordForms(ReadWordForms(base)); }

}  // namespace pv
