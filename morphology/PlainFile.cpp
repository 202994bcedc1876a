#include "morphology/PlainFile.h"

#include <fstream>
#include <iterator>

#include "engine/EngineError.h"

namespace pv {

std::string ReadPlainFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EngineError("Cannot open file \"" + path + "\"");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EngineError("Cannot read file \"" + path + "\"");
    return bytes;
}

}  // namespace pv
