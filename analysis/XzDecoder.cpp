// xz (and the older lzma format): the library decodes streams one after
// another and the padding between them; anything else after them is an error.
#include "analysis/LogDecoder.h"

#include <cstdint>
#include <lzma.h>

namespace {

class CXzDecoder : public CLogDecoder {
public:
    explicit CXzDecoder(CLogInput& input) : CLogDecoder(input)
    {
        lzma_ret rc = lzma_auto_decoder(&m_lz, UINT64_MAX, LZMA_CONCATENATED);
        if (rc == LZMA_MEM_ERROR) AfxThrowMemoryException();
        if (rc != LZMA_OK) Fail(CLogSourceException::corrupt);
    }
    ~CXzDecoder() override { lzma_end(&m_lz); }

protected:
    Step Decode(const unsigned char* in, std::size_t inSize, bool inputEnded, char* out, std::size_t outSize) override
    {
        m_lz.next_in = in;
        m_lz.avail_in = inSize;
        m_lz.next_out = reinterpret_cast<std::uint8_t*>(out);
        m_lz.avail_out = outSize;
        // Only told the input is over does the decoder end after the last stream.
        lzma_ret rc = lzma_code(&m_lz, inputEnded ? LZMA_FINISH : LZMA_RUN);
        Step step;
        step.consumed = inSize - m_lz.avail_in;
        step.produced = outSize - m_lz.avail_out;
        switch (rc) {
        case LZMA_STREAM_END: step.streamEnd = true; break;
        case LZMA_OK: break;
        case LZMA_BUF_ERROR: break; // no progress: the caller decides why
        case LZMA_MEM_ERROR:
        case LZMA_MEMLIMIT_ERROR: AfxThrowMemoryException();
        default: Fail(CLogSourceException::corrupt);
        }
        return step;
    }

    bool StartNextStream() override { return false; }

private:
    lzma_stream m_lz = LZMA_STREAM_INIT;
};

} // namespace

std::unique_ptr<CLogDecoder> CreateXzDecoder(CLogInput& input)
{
    return std::make_unique<CXzDecoder>(input);
}
