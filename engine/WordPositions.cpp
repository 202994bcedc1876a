#include "engine/WordPositions.h"

#include <algorithm>
#include <exception>

#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "morphology/WordAnalysis.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// Every part of a cut token but the last carries this weight into the
// collocation scores.
constexpr double kInnerPartWeight = 3.0;

void Report(const std::exception& error, const char16_t* where) {
    ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in AddWordToCurrentPhrase" + where);
}

// The readings of a word; a failure is reported and the word stands
// without readings, so that it still reaches the output.
WordEntryArr Meanings(std::u16string_view word, const char16_t* where) {
    try {
        WordEntryArr e = Engine().readings.Meanings(word);
        DropRussianReadingsOfBulgarianWords(e);
        return e;
    } catch (const std::exception& error) {
        Report(error, where);
    }
    WordEntryArr e;
    e.word = word;
    return e;
}

void Append(WordEntryArr position) {
    EngineState& engine = Engine();
    // The window grows when the parts of one token do not fit its slots.
    if (engine.N >= static_cast<int>(engine.Window.size())) engine.Window.resize(engine.N + 1);
    engine.Window[engine.N] = std::move(position);
    ++engine.N;
}

bool AnyReading(const WordEntryArr& e, bool (*test)(const WordEntry&)) {
    return std::any_of(e.meanings.begin(), e.meanings.end(), test);
}

// Unknown words, words marked for cutting, and the compounds of Turkish
// and German are split into parts.
bool MustCut(const WordEntryArr& e, std::size_t length) {
    if (e.meanings.empty()) return true;
    if (AnyReading(e, [](const WordEntry& r) { return r.partOfSpeech == 850; })) return true;
    if (length > 3 && HasLanguage(e, kTurkish)) return true;
    return length > 6 && HasLanguage(e, kGerman);
}

// The parts between neighbouring cut points, each a position of its own.
void AppendParts(const std::u16string& token, const std::u16string& mark, bool allowUnknown) {
    const PositionList cuts = GetCutPositions(token, allowUnknown);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const std::size_t from = static_cast<std::size_t>(cuts[i] - 1);
        std::u16string_view word = std::u16string_view(token).substr(from, cuts[i + 1] - cuts[i]);
        if (i + 2 < cuts.size()) word = CompoundPartWord(word);
        WordEntryArr part = Meanings(word, u"/GetWordMeanings 1");
        part.mark = mark;
        part.weight = i + 2 < cuts.size() ? kInnerPartWeight : 0.0;
        Append(std::move(part));
    }
}

}  // namespace

void DropRussianReadingsOfBulgarianWords(WordEntryArr& e) {
    if (HasLanguage(e, kBulgarian))
        std::erase_if(e.meanings, [](const WordEntry& r) { return r.language == kRussian; });
}

void AddWordToCurrentPhrase(const std::u16string& token, const std::u16string& mark) {
    try {
        WordEntryArr e = Meanings(token, u"/GetWordMeanings 0");
        e.mark = mark;
        e.weight = 0.0;
        if (MustCut(e, token.size())) {
            try {
                AppendParts(token, mark, e.meanings.empty());
            } catch (const std::exception& error) {
                Report(error, u"/TrySplit");
            }
        } else {
            try {
                Append(std::move(e));
            } catch (const std::exception& error) {
                Report(error, u"/NoSplit");
            }
        }
    } catch (const std::exception& error) {
        Report(error, u"");
    }
}

}  // namespace pv
