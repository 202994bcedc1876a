// The last step of every translation: spacing around punctuation, runs of
// commas and the contractions of Italian, French, Spanish and German.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pv {

using ReplacementRow = std::pair<std::u16string, std::u16string>;

// The ordered replacement rows applied for a target language (empty for
// languages without contractions).
const std::vector<ReplacementRow>& ContractionRows(int language);

// Post-processes a whole translation for TargetLanguage.
std::u16string FixResult(std::u16string_view text);

}  // namespace pv
