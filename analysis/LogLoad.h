// Loading a log: the whole file as one text, its entry markers counted, and
// its lines cut into the records of a RecordTable.
//
// A load is built whole in a fresh LogLoad and handed over by Swap, so a load
// that throws (CFileException, CMemoryException) leaves the previous one as it
// was.
#pragma once

#include "analysis/RecordTable.h"
#include "platform/base/CString.h"

#include <cstddef>

// The entry marker: the gap between client address and access time.
inline constexpr char kLogMarker[] = " - - ";

struct LogLoad {
    CString strPath;           // the path the opened file reports
    CString strText;           // the file's bytes up to its first NUL
    std::size_t nMarkers = 0;  // entry markers in strText
    std::size_t nRecords = 0;  // records stored; always records.GetCount()
    RecordTable records;       // slots 1 to nRecords

    void Swap(LogLoad& other) noexcept;
};

// Markers in text, counted as a search that resumes two bytes after each hit
// (so a run " - - - " counts twice).
std::size_t CountLogMarkers(const char* text, std::ptrdiff_t length) noexcept;

// Counts the markers of text and cuts it into records; the path stays empty.
// The result shares text's buffer. Throws CMemoryException.
LogLoad SplitLogText(const CString& text);

// Opens path for reading, reads it whole and splits it. Throws
// CFileException or CMemoryException; nothing outside the result is touched.
LogLoad LoadLogFile(const char* path);

// The records of a text whose markers are counted: record j holds the text
// between the j-th and the (j+1)-th line end. Records stop at nMarkers - 1, or
// after the first one whose closing line end is missing (kept, with end -1 and
// an empty text). Throws CMemoryException; records may then be partly filled.
void SplitLogRecords(const char* text, std::ptrdiff_t length, std::size_t nMarkers, RecordTable& records);
