#include "platform/framework/FileDialog.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// The system's NUL-separated form from either form a caller may give.
std::string SystemFilter(LPCSTR filter)
{
    std::string out;
    if (!filter || !*filter) return out;
    if (std::strchr(filter, '|')) {
        out = filter;
        for (char& c : out)
            if (c == '|') c = '\0';
    } else {
        // Already pairs of NUL-terminated strings: copy up to the closing empty one.
        const char* p = filter;
        while (*p) {
            std::size_t n = std::strlen(p);
            out.append(p, n + 1);
            p += n + 1;
        }
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags, LPCSTR lpszFilter,
                         CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_strFilter = SystemFilter(lpszFilter);
    if (lpszDefExt) m_strDefExt = lpszDefExt;
    if (lpszFileName) {
        std::size_t n = std::min(std::strlen(lpszFileName), sizeof m_szFileName - 1);
        std::memcpy(m_szFileName, lpszFileName, n);
    }
    m_ofn.lStructSize = sizeof(OPENFILENAMEA);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.GetString() : nullptr;
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.data();
}

INT_PTR CFileDialog::DoModal()
{
    HWND owner = m_ofn.hwndOwner;
    if (!owner) {
        CWnd* pOwner = GetSafeOwner(m_pParentWnd, nullptr);
        owner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    }
    m_ofn.hwndOwner = owner;
    BOOL ok = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    auto slash = path.ReverseFind('/');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    auto dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    auto dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
