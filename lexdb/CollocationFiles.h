// The dictionary proper: the five collocation files "data/cols" + ".HDR",
// ".DAT", "BYID.HSH", "GLID.HSH", "WRDID.HSH", and the loading of one entry.
// Not thread-safe: one lookup at a time (the readers share block caches).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexdb/ColReaders.h"
#include "lexdb/Collocation.h"

namespace pv {

// Fills the text fields of entry from an entry text ("|"-list): headword,
// word ids, associated attributes, first prepositions, required attributes,
// inherited groups, second prepositions, translations. Missing or
// undecodable fields keep their defaults.
void ParseCollocationText(std::string_view text, Collocation& entry);

// A row of the word-id index with the key of its entry: the word ids of its
// text joined with ";".
struct KeyedRow {
    int32_t row = 0;
    std::string key;
};

struct CollocationFiles {
    // The files named by name + suffix below the program folder (with "\"
    // or "/" and any letter case). Throws EngineError when one cannot be
    // opened.
    CollocationFiles(const std::string& programFolder, std::string_view name = "data/cols");

    // The entry whose id BYID.HSH names (its first record), or the cleared
    // entry (zeros, scores -100) for an unknown id. Errors are shown in an
    // error box and give the cleared entry.
    Collocation LoadById(int32_t id);
    // The entry of a header row. Throws EngineError for a bad row. An entry
    // is parsed once and then kept, up to kKeptEntries of them.
    Collocation LoadByRow(int32_t row);
    static constexpr std::size_t kKeptEntries = 10000;
    // The entries whose first word id is firstId with their keys, sorted by
    // key (those of one key in index order), so that a key and the keys it
    // begins are found by binary search; read once per id and then kept, as
    // the files never change.
    // Throws EngineError for a row that cannot be read.
    const std::vector<KeyedRow>& EntriesOfFirstWord(int32_t firstId);
    // The header row that BYID.HSH gives for id (its first record), -1 for
    // an unknown id. The lookups below are made once per key and then kept,
    // as the files never change; they throw EngineError for a bad row.
    int32_t RowOfId(int32_t id);
    const ColHeader& Header(int32_t row);
    // The rows that GLID.HSH lists for a class, in index order.
    const std::vector<int32_t>& RowsOfClass(int32_t classId);

    // The ids of a ";"-list (an entry's translations) that name an entry,
    // each with that entry's language, in list order. Worked out once per
    // list and then kept, up to kKeptEntries lists: a word's translations
    // are looked up wherever it occurs.
    struct IdLanguage {
        int32_t id = 0;
        int32_t language = 0;
    };
    const std::vector<IdLanguage>& LanguagesOfIds(const std::string& idList);

    ColHdrReader headers;
    ColDataReader texts;
    IndexReader byId;
    IndexReader byClass;      // GLID.HSH
    IndexReader byFirstWord;  // WRDID.HSH

private:
    std::string EntryText(int32_t textOffset);
    std::unordered_map<int32_t, std::vector<KeyedRow>> entriesOfFirstWord_;
    std::unordered_map<int32_t, int32_t> rowOfId_;
    std::unordered_map<int32_t, ColHeader> headerOfRow_;
    std::unordered_map<int32_t, std::vector<int32_t>> rowsOfClass_;
    std::unordered_map<int32_t, Collocation> entryOfRow_;
    std::unordered_map<std::string, std::vector<IdLanguage>> languagesOfIds_;
};

// Opens the collocation files of the program folder as the process-wide
// database. Throws EngineError "LoadCollocations:" + cause.
void LoadCollocations(const std::string& programFolder, std::string_view name = "data/cols");

// The process-wide database; null before LoadCollocations succeeded.
CollocationFiles* CollocationDatabase();

// LoadById on the process-wide database.
Collocation LoadCollocationFromFile(int32_t id);

}  // namespace pv
