#include "analysis/LogLoad.h"

#include "analysis/LogSource.h"
#include "analysis/MarkerCount.h"
#include "analysis/TokenScan.h"
#include "platform/base/ByteSearch.h"
#include "platform/base/CFile.h"
#include "platform/base/Exception.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Read in pieces small enough to stay in cache while they are cleaned,
// counted, indexed and scanned, so the text leaves memory once.
constexpr std::ptrdiff_t kReadPiece = std::ptrdiff_t(1) << 20;
// A text of unknown size starts this big and doubles.
constexpr std::ptrdiff_t kFirstGuess = std::ptrdiff_t(4) << 20;

constexpr std::ptrdiff_t kMarkerLen = sizeof(kLogMarker) - 1;

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

// Everything a load learns from its bytes, taken a piece at a time while the
// piece is still in cache. Works by offsets: a growing text may move.
class LogIndexer {
public:
    explicit LogIndexer(LogLoad& load) : m_load(load), m_scan(kCrawlerTokens, kCrawlerCount)
    {
        m_load.records.Begin();
    }

    // text[0, avail) is in place; the bytes from the last call on are new.
    void Feed(char* text, std::ptrdiff_t avail, bool bFinal)
    {
        if (avail > m_fed) {
            CleanAndIndex(text, m_fed, avail);
            m_markers.CountUpTo(text, avail);
            m_fed = avail;
        }
        // A token may run past the bytes read so far: its start waits.
        std::ptrdiff_t limit = bFinal ? avail : avail - (m_scan.GetLongest() - 1);
        if (limit > m_scanned) {
            m_scan.Scan(text, avail, m_scanned, limit, [this](int t, std::ptrdiff_t at) { OnHit(t, at); });
            m_scanned = limit;
        }
    }

    void Finish()
    {
        m_load.nMarkers = m_markers.Count();
        m_load.records.End(m_load.strText);
        m_load.nRecords = m_load.records.GetCount();
    }

private:
    void CleanAndIndex(char* text, std::ptrdiff_t from, std::ptrdiff_t to)
    {
        // A NUL (common after a crash) would end the text for C string users:
        // it becomes a space, and nothing after it is lost.
        for (char* p = text + from; p < text + to;) {
            auto* nul = static_cast<char*>(std::memchr(p, '\0', static_cast<std::size_t>(text + to - p)));
            if (!nul) break;
            *nul = ' ';
            p = nul + 1;
        }
        if (from == 0 && to > 0) m_load.records.AddStart(0);
        for (const char* p = text + from; p < text + to;) {
            const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(text + to - p));
            if (!hit) break;
            p = static_cast<const char*>(hit) + 1;
            m_load.records.AddStart(static_cast<std::uint64_t>(p - text));
        }
    }

    void OnHit(int t, std::ptrdiff_t at)
    {
        const RecordTable& records = m_load.records;
        const std::size_t built = records.GetBuiltCount();
        const auto offset = static_cast<std::uint64_t>(at);
        while (m_record < built && records.StartOf(m_record + 1) <= offset) ++m_record;
        // A token at a line's very first character does not select it.
        if (m_record == 0 || records.StartOf(m_record) == offset) return;
        std::vector<std::size_t>& hits = m_load.crawlerRecords[t];
        if (!hits.empty() && hits.back() == m_record) return;
        hits.push_back(m_record);
    }

    LogLoad& m_load;
    CTokenScan m_scan;
    MarkerCounter m_markers;
    std::ptrdiff_t m_fed = 0;
    std::ptrdiff_t m_scanned = 0;
    std::size_t m_record = 0; // the record holding the last hit, from 1
};

} // namespace

void LogLoad::Swap(LogLoad& other) noexcept
{
    std::swap(strPath, other.strPath);
    std::swap(strText, other.strText);
    std::swap(nMarkers, other.nMarkers);
    std::swap(nRecords, other.nRecords);
    records.Swap(other.records);
    for (int t = 0; t < kCrawlerCount; ++t) crawlerRecords[t].swap(other.crawlerRecords[t]);
}

std::size_t CountLogMarkers(const char* text, std::ptrdiff_t length) noexcept
{
    MarkerCounter counter;
    counter.CountUpTo(text, length);
    return counter.Count();
}

LogLoad SplitLogText(const CString& text)
{
    const char* p = text.GetString();
    const std::ptrdiff_t n = text.GetLength();
    std::ptrdiff_t at = 0;
    return LoadLogBytes(
        [&](char* pBuffer, std::ptrdiff_t nWant) {
            std::ptrdiff_t got = std::min(nWant, n - at);
            std::memcpy(pBuffer, p + at, static_cast<std::size_t>(got));
            at += got;
            return got;
        },
        n);
}

