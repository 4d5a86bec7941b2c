// The exception family thrown by the string and file classes. Exceptions are
// thrown as heap pointers and released with Delete(), as the framework does.
#pragma once

#include "platform/base/CString.h"

class CException {
public:
    virtual ~CException() = default;
    // Writes the text shown to the user; returns FALSE when there is none.
    virtual BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
    CString GetErrorText() const;
    // Shows the standard report. The framework installs the message-box reporter;
    // until then the report goes to standard error.
    virtual int ReportError(UINT type = 0, UINT messageId = 0);
    void Delete() { delete this; }

    using Reporter = int (*)(const char* text, UINT type);
    static void SetReporter(Reporter reporter);
};

class CMemoryException : public CException {
public:
    BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

class CFileException : public CException {
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, long osError = -1, const CString& fileName = CString());
    BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
    // Maps an errno value to a cause.
    static int OsErrorToException(long osError);

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, long osError = -1, const char* fileName = nullptr);
