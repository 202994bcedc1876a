#include "engine/WordPositions.h"

#include "engine/EngineState.h"

namespace pv {

// Without a lexicon a token has no readings and no cut points, so it
// becomes one position of its own with weight 0.
void AddWordToCurrentPhrase(const std::u16string& token, const std::u16string& mark) {
    EngineState& engine = Engine();
    if (engine.N >= static_cast<int>(engine.Window.size())) engine.Window.resize(engine.N + 1);
    WordEntryArr& slot = engine.Window[engine.N];
    slot = WordEntryArr{};
    slot.word = token;
    slot.mark = mark;
    ++engine.N;
}

}  // namespace pv
