#include "tests/pages/PageFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "res/Resources.h"

namespace pagestest {

namespace {
constexpr const char* kParentClass = "PageTestParent";
} // namespace

void PageTest::SetUp()
{
    sys::SetBackend(&screen);
    ASSERT_TRUE(sys::RegisterListViewClasses());
    RegisterCorvaneResources();
    WNDCLASS wc{};
    wc.lpfnWndProc = &DefWindowProc;
    wc.lpszClassName = kParentClass;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(RegisterClass(&wc), 0);
    ASSERT_TRUE(parent.CreateEx(0, kParentClass, "parent", WS_POPUP | WS_VISIBLE, 0, 0, kParentW, kParentH, nullptr,
                                nullptr));
    screen.MoveMouse(1000, 700);
    Pump();
}

void PageTest::TearDown()
{
    parent.DestroyWindow();
    Pump();
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
}

void PageTest::Show(CDialog& page, UINT nIDTemplate)
{
    ASSERT_TRUE(page.Create(nIDTemplate, &parent));
    page.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    page.ShowWindow(SW_SHOW);
    Pump();
}

COLORREF PageTest::Pixel(HWND hwnd, int x, int y) const
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return gfx::ColorFromPixel(screen.PixelAt(r.left + x, r.top + y));
}

int PageTest::ProposedHeaderHeight(CListCtrlCl& list)
{
    float factor = list.m_header.m_heightFactor;
    list.SetHeaderHeightFactor(1.0f);
    RECT room{0, 0, 300, 200};
    WINDOWPOS wp{};
    HDLAYOUT layout{&room, &wp};
    list.m_header.SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    list.SetHeaderHeightFactor(factor);
    return wp.cy;
}

LogLoad LoadOfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    LogLoad load = SplitLogText(CString(text.data(), static_cast<std::ptrdiff_t>(text.size())));
    EXPECT_EQ(load.nRecords, lines.size());
    return load;
}

std::string LogLineOf(const std::string& ip, const std::string& target, const std::string& status,
                      const std::string& size, const std::string& agent)
{
    return ip + " - - [10/Oct/2011:13:55:36 -0700] \"GET " + target + " HTTP/1.1\" " + status + " " + size +
           " \"-\" \"Mozilla/5.0 (compatible; " + agent + ")\"";
}

} // namespace pagestest
