#include "engine/SentenceDriver.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/AnalysisPasses.h"
#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/OutputSynthesis.h"
#include "engine/TextFront.h"
#include "engine/WordPositions.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

void WaitUntilReady() {
    while (!EngineReady) {
        if (EngineFailed) throw EngineError("the dictionary data could not be loaded");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

// Runs the three passes over the positions from P to e - 1.
void RunPasses(int e) {
    EngineState& engine = Engine();
    if (e - 1 < engine.P) return;
    for (int q = engine.P; q < e; ++q) FragmentPass(q);
    for (int q = engine.P; q < e; ++q) ContextPass(q);
    for (int q = engine.P; q < e; ++q) PhrasePass(q);
    engine.P = e;
}

// Start of the segment that ends at plan position e.
int SegmentStartBefore(int e) { return e - Engine().chart.plan[e].span - 1; }

// The end position of the first segment of the best plan up to e.
int FirstSegmentEnd(int e) {
    int last;
    do {
        last = e;
        e = SegmentStartBefore(e);
    } while (e > 0);
    return last;
}

// The entry that the plan chose for a segment, if its cell still holds it.
const FE* SegmentEntry(const PlanEntry& segment) {
    Chart& chart = Engine().chart;
    if (segment.start < 0 || segment.start >= kChartRows || segment.span < 0 ||
        segment.span >= static_cast<int>(chart.rows[segment.start].size()) || segment.index < 0)
        return nullptr;
    const FragmentEntries& cell = chart.Cell(segment.start, segment.span);
    return cell.count > segment.index ? cell.entries[segment.index] : nullptr;
}

// The text of a segment as it goes out. A plan cuts a sentence into several
// segments where its rules do not join it into one, so only a segment that
// begins a sentence gets a capital; the words of later segments keep the
// case that the dictionary and the source words gave them.
std::u16string OutputCase(const std::u16string& text) {
    EngineState& engine = Engine();
    // Capitalising also drops a text of nothing but blanks and entry marks,
    // which is wanted inside a sentence too; the capital alone is undone there.
    std::u16string out = CapitaliseSegment(text);
    if (!out.empty() && !engine.sentenceOpen) out = text;
    engine.sentenceOpen = SentenceOpenAfter(out, engine.sentenceOpen);
    return out;
}

// The translation of the segment that ends at plan position e. Without its
// entry the segment's words stand as they are, each behind its own entry
// mark so that a batch can give every word back to its entry.
std::u16string SegmentText(int e) {
    const EngineState& engine = Engine();
    const PlanEntry& segment = engine.chart.plan[e];
    if (const FE* entry = SegmentEntry(segment)) return OutputCase(SegmentTranslation(*entry));
    const int first = std::max<int>(segment.start, 0);
    const int end = std::min<int>(segment.start + segment.span + 1, engine.N);
    std::u16string text;
    for (int s = first; s < end; ++s) {
        const WordEntryArr& word = engine.Window[s];
        if (!text.empty()) text += u' ';
        text += word.mark + word.word;
    }
    return OutputCase(text);
}

// All segments of the best plan up to e, in text order: they are made from
// the first on, as each decides whether the next begins a sentence.
std::u16string PlanText(int e) {
    std::vector<int> ends;
    for (; e > 0; e = SegmentStartBefore(e)) ends.push_back(e);
    std::vector<std::u16string> texts(ends.size());
    for (std::size_t k = ends.size(); k-- > 0;) texts[k] = SegmentText(ends[k]);
    std::u16string result;
    for (const std::u16string& text : texts) result = WideTrim(u" " + text + u" " + result);
    return result;
}

}  // namespace

bool ShiftWindow(int r) {
    EngineState& engine = Engine();
    try {
        std::vector<WordEntryArr>& window = engine.Window;
        // Every remaining word moves down, also from slots beyond the
        // analysed ones, so that no word of a long cut token is lost.
        for (int i = 0; i + r < engine.N; ++i) window[i] = std::move(window[i + r]);
        for (int i = std::max(0, engine.N - r); i < engine.N; ++i) window[i] = WordEntryArr{};
        engine.P = std::max(0, engine.P - r);
        engine.N = std::max(0, engine.N - r);
        engine.chart.Shift(r, engine.N);
        engine.ancestors.ReleaseBefore(r);
        engine.instances.ReleaseBefore(r);
        return true;
    } catch (...) {
        ShowErrorBox(u"Exception during cleanup!");
        return false;
    }
}

std::u16string ProcessToken(const std::u16string& token, const std::u16string& mark) {
    WaitUntilReady();
    EngineState& engine = Engine();
    std::u16string result;
    try {
        if (!token.empty()) AddWordToCurrentPhrase(token, mark);
        if (engine.N < kEvaluateAt && !token.empty()) return result;
        // A flush repeats until the window is empty: a cut token may have
        // left more words than one evaluation takes.
        do {
            const int e = std::min(engine.N, kEvaluateAt);
            RunPasses(e);
            int consumed;
            if (!token.empty()) {
                consumed = FirstSegmentEnd(e);
                result = SegmentText(consumed);
            } else {
                consumed = e;
                std::u16string text = PlanText(e);
                result = result.empty() ? text : WideTrim(result + u" " + text);
            }
            if (consumed < 1 || !ShiftWindow(consumed)) return result;
        } while (token.empty() && engine.N > 0);
    } catch (...) {
        // The token contributes what was emitted before the failure.
    }
    return result;
}

}  // namespace pv
