// The dictionary proper: the five collocation files "data/cols" + ".HDR",
// ".DAT", "BYID.HSH", "GLID.HSH", "WRDID.HSH", and the loading of one entry.
// Not thread-safe: one lookup at a time (the readers share block caches).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "lexdb/ColReaders.h"
#include "lexdb/Collocation.h"

namespace pv {

// Fills the text fields of entry from an entry text ("|"-list): headword,
// word ids, associated attributes, first prepositions, required attributes,
// inherited groups, second prepositions, translations. Missing or
// undecodable fields keep their defaults.
void ParseCollocationText(std::string_view text, Collocation& entry);

struct CollocationFiles {
    // The files named by name + suffix below the program folder (with "\"
    // or "/" and any letter case). Throws EngineError when one cannot be
    // opened.
    CollocationFiles(const std::string& programFolder, std::string_view name = "data/cols");

    // The entry whose id BYID.HSH names (its first record), or the cleared
    // entry (zeros, scores -100) for an unknown id. Errors are shown in an
    // error box and give the cleared entry.
    Collocation LoadById(int32_t id);
    // The entry of a header row. Throws EngineError for a bad row.
    Collocation LoadByRow(int32_t row);

    ColHdrReader headers;
    ColDataReader texts;
    IndexReader byId;
    IndexReader byClass;      // GLID.HSH
    IndexReader byFirstWord;  // WRDID.HSH
};

// Opens the collocation files of the program folder as the process-wide
// database. Throws EngineError "LoadCollocations:" + cause.
void LoadCollocations(const std::string& programFolder, std::string_view name = "data/cols");

// The process-wide database; null before LoadCollocations succeeded.
CollocationFiles* CollocationDatabase();

// LoadById on the process-wide database.
Collocation LoadCollocationFromFile(int32_t id);

}  // namespace pv
