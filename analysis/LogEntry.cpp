#include "analysis/LogEntry.h"

#include "analysis/LogFields.h"
#include "platform/base/ByteSearch.h"

void LogEntry::Extract(CStringArena* arena)
{
    const CString s = line; // a working copy: shares the buffer
    const char* p = s.GetString();
    LogFieldSpans spans;
    CutLogFields(p, s.GetLength(), spans);
    ip = MakeLogField(p, spans.ip, arena);
    time = MakeLogField(p, spans.time, arena);
    url = MakeLogField(p, spans.url, arena);
    http = MakeLogField(p, spans.http, arena);
    status = MakeLogField(p, spans.status, arena);
    bytes = MakeLogField(p, spans.bytes, arena);
}

bool LogLineHasToken(const CString& text, const CString& token) noexcept
{
    return corvane::FindBytes(text.GetString(), text.GetLength(), 1, token.GetString(), token.GetLength()) >= 0;
}
