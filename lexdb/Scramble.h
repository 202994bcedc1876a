// The key byte that every stored byte of a data container is XORed with.
// It depends only on the byte's absolute offset in the file, so any byte can
// be descrambled alone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pv {

inline uint8_t ScrambleKey(uint32_t offset) {
    // The product wraps in 32 bits and is then taken as signed; the remainder
    // truncates toward zero, so it is negative for a negative product and
    // contributes its two's-complement low byte.
    const int32_t product = static_cast<int32_t>(offset * 715827u);
    const int32_t remainder = product % 408817;
    return static_cast<uint8_t>(static_cast<uint32_t>(remainder) & 0xFFu);
}

// XORs bytes[0..n) in place with the keys of offsets start, start+1, ...
// (its own inverse).
void ScrambleBytes(char* bytes, std::size_t n, uint32_t start);

}  // namespace pv
