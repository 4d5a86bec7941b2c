// Why a log source refused a file or stopped reading it. It is a
// CFileException, so callers that catch file errors see it, and its report
// names what is wrong with the file rather than a system error.
#pragma once

#include "platform/base/Exception.h"

class CLogSourceException : public CFileException {
public:
    enum Reason {
        directory,   // a folder was named
        device,      // a device file: it may never end, so it is not read
        corrupt,     // compressed data that does not decode
        truncated,   // compressed data that stops inside a stream
        pipeTimeout, // a pipe that brought no data for too long
    };

    CLogSourceException(Reason reason, const CString& fileName);
    BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

    Reason m_reason;
};

[[noreturn]] void ThrowLogSourceException(CLogSourceException::Reason reason, const CString& fileName);
