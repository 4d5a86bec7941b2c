#include "analysis/LogDecoder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kInputPiece = std::size_t(256) << 10;
// The libraries count their buffers in 32 bits.
constexpr std::size_t kMaxOutPiece = std::size_t(1) << 30;

} // namespace

CLogDecoder::CLogDecoder(CLogInput& input) : m_input(input)
{
    try {
        m_buf.resize(kInputPiece);
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}

std::size_t CLogDecoder::Need(std::size_t n)
{
    n = std::min(n, m_buf.size());
    if (m_nEnd - m_nPos >= n) return m_nEnd - m_nPos;
    std::memmove(m_buf.data(), m_buf.data() + m_nPos, m_nEnd - m_nPos);
    m_nEnd -= m_nPos;
    m_nPos = 0;
    std::ptrdiff_t got = m_input.Read(reinterpret_cast<char*>(m_buf.data() + m_nEnd),
                                      static_cast<std::ptrdiff_t>(m_buf.size() - m_nEnd));
    m_nEnd += static_cast<std::size_t>(got);
    return m_nEnd - m_nPos;
}

void CLogDecoder::Fail(CLogSourceException::Reason reason) const
{
    ThrowLogSourceException(reason, m_input.GetFilePath());
}

std::ptrdiff_t CLogDecoder::Read(char* buffer, std::ptrdiff_t count)
{
    std::ptrdiff_t done = 0;
    while (done < count && !m_bFinished) {
        if (m_bStreamEnded) {
            if (!StartNextStream()) {
                m_bFinished = true;
                break;
            }
            m_bStreamEnded = false;
        }
        const bool haveInput = Need(1) > 0;
        const std::size_t room = std::min(static_cast<std::size_t>(count - done), kMaxOutPiece);
        Step step = Decode(Ahead(), m_nEnd - m_nPos, !haveInput, buffer + done, room);
        m_nPos += step.consumed;
        done += static_cast<std::ptrdiff_t>(step.produced);
        if (step.streamEnd) {
            m_bStreamEnded = true;
            continue;
        }
        // No progress: the data ran out inside a stream, or the library is stuck on it.
        if (step.consumed == 0 && step.produced == 0)
            Fail(haveInput ? CLogSourceException::corrupt : CLogSourceException::truncated);
    }
    return done;
}
