// The word-form trie of the lexicon: read from "DATA\WORDS.GLS" or built
// from the stems and their groups.
#include <exception>
#include <filesystem>
#include <unordered_map>

#include "engine/EngineError.h"
#include "lexdb/DataPath.h"
#include "morphology/WordInflexions.h"

namespace pv {

void InflexionTables::BuildAllWords() {
    try {
        WordTree tree;
        for (const MyStrList::Item& form : zeroForms_.Items()) tree.AddWord(form.text);
        // All stems of a group share one page of endings: the page made for
        // the first stem of the group that is added.
        std::unordered_map<int32_t, int32_t> sharedPage;
        auto addAllForms = [&tree](std::u16string_view stem, const InflexionGroup& group) {
            std::u16string form(stem);
            tree.AddWord(form + group.baseEnding);
            for (const InflexionEntry& entry : group.endings) tree.AddWord(form + entry.ending);
        };
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
            auto shared = sharedPage.find(groupId);
            if (shared == sharedPage.end() || shared->second < 0) {
                addAllForms(stem, *group);
                sharedPage[groupId] = tree.Node(*tree.AddWord(stem)).next;
                continue;
            }
            const WordNode node = *tree.AddWord(stem);
            if (tree.Node(node).next < 0) tree.SetNext(node, shared->second);
            else addAllForms(stem, *group);
        }
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

bool LoadWordForms(const std::string& base) {
    InflexionTables& tables = Inflexions();
    const std::string path = ResolveDataPath(base, kWordFormsFile);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        try {
            WordTree tree;
            tree.LoadFromFile(path);
            tables.wordTree = std::move(tree);
            return true;
        } catch (const std::exception&) {
            // A damaged trie is rebuilt from the lexicon.
        }
    }
    tables.BuildAllWords();
    return false;
}

}  // namespace pv
