#include "filters/FilterLibrary.h"

#include <dlfcn.h>

#include <utility>

#include "textutil/TextConvert.h"

namespace pv {

std::unique_ptr<FilterLibrary> FilterLibrary::Load(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    return std::unique_ptr<FilterLibrary>(new FilterLibrary(handle, path));
}

FilterLibrary::~FilterLibrary() { dlclose(handle_); }

void* FilterLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }

std::optional<std::u16string> TakePluginString(PFPFreeStrFn freeStr, PFPChar* text) {
    if (!text) return std::nullopt;
    std::u16string copy(text, WideZLength(text));
    freeStr(&text);
    return copy;
}

std::optional<FilterInfo> FilterLibrary::ReadInfo() const {
    auto freeStr = reinterpret_cast<PFPFreeStrFn>(Symbol("PFPFreeStr"));
    auto getInfo = reinterpret_cast<PFPGetInfoFn>(Symbol("PFPGetInfo"));
    if (!freeStr || !getInfo) return std::nullopt;
    PFPChar* out[6] = {};
    const bool ok = getInfo(&out[0], &out[1], &out[2], &out[3], &out[4], &out[5]) != 0;
    std::u16string copies[6];
    for (int k = 0; k < 6; ++k) copies[k] = TakePluginString(freeStr, out[k]).value_or(u"");
    if (!ok) return std::nullopt;
    return FilterInfo{copies[0], copies[1], copies[2], copies[3], copies[4], path_};
}

bool FilterLibrary::BindAll() {
    auto bind = [this](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(Symbol(name));
        return slot != nullptr;
    };
    return bind(GetInfo, "PFPGetInfo") && bind(Start, "PFPStart") &&
           bind(GetNextTextUnit, "PFPGetNextTextUnit") &&
           bind(SetCurrentUnit, "PFPSetCurrentUnit") && bind(Done, "PFPDone") &&
           bind(SetOptions, "PFPSetOptions") && bind(IsOptions, "PFPIsOptions") &&
           bind(GetStatus, "PFPGetStatus") && bind(FreeStr, "PFPFreeStr");
}

}  // namespace pv
