#include "platform/base/Exception.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
CException::Reporter g_reporter = nullptr;

BOOL CopyMessage(const CString& text, char* buffer, UINT maxChars)
{
    if (!buffer || maxChars == 0) return FALSE;
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), maxChars - 1);
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = '\0';
    return TRUE;
}
} // namespace

BOOL CException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const
{
    if (buffer && maxChars) buffer[0] = '\0';
    return FALSE;
}

CString CException::GetErrorText() const
{
    char text[512];
    if (!GetErrorMessage(text, sizeof text)) return CString("发生了未知错误。");
    return CString(text);
}

void CException::SetReporter(Reporter reporter) { g_reporter = reporter; }

int CException::ReportError(UINT type, UINT)
{
    CString text = GetErrorText();
    if (g_reporter) return g_reporter(text, type);
    std::fprintf(stderr, "%s\n", text.GetString());
    return 0;
}

BOOL CMemoryException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const
{
    return CopyMessage("内存不足。", buffer, maxChars);
}

CFileException::CFileException(int cause, long osError, const CString& fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

int CFileException::OsErrorToException(long osError)
{
    switch (osError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBUSY:
    case ETXTBSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT: return diskFull;
    case EIO: return hardIO;
    case EFBIG:
    case EOVERFLOW: return invalidFile;
    default: return generic;
    }
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const
{
    const char* name = m_strFileName.IsEmpty() ? "未知文件" : m_strFileName.GetString();
    const char* what;
    switch (m_cause) {
    case fileNotFound: what = "找不到文件"; break;
    case badPath: what = "路径无效"; break;
    case tooManyOpenFiles: what = "打开的文件过多"; break;
    case accessDenied: what = "拒绝访问"; break;
    case invalidFile: what = "文件无效或过大"; break;
    case sharingViolation: what = "文件正被占用"; break;
    case diskFull: what = "磁盘已满"; break;
    case hardIO: what = "读写设备出错"; break;
    case endOfFile: what = "文件在读完之前结束"; break;
    default: what = "访问文件时出错"; break;
    }
    CString text;
    text.Format("%s: %s。", what, name);
    return CopyMessage(text, buffer, maxChars);
}

void AfxThrowMemoryException() { throw new CMemoryException(); }

void AfxThrowFileException(int cause, long osError, const char* fileName)
{
    throw new CFileException(cause, osError, CString(fileName));
}
