#include "lexdb/DataPath.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace pv {

namespace {

namespace fs = std::filesystem;

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

// Entries of folder that match component: the exact name first, then the
// others that differ only in letter case, in sorted order.
std::vector<std::string> Candidates(const fs::path& folder, const std::string& component) {
    std::vector<std::string> others;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (entry != component && SameIgnoringAsciiCase(entry, component)) others.push_back(entry);
    }
    std::sort(others.begin(), others.end());
    std::vector<std::string> candidates;
    if (fs::exists(folder / component, ec)) candidates.push_back(component);
    candidates.insert(candidates.end(), others.begin(), others.end());
    return candidates;
}

// Folders "DATA" and "data" may both exist: the first spelling under which
// the rest of the path exists wins.
std::optional<fs::path> Resolve(const fs::path& folder, const std::vector<std::string>& parts,
                                std::size_t index) {
    if (index == parts.size()) return folder;
    for (const std::string& candidate : Candidates(folder, parts[index]))
        if (auto found = Resolve(folder / candidate, parts, index + 1)) return found;
    return std::nullopt;
}

// For a file that does not exist yet: the folders that do exist are matched
// as far as they go, the rest is kept as written.
fs::path ResolveExistingPrefix(fs::path folder, const std::vector<std::string>& parts) {
    std::size_t index = 0;
    for (; index < parts.size(); ++index) {
        std::vector<std::string> candidates = Candidates(folder, parts[index]);
        if (candidates.empty()) break;
        folder /= candidates.front();
    }
    for (; index < parts.size(); ++index) folder /= parts[index];
    return folder;
}

}  // namespace

std::string ResolveDataPath(std::string_view base, std::string_view name) {
    std::string relative(name);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= relative.size();) {
        std::size_t end = std::min(relative.find('/', start), relative.size());
        if (end > start) parts.push_back(relative.substr(start, end - start));
        start = end + 1;
    }
    const fs::path root = base.empty() ? fs::path(".") : fs::path(base);
    std::optional<fs::path> found = Resolve(root, parts, 0);
    fs::path path = found ? *found : ResolveExistingPrefix(root, parts);
    return base.empty() ? path.lexically_relative(".").string() : path.string();
}

}  // namespace pv
