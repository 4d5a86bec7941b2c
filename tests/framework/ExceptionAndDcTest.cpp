// A framework exception thrown by a handler is reported and released, never
// lost into the system; device contexts and drawing objects own what they should.
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

std::vector<std::string> g_reports;
int CaptureReport(const char* text, UINT)
{
    g_reports.emplace_back(text ? text : "");
    return 0;
}

class CThrowingWnd : public CWnd {
public:
    bool m_bThrowOnCreate = false;

protected:
    int OnCreate(LPCREATESTRUCT)
    {
        if (m_bThrowOnCreate) AfxThrowMemoryException();
        return 0;
    }
    LRESULT OnLoad(WPARAM, LPARAM)
    {
        AfxThrowFileException(CFileException::fileNotFound, 2, "missing.log");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_USER + 3, OnLoad)
END_MESSAGE_MAP()

using ExceptionTest = FrameworkTest;

TEST_F(ExceptionTest, HandlerExceptionsAreReportedAndCreationFails)
{
    g_reports.clear();
    CException::SetReporter(&CaptureReport);
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(wnd.SendMessage(WM_USER + 3, 0, 0), 0);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_NE(g_reports[0].find("missing.log"), std::string::npos);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd)); // the window carries on

    CThrowingWnd failing;
    failing.m_bThrowOnCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(failing.m_hWnd, nullptr);
    EXPECT_EQ(g_reports.size(), 2u);
    wnd.DestroyWindow();
    CException::SetReporter(nullptr);
}

using DcTest = FrameworkTest;

TEST_F(DcTest, ClientDcDrawsAndObjectsReleaseTheirHandles)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr));
    sys::PumpUntilIdle();
    std::size_t baseline = sys::GdiObjectCount();
    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        CRect r(2, 3, 10, 8);
        dc.FillSolidRect(&r, RGB(10, 200, 30));
        EXPECT_EQ(dc.GetPixel(2, 3), RGB(10, 200, 30));
        EXPECT_EQ(dc.GetPixel(9, 7), RGB(10, 200, 30));
        EXPECT_NE(dc.GetPixel(10, 8), RGB(10, 200, 30));
        EXPECT_EQ(dc.GetBkColor(), RGB(10, 200, 30)); // the fill leaves its colour behind

        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        ASSERT_NE(pen.m_hObject, nullptr);
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(&brush);
        ASSERT_NE(oldPen, nullptr);
        EXPECT_EQ(dc.GetCurrentPen()->m_hObject, pen.m_hObject);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, oldBrush->m_hObject);
        // Creating into an object that already holds a handle is refused, not leaked.
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, 0));
    }
    AfxDeleteTempMaps(); // temporary wrappers never delete what they wrap
    EXPECT_EQ(sys::GdiObjectCount(), baseline);

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRoundRectRgn(0, 0, 40, 30, 5, 5));
    EXPECT_TRUE(rgn.PtInRegion(20, 15));
    EXPECT_FALSE(rgn.PtInRegion(0, 0));
    wnd.DestroyWindow();
}

} // namespace
} // namespace corvane::test
