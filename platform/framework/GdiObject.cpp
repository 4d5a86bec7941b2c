#include "platform/framework/GdiObject.h"

#include "platform/framework/Dc.h"
#include "platform/framework/TempMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

// One temporary map per wrapper class, so a handle asked for as a pen and as a
// plain object gets a wrapper of each class.
template <class T>
struct GdiTemp : T {
    static void ReleaseTemporary(T* obj) { obj->m_hObject = nullptr; }
};

template <class T>
T* TempFor(HGDIOBJ h)
{
    if (!h) return nullptr;
    return afxinternal::TempMap<GdiTemp<T>>::Get(h, [h] {
        auto* obj = new GdiTemp<T>;
        obj->m_hObject = h;
        return obj;
    });
}

template <class T>
std::size_t TempCount()
{
    return afxinternal::TempMap<GdiTemp<T>>::Size();
}

} // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return TempFor<CGdiObject>(hObject); }
CPen* CPen::FromHandle(HPEN hPen) { return TempFor<CPen>(hPen); }
CBrush* CBrush::FromHandle(HBRUSH hBrush) { return TempFor<CBrush>(hBrush); }
CFont* CFont::FromHandle(HFONT hFont) { return TempFor<CFont>(hFont); }
CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TempFor<CBitmap>(hBitmap); }
CRgn* CRgn::FromHandle(HRGN hRgn) { return TempFor<CRgn>(hRgn); }

void CGdiObject::DeleteTempMap()
{
    afxinternal::TempMap<GdiTemp<CGdiObject>>::Clear();
    afxinternal::TempMap<GdiTemp<CPen>>::Clear();
    afxinternal::TempMap<GdiTemp<CBrush>>::Clear();
    afxinternal::TempMap<GdiTemp<CFont>>::Clear();
    afxinternal::TempMap<GdiTemp<CBitmap>>::Clear();
    afxinternal::TempMap<GdiTemp<CRgn>>::Clear();
}

std::size_t CGdiObject::TemporaryCount()
{
    return TempCount<CGdiObject>() + TempCount<CPen>() + TempCount<CBrush>() + TempCount<CFont>() +
           TempCount<CBitmap>() + TempCount<CRgn>();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject) return FALSE;
    m_hObject = hObject;
    m_bStock = false;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    m_bStock = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    bool stock = m_bStock;
    HGDIOBJ h = Detach();
    // Stock and system colour objects belong to the system.
    return stock ? TRUE : ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (!h || m_hObject) return FALSE;
    m_hObject = h;
    m_bStock = true;
    return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }

UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

// A create call on an object that already holds a handle fails rather than leak it.
#define CORVANE_ATTACH_NEW(expr)      \
    do {                              \
        if (m_hObject) return FALSE;  \
        return Attach((expr));        \
    } while (0)

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CORVANE_ATTACH_NEW(::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen) { CORVANE_ATTACH_NEW(::CreatePenIndirect(lpLogPen)); }
int CPen::GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { CORVANE_ATTACH_NEW(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { CORVANE_ATTACH_NEW(::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject) return FALSE;
    // The system owns its colour brushes: wrap, never delete.
    HBRUSH h = ::GetSysColorBrush(nIndex);
    if (!h) return FALSE;
    m_hObject = h;
    m_bStock = true;
    return TRUE;
}
int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) { CORVANE_ATTACH_NEW(::CreateFontIndirect(lpLogFont)); }
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    CORVANE_ATTACH_NEW(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                    cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                                    lpszFacename));
}
int CFont::GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) { CORVANE_ATTACH_NEW(::LoadBitmap(nullptr, lpszResourceName)); }
BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    CORVANE_ATTACH_NEW(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    CORVANE_ATTACH_NEW(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}
int CBitmap::GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
CSize CBitmap::GetBitmapDimension() const
{
    BITMAP bm{};
    if (!GetBitmap(&bm)) return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { CORVANE_ATTACH_NEW(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { CORVANE_ATTACH_NEW(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    CORVANE_ATTACH_NEW(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { CORVANE_ATTACH_NEW(::CreateEllipticRgn(x1, y1, x2, y2)); }
int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(*this, pRgn1 ? static_cast<HRGN>(*pRgn1) : nullptr,
                        pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}
int CRgn::CopyRgn(CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(CRgn* pRgn) const { return pRgn && ::EqualRgn(*this, *pRgn); }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::OffsetRgn(POINT point) { return ::OffsetRgn(*this, point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return ::PtInRegion(*this, point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(*this, lpRect); }
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect) ::SetRectRgn(*this, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
