// A filter plug-in library loaded with dlopen, for listing or for a run.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "filters/FilterPlugin.h"

namespace pv {

// What PFPGetInfo reports, copied out of the plug-in.
struct FilterInfo {
    std::u16string name, version, description, author, email;
    std::string path;  // the library
};

// The loaded library; unloading it (destruction) invalidates the exports.
class FilterLibrary {
public:
    static std::unique_ptr<FilterLibrary> Load(const std::string& path);
    ~FilterLibrary();
    FilterLibrary(const FilterLibrary&) = delete;
    FilterLibrary& operator=(const FilterLibrary&) = delete;

    // Binds PFPFreeStr and PFPGetInfo and copies the information; nothing
    // when either is missing or PFPGetInfo fails.
    std::optional<FilterInfo> ReadInfo() const;
    // Binds all nine exports in their order; false as soon as one is missing.
    bool BindAll();

    const std::string& Path() const { return path_; }

    PFPGetInfoFn GetInfo = nullptr;
    PFPStartFn Start = nullptr;
    PFPGetNextTextUnitFn GetNextTextUnit = nullptr;
    PFPSetCurrentUnitFn SetCurrentUnit = nullptr;
    PFPDoneFn Done = nullptr;
    PFPSetOptionsFn SetOptions = nullptr;
    PFPIsOptionsFn IsOptions = nullptr;
    PFPGetStatusFn GetStatus = nullptr;
    PFPFreeStrFn FreeStr = nullptr;

private:
    FilterLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    void* Symbol(const char* name) const;

    void* handle_;
    std::string path_;
};

// Takes a string that the plug-in handed out: copies it and gives it back
// through PFPFreeStr. Null gives nothing.
std::optional<std::u16string> TakePluginString(PFPFreeStrFn freeStr, PFPChar* text);

}  // namespace pv
