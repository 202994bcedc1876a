// Little-endian fields appended to a byte buffer: the inverse of
// lexdb/ByteReader.h, used by every data file writer.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pv {

// A writer refuses input that its reader could not read back.
class WriterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteWriter {
public:
    const std::string& bytes() const { return bytes_; }
    std::string& bytes() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    void U8(uint8_t v) { Put(v); }
    void U16(uint16_t v) { Put(v); }
    void U32(uint32_t v) { Put(v); }
    void I16(int16_t v) { Put(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { Put(static_cast<uint32_t>(v)); }
    void I64(int64_t v) { Put(static_cast<uint64_t>(v)); }
    void F64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Put(bits);
    }
    void Bytes(std::string_view b) { bytes_.append(b); }
    void Utf16(std::u16string_view text) {
        for (char16_t c : text) Put(static_cast<uint16_t>(c));
    }
    // Overwrites a 32-bit field written earlier (for counts known only later).
    void PatchI32(std::size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    }

private:
    template <typename T>
    void Put(T v) {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }

    std::string bytes_;
};

// Creates the DATA folder below base (or finds it under another letter
// case). Throws WriterError.
void CreateDataFolder(const std::string& base);

// Writes the file through a temporary name and a rename, so that a failed
// build never leaves a half-written data file behind. Throws WriterError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace pv
