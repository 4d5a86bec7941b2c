#include "analysis/LogLoad.h"

#include "analysis/MarkerCount.h"
#include "platform/base/CFile.h"
#include "platform/base/Exception.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Read in pieces small enough to stay in cache while they are checked for a
// NUL and counted, so the text is pulled from memory once more only to split.
constexpr std::ptrdiff_t kReadPiece = std::ptrdiff_t(1) << 20;

constexpr std::ptrdiff_t kMarkerLen = sizeof(kLogMarker) - 1;
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kMaxArenaChunk = std::size_t(64) << 20;

// Counts markers as more of a growing text becomes available; positions too
// close to the end to hold a whole marker are looked at again once more text
// is there.
class MarkerCounter {
public:
    void CountUpTo(const char* text, std::ptrdiff_t avail) noexcept
    {
        m_count += CountMarkersBetween(text, avail, m_next);
        m_next = std::max(m_next, avail - (kMarkerLen - 1));
    }
    std::size_t Count() const noexcept { return m_count; }

private:
    std::ptrdiff_t m_next = 0;
    std::size_t m_count = 0;
};

// One arena chunk size for the whole split: big loads get large chunks advised
// for huge pages, small ones a chunk near their size.
std::size_t ArenaChunkFor(std::ptrdiff_t textBytes, std::size_t records)
{
    std::size_t want = static_cast<std::size_t>(std::max<std::ptrdiff_t>(textBytes, 0));
    std::size_t overhead = CStringArena::Footprint(0) + 8;
    want += std::min(records, SIZE_MAX / 2 / overhead) * overhead + 64;
    want = std::min(want, kMaxArenaChunk);
    if (want >= kHugePage) want = (want + kHugePage - 1) / kHugePage * kHugePage;
    return want;
}

} // namespace

void LogLoad::Swap(LogLoad& other) noexcept
{
    std::swap(strPath, other.strPath);
    std::swap(strText, other.strText);
    std::swap(nMarkers, other.nMarkers);
    std::swap(nRecords, other.nRecords);
    records.Swap(other.records);
}

std::size_t CountLogMarkers(const char* text, std::ptrdiff_t length) noexcept
{
    MarkerCounter counter;
    counter.CountUpTo(text, length);
    return counter.Count();
}

void SplitLogRecords(const char* text, std::ptrdiff_t length, std::size_t nMarkers, RecordTable& records)
{
    if (nMarkers < 2 || !text || length < 0) return;
    const std::size_t want = nMarkers - 1;

    auto findLineEnd = [text, length](std::ptrdiff_t from) -> std::ptrdiff_t {
        if (from >= length) return -1;
        const void* hit = std::memchr(text + from, '\n', static_cast<std::size_t>(length - from));
        return hit ? static_cast<const char*>(hit) - text : -1;
    };

    std::ptrdiff_t a = findLineEnd(0); // line end that opens the record; -1 before the text
    CStringArena arena(ArenaChunkFor(length - (a + 1), want));
    for (std::size_t j = 1; j <= want; ++j) {
        LogLine* line = records.Add();
        const std::ptrdiff_t first = a + 1;
        const std::ptrdiff_t b = findLineEnd(first);
        line->start = first;
        line->end = b;
        if (b < 0) break; // no closing line end: this record is the last
        line->text = arena.Make(text + first, b - first);
        a = b;
    }
}

LogLoad SplitLogText(const CString& text)
{
    LogLoad load;
    load.strText = text;
    load.nMarkers = CountLogMarkers(text.GetString(), text.GetLength());
    SplitLogRecords(text.GetString(), text.GetLength(), load.nMarkers, load.records);
    load.nRecords = load.records.GetCount();
    return load;
}

LogLoad LoadLogFile(const char* path)
{
    LogLoad load;
    CFile file(path, CFile::modeRead | CFile::shareCompat);
    load.strPath = file.GetFilePath();

    // The length taken now bounds the read: bytes a writer appends later are
    // not part of this load.
    const ULONGLONG fileLength = file.GetLength();
    if (fileLength > static_cast<ULONGLONG>(PTRDIFF_MAX / 2)) AfxThrowMemoryException();
    const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(fileLength);

    // The file is read straight into the text's own buffer: no second copy.
    char* buffer = load.strText.GetBuffer(length);
    MarkerCounter counter;
    std::ptrdiff_t done = 0;
    while (done < length) {
        const std::ptrdiff_t want = std::min(kReadPiece, length - done);
        const std::ptrdiff_t got =
            static_cast<std::ptrdiff_t>(file.ReadHuge(buffer + done, static_cast<ULONGLONG>(want)));
        const void* nul = std::memchr(buffer + done, '\0', static_cast<std::size_t>(got));
        if (nul) {
            // The text ends at the first NUL; nothing after it is read or counted.
            done = static_cast<const char*>(nul) - buffer;
            break;
        }
        done += got;
        counter.CountUpTo(buffer, done);
        if (got < want) break; // the file was cut short while we read it
    }
    if (done < length) counter.CountUpTo(buffer, done);
    load.strText.ReleaseBuffer(done);
    file.Close();

    load.nMarkers = counter.Count();
    SplitLogRecords(load.strText.GetString(), load.strText.GetLength(), load.nMarkers, load.records);
    load.nRecords = load.records.GetCount();
    return load;
}
