// CDCStateSaver: what a scope changes in a device context comes back when the
// saver goes, nested savers each bring back their own scope's state, and
// objects selected inside a scope are free again after it.
#include "platform/framework/DcStateSaver.h"

#include "platform/system/gdi/Gdi.h"
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

// Everything the painters in the program change in a DC.
struct DcLook {
    HGDIOBJ pen, brush, font, bitmap;
    COLORREF text, back;
    int mode, rop;
    UINT align;
    CPoint position, viewport;
    CRect clip;
    bool operator==(const DcLook&) const = default;
};

DcLook LookOf(CDC& dc)
{
    DcLook l{};
    l.pen = ::GetCurrentObject(dc, OBJ_PEN);
    l.brush = ::GetCurrentObject(dc, OBJ_BRUSH);
    l.font = ::GetCurrentObject(dc, OBJ_FONT);
    l.bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    l.text = dc.GetTextColor();
    l.back = dc.GetBkColor();
    l.mode = dc.GetBkMode();
    l.rop = ::GetROP2(dc);
    l.align = ::GetTextAlign(dc);
    l.position = dc.GetCurrentPosition();
    l.viewport = dc.GetViewportOrg();
    dc.GetClipBox(&l.clip);
    return l;
}

bool MakeFont(CFont& font, int nHeight)
{
    return font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

class DcStateSaverTest : public FrameworkTest {
protected:
    CDC dc;
    CBitmap canvas;

    void SetUp() override
    {
        FrameworkTest::SetUp();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(canvas.CreateBitmap(8, 8, 1, 32, nullptr));
        dc.SelectObject(&canvas);
        CRect all(0, 0, 8, 8);
        dc.FillSolidRect(&all, RGB(255, 255, 255));
        dc.SetBkColor(RGB(1, 1, 1));
    }
    void TearDown() override
    {
        dc.DeleteDC();
        canvas.DeleteObject();
        FrameworkTest::TearDown();
    }
    // Changes every part of the look to something else.
    void ChangeAll(CPen& pen, CBrush& brush, CFont& font, CBitmap& bitmap, COLORREF clr)
    {
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SelectObject(&font);
        dc.SelectObject(&bitmap);
        dc.SetTextColor(clr);
        dc.SetBkColor(clr);
        dc.SetBkMode(dc.GetBkMode() == OPAQUE ? TRANSPARENT : OPAQUE);
        dc.SetROP2(::GetROP2(dc) == R2_COPYPEN ? R2_XORPEN : R2_NOT);
        dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
        dc.MoveTo(3, 5);
        dc.SetViewportOrg(dc.GetViewportOrg().x + 1, 2);
        dc.IntersectClipRect(1, 1, 4, 4);
    }
};

TEST_F(DcStateSaverTest, TheScopeChangesComeBackAndItsObjectsAreFree)
{
    const DcLook before = LookOf(dc);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(0, 255, 0));
    CFont font;
    ASSERT_TRUE(MakeFont(font, 12));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
    {
        CDCStateSaver saver(&dc);
        EXPECT_TRUE(saver.IsSaved());
        ChangeAll(pen, brush, font, bitmap, RGB(9, 8, 7));
        const DcLook changed = LookOf(dc);
        EXPECT_EQ(changed.pen, pen.m_hObject);
        EXPECT_EQ(changed.bitmap, bitmap.m_hObject);
        EXPECT_NE(changed.text, before.text);
        EXPECT_NE(changed.mode, before.mode);
        EXPECT_NE(changed.rop, before.rop);
        EXPECT_NE(changed.align, before.align);
        EXPECT_NE(changed.position, before.position);
        EXPECT_NE(changed.viewport, before.viewport);
        EXPECT_NE(changed.clip, before.clip);
    }
    EXPECT_TRUE(LookOf(dc) == before);

    // The DC draws with what it had: the black default pen, on the whole bitmap.
    dc.MoveTo(0, 6);
    dc.LineTo(8, 6);
    EXPECT_EQ(dc.GetPixel(0, 6), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(7, 6), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(7, 5), RGB(255, 255, 255));

    // Nothing of the scope is held any more: the bitmap goes into another DC, all are deleted.
    CDC other;
    ASSERT_TRUE(other.CreateCompatibleDC(nullptr));
    EXPECT_NE(other.SelectObject(&bitmap), nullptr);
    other.DeleteDC();
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_TRUE(bitmap.DeleteObject());
}

TEST_F(DcStateSaverTest, NestedSaversBringBackTheirOwnScopes)
{
    const DcLook before = LookOf(dc);
    CPen outerPen(PS_SOLID, 1, RGB(1, 2, 3)), innerPen(PS_SOLID, 1, RGB(4, 5, 6));
    CBrush outerBrush(RGB(7, 8, 9)), innerBrush(RGB(10, 11, 12));
    CFont outerFont, innerFont;
    ASSERT_TRUE(MakeFont(outerFont, 10));
    ASSERT_TRUE(MakeFont(innerFont, 14));
    CBitmap outerBitmap, innerBitmap;
    ASSERT_TRUE(outerBitmap.CreateBitmap(2, 2, 1, 32, nullptr));
    ASSERT_TRUE(innerBitmap.CreateBitmap(3, 3, 1, 32, nullptr));
    {
        CDCStateSaver outer(dc);
        ChangeAll(outerPen, outerBrush, outerFont, outerBitmap, RGB(20, 30, 40));
        const DcLook middle = LookOf(dc);
        {
            CDCStateSaver inner(&dc);
            ChangeAll(innerPen, innerBrush, innerFont, innerBitmap, RGB(50, 60, 70));
            EXPECT_FALSE(LookOf(dc) == middle);
            {
                // A third level that changes one thing only.
                CDCStateSaver third(&dc);
                dc.SetTextColor(RGB(80, 90, 100));
            }
            EXPECT_EQ(dc.GetTextColor(), RGB(50, 60, 70));
        }
        EXPECT_TRUE(LookOf(dc) == middle);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), outerPen.m_hObject);
        EXPECT_EQ(dc.GetTextColor(), RGB(20, 30, 40));
    }
    EXPECT_TRUE(LookOf(dc) == before);
}

TEST_F(DcStateSaverTest, EarlyRestoreAndNoDcRestoreNothingMore)
{
    const COLORREF original = dc.GetTextColor();
    {
        CDCStateSaver saver(&dc);
        dc.SetTextColor(RGB(1, 2, 3));
        saver.Restore();
        EXPECT_EQ(dc.GetTextColor(), original);
        EXPECT_FALSE(saver.IsSaved());
        // What comes after the early restore stays: the destructor does nothing.
        dc.SetTextColor(RGB(4, 5, 6));
    }
    EXPECT_EQ(dc.GetTextColor(), RGB(4, 5, 6));
    // An outer saver is not undone by an inner one that restored early.
    {
        CDCStateSaver outer(&dc);
        dc.SetTextColor(RGB(7, 8, 9));
        {
            CDCStateSaver inner(&dc);
            inner.Restore();
        }
        EXPECT_EQ(dc.GetTextColor(), RGB(7, 8, 9));
    }
    EXPECT_EQ(dc.GetTextColor(), RGB(4, 5, 6));

    CDCStateSaver none(static_cast<CDC*>(nullptr));
    EXPECT_FALSE(none.IsSaved());
    CDC empty;
    CDCStateSaver noHandle(empty);
    EXPECT_FALSE(noHandle.IsSaved());
}

} // namespace
} // namespace corvane::test
