// Engine settings that the application sets and the engine reads, the
// start/stop flags and the one recursive engine lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace pv {

// Language ids of the engine.
enum LanguageId : int32_t {
    kEnglish = 1,
    kBulgarian = 2,
    kTurkish = 3,
    kGerman = 4,
    kSpanish = 5,
    kFrench = 6,
    kItalian = 7,
    kGreek = 8,
    kRussian = 9,
};

inline int32_t TargetLanguage = kBulgarian;
// Window end position beyond which one start position is pruned per new position.
inline int32_t MaxPlans = 35;
// Base capacity C of the chart cells; call ApplyComplexity after changing it.
inline int32_t Complexity = 10;

// Limits derived from Complexity by ApplyComplexity.
struct ComplexityLimits {
    int32_t c4 = 40;
    int32_t c8 = 80;
    int32_t c40 = 400;
    int32_t c150 = 1500;
};
inline ComplexityLimits Limits;

void ApplyComplexity();

// Capacity of a chart cell whose span (words minus one) is given.
int32_t CellCapacity(int span);

// Set by the last step of InitEngine.
inline std::atomic<bool> EngineReady{false};
// While set, InitEngine stops between steps and the analysis passes return early.
inline std::atomic<bool> EngineStop{false};
// Set when InitEngine ended without making the engine ready, so that
// requests fail instead of waiting for data that never comes.
inline std::atomic<bool> EngineFailed{false};

// Every front operation holds this lock; callers may hold it around
// setting TargetLanguage, ResetEngine and a front call.
std::recursive_mutex& EngineLock();

}  // namespace pv
