#include "lexdb/Scramble.h"

namespace pv {

// Every byte the engine reads from its data passes through here. The key's
// remainder vectorises well with AVX2 (this file is built with the
// vectoriser on), so the loop also exists in an AVX2 version, chosen when the
// program is loaded on a processor that has it.
__attribute__((target_clones("avx2", "default"))) void ScrambleBytes(char* bytes, std::size_t n,
                                                                     uint32_t start) {
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) ^
                                     ScrambleKey(start + static_cast<uint32_t>(i)));
}

}  // namespace pv
