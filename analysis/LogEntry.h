// One selected crawler line and the fields cut from it (LogFields.h has the
// rules). Every field but line starts with one space, and a missing field is
// that space alone (the status colour compares " 200" and " 404").
#pragma once

#include "platform/base/CString.h"

class CStringArena;

struct LogEntry {
    CString line;   // the record text, as selected
    CString ip;     // client address
    CString time;   // bracketed time without its zone
    CString url;    // request target with the spaces around it
    CString http;   // the request's protocol ("HTTP/1.1")
    CString status; // three digits after the request
    CString bytes;  // response size, digits only

    // Cuts the six fields from line. A field that is not there is a lone
    // space, never an error. Field strings come from arena when one is given.
    void Extract(CStringArena* arena = nullptr);
};

// True when token occurs in text at offset 1 or later: a token standing only
// at the very first character does not select the line.
bool LogLineHasToken(const CString& text, const CString& token) noexcept;
