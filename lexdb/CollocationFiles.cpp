#include "lexdb/CollocationFiles.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "engine/EngineError.h"
#include "lexdb/DataPath.h"
#include "morphology/DelimitedList.h"
#include "morphology/LowerWord.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// An entry text is at most 511 bytes and ends with a 0 byte.
constexpr int32_t kMaxTextRead = 512;

enum Field {
    kHeadword,
    kWordIds,
    kAssociated,
    kFirstPrepositions,
    kRequired,
    kInherited,
    kSecondPrepositions,
    kTranslations,
};

std::vector<WordArray> ParseListOfIdLists(std::string_view text) {
    std::vector<WordArray> lists;
    for (const std::string& item : SplitDelimited(text, '#')) lists.push_back(ParseIdList(item));
    return lists;
}

std::string CollocationFilePath(const std::string& programFolder, std::string_view name, const char* suffix) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return ResolveDataPath(folder, std::string(name) + suffix);
}

// The values of an index's records with key, in index order.
std::vector<int32_t> RowsOfKey(IndexReader& index, int32_t key) {
    std::vector<int32_t> rows;
    for (IndexReader::Found at = index.Find(key); at.found && at.record < index.count(); ++at.record) {
        const IndexReader::Record record = index.Get(at.record);
        if (record.key != key) break;
        rows.push_back(record.value);
    }
    return rows;
}

std::unique_ptr<CollocationFiles>& Database() {
    static std::unique_ptr<CollocationFiles> database;
    return database;
}

}  // namespace

void ParseCollocationText(std::string_view text, Collocation& entry) {
    const std::vector<std::string> fields = SplitDelimited(text, '|');
    auto field = [&](Field f) -> std::string_view {
        return static_cast<std::size_t>(f) < fields.size() ? std::string_view(fields[f]) : std::string_view();
    };
    entry.text = Utf8Decode(field(kHeadword));
    entry.wordIds = ParseIdList(field(kWordIds));
    entry.associatedAttributes = ParseIdList(field(kAssociated));
    entry.firstPrepositions = u"|" + LowerWord(Utf8Decode(field(kFirstPrepositions))) + u"|";
    entry.requiredAttributes = ParseListOfIdLists(field(kRequired));
    for (WordArray& values : entry.requiredAttributes) std::sort(values.begin(), values.end());
    entry.inheritedGroups = ParseListOfIdLists(field(kInherited));
    for (auto* lists : {&entry.requiredAttributes, &entry.inheritedGroups})
        if (lists->size() < entry.wordIds.size()) lists->resize(entry.wordIds.size());
    entry.secondPrepositions =
        fields.size() > kSecondPrepositions ? u"|" + CyrillicToWide(field(kSecondPrepositions)) + u"|" : u"";
    entry.translations = std::string(field(kTranslations));
}

CollocationFiles::CollocationFiles(const std::string& programFolder, std::string_view name)
    : headers(CollocationFilePath(programFolder, name, ".HDR")),
      texts(CollocationFilePath(programFolder, name, ".DAT")),
      byId(CollocationFilePath(programFolder, name, "BYID.HSH")),
      byClass(CollocationFilePath(programFolder, name, "GLID.HSH")),
      byFirstWord(CollocationFilePath(programFolder, name, "WRDID.HSH")) {}

Collocation CollocationFiles::LoadByRow(int32_t row) {
    if (auto known = entryOfRow_.find(row); known != entryOfRow_.end()) return known->second;
    const ColHeader& header = Header(row);
    Collocation entry;
    entry.templateId = header.templateId;
    entry.language = header.language;
    entry.classId = header.classId;
    entry.partOfSpeech = header.partOfSpeech;
    entry.valueC = header.valueC;
    entry.sourceScore = header.firstScore / 1000.0;
    entry.targetScore = header.secondScore / 1000.0;
    entry.meaningId = header.meaningId;
    ParseCollocationText(EntryText(header.textOffset), entry);
    if (entryOfRow_.size() >= kKeptEntries) entryOfRow_.clear();
    entryOfRow_.emplace(row, entry);
    return entry;
}

std::string CollocationFiles::EntryText(int32_t textOffset) {
    std::string text = texts.Get(static_cast<int64_t>(textOffset) + 1, kMaxTextRead);
    const std::size_t end = text.find('\0');
    text.resize(end == std::string::npos ? 0 : end);  // no terminator within 512 bytes: no text
    return text;
}

const std::vector<KeyedRow>& CollocationFiles::EntriesOfFirstWord(int32_t firstId) {
    if (auto known = entriesOfFirstWord_.find(firstId); known != entriesOfFirstWord_.end()) return known->second;
    std::vector<KeyedRow> entries;
    for (const int32_t row : RowsOfKey(byFirstWord, firstId)) {
        const std::vector<std::string> fields = SplitDelimited(EntryText(Header(row).textOffset), '|');
        entries.push_back({row, fields.size() > kWordIds ? JoinIdList(ParseIdList(fields[kWordIds])) : ""});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const KeyedRow& a, const KeyedRow& b) { return a.key < b.key; });
    return entriesOfFirstWord_.emplace(firstId, std::move(entries)).first->second;
}

int32_t CollocationFiles::RowOfId(int32_t id) {
    if (auto known = rowOfId_.find(id); known != rowOfId_.end()) return known->second;
    const IndexReader::Found found = byId.Find(id);
    return rowOfId_.emplace(id, found.found ? byId.Get(found.record).value : -1).first->second;
}

const ColHeader& CollocationFiles::Header(int32_t row) {
    if (auto known = headerOfRow_.find(row); known != headerOfRow_.end()) return known->second;
    return headerOfRow_.emplace(row, ParseColHeader(headers.Get(row))).first->second;
}

const std::vector<int32_t>& CollocationFiles::RowsOfClass(int32_t classId) {
    if (auto known = rowsOfClass_.find(classId); known != rowsOfClass_.end()) return known->second;
    return rowsOfClass_.emplace(classId, RowsOfKey(byClass, classId)).first->second;
}

const std::vector<CollocationFiles::IdLanguage>& CollocationFiles::LanguagesOfIds(const std::string& idList) {
    if (auto known = languagesOfIds_.find(idList); known != languagesOfIds_.end()) return known->second;
    std::vector<IdLanguage> languages;
    for (const int32_t id : ParseIdList(idList))
        if (const int32_t row = RowOfId(id); row >= 0) languages.push_back({id, Header(row).language});
    if (languagesOfIds_.size() >= kKeptEntries) languagesOfIds_.clear();
    return languagesOfIds_.emplace(idList, std::move(languages)).first->second;
}

Collocation CollocationFiles::LoadById(int32_t id) {
    try {
        if (const int32_t row = RowOfId(id); row >= 0) return LoadByRow(row);
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception in " + Utf8Decode(error.what()) + u" in LoadCollocationFromFile");
    }
    return Collocation{};
}

void LoadCollocations(const std::string& programFolder, std::string_view name) {
    try {
        Database() = std::make_unique<CollocationFiles>(programFolder, name);
    } catch (const std::exception& error) {
        throw EngineError(std::string("LoadCollocations:") + error.what());
    }
}

CollocationFiles* CollocationDatabase() { return Database().get(); }

Collocation LoadCollocationFromFile(int32_t id) {
    if (CollocationFiles* database = CollocationDatabase()) return database->LoadById(id);
    ShowErrorBox(u"Exception in collocation files not loaded in LoadCollocationFromFile");
    return Collocation{};
}

}  // namespace pv
