// Cutting a selected access-log line into its six fields. The cut only finds
// where each field lies, so that it costs nothing to run over millions of
// lines at once or over the visible rows while painting; strings are made
// from the spans when they are needed.
//
// Fields, in a line of the common or combined format:
//   ip      the text before the first " - - "; without it, before the first
//           space; without a space, the whole line
//   time    inside the first "[" and the first "]" after it, up to its first
//           space (the zone is dropped, whatever its sign)
//   url     the request between its method and its protocol, both spaces
//           kept; without a protocol, everything after the method
//   http    the request's last word when it starts with "HTTP/"
//   status  the first word after the request when it is three digits
//   bytes   the word after the status when it is all digits ("-" is none)
// The request is the first quoted string after the time's "]" (after the
// line's start when there is no time); it ends at the next quote that does
// not follow a backslash, or at the line's end, and then has no status. A
// request without a space ("" or "-") has neither url nor protocol.
//
// Words are runs of characters other than the space: a tab belongs to a word.
// One CR ending the line is a line end left by CR LF, not text of any field.
#pragma once

#include "platform/base/CString.h"

#include <cstddef>

class CStringArena;

// Where a field lies in its line: no characters when the field is missing.
struct LogFieldSpan {
    std::ptrdiff_t start = 0;
    std::ptrdiff_t length = 0;
};

struct LogFieldSpans {
    LogFieldSpan ip;
    LogFieldSpan time;
    LogFieldSpan url;
    LogFieldSpan http;
    LogFieldSpan status;
    LogFieldSpan bytes;
};

// Finds the six fields of the length characters at line. Reads nothing
// outside them: the line need not end with a NUL and may sit inside a larger
// text. A missing field gets an empty span; no input is an error.
void CutLogFields(const char* line, std::ptrdiff_t length, LogFieldSpans& out) noexcept;

// The field as the pages show it: one space, then the span's characters of
// line (a lone space for a missing field). From arena when one is given.
CString MakeLogField(const char* line, const LogFieldSpan& span, CStringArena* arena = nullptr);
