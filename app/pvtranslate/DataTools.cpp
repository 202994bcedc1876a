#include "app/pvtranslate/DataTools.h"

#include <exception>
#include <filesystem>

#include "engine/Segmentation.h"
#include "lexdb/DataPath.h"
#include "morphology/Attributes.h"
#include "morphology/GrammarLabels.h"
#include "morphology/WordAnalysis.h"
#include "morphology/WordFormsListing.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// The tools speak English.
constexpr int32_t kSelector = 1;

std::string Label(int32_t value) {
    AttributeSet set;
    set.SetBit(value);
    return Utf8Encode(GetGrammarLabels(set, kSelector));
}

std::string WithLabel(int32_t value) {
    const std::string label = Label(value);
    return label.empty() ? std::to_string(value) : std::to_string(value) + " (" + label + ")";
}

void WriteReadings(const WordEntryArr& entry, const std::string& indent, std::ostream& out) {
    if (entry.meanings.empty()) out << indent << "no reading\n";
    for (const WordEntry& reading : entry.meanings) {
        out << indent << "word " << reading.id << " \"" << Utf8Encode(reading.baseForm) << "\", part of speech "
            << WithLabel(reading.partOfSpeech) << ", language " << reading.language << " ("
            << Utf8Encode(GetLanguageName(reading.language, kSelector)) << "), weight " << reading.readingWeight
            << "\n" << indent << "  values:";
        for (std::size_t i = 0; i < reading.attributes.size(); ++i)
            out << (i ? ", " : " ") << WithLabel(reading.attributes[i]);
        out << "\n";
    }
}

}  // namespace

bool FindDataFolder(const std::string& dataDir, std::string& error) {
    const std::string folder = ResolveDataPath(dataDir, "DATA");
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    error = "the data folder " + folder + " is missing (pvdata build makes it)";
    return false;
}

bool LoadAnalysisTables(const std::string& dataDir, std::string& error) {
    if (!FindDataFolder(dataDir, error)) return false;
    try {
        LoadAnalysisTables(dataDir);
    } catch (const std::exception& e) {
        error = "the data folder " + ResolveDataPath(dataDir, "DATA") + " is broken: " + e.what();
        return false;
    }
    return true;
}

void WriteAnalysis(std::u16string_view text, std::ostream& out) {
    std::size_t p = 1;
    for (SkipSeparators(text, p); p <= text.size(); SkipSeparators(text, p)) {
        const std::u16string token = NextToken(text, p);
        if (token.empty()) {
            ++p;
            continue;
        }
        out << Utf8Encode(token) << "\n";
        try {
            const WordEntryArr entry = GetWordMeanings(token);
            WriteReadings(entry, "  ", out);
            if (!entry.meanings.empty()) continue;
            // An unknown word is read in the parts translation cuts it into.
            const PositionList cuts = GetCutPositions(token, true);
            for (std::size_t i = 0; cuts.size() > 2 && i + 1 < cuts.size(); ++i) {
                std::u16string_view part = std::u16string_view(token).substr(cuts[i] - 1, cuts[i + 1] - cuts[i]);
                if (i + 2 < cuts.size()) part = CompoundPartWord(part);
                out << "  part " << Utf8Encode(part) << "\n";
                WriteReadings(GetWordMeanings(part), "    ", out);
            }
        } catch (const std::exception& e) {
            out << "  error: " << e.what() << "\n";
        }
    }
}

void WriteWordForms(std::u16string_view word, int32_t onlyLanguage, std::ostream& out) {
    for (const FormRow& row : ListWordForms(word, onlyLanguage, kSelector))
        if (row.labels.empty() && row.form.empty()) out << "\n";
        else out << Utf8Encode(row.labels) << "\t" << Utf8Encode(row.form) << "\n";
}

}  // namespace pv
