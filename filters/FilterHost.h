// The host side of the filter plug-ins: the filters found beside the
// program, the one selected, and binding it for a run.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filters/FilterLibrary.h"

namespace pv {

// The path recorded when binding is tried with no filter selected.
extern const char* const kNoFilterPath;

// "No filters are found!" (interface language 1) or its Bulgarian form.
std::u16string NoFiltersMessage(int interfaceLanguage);
// The message of a failed binding, naming the library.
std::u16string BindingFailedMessage(const std::string& path);

class FilterHost {
public:
    // Lists the usable plug-ins of the folder "Filter" in programFolder (a
    // folder with a trailing separator), in the order of their file names,
    // and selects the last one found. A library that does not load, lacks
    // PFPFreeStr or PFPGetInfo, or whose PFPGetInfo fails is skipped.
    // Returns false when none was found.
    bool Discover(const std::string& programFolder);

    const std::vector<FilterInfo>& Filters() const { return filters_; }
    // -1 for none.
    int Selected() const { return selected_; }
    void Select(int index);
    // The index of the filter listed under `name` or whose library file is
    // named `name` (with or without ".so"); -1 when there is none.
    int Find(const std::string& name) const;

    // Loads the selected filter and binds all nine exports; on failure the
    // library is unloaded again and BoundPath() names it (or kNoFilterPath).
    bool Bind();
    // The bound filter, null when none.
    FilterLibrary* Bound() const { return bound_.get(); }
    const std::string& BoundPath() const { return boundPath_; }
    void Unload() { bound_.reset(); }

private:
    std::vector<FilterInfo> filters_;
    int selected_ = -1;
    std::unique_ptr<FilterLibrary> bound_;
    std::string boundPath_ = kNoFilterPath;
};

}  // namespace pv
