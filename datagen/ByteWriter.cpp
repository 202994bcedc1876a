#include "datagen/ByteWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "lexdb/DataPath.h"

namespace pv {

void CreateDataFolder(const std::string& base) {
    std::error_code ec;
    std::filesystem::create_directories(ResolveDataPath(base, "DATA"), ec);
    if (ec) throw WriterError("cannot create the DATA folder below " + base + ": " + ec.message());
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            throw WriterError("cannot write " + path);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw WriterError("cannot write " + path + ": " + ec.message());
    }
}

}  // namespace pv
