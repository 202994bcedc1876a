// The one global engine: its window of word positions, the chart and the
// data folder it was started with.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/Chart.h"
#include "engine/CollocationInstances.h"
#include "engine/WordEntry.h"
#include "lexdb/FEManager.h"
#include "lexdb/TLister.h"

namespace pv {

struct EngineState {
    std::string dataDir;  // prefix of every dictionary file name
    // The window (SourcePhrase): kWindowSlots slots, grown if a cut token
    // needs more.
    std::vector<WordEntryArr> Window = std::vector<WordEntryArr>(kWindowSlots);
    int N = 0;  // filled positions
    int P = 0;  // positions the analysis passes have run over
    Chart chart;
    // Collects the leaves of one span before they enter the chart.
    FragmentEntries temporaryCell;
    // Every collocation the chart uses, as a source or as a translation.
    CollocationInstances instances;
    FEManager pool;  // every FE of the chart comes from here
    // The candidate lists of the phrase rules, created once all tables are
    // loaded; the second is emptied whenever the window runs empty.
    std::array<std::optional<TLister>, 2> listers;
};

EngineState& Engine();

}  // namespace pv
