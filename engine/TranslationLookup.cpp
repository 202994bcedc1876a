#include "engine/TranslationLookup.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "lexdb/CollocationFiles.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// Parts of speech whose translation keeps the source reading's values of
// the groups below (nouns, numbers and their kin).
bool KeepsSourceForm(int32_t partOfSpeech) {
    return partOfSpeech == 1 || partOfSpeech == 257 || partOfSpeech == 300 || partOfSpeech == 303;
}
constexpr int32_t kKeptGroups[] = {3, 164, 4};

// Equivalents of a class are accepted by their header flag in two rounds.
constexpr uint8_t kAcceptedEquivalent = 1;
constexpr int32_t kNoFlagZeroFallback = 257;

std::u16string What(const std::exception& error) { return Utf8Decode(error.what()); }

const Collocation& SourceOf(const FE& entry) {
    const CollocationInstances& instances = Engine().instances;
    if (entry.sourceInstance < 0 || entry.sourceInstance >= instances.Count())
        throw EngineError("source instance " + std::to_string(entry.sourceInstance) + " is not in the table");
    return instances[entry.sourceInstance];
}

// Steps 1 and 2 of AddTranslationToFE with the record loaded by `load`.
template <typename Load>
void AddLoadedTranslation(FragmentEntries& cell, Load load, int& k, bool alreadyFound) {
    try {
        if (alreadyFound) {
            const FE copy = *cell.entries[k];
            FE* added = AppendEntry(cell, copy);
            if (!added) throw EngineError("no fragment entry left for a further translation");
            k = added->index;
        }
        AddTranslation(cell, k, load());
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + What(error) + u" in AddTranslationToFE");
    }
}

// The equivalents of class c with the source's part of speech whose header
// flag is `flag`; returns whether one was added.
bool AddClassEquivalents(FragmentEntries& cell, int& k, int32_t classId, int32_t partOfSpeech,
                         uint8_t flag, bool found) {
    CollocationFiles* database = CollocationDatabase();
    if (!database) return found;
    for (const int32_t row : database->RowsOfClass(classId)) {
        const ColHeader& header = database->Header(row);
        if (header.classId != classId || header.language != TargetLanguage ||
            header.partOfSpeech != partOfSpeech || header.flag != flag)
            continue;
        AddLoadedTranslation(cell, [&] { return database->LoadByRow(row); }, k, found);
        found = true;
    }
    return found;
}

// The source stands for itself: a copy of it, at its position, is the
// target.
void TranslateAsItself(FragmentEntries& cell, int k) {
    CollocationInstances& instances = Engine().instances;
    Collocation self = SourceOf(*cell.entries[k]);
    const int32_t position = self.position;
    const int32_t target = instances.AddCollocation(std::move(self), position);
    FE& entry = *cell.entries[k];
    entry.targetInstance = target;
    entry.associated.Clear();
    GrammarTables().FromList(entry.associated, instances[target].associatedAttributes);
}

// Whether the entry's value of attribute group comes from the text: a word
// of the entry takes the group from its context, and for the
// capitalisation, the entry is not spelled with a capital of its own (a
// German noun, a name), which would say nothing of its translation.
bool TakesFromText(const Collocation& entry, int32_t group) {
    if (group == kCapitalisationAttribute && StartsWithCapital(entry.text)) return false;
    for (const WordArray& groups : entry.inheritedGroups)
        if (Contains(groups, group)) return true;
    return false;
}

}  // namespace

void FindTranslations(FragmentEntries& cell) {
    const int sources = cell.count;
    for (int k = 0; k < sources; ++k)
        if (cell.entries[k]->sourceInstance >= 0) FindTranslationsOf(cell, k);
}

void FindTranslationsOf(FragmentEntries& cell, int k) {
    try {
        const Collocation& source = SourceOf(*cell.entries[k]);
        // Copies: adding instances may move the table.
        const int32_t templateId = source.templateId;
        const int32_t classId = source.classId;
        const int32_t partOfSpeech = source.partOfSpeech;
        // A word already in the target language stands for itself: its class
        // would replace it by a synonym, its list by a word of that meaning.
        const bool ownLanguage = source.language == TargetLanguage;
        bool found = false;
        if (templateId > 0 && !ownLanguage) {
            // The translations of the target language, else the
            // language-neutral ones.
            std::vector<CollocationFiles::IdLanguage> languageOfId;
            if (CollocationFiles* database = CollocationDatabase())
                languageOfId = database->LanguagesOfIds(source.translations);
            for (int32_t language : {TargetLanguage, 0}) {
                if (found) break;
                for (const auto& [id, idLanguage] : languageOfId) {
                    if (idLanguage != language) continue;
                    AddTranslationToFE(cell, id, k, found);
                    found = true;
                }
            }
            if (!found && classId > 0)
                found = AddClassEquivalents(cell, k, classId, partOfSpeech, kAcceptedEquivalent, found);
            if (!found && classId > 0 && partOfSpeech != kNoFlagZeroFallback)
                found = AddClassEquivalents(cell, k, classId, partOfSpeech, 0, found);
        }
        if (!found) TranslateAsItself(cell, k);
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + What(error) + u" in FindTranslations()");
    }
}

void AddTranslationToFE(FragmentEntries& cell, int32_t id, int& k, bool alreadyFound) {
    AddLoadedTranslation(cell, [id] { return LoadCollocationFromFile(id); }, k, alreadyFound);
}

void AddTranslation(FragmentEntries& cell, int k, Collocation added) {
    try {
        FE& entry = *cell.entries[k];
        CollocationInstances& instances = Engine().instances;
        entry.score = SourceOf(entry).sourceScore + added.targetScore;
        entry.targetInstance = instances.AddCollocation(std::move(added), SourceOf(entry).position);
        // Taken after the addition, which may move the instances.
        const Collocation& source = SourceOf(entry);
        const Collocation& target = instances[entry.targetInstance];
        const AttributeTables& tables = GrammarTables();
        entry.associated.Clear();
        if (KeepsSourceForm(target.partOfSpeech))
            for (int32_t group : kKeptGroups)
                if (int32_t value = tables.ValueOfAttribute(entry.inherited, group); value >= 0)
                    tables.SetAttribute(entry.associated, value);
        // Until a phrase rule places it, the source reading is the target's
        // only context: the groups the target's words take from their
        // context (number, person, tense, ...) get the reading's values,
        // where the source word too takes that group from the text.
        for (const WordArray& groups : target.inheritedGroups)
            for (int32_t group : groups)
                if (TakesFromText(source, group))
                    if (int32_t value = tables.ValueOfAttribute(entry.inherited, group); value >= 0)
                        tables.SetAttribute(entry.associated, value);
        tables.FromList(entry.associated, target.associatedAttributes);
        entry.planEligible = 1;
    } catch (const std::exception& error) {
        throw EngineError("Exception " + std::string(error.what()) + " in AddTranslation(N=" + std::to_string(k) +
                          ", EntriesLen=" + std::to_string(cell.count) + ")");
    }
}

}  // namespace pv
