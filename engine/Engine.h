// The engine's public face: translation of texts and batches, start-up and
// reset. Every front operation holds the engine lock for its whole run.
#pragma once

#include <array>
#include <string>

#include "engine/EngineSettings.h"

namespace pv {

constexpr int kBatchEntries = 100;
using BatchEntries = std::array<std::u16string, kBatchEntries>;

// The translation of a whole text into TargetLanguage.
std::u16string TranslateText(std::u16string_view text);

// Translates the entries in place, up to the first empty one; entry k
// receives the translation of its own text.
void TranslateBatch(BatchEntries& entries);

// One batch entry's tokens through the driver, without flush or FixResult.
std::u16string TranslateEntry(std::u16string_view text, const std::u16string& mark);

// The part of `joined` that belongs to entry k; consumes it from the front.
std::u16string ExtractEntryResult(std::u16string& joined, int k);

// Loads the dictionary data of dataDir (a folder with a trailing
// separator) and makes the engine ready. Returns false when it could not;
// the failure has been reported.
bool InitEngine(const std::string& dataDir);

// A program's start: opens the dictionary "data/cols" of dataDir as the
// process-wide database, then InitEngine. False when either failed; the
// failure has been reported.
bool StartEngine(const std::string& dataDir);

// Forgets the window, chart and per-text state without reloading anything.
void ResetEngine();

}  // namespace pv
