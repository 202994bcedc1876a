// The one global engine: its window of word positions, the chart and the
// data folder it was started with.
#pragma once

#include <string>
#include <vector>

#include "engine/Chart.h"
#include "engine/WordEntry.h"

namespace pv {

struct EngineState {
    std::string dataDir;  // prefix of every dictionary file name
    // The window (SourcePhrase): kWindowSlots slots, grown if a cut token
    // needs more.
    std::vector<WordEntryArr> Window = std::vector<WordEntryArr>(kWindowSlots);
    int N = 0;  // filled positions
    int P = 0;  // positions the analysis passes have run over
    Chart chart;
};

EngineState& Engine();

}  // namespace pv
