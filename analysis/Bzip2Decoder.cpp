// bzip2: streams one after another decode as one text. Bytes after the last
// stream that do not start another one are left, as bzip2 -d leaves them.
#include "analysis/LogDecoder.h"

#include <bzlib.h>
#include <climits>

namespace {

class CBzip2Decoder : public CLogDecoder {
public:
    explicit CBzip2Decoder(CLogInput& input) : CLogDecoder(input) { Init(); }
    ~CBzip2Decoder() override { BZ2_bzDecompressEnd(&m_bz); }

protected:
    Step Decode(const unsigned char* in, std::size_t inSize, bool, char* out, std::size_t outSize) override
    {
        m_bz.next_in = const_cast<char*>(reinterpret_cast<const char*>(in));
        m_bz.avail_in = static_cast<unsigned>(std::min<std::size_t>(inSize, UINT_MAX));
        m_bz.next_out = out;
        m_bz.avail_out = static_cast<unsigned>(outSize);
        const unsigned inBefore = m_bz.avail_in;
        int rc = BZ2_bzDecompress(&m_bz);
        Step step;
        step.consumed = inBefore - m_bz.avail_in;
        step.produced = outSize - m_bz.avail_out;
        switch (rc) {
        case BZ_STREAM_END: step.streamEnd = true; break;
        case BZ_OK: break;
        case BZ_MEM_ERROR: AfxThrowMemoryException();
        default: Fail(CLogSourceException::corrupt);
        }
        return step;
    }

    bool StartNextStream() override
    {
        if (Need(4) < 4) return false;
        const unsigned char* p = Ahead();
        if (p[0] != 'B' || p[1] != 'Z' || p[2] != 'h' || p[3] < '1' || p[3] > '9') return false;
        BZ2_bzDecompressEnd(&m_bz);
        Init();
        return true;
    }

private:
    void Init()
    {
        m_bz = bz_stream{};
        int rc = BZ2_bzDecompressInit(&m_bz, 0, 0);
        if (rc == BZ_MEM_ERROR) AfxThrowMemoryException();
        if (rc != BZ_OK) Fail(CLogSourceException::corrupt);
    }

    bz_stream m_bz{};
};

} // namespace

std::unique_ptr<CLogDecoder> CreateBzip2Decoder(CLogInput& input)
{
    return std::make_unique<CBzip2Decoder>(input);
}
