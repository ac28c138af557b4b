#pragma once
// ByteCursor: little-endian reads over a header buffer; every read checks the bytes left first.
#include <cstdint>
#include <span>
#include <string>

namespace qmrar {

class ByteCursor {
public:
    explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Position() const { return pos_; }
    size_t Left() const { return bytes_.size() - pos_; }
    bool Seek(size_t pos) {
        if (pos > bytes_.size()) return false;
        pos_ = pos;
        return true;
    }
    bool Skip(uint64_t n) {
        if (n > Left()) return false;
        pos_ += static_cast<size_t>(n);
        return true;
    }
    bool U8(uint8_t& v) { return Le(v); }
    bool U16(uint16_t& v) { return Le(v); }
    bool U32(uint32_t& v) { return Le(v); }
    bool U64(uint64_t& v) { return Le(v); }
    // RAR5 variable-length integer: 7 bits a byte, low group first, at most 10 bytes and 64 bits.
    bool VInt(uint64_t& v) {
        v = 0;
        for (int i = 0; i < 10; ++i) {
            if (Left() == 0) return false;
            uint8_t b = bytes_[pos_++];
            uint64_t bits = b & 0x7F;
            if (i == 9 && bits > 1) return false;  // would need more than 64 bits
            v |= bits << (7 * i);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Bytes(size_t n, std::span<const uint8_t>& out) {
        if (n > Left()) return false;
        out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }
    bool Text(size_t n, std::string& out) {
        std::span<const uint8_t> b;
        if (!Bytes(n, b)) return false;
        out.assign(b.begin(), b.end());
        return true;
    }

private:
    template <typename T>
    bool Le(T& v) {
        if (Left() < sizeof(T)) return false;
        v = 0;
        for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<T>(static_cast<T>(bytes_[pos_ + i]) << (8 * i));
        pos_ += sizeof(T);
        return true;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace qmrar
