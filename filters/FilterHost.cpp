#include "filters/FilterHost.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "lexdb/DataPath.h"
#include "textutil/TextConvert.h"

namespace pv {

const char* const kNoFilterPath = "No Filter.";

std::u16string NoFiltersMessage(int interfaceLanguage) {
    return interfaceLanguage == 1 ? u"No filters are found!" : u"Не са намерени никакви филтри!";
}

std::u16string BindingFailedMessage(const std::string& path) {
    return u"Грешка при зареждане на филтър [" + Utf8Decode(path) + u"].";
}

bool FilterHost::Discover(const std::string& programFolder) {
    filters_.clear();
    selected_ = -1;
    namespace fs = std::filesystem;
    std::vector<fs::path> libraries;
    std::error_code error;
    for (fs::directory_iterator it(ResolveDataPath(programFolder, "Filter"), error), end;
         !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".so") libraries.push_back(it->path());
    }
    std::sort(libraries.begin(), libraries.end());
    for (const fs::path& library : libraries) {
        std::unique_ptr<FilterLibrary> loaded = FilterLibrary::Load(library.string());
        if (!loaded) continue;
        if (std::optional<FilterInfo> info = loaded->ReadInfo()) filters_.push_back(*info);
    }
    selected_ = static_cast<int>(filters_.size()) - 1;
    return !filters_.empty();
}

void FilterHost::Select(int index) {
    selected_ = index >= 0 && index < static_cast<int>(filters_.size()) ? index : -1;
}

int FilterHost::Find(const std::string& name) const {
    const std::u16string wide = Utf8Decode(name);
    for (std::size_t k = 0; k < filters_.size(); ++k) {
        const std::filesystem::path file(filters_[k].path);
        if (filters_[k].name == wide || file.filename() == name || file.stem() == name)
            return static_cast<int>(k);
    }
    return -1;
}

bool FilterHost::Bind() {
    bound_.reset();
    if (selected_ < 0) {
        boundPath_ = kNoFilterPath;
        return false;
    }
    boundPath_ = filters_[static_cast<std::size_t>(selected_)].path;
    std::unique_ptr<FilterLibrary> library = FilterLibrary::Load(boundPath_);
    if (!library || !library->BindAll()) return false;
    bound_ = std::move(library);
    return true;
}

}  // namespace pv
