// The sentence driver: feeds tokens into the window, runs the analysis
// passes and emits the segments of the best plan.
#pragma once

#include <string>

namespace pv {

// One driver step; an empty token flushes the window. Returns the text of
// the segments emitted by this call.
std::u16string ProcessToken(const std::u16string& token, const std::u16string& mark);

// Moves the window, the chart, the plan and the score arrays left by r
// positions. Returns false (after an error box) when the shift failed.
bool ShiftWindow(int r);

}  // namespace pv
