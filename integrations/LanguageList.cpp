#include "integrations/LanguageList.h"

#include <array>

#include "engine/EngineSettings.h"

namespace pv {

int32_t LanguageFromListIndex(int index) {
    static constexpr std::array<int32_t, 8> kIds{kEnglish, kBulgarian, kFrench,  kSpanish,
                                                 kGerman,  kItalian,   kTurkish, kRussian};
    if (index < 0 || index >= static_cast<int>(kIds.size())) return kBulgarian;
    return kIds[static_cast<std::size_t>(index)];
}

}  // namespace pv
