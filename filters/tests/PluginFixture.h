// Loads the built plug-ins through the host code and runs documents
// through them with a translation that shows where each unit went.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "filters/FilterLibrary.h"
#include "filters/FilterRun.h"

namespace pv {

inline std::unique_ptr<FilterLibrary> LoadPlugin(const std::string& name) {
    std::unique_ptr<FilterLibrary> library =
        FilterLibrary::Load(std::string(PV_FILTER_DIR) + "/" + name + ".so");
    EXPECT_TRUE(library && library->BindAll()) << name;
    return library;
}

struct CutResult {
    std::vector<std::u16string> units;  // as they reached the translation
    std::u16string document;            // each unit written back as "<unit>"
};

inline CutResult Cut(const FilterLibrary& filter, std::u16string_view document) {
    CutResult result;
    FilterRunResult run = RunFilter(filter, document, [&](std::u16string_view unit) {
        result.units.emplace_back(unit);
        return u"<" + std::u16string(unit) + u">";
    });
    EXPECT_TRUE(run.document.has_value());
    result.document = run.document.value_or(u"");
    return result;
}

// The next unit handed out, "(null)" at the end.
inline std::u16string NextUnit(const FilterLibrary& filter) {
    PFPChar* unit = nullptr;
    EXPECT_TRUE(filter.GetNextTextUnit(&unit));
    return TakePluginString(filter.FreeStr, unit).value_or(u"(null)");
}

inline void Start(const FilterLibrary& filter, std::u16string_view text) {
    std::u16string copy(text);
    const PFPChar* pointer = copy.c_str();
    EXPECT_TRUE(filter.Start(&pointer));
}

inline void SetUnit(const FilterLibrary& filter, std::u16string_view text) {
    std::u16string copy(text);
    const PFPChar* pointer = copy.c_str();
    EXPECT_TRUE(filter.SetCurrentUnit(&pointer));
}

inline std::u16string Done(const FilterLibrary& filter) {
    PFPChar* document = nullptr;
    EXPECT_TRUE(filter.Done(&document));
    return TakePluginString(filter.FreeStr, document).value_or(u"(null)");
}

}  // namespace pv
