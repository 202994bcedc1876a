#include <exception>
#include <future>
#include <optional>

#include "engine/ContextScoring.h"
#include "engine/Engine.h"
#include "engine/EngineState.h"
#include "lexdb/CollocationFiles.h"
#include "morphology/Attributes.h"
#include "morphology/PhraseRules.h"
#include "morphology/WordAnalysis.h"
#include "morphology/WordInflexions.h"
#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

void ClearWindow(EngineState& engine) {
    engine.Window.assign(kWindowSlots, WordEntryArr{});
    engine.N = 0;
    engine.P = 0;
}

}  // namespace

bool InitEngine(const std::string& dataDir) {
    EngineState& engine = Engine();
    // The loading stops silently between steps when the application shuts down.
    auto stopped = [] { return EngineStop.load(); };
    EngineReady = false;
    try {
        engine.dataDir = dataDir;
        // The word-form trie and the lexicon's stems are the largest files
        // of the start and need no other table: they are read on threads of
        // their own while the rest loads (in this thread when no thread can
        // be started).
        constexpr auto kOwnThread = std::launch::async | std::launch::deferred;
        std::future<std::optional<WordTree>> wordForms = std::async(kOwnThread, ReadWordForms, dataDir);
        std::future<std::optional<WordsController>> lexicon = std::async(kOwnThread, ReadLexiconWords, dataDir);
        GrammarTables().LoadAttributeDefinitions(dataDir);
        if (stopped()) return false;
        engine.instances.Clear();
        // Instances get their ancestor records as they are added, from the
        // phrase tables on.
        StartAncestorRecords(engine);
        LoadRelationTable(engine);
        if (stopped()) return false;
        LoadContextStores(engine);
        if (stopped()) return false;
        LoadPhrases(dataDir, engine.instances);
        if (stopped()) return false;
        BuildSimplePhrases();
        if (stopped()) return false;
        RequireInflexionTables(dataDir);
        LoadSpellFixes(dataDir);  // without them words are read as written
        if (stopped()) return false;
        RequireLexicon(dataDir, lexicon.get());
        if (stopped()) return false;
        InstallWordForms(wordForms.get());
        if (stopped()) return false;
        engine.chart.Initialise();
        engine.readings.Clear();
        if (stopped()) return false;
        engine.relationCache.Clear();
        if (stopped()) return false;
        ClearWindow(engine);
        engine.instances.RememberBaseCount();
        EngineFailed = false;
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

bool StartEngine(const std::string& dataDir) {
    try {
        LoadCollocations(dataDir);
    } catch (const std::exception& e) {
        ShowErrorBox(u"Exception " + Utf8Decode(e.what()));
        EngineFailed = true;
        return false;
    }
    return InitEngine(dataDir);
}

void ResetEngine() {
    EngineStop = true;
    try {
        EngineState& engine = Engine();
        engine.chart.Initialise();
        ClearWindow(engine);
        engine.sentenceOpen = true;
        ResetContextScoring(engine);
        engine.instances.RestoreBaseCount();
    } catch (...) {
        // The remaining steps are skipped; the engine stays usable.
    }
    EngineStop = false;
}

}  // namespace pv
