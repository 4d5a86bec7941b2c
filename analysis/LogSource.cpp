#include "analysis/LogSource.h"

#include <cstring>

namespace {

constexpr std::ptrdiff_t kLongestSignature = 6;
constexpr char kXzMagic[] = {'\xFD', '7', 'z', 'X', 'Z', '\0'};

bool StartsWith(const char* head, std::size_t length, const char* signature, std::size_t n)
{
    return length >= n && std::memcmp(head, signature, n) == 0;
}

} // namespace

CLogSource::Format CLogSource::DetectFormat(const char* head, std::size_t length)
{
    if (StartsWith(head, length, "\x1F\x8B", 2)) return formatGzip;
    if (StartsWith(head, length, "\x28\xB5\x2F\xFD", 4)) return formatZstd;
    // A zstd file may open with a skippable frame (magic 0x184D2A50 to 0x184D2A5F).
    if (length >= 4 && (static_cast<unsigned char>(head[0]) & 0xF0) == 0x50 &&
        StartsWith(head + 1, length - 1, "\x2A\x4D\x18", 3))
        return formatZstd;
    if (length >= 4 && StartsWith(head, length, "BZh", 3) && head[3] >= '1' && head[3] <= '9') return formatBzip2;
    if (StartsWith(head, length, kXzMagic, sizeof kXzMagic)) return formatXz;
    return formatPlain;
}

CLogSource::CLogSource(LPCSTR path, int nPipeWaitMs) : m_input(path, nPipeWaitMs)
{
    std::string_view head = m_input.Peek(kLongestSignature);
    m_format = DetectFormat(head.data(), head.size());
    switch (m_format) {
    case formatGzip: m_pDecoder = CreateGzipDecoder(m_input); break;
    case formatZstd: m_pDecoder = CreateZstdDecoder(m_input); break;
    case formatBzip2: m_pDecoder = CreateBzip2Decoder(m_input); break;
    case formatXz: m_pDecoder = CreateXzDecoder(m_input); break;
    case formatPlain: break;
    }
}

CLogSource::~CLogSource() = default;

std::ptrdiff_t CLogSource::Read(char* buffer, std::ptrdiff_t count)
{
    if (!buffer || count <= 0) return 0;
    return m_pDecoder ? m_pDecoder->Read(buffer, count) : m_input.Read(buffer, count);
}

ULONGLONG CLogSource::GetKnownSize() const
{
    return m_pDecoder ? unknownSize : m_input.GetKnownSize();
}
