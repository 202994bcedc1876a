#include "datagen/build/LexiconFiles.h"

#include "datagen/InflexionWriters.h"
#include "datagen/LexiconWriter.h"
#include "datagen/WordTreeWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/LowerWord.h"
#include "morphology/WordInflexions.h"

namespace pv {

void WriteLexiconFiles(const std::string& base, const InflectionModel& model) {
    std::vector<LexiconWord> words;
    words.reserve(model.words.size());
    for (const LexiconWordRecord& w : model.words)
        words.push_back({w.id, LowerWord(w.stem), static_cast<uint8_t>(w.language), static_cast<uint16_t>(w.group),
                         static_cast<int16_t>(w.partOfSpeech)});
    WriteLexicon(base, words);

    std::vector<InflexionGroup> groups;
    groups.reserve(model.groups.size());
    for (const InflectionGroupRecord& g : model.groups) {
        InflexionGroup group{g.id, LowerWord(g.baseEnding), {}};
        for (const InflectionEndingRecord& e : g.endings) group.endings.push_back({e.key, LowerWord(e.text)});
        groups.push_back(std::move(group));
    }
    WriteInflexionGroups(base, groups);

    std::vector<InflexionDetail> details;
    details.reserve(model.details.size());
    for (const InflectionDetailRecord& d : model.details) details.push_back({d.language, d.values, d.displayOrder});
    WriteInflexionDetails(base, details);
}

int32_t WriteWordFormTrie(const std::string& base) {
    RequireInflexionTables(base);
    RequireLexicon(base);
    InflexionTables& tables = Inflexions();
    tables.BuildAllWords();
    WriteWordTreeFile(ResolveDataPath(base, kWordFormsFile), tables.wordTree);
    const int32_t pages = tables.wordTree.count();
    tables = InflexionTables{};  // the build needs them no further
    return pages;
}

}  // namespace pv
