#include "datagen/EngineFixture.h"

#include <filesystem>
#include <vector>

#include "datagen/CollocationWriter.h"
#include "datagen/MorphologyFixture.h"
#include "lexdb/DataPath.h"

namespace pv {

namespace {

using namespace fixture;

// The groups a word of each part of speech takes from the word as it
// stands in the text: nouns number, article and case, adjectives gender,
// number and article, verbs number, person and verb form.
WordArray InheritedGroups(int16_t partOfSpeech) {
    switch (partOfSpeech) {
    case 1: return {3, 5, 7};
    case 2: return {2, 3, 5};
    case 3: return {3, 4, 6};
    default: return {};
    }
}

CollocationRecord Entry(int32_t id, const char* text, uint8_t language, int16_t partOfSpeech, int32_t wordId) {
    CollocationRecord r;
    r.id = id;
    r.text = text;
    r.language = language;
    r.partOfSpeech = partOfSpeech;
    r.templateId = 1;  // translated, and inflected by its inherited groups
    r.wordIds = {wordId};
    r.requiredAttributes = {{}};
    r.inheritedGroups = {InheritedGroups(partOfSpeech)};
    r.sourceScore = 1.0;
    return r;
}

// One entry per fixture word; each entry id is 1000 + its word id.
std::vector<CollocationRecord> FixtureEntries() {
    std::vector<CollocationRecord> entries = {
        Entry(1000 + kWalk, "walk", 1, 3, kWalk),       Entry(1000 + kTalk, "talk", 1, 3, kTalk),
        Entry(kBookEntry, "book", 1, 1, kBook),         Entry(1000 + kThe, "the", 1, 5, kThe),
        Entry(1000 + kColour, "colour", 1, 1, kColour), Entry(1000 + kMan, "man", 1, 1, kMan),
        Entry(kHausEntry, "haus", 4, 1, kHaus),         Entry(1000 + kTuer, "tür", 4, 1, kTuer),
        Entry(1000 + kNov, "нов", 2, 2, kNov),          Entry(kKnigaEntry, "книга", 2, 1, kKniga),
        Entry(kEvEntry, "ev", 3, 1, kEv),               Entry(1000 + kNew, "new", 1, 2, kNew),
    };
    for (CollocationRecord& e : entries) {
        if (e.id == kBookEntry) e.translations = std::to_string(kKnigaEntry);
        if (e.id == kKnigaEntry) e.translations = std::to_string(kBookEntry), e.associatedAttributes = {9};
        if (e.id == 1000 + kNew) e.translations = std::to_string(1000 + kNov);
        if (e.id == kHausEntry || e.id == kEvEntry) e.classId = kHouseClass, e.flag = 1;
    }
    return entries;
}

void WriteFixtureDictionary(const std::string& base) {
    // Beside the morphology files: "data" resolves to the DATA folder.
    WriteCollocationFiles(ResolveDataPath(base, "data/cols"), FixtureEntries());
}

struct FixtureFolder {
    FixtureFolder() : path(MakeMorphologyFixture()) { WriteFixtureDictionary(path); }
    ~FixtureFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

}  // namespace

void WriteEngineFixture(const std::string& base) {
    WriteMorphologyFixture(base);
    WriteFixtureDictionary(base);
}

const std::string& EngineFixtureFolder() {
    static const FixtureFolder folder;
    return folder.path;
}

}  // namespace pv
