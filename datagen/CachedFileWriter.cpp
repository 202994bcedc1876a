#include "datagen/CachedFileWriter.h"

#include <vector>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/FileCacher.h"

namespace pv {

std::string CachedFileImage(std::string_view content, bool stored) {
    constexpr std::size_t kBlock = FileCacher::kBlockSize;
    RawStreamFile file(stored);
    std::vector<int32_t> offsets;
    for (std::size_t start = 0; start < content.size(); start += kBlock)
        offsets.push_back(file.AddStream(content.substr(start, kBlock)));
    ByteWriter table;
    for (int32_t offset : offsets) table.I32(offset);
    table.I32(static_cast<int32_t>(content.size()));
    table.I32(static_cast<int32_t>(offsets.size()));
    return file.Finish(table.bytes());
}

void WriteCachedFile(const std::string& path, std::string_view content, bool stored) {
    WriteFileAtomically(path, CachedFileImage(content, stored));
}

}  // namespace pv