namespace {

// Reads a text of known size on a second thread while the caller's thread
// takes it apart: the copy from the page cache into fresh memory and the scan
// each take about half the time of a load, so they overlap.
class ReadAhead {
public:
    ReadAhead(const LogReadFn& read, char* pBuffer, std::ptrdiff_t nCapacity)
        : m_read(read), m_pBuffer(pBuffer), m_nCapacity(nCapacity), m_thread([this] { Run(); })
    {
    }
    ~ReadAhead()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    // Waits until more than nHave bytes are in, or the read ended; the bytes in.
    std::ptrdiff_t WaitBeyond(std::ptrdiff_t nHave)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait(lock, [&] { return m_nDone > nHave || m_bEnded; });
        if (m_error && m_nDone <= nHave) std::rethrow_exception(m_error);
        return m_nDone;
    }

private:
    void Run()
    {
        std::ptrdiff_t done = 0;
        try {
            while (done < m_nCapacity) {
                std::ptrdiff_t got = m_read(m_pBuffer + done, std::min(kReadPiece, m_nCapacity - done));
                if (got <= 0) break;
                done += got;
                std::lock_guard<std::mutex> lock(m_mutex);
                m_nDone = done;
                if (m_bStop) break;
                m_wake.notify_all();
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bEnded = true;
        m_wake.notify_all();
    }

    const LogReadFn& m_read;
    char* m_pBuffer;
    std::ptrdiff_t m_nCapacity;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::ptrdiff_t m_nDone = 0;
    bool m_bEnded = false;
    bool m_bStop = false;
    std::exception_ptr m_error;
    std::thread m_thread; // last: starts once the rest is ready
};

} // namespace

LogLoad LoadLogBytes(const LogReadFn& read, long long nSizeHint, LogLoadProgress* pProgress, long long nReadAheadFrom)
{
    LogLoad load;
    LogIndexer indexer(load);
    if (pProgress) pProgress->nTotal = nSizeHint;

    const bool bKnown = nSizeHint >= 0;
    if (nSizeHint > PTRDIFF_MAX / 2) AfxThrowMemoryException();
    std::ptrdiff_t capacity = bKnown ? static_cast<std::ptrdiff_t>(nSizeHint) : kFirstGuess;
    char* buffer = load.strText.GetBuffer(capacity);
    std::ptrdiff_t done = 0;
    if (bKnown && nSizeHint >= nReadAheadFrom) {
        ReadAhead reader(read, buffer, capacity);
        for (;;) {
            std::ptrdiff_t avail = reader.WaitBeyond(done);
            if (avail <= done) break;
            done = avail;
            indexer.Feed(buffer, done, false);
            if (pProgress) pProgress->nDone = done;
            if (pProgress && pProgress->bCancel) throw LogLoadCancelled{};
        }
    } else {
        for (;;) {
            if (done == capacity) {
                // The size taken at the start bounds the read: bytes a writer
                // appends later are not part of this load.
                if (bKnown) break;
                if (capacity > PTRDIFF_MAX / 4) AfxThrowMemoryException();
                load.strText.ReleaseBuffer(done);
                capacity *= 2;
                buffer = load.strText.GetBuffer(capacity);
            }
            const std::ptrdiff_t got = read(buffer + done, std::min(kReadPiece, capacity - done));
            if (got <= 0) break;
            done += got;
            indexer.Feed(buffer, done, false);
            if (pProgress) pProgress->nDone = done;
            if (pProgress && pProgress->bCancel) throw LogLoadCancelled{};
        }
    }
    indexer.Feed(buffer, done, true);
    load.strText.ReleaseBuffer(done);
    indexer.Finish();
    return load;
}

LogLoad LoadLogFile(const char* path, LogLoadProgress* pProgress)
{
    // Plain files, pipes and compressed files alike; devices are refused.
    CLogSource source(path);
    const ULONGLONG nKnown = source.GetKnownSize();
    const long long nHint = nKnown == CLogSource::unknownSize ? -1 : static_cast<long long>(nKnown);
    LogLoad load = LoadLogBytes([&source](char* pBuffer, std::ptrdiff_t nWant) { return source.Read(pBuffer, nWant); },
                                nHint, pProgress);
    load.strPath = source.GetFilePath();
    return load;
}

std::vector<std::size_t> FindTokenRecords(const LogLoad& load, const CString& token)
{
    int crawler = CrawlerOfToken(token.GetString());
    if (crawler >= 0 && token.GetLength() == static_cast<std::ptrdiff_t>(std::strlen(kCrawlerTokens[crawler])))
        return load.crawlerRecords[crawler];
    return SearchTokenRecords(load.records, load.records.GetCount(), token);
}

std::vector<std::size_t> SearchTokenRecords(const RecordTable& records, std::size_t nRecords, const CString& token)
{
    nRecords = std::min(nRecords, records.GetCount());
    std::vector<std::size_t> hits;
    const corvane::ByteFinder finder(token.GetString(), token.GetLength());
    for (std::size_t j = 1; j <= nRecords; ++j) {
        std::ptrdiff_t n = 0;
        const char* p = records.TextAt(j, n);
        if (finder.Find(p, n, 1) >= 0) hits.push_back(j);
    }
    return hits;
}

int CrawlerOfToken(const char* pszToken)
{
    if (!pszToken) return -1;
    for (int t = 0; t < kCrawlerCount; ++t)
        if (std::strcmp(pszToken, kCrawlerTokens[t]) == 0) return t;
    return -1;
}
