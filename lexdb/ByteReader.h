// Bounds-checked reading of little-endian fields from a byte buffer. A read
// past the end yields zeros and marks the reader failed, so loaders check
// ok() instead of trusting counts and offsets taken from a file.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pv {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    void Seek(std::size_t position) {
        if (position > bytes_.size()) ok_ = false;
        else pos_ = position;
    }

    uint8_t U8() { return Take<uint8_t>(); }
    uint16_t U16() { return Take<uint16_t>(); }
    uint32_t U32() { return Take<uint32_t>(); }
    int16_t I16() { return static_cast<int16_t>(Take<uint16_t>()); }
    int32_t I32() { return static_cast<int32_t>(Take<uint32_t>()); }
    int64_t I64() { return static_cast<int64_t>(Take<uint64_t>()); }
    double F64() {
        uint64_t bits = Take<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // n raw bytes, or an empty view (and failure) when fewer remain.
    std::string_view Bytes(std::size_t n) {
        if (!ok_ || n > remaining()) {
            ok_ = false;
            return {};
        }
        std::string_view out = bytes_.substr(pos_, n);
        pos_ += n;
        return out;
    }

    // n UTF-16LE code units.
    std::u16string Utf16(std::size_t n) {
        if (n > remaining() / 2) {
            ok_ = false;
            return {};
        }
        std::u16string out(n, u'\0');
        for (char16_t& c : out) c = Take<uint16_t>();
        return out;
    }

private:
    template <typename T>
    T Take() {
        if (!ok_ || remaining() < sizeof(T)) {
            ok_ = false;
            return 0;
        }
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<T>(static_cast<T>(static_cast<uint8_t>(bytes_[pos_ + i])) << (8 * i));
        pos_ += sizeof(T);
        return value;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace pv
