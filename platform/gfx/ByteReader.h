// Bounds-checked little-endian reads for the image decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace gfx {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    // Reads past the end give 0; callers check Has() for what they rely on.
    std::uint8_t U8(std::uint64_t at) const { return Has(at, 1) ? m_bytes[at] : 0; }
    std::uint16_t U16(std::uint64_t at) const { return static_cast<std::uint16_t>(U8(at) | (U8(at + 1) << 8)); }
    std::uint32_t U32(std::uint64_t at) const { return U16(at) | (static_cast<std::uint32_t>(U16(at + 2)) << 16); }
    std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::size_t Size() const { return m_bytes.size(); }
    std::span<const std::uint8_t> Sub(std::uint64_t offset, std::uint64_t count) const
    {
        if (!Has(offset, count)) return {};
        return m_bytes.subspan(offset, count);
    }
    std::span<const std::uint8_t> From(std::uint64_t offset) const
    {
        if (offset > m_bytes.size()) return {};
        return m_bytes.subspan(offset);
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace gfx
