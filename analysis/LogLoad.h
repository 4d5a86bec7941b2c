// Loading a log: the whole file as one text, its entry markers counted, its
// lines indexed as the records of a RecordTable and the records of each
// crawler found, all in one pass over the bytes as they are read.
//
// A load is built whole in a fresh LogLoad and handed over by Swap, so a load
// that throws (CFileException, CMemoryException) leaves the previous one as it
// was.
#pragma once

#include "analysis/CrawlerTokens.h"
#include "analysis/RecordTable.h"
#include "platform/base/CString.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

// The entry marker: the gap between client address and access time.
inline constexpr char kLogMarker[] = " - - ";

struct LogLoad {
    CString strPath;          // the path the opened file reports
    CString strText;          // the file's bytes, each NUL made a space
    std::size_t nMarkers = 0; // entry markers in strText
    std::size_t nRecords = 0; // records: every line; always records.GetCount()
    RecordTable records;      // records 1 to nRecords
    // For each crawler token, the records holding it at offset 1 or later.
    std::vector<std::size_t> crawlerRecords[kCrawlerCount];

    void Swap(LogLoad& other) noexcept;
};

// How far a load has come, for a window to show while it waits. Written by
// the loading thread, read by any.
struct LogLoadProgress {
    std::atomic<long long> nDone{0};   // bytes read so far
    std::atomic<long long> nTotal{-1}; // bytes expected; -1 while unknown
    std::atomic<bool> bCancel{false};  // set by the waiting side: the load stops at the next piece
};

// What a load throws when its progress was told to cancel.
struct LogLoadCancelled {};

// Markers in text, counted as a search that resumes two bytes after each hit
// (so a run " - - - " counts twice).
std::size_t CountLogMarkers(const char* text, std::ptrdiff_t length) noexcept;

// Loads text as if it were a file's bytes; the path stays empty. Throws
// CMemoryException.
LogLoad SplitLogText(const CString& text);

// Reads up to nWant bytes into pBuffer; 0 at the end. Throws on failure.
using LogReadFn = std::function<std::ptrdiff_t(char* pBuffer, std::ptrdiff_t nWant)>;

// Texts of a known size this big are read on a second thread while the first
// takes them apart.
inline constexpr long long kLogReadAheadBytes = 64ll << 20;

// Loads the bytes read from read until it gives 0. nSizeHint is the expected
// size (-1 when unknown: the text grows as it comes). Throws CFileException or
// CMemoryException.
LogLoad LoadLogBytes(const LogReadFn& read, long long nSizeHint, LogLoadProgress* pProgress = nullptr,
                     long long nReadAheadFrom = kLogReadAheadBytes);

// Opens path for reading and loads it whole. Throws CFileException or
// CMemoryException; nothing outside the result is touched.
LogLoad LoadLogFile(const char* path, LogLoadProgress* pProgress = nullptr);

// Records 1 to nRecords (clamped to the table) holding token at offset 1 or
// later, in record order: a token at a line's very first character does not
// select it.
std::vector<std::size_t> SearchTokenRecords(const RecordTable& records, std::size_t nRecords, const CString& token);

// The same for a whole load: the six crawler tokens come from the load's own
// lists, found while it was read; any other token is searched.
std::vector<std::size_t> FindTokenRecords(const LogLoad& load, const CString& token);
