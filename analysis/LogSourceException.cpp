#include "analysis/LogSourceException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The file exception's cause and system error closest to each reason, for
// callers that only look at those.
int CauseOf(CLogSourceException::Reason reason)
{
    switch (reason) {
    case CLogSourceException::directory: return CFileException::accessDenied;
    case CLogSourceException::truncated: return CFileException::endOfFile;
    default: return CFileException::invalidFile;
    }
}

long OsErrorOf(CLogSourceException::Reason reason)
{
    switch (reason) {
    case CLogSourceException::directory: return EISDIR;
    case CLogSourceException::device: return ENODEV;
    case CLogSourceException::pipeTimeout: return EPIPE;
    default: return EILSEQ;
    }
}

} // namespace

CLogSourceException::CLogSourceException(Reason reason, const CString& fileName)
    : CFileException(CauseOf(reason), OsErrorOf(reason), fileName), m_reason(reason)
{
}

BOOL CLogSourceException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const
{
    if (!buffer || maxChars == 0) return FALSE;
    const char* name = m_strFileName.IsEmpty() ? "未知文件" : m_strFileName.GetString();
    const char* what;
    switch (m_reason) {
    case directory: what = "这是一个文件夹，不是日志文件"; break;
    case device: what = "这是一个设备，不是日志文件，不能读取"; break;
    case pipeTimeout: what = "管道长时间没有送来数据（没有程序写入）"; break;
    default: what = "压缩文件已损坏或不完整"; break;
    }
    CString text;
    text.Format("%s: %s。", what, name);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), maxChars - 1);
    std::memcpy(buffer, text.GetString(), n);
    buffer[n] = '\0';
    return TRUE;
}

void ThrowLogSourceException(CLogSourceException::Reason reason, const CString& fileName)
{
    throw new CLogSourceException(reason, fileName);
}
