#include <exception>

#include "engine/Engine.h"
#include "engine/EngineState.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

EngineState& Engine() {
    static EngineState engine;
    return engine;
}

namespace {

void ClearWindow(EngineState& engine) {
    engine.Window.assign(kWindowSlots, WordEntryArr{});
    engine.N = 0;
    engine.P = 0;
}

}  // namespace

bool InitEngine(const std::string& dataDir) {
    EngineState& engine = Engine();
    try {
        engine.dataDir = dataDir;
        // The loading steps stop silently when the application shuts down.
        if (EngineStop) return false;
        engine.chart.Initialise();
        if (EngineStop) return false;
        ClearWindow(engine);
        engine.listers[0].emplace(120 * Limits.c150);
        engine.listers[1].emplace(480 * Limits.c150);
        EngineReady = true;
        return true;
    } catch (const std::exception& e) {
        ShowErrorBox(u"Exception " + Utf8Decode(e.what()) + u" in InitEngine");
    } catch (...) {
        ShowErrorBox(u"Exception  in InitEngine");
    }
    EngineFailed = true;
    return false;
}

void ResetEngine() {
    EngineStop = true;
    try {
        EngineState& engine = Engine();
        engine.chart.Initialise();
        ClearWindow(engine);
        for (std::optional<TLister>& lister : engine.listers)
            if (lister) lister->Reset();
    } catch (...) {
        // The remaining steps are skipped; the engine stays usable.
    }
    EngineStop = false;
}

}  // namespace pv
