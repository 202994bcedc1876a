// pvdata entry [--data DIR] WORD: the dictionary entries of a word in every
// language, read from the collocation files as the engine reads them.
#include <exception>
#include <map>
#include <vector>

#include "datagen/build/LexiconModel.h"
#include "datagen/pvdata/Commands.h"
#include "lexdb/CollocationFiles.h"
#include "morphology/DelimitedList.h"
#include "morphology/LowerWord.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::string Ids(const WordArray& ids) {
    if (ids.empty()) return "-";
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) text += (i ? ";" : "") + std::to_string(ids[i]);
    return text;
}

std::string IdLists(const std::vector<WordArray>& lists) {
    std::string text;
    for (std::size_t i = 0; i < lists.size(); ++i) text += (i ? " # " : "") + Ids(lists[i]);
    return text.empty() ? "-" : text;
}

std::string Language(int32_t language) {
    const std::string code = LanguageCode(language);
    return code.empty() ? std::to_string(language) : code;
}

// Whether word is one of the blank-separated words of a multi-word text.
bool HasWord(const std::u16string& text, const std::u16string& word) {
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(u' ', start);
        if (end == std::u16string::npos) end = text.size();
        if (text.compare(start, end - start, word) == 0) return true;
        start = end + 1;
    }
    return false;
}

void PrintEntry(CollocationFiles& files, int32_t id, int32_t row, std::ostream& out) {
    const ColHeader header = ParseColHeader(files.headers.Get(row));
    const Collocation entry = files.LoadByRow(row);
    out << Language(entry.language) << " " << Utf8Encode(entry.text) << "  (entry " << id << ", row " << row << ")\n"
        << "  part of speech " << entry.partOfSpeech << ", template " << entry.templateId << ", class "
        << entry.classId << " (flag " << int(header.flag) << "), value C " << entry.valueC << ", scores "
        << entry.sourceScore << " " << entry.targetScore << ", meaning " << entry.meaningId << "\n"
        << "  word ids " << Ids(entry.wordIds) << "; required " << IdLists(entry.requiredAttributes)
        << "; inherited " << IdLists(entry.inheritedGroups) << "; associated " << Ids(entry.associatedAttributes)
        << "\n"
        << "  prepositions " << Utf8Encode(entry.firstPrepositions) << " " << Utf8Encode(entry.secondPrepositions)
        << "\n  translations:";
    const WordArray translations = ParseIdList(entry.translations);
    if (translations.empty()) out << " -";
    for (int32_t translation : translations) {
        const Collocation target = files.LoadById(translation);
        out << "\n    " << Language(target.language) << " " << Utf8Encode(target.text) << "  (entry " << translation
            << ")";
    }
    out << "\n";
}

}  // namespace

int RunEntry(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string folder = ProgramFolder(), word;
    bool ok = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data" && i + 1 < args.size()) folder = args[++i];
        else if (word.empty() && !args[i].empty() && args[i][0] != '-') word = args[i];
        else ok = false;
    }
    if (!ok || word.empty()) {
        err << "usage: pvdata entry [--data DIR] WORD\n";
        return 2;
    }
    try {
        CollocationFiles files(folder);
        std::map<int32_t, int32_t> idOfRow;
        for (int32_t k = 0; k < files.byId.count(); ++k) {
            const IndexReader::Record record = files.byId.Get(k);
            idOfRow.emplace(record.value, record.key);
        }
        const std::u16string wanted = LowerWord(Utf8Decode(word));
        std::vector<int32_t> exact, within;
        for (int32_t row = 0; row < files.headers.RowCount(); ++row) {
            const std::u16string text = LowerWord(files.LoadByRow(row).text);
            if (text == wanted) exact.push_back(row);
            else if (text.find(u' ') != std::u16string::npos && HasWord(text, wanted)) within.push_back(row);
        }
        if (exact.empty() && within.empty()) {
            out << "no dictionary entry for " << word << "\n";
            return 1;
        }
        for (int32_t row : exact) PrintEntry(files, idOfRow.count(row) ? idOfRow[row] : -1, row, out);
        if (!within.empty()) out << "in multi-word entries:\n";
        for (int32_t row : within) PrintEntry(files, idOfRow.count(row) ? idOfRow[row] : -1, row, out);
        return 0;
    } catch (const std::exception& e) {
        err << "pvdata entry: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace pv
