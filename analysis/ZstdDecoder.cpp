// zstd: frames one after another decode as one text; the library starts the
// next frame by itself, and anything else after a frame is an error.
#include "analysis/LogDecoder.h"

#include <zstd.h>
#include <zstd_errors.h>

namespace {

class CZstdDecoder : public CLogDecoder {
public:
    explicit CZstdDecoder(CLogInput& input) : CLogDecoder(input), m_pStream(ZSTD_createDStream())
    {
        if (!m_pStream) AfxThrowMemoryException();
        if (ZSTD_isError(ZSTD_initDStream(m_pStream))) {
            ZSTD_freeDStream(m_pStream);
            AfxThrowMemoryException();
        }
    }
    ~CZstdDecoder() override { ZSTD_freeDStream(m_pStream); }

protected:
    Step Decode(const unsigned char* in, std::size_t inSize, bool inputEnded, char* out, std::size_t outSize) override
    {
        Step step;
        // Between frames with nothing left: the text is complete.
        if (inputEnded && m_bBetweenFrames) {
            step.streamEnd = true;
            return step;
        }
        ZSTD_inBuffer src{in, inSize, 0};
        ZSTD_outBuffer dst{out, outSize, 0};
        std::size_t rc = ZSTD_decompressStream(m_pStream, &dst, &src);
        if (ZSTD_isError(rc)) {
            if (ZSTD_getErrorCode(rc) == ZSTD_error_memory_allocation) AfxThrowMemoryException();
            Fail(CLogSourceException::corrupt);
        }
        step.consumed = src.pos;
        step.produced = dst.pos;
        // 0: a frame was completed and all of it handed out.
        m_bBetweenFrames = rc == 0;
        return step;
    }

    bool StartNextStream() override { return false; }

private:
    ZSTD_DStream* m_pStream;
    bool m_bBetweenFrames = false;
};

} // namespace

std::unique_ptr<CLogDecoder> CreateZstdDecoder(CLogInput& input)
{
    return std::make_unique<CZstdDecoder>(input);
}
