#include "engine/EngineSettings.h"

namespace pv {

void ApplyComplexity() {
    Limits.c4 = 4 * Complexity;
    Limits.c8 = 8 * Complexity;
    Limits.c40 = 40 * Complexity;
    Limits.c150 = 150 * Complexity;
}

int32_t CellCapacity(int span) {
    const int32_t c = Complexity;
    if (span <= 0) return Limits.c40;
    if (span <= 2) return Limits.c8;
    if (span <= 6) return ((6 - span) * (Limits.c4 - c)) / 3 + c;
    return c;
}

std::recursive_mutex& EngineLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace pv
