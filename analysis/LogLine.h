// One line of the loaded text, as a record of the table. A record does not
// hold a copy of its line: it points into the load's text.
#pragma once

#include "platform/base/CString.h"

#include <cstdint>

struct LogLine {
    // Offset of the line's first character.
    std::int64_t start = 0;
    // Offset of the line end ("\n") that closes the line; -1 when the text
    // ends without one.
    std::int64_t end = 0;
    // The characters from start up to the line end (or the end of the text).
    const char* pText = nullptr;
    std::ptrdiff_t nLength = 0;

    // The line's text as a string of its own.
    CString Text() const { return CString(pText, nLength); }
};
