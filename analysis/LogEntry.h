// One selected crawler line and the fields cut from it by fixed anchors of
// the common and combined access-log formats. Every field but line starts
// with one space (the status colour compares " 200" and " 404").
#pragma once

#include "platform/base/CString.h"

class CStringArena;

struct LogEntry {
    CString line;   // the record text, as selected
    CString ip;     // client address
    CString time;   // bracketed time, up to the space before a negative zone
    CString url;    // request target with the spaces around it
    CString http;   // the 8 characters from the first "HTTP"
    CString status; // 3 characters
    CString bytes;  // response size

    // Cuts the six fields from line. A missing anchor gives a short or empty
    // field, never an error. Field strings come from arena when one is given.
    void Extract(CStringArena* arena = nullptr);
};

// True when token occurs in text at offset 1 or later: a token standing only
// at the very first character does not select the line.
bool LogLineHasToken(const CString& text, const CString& token) noexcept;
