#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "format_error.hpp"

namespace velmor::formats {

// Bounds-checked reading of WKB bytes in either byte order. A read that would pass the end fails
// with a Truncated error naming what was being read and where.
class WkbCursor {
  public:
    explicit WkbCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t offset() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

    Status byte(std::uint8_t& value, const char* what) {
        VELMOR_FORMAT_TRY(need(1, what));
        value = bytes_[pos_++];
        return {};
    }

    Status u32(std::uint32_t& value, bool little, const char* what) { return scalar(value, little, what); }

    Status f64(double& value, bool little) {
        std::uint64_t bits = 0;
        VELMOR_FORMAT_TRY(scalar(bits, little, "coordinate"));
        value = std::bit_cast<double>(bits);
        return {};
    }

  private:
    Status need(std::size_t size, const char* what) const {
        if (remaining() >= size) return {};
        return FormatError::truncated(std::string("the ") + what + " at byte " + std::to_string(pos_) +
                                      " needs " + std::to_string(size) + " bytes, " +
                                      std::to_string(remaining()) + " left");
    }

    template <class Word>
    Status scalar(Word& value, bool little, const char* what) {
        VELMOR_FORMAT_TRY(need(sizeof(Word), what));
        std::memcpy(&value, bytes_.data() + pos_, sizeof(Word));
        pos_ += sizeof(Word);
        if (little != (std::endian::native == std::endian::little)) value = swap(value);
        return {};
    }

    static std::uint32_t swap(std::uint32_t v) { return __builtin_bswap32(v); }
    static std::uint64_t swap(std::uint64_t v) { return __builtin_bswap64(v); }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace velmor::formats
