#include "engine/AnalysisPasses.h"

#include <exception>
#include <string>

#include "engine/CollocationSearch.h"
#include "engine/ContextScoring.h"
#include "engine/EngineError.h"
#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/PhraseRules.h"
#include "engine/PlanSearch.h"
#include "engine/TranslationLookup.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

void Report(const std::exception& error, const char16_t* where) {
    ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + where);
}

// Runs one step of a pass; a failure is reported and the pass goes on.
template <typename Step>
void Guarded(const char16_t* where, Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        Report(error, where);
    }
}

}  // namespace

void AddFragments(int q, int a) {
    try {
        EngineState& engine = Engine();
        FragmentEntries& leaves = engine.temporaryCell;
        FragmentEntries& cell = engine.chart.Cell(q, a - q);
        for (int k = 0; k < leaves.count; ++k) {
            FE& leaf = *leaves.entries[k];
            leaf.start = static_cast<int16_t>(q);
            leaf.span = static_cast<int16_t>(a - q);
            AddToCell(cell, leaf);
        }
        cell.words = leaves.words;
        cell.partialMatches = leaves.partialMatches;
        if (!cell.partialMatches.empty()) NoteContent(cell);
    } catch (const std::exception& error) {
        throw EngineError(std::string(error.what()) + " occurred in AddFragments");
    }
}

void FragmentPass(int a) {
    EngineState& engine = Engine();
    FragmentEntries& leaves = engine.temporaryCell;
    for (int q = a; q >= 0 && a - q < kMaxLeafWords && !EngineStop; --q) {
        Guarded(u" in TryCollocationSQL/FindTranslations", [&] {
            TryCollocationSQL(q, a, leaves);
            FindTranslations(leaves);
        });
        Guarded(u" in AddToContext", [&] { AddToContext(leaves); });
        Guarded(u" in AddFragments", [&] { AddFragments(q, a); });
        ClearCell(leaves);
    }
    for (int q = a; q >= 0 && !EngineStop; --q) ExtendPartialMatches(q, a);
}

void ContextPass(int a) {
    Chart& chart = Engine().chart;
    for (int q = a; q >= 0 && a - q < kMaxLeafWords && !EngineStop; --q)
        Guarded(u" in ContextEval", [&] { ContextEval(chart.Cell(q, a - q)); });
}

void PhrasePass(int a) {
    Chart& chart = Engine().chart;
    if (a > MaxPlans) {
        const int p = PruneStart(a);
        if (p >= 0) chart.ActiveStart[p] = 0;
    }
    for (int i = a; i >= 0 && !EngineStop; --i) {
        if (!chart.ActiveStart[i]) continue;
        Guarded(u" in PhrasePass", [&] {
            const int d = a - i;
            SortCell(i, d);
            ApplyUnaryRules(i, d);
            TrimCell(chart.Cell(i, d));
            AddCellToPlan(i, a);
            if (i > 0) CombineCells(i, a);
        });
    }
}

}  // namespace pv
