// gzip: members one after another decode as one text. Bytes after the last
// member that do not start another one are left, as zcat leaves them.
#include "analysis/LogDecoder.h"

#include <climits>
#include <zlib.h>

namespace {

class CGzipDecoder : public CLogDecoder {
public:
    explicit CGzipDecoder(CLogInput& input) : CLogDecoder(input)
    {
        // 15 + 32: the largest window, gzip or zlib header told apart by the library.
        int rc = inflateInit2(&m_z, 15 + 32);
        if (rc == Z_MEM_ERROR) AfxThrowMemoryException();
        if (rc != Z_OK) Fail(CLogSourceException::corrupt);
    }
    ~CGzipDecoder() override { inflateEnd(&m_z); }

protected:
    Step Decode(const unsigned char* in, std::size_t inSize, bool, char* out, std::size_t outSize) override
    {
        m_z.next_in = const_cast<Bytef*>(in);
        m_z.avail_in = static_cast<uInt>(std::min<std::size_t>(inSize, UINT_MAX));
        m_z.next_out = reinterpret_cast<Bytef*>(out);
        m_z.avail_out = static_cast<uInt>(outSize);
        const uInt inBefore = m_z.avail_in;
        int rc = inflate(&m_z, Z_NO_FLUSH);
        Step step;
        step.consumed = inBefore - m_z.avail_in;
        step.produced = outSize - m_z.avail_out;
        switch (rc) {
        case Z_STREAM_END: step.streamEnd = true; break;
        case Z_OK:
        case Z_BUF_ERROR: break; // no progress: the caller decides why
        case Z_MEM_ERROR: AfxThrowMemoryException();
        default: Fail(CLogSourceException::corrupt);
        }
        return step;
    }

    bool StartNextStream() override
    {
        if (Need(2) < 2 || Ahead()[0] != 0x1F || Ahead()[1] != 0x8B) return false;
        if (inflateReset(&m_z) != Z_OK) Fail(CLogSourceException::corrupt);
        return true;
    }

private:
    z_stream m_z{};
};

} // namespace

std::unique_ptr<CLogDecoder> CreateGzipDecoder(CLogInput& input)
{
    return std::make_unique<CGzipDecoder>(input);
}
