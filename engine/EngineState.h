// The one global engine: its window of word positions, the chart and the
// data folder it was started with.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Chart.h"
#include "engine/CollocationInstances.h"
#include "engine/ContextScoring.h"
#include "engine/ContextScoringAncestors.h"
#include "engine/ContextScoringRelations.h"
#include "engine/ReadingsCache.h"
#include "engine/WordEntry.h"
#include "lexdb/ContextStore.h"
#include "lexdb/FEManager.h"
#include "lexdb/RelationStore.h"

namespace pv {

struct EngineState {
    std::string dataDir;  // prefix of every dictionary file name
    // The window (SourcePhrase): kWindowSlots slots, grown if a cut token
    // needs more.
    std::vector<WordEntryArr> Window = std::vector<WordEntryArr>(kWindowSlots);
    int N = 0;  // filled positions
    int P = 0;  // positions the analysis passes have run over
    // Whether the next segment of output begins a sentence.
    bool sentenceOpen = true;
    ReadingsCache readings;  // of the words of the current text
    Chart chart;
    // Collects the leaves of one span before they enter the chart.
    FragmentEntries temporaryCell;
    // Every collocation the chart uses, as a source or as a translation.
    CollocationInstances instances;
    FEManager pool;  // every FE of the chart comes from here

    // Context and relation scoring: the stores, loaded at start (null when
    // not loaded: they answer nothing), the context of the current text,
    // the ancestor chains of the classes in use and the relation scores.
    std::unique_ptr<RelationHash> relations;
    std::unique_ptr<RelationLoader> extendedRelations;
    std::unique_ptr<ContextDataHash> contextData;       // "CD", by meaning id
    std::unique_ptr<ContextDataHash> classContextData;  // "RCD", by class id
    ContextTables context;
    AncestorRecords ancestors;
    RelationScoreCache relationCache;
};

// Inline: the engine's own code asks for it millions of times a text.
inline EngineState& Engine() {
    static EngineState engine;
    return engine;
}

}  // namespace pv
