// The four message-box pictures, drawn in code in the classic manner: a red
// stop disc, a question balloon, a yellow warning triangle and an
// information balloon.
#include "platform/system/controls/messagebox/MessageBox.h"
#include "platform/system/gdi/Gdi.h"

namespace sys {

namespace {

void Fill(HDC hdc, int l, int t, int r, int b, COLORREF color)
{
    RECT rc{l, t, r, b};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rc, brush);
    DeleteObject(brush);
}

void Disc(HDC hdc, int x, int y, COLORREF fill, COLORREF outline)
{
    HPEN pen = CreatePen(PS_SOLID, 1, outline);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    Ellipse(hdc, x + 1, y + 1, x + 31, y + 31);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Stop(HDC hdc, int x, int y)
{
    Disc(hdc, x, y, RGB(255, 0, 0), RGB(128, 0, 0));
    // A white cross of three-pixel strokes.
    for (int i = 0; i < 12; ++i) {
        Fill(hdc, x + 10 + i, y + 9 + i, x + 13 + i, y + 11 + i, RGB(255, 255, 255));
        Fill(hdc, x + 19 - i, y + 9 + i, x + 22 - i, y + 11 + i, RGB(255, 255, 255));
    }
}

void Balloon(HDC hdc, int x, int y)
{
    Disc(hdc, x, y, RGB(255, 255, 255), RGB(0, 0, 0));
}

void Question(HDC hdc, int x, int y)
{
    Balloon(hdc, x, y);
    COLORREF blue = RGB(0, 0, 255);
    Fill(hdc, x + 11, y + 7, x + 21, y + 10, blue); // the arch
    Fill(hdc, x + 9, y + 9, x + 12, y + 13, blue);
    Fill(hdc, x + 20, y + 9, x + 23, y + 15, blue);
    Fill(hdc, x + 16, y + 14, x + 21, y + 17, blue); // the hook
    Fill(hdc, x + 15, y + 16, x + 18, y + 20, blue);
    Fill(hdc, x + 15, y + 22, x + 18, y + 25, blue); // the dot
}

void Warning(HDC hdc, int x, int y)
{
    // Row by row: the triangle widens from its apex at the top centre.
    for (int row = 0; row < 28; ++row) {
        int half = row / 2 + 1;
        Fill(hdc, x + 16 - half, y + 2 + row, x + 16 + half, y + 3 + row, RGB(0, 0, 0));
        if (row > 1 && row < 27 && half > 1)
            Fill(hdc, x + 17 - half, y + 2 + row, x + 15 + half, y + 3 + row, RGB(255, 255, 0));
    }
    Fill(hdc, x + 15, y + 10, x + 17, y + 22, RGB(0, 0, 0));
    Fill(hdc, x + 15, y + 24, x + 17, y + 26, RGB(0, 0, 0));
}

void Information(HDC hdc, int x, int y)
{
    Balloon(hdc, x, y);
    COLORREF blue = RGB(0, 0, 255);
    Fill(hdc, x + 14, y + 6, x + 18, y + 10, blue);
    Fill(hdc, x + 14, y + 12, x + 18, y + 24, blue);
    Fill(hdc, x + 12, y + 12, x + 14, y + 14, blue);
    Fill(hdc, x + 12, y + 23, x + 20, y + 25, blue);
}

} // namespace

void DrawMessageBoxIcon(HDC hdc, int x, int y, UINT iconType)
{
    switch (iconType & MB_ICONMASK) {
    case MB_ICONHAND: Stop(hdc, x, y); break;
    case MB_ICONQUESTION: Question(hdc, x, y); break;
    case MB_ICONEXCLAMATION: Warning(hdc, x, y); break;
    case MB_ICONASTERISK: Information(hdc, x, y); break;
    default: break;
    }
}

} // namespace sys
