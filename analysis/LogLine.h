// One line of the loaded text, as a record of the table.
#pragma once

#include "platform/base/CString.h"

#include <cstdint>

struct LogLine {
    // Offset of the line's first character: one past the line end that opens it.
    std::int64_t start = 0;
    // Offset of the line end that closes the line; -1 when the text has none.
    std::int64_t end = 0;
    // The characters from start up to end; empty when end is -1.
    CString text;
};
