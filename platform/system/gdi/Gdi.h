// The drawing calls of the system interface: device contexts, drawing objects,
// regions, raster and text output, and the system's own drawing helpers.
// Every handle is checked: a null, deleted or wrong-kind handle fails the
// documented way (FALSE, null, 0, ERROR, CLR_INVALID) and never crashes.
#pragma once

#include "platform/gfx/Region.h"
#include "platform/system/gdi/GdiDefs.h"
#include "platform/system/gdi/GdiResources.h"

// Device contexts.
HDC CreateCompatibleDC(HDC hdc);
// The window a window DC draws into; null for a memory DC or a bad handle.
HWND WindowFromDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int savedDc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT objectType);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetDCBrushColor(HDC hdc, COLORREF color);
COLORREF SetDCPenColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int mode);
int GetROP2(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin);
BOOL LPtoDP(HDC hdc, LPPOINT points, int count);
BOOL DPtoLP(HDC hdc, LPPOINT points, int count);

// Clipping (regions in device coordinates, rectangles in logical ones).
int SelectClipRgn(HDC hdc, HRGN region);
int ExtSelectClipRgn(HDC hdc, HRGN region, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int dx, int dy);
int GetClipBox(HDC hdc, LPRECT rect);
int GetClipRgn(HDC hdc, HRGN region);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

// Drawing objects.
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, LPVOID out);
inline int GetObject(HGDIOBJ object, int size, LPVOID out) { return GetObjectA(object, size, out); }
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* logPen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
HBRUSH GetSysColorBrush(int index);
HFONT CreateFontIndirectA(const LOGFONTA* logFont);
inline HFONT CreateFontIndirect(const LOGFONTA* logFont) { return CreateFontIndirectA(logFont); }
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName);
inline HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                        DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR faceName)
{
    return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
}
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// Rows top to bottom: 32 bits per pixel as 0x00RRGGBB, or 1 bit (set = white) in rows padded to
// 16 bits. Other depths and planes fail.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// Regions.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, LPRECT rect);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush);
BOOL PaintRgn(HDC hdc, HRGN region);

// Raster output.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);

// Text output.
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count);
inline BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int count) { return TextOutA(hdc, x, y, text, count); }
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const int* dx);
inline BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const int* dx)
{
    return ExtTextOutA(hdc, x, y, options, rect, text, count, dx);
}
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int count, SIZE* size)
{
    return GetTextExtentPoint32A(hdc, text, count, size);
}
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics);
inline BOOL GetTextMetrics(HDC hdc, TEXTMETRICA* metrics) { return GetTextMetricsA(hdc, metrics); }
int GetTextFaceA(HDC hdc, int size, LPSTR name);

// The system's drawing helpers.
int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format);
inline int DrawText(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    return DrawTextA(hdc, text, count, rect, format);
}
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
using DRAWSTATEPROC = BOOL (*)(HDC hdc, LPARAM data, WPARAM wData, int cx, int cy);
BOOL DrawStateA(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
                UINT flags);
inline BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx,
                      int cy, UINT flags)
{
    return DrawStateA(hdc, brush, proc, data, wData, x, y, cx, cy, flags);
}
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

// Kernel helpers the drawing code's callers use.
int lstrlenA(LPCSTR text);
inline int lstrlen(LPCSTR text) { return lstrlenA(text); }
int MulDiv(int number, int numerator, int denominator);

namespace sys {
// Window managers and framework code reach the pixels of a region handle here.
// Null for a bad handle.
const gfx::Region* RegionOf(HRGN region);
// Takes the region out of its handle (which becomes invalid), for an owner
// such as SetWindowRgn. False, out untouched, for a bad handle.
bool TakeRegion(HRGN region, gfx::Region* out);
// Makes a region handle from pixels (for GetWindowRgn, GetUpdateRgn and the like).
HRGN NewRegion(const gfx::Region& region);
// Replaces the pixels of a region handle. False for a bad handle.
bool SetRegion(HRGN region, const gfx::Region& pixels);
// Live drawing objects and DCs, for leak checks.
std::size_t GdiObjectCount();
} // namespace sys
