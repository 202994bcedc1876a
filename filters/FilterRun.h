// One run of a document through a bound filter plug-in: the plug-in cuts
// it into units, each unit is translated and written back, and the plug-in
// returns the finished document.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "filters/FilterLibrary.h"

namespace pv {

extern const char16_t* const kFilterStartFailedMessage;
extern const char16_t* const kFilterDoneFailedMessage;

struct FilterRunResult {
    std::optional<std::u16string> document;  // nothing when the run failed
    std::u16string message;                  // why it failed, empty when it did not say
};

using UnitTranslator = std::function<std::u16string(std::u16string_view unit)>;

// Calls the plug-in in its order: PFPStart, then per unit PFPGetStatus
// (percent to `progress`), PFPGetNextTextUnit, the translation,
// PFPSetCurrentUnit and PFPFreeStr, stopping early when `abort` is set,
// and PFPDone. A unit of nothing but blanks is given back unchanged rather
// than written back as a translated blank.
FilterRunResult RunFilter(const FilterLibrary& filter, std::u16string_view document,
                          const UnitTranslator& translate, const std::atomic<bool>* abort = nullptr,
                          const std::function<void(int32_t)>& progress = {});

}  // namespace pv
