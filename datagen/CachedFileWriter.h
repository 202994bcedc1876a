// Writer of cached files (the inverse of lexdb/FileCacher.h): the content cut
// into 1,024-byte blocks, each compressed alone (or stored) and scrambled,
// followed by the unscrambled block table.
#pragma once

#include <string>
#include <string_view>

namespace pv {

std::string CachedFileImage(std::string_view content, bool stored = false);
void WriteCachedFile(const std::string& path, std::string_view content, bool stored = false);

}  // namespace pv
