// Writer of the five collocation files (the inverse of
// lexdb/CollocationFiles.h): header rows, entry texts and the three sorted
// indexes, each a cached block file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

// One dictionary entry as the data builder knows it.
struct CollocationRecord {
    int32_t id = 0;
    int32_t templateId = 0;
    uint8_t language = 0;
    int32_t classId = 0;
    int16_t partOfSpeech = 0;
    uint8_t flag = 0;
    int16_t valueC = 0;
    double sourceScore = 0;  // stored × 1000, rounded
    double targetScore = 0;
    int32_t meaningId = 0;

    std::string text;  // headword, UTF-8
    WordArray wordIds;
    WordArray associatedAttributes;
    std::string firstPrepositions;  // UTF-8, the reader lower-cases it and adds the "|" marks
    std::vector<WordArray> requiredAttributes;
    std::vector<WordArray> inheritedGroups;
    std::string secondPrepositions;  // Windows-1251 bytes; empty: the field is left out when nothing follows
    std::string translations;        // entry ids separated by ";"
};

// The entry's text as stored (without its 0 byte). Throws WriterError when
// it would not read back: longer than 511 bytes, a 0 byte, or a headword or
// first prepositions that are not UTF-8.
std::string CollocationText(const CollocationRecord& record);

struct IndexRecord {
    int32_t key = 0;
    int32_t value = 0;
};
// An index file; throws WriterError for records not sorted by key.
void WriteIndexFile(const std::string& path, const std::vector<IndexRecord>& records);

// Writes base + ".HDR", ".DAT", "BYID.HSH", "GLID.HSH", "WRDID.HSH". Rows
// follow the order of records; in each index, records with equal keys keep
// that order too.
void WriteCollocationFiles(const std::string& base, const std::vector<CollocationRecord>& records);

}  // namespace pv
