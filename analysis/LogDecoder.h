// Decompression of a log while it is read. Each format's decoder pulls
// compressed bytes from the input and hands out the plain text; streams put
// one after another decode as one text, as the format's own tool gives them.
#pragma once

#include "analysis/LogInput.h"
#include "analysis/LogSourceException.h"

#include <cstddef>
#include <memory>
#include <vector>

class CLogDecoder {
public:
    explicit CLogDecoder(CLogInput& input);
    virtual ~CLogDecoder() = default;
    CLogDecoder(const CLogDecoder&) = delete;
    CLogDecoder& operator=(const CLogDecoder&) = delete;

    // Fills buffer with count decoded bytes unless the text ends first; 0 at
    // the end. Throws CLogSourceException on bad or cut-off data,
    // CFileException, CMemoryException.
    std::ptrdiff_t Read(char* buffer, std::ptrdiff_t count);

protected:
    struct Step {
        std::size_t consumed = 0;
        std::size_t produced = 0;
        bool streamEnd = false; // the current stream is complete and flushed
    };
    // One call of the library on what input there is (possibly none, when
    // inputEnded) into out.
    virtual Step Decode(const unsigned char* in, std::size_t inSize, bool inputEnded, char* out,
                        std::size_t outSize) = 0;
    // After a stream ended: true when another one follows and the library was
    // made ready for it. Ahead(n) shows what comes next.
    virtual bool StartNextStream() = 0;

    // At least n unread input bytes when the input still has them; returns
    // the bytes there are, from Ahead().
    std::size_t Need(std::size_t n);
    const unsigned char* Ahead() const { return m_buf.data() + m_nPos; }
    [[noreturn]] void Fail(CLogSourceException::Reason reason) const;

private:
    CLogInput& m_input;
    std::vector<unsigned char> m_buf;
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    bool m_bStreamEnded = false;
    bool m_bFinished = false;
};

std::unique_ptr<CLogDecoder> CreateGzipDecoder(CLogInput& input);
std::unique_ptr<CLogDecoder> CreateZstdDecoder(CLogInput& input);
std::unique_ptr<CLogDecoder> CreateBzip2Decoder(CLogInput& input);
std::unique_ptr<CLogDecoder> CreateXzDecoder(CLogInput& input);
