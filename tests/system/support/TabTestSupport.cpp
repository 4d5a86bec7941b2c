#include "tests/system/support/TabTestSupport.h"

#include "platform/system/controls/tab/TabClass.h"

namespace tabfile {
namespace {

LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TCN_SELCHANGING || hdr->code == TCN_SELCHANGE || hdr->code == TCN_KEYDOWN) {
            int cur = static_cast<int>(SendMessage(hdr->hwndFrom, TCM_GETCURSEL, 0, 0));
            Notes().push_back({hdr->code, cur});
            if (hdr->code == TCN_SELCHANGING) {
                if (EmptyOnChanging()) SendMessage(hdr->hwndFrom, TCM_DELETEALLITEMS, 0, 0);
                return VetoAnswer();
            }
        }
        return 0;
    }
    if (message == WM_COMMAND && lParam) Commands().push_back(HIWORD(wParam));
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

std::vector<Seen>& Notes()
{
    static std::vector<Seen> notes;
    return notes;
}

std::vector<WORD>& Commands()
{
    static std::vector<WORD> commands;
    return commands;
}

LRESULT& VetoAnswer()
{
    static LRESULT answer = 0;
    return answer;
}

bool& EmptyOnChanging()
{
    static bool empty = false;
    return empty;
}

void HeadlessTest::SetUp()
{
    sys::SetBackend(&m_screen);
    Notes().clear();
    Commands().clear();
    VetoAnswer() = 0;
    EmptyOnChanging() = false;
    ASSERT_TRUE(sys::RegisterTabClass());
    WNDCLASS wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "TabFileParent";
    RegisterClass(&wc);
}

void HeadlessTest::TearDown()
{
    m_screen.SetIdleHandler(nullptr);
    sys::SetBackend(nullptr);
}

POINT HeadlessTest::Screen(HWND hwnd, int x, int y) const
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

void HeadlessTest::ClickAt(HWND hwnd, int x, int y)
{
    POINT p = Screen(hwnd, x, y);
    m_screen.Click(p.x, p.y);
    sys::PumpUntilIdle();
}

HWND HeadlessTest::MakeParent(int width, int height)
{
    HWND parent = CreateWindowEx(0, "TabFileParent", "parent", WS_POPUP | WS_VISIBLE, 40, 30, width, height, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_NE(parent, nullptr);
    return parent;
}

HWND HeadlessTest::MakeTab(HWND parent, DWORD style, const std::vector<std::string>& titles, int width, int height)
{
    HWND tab = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent,
                              reinterpret_cast<HMENU>(1002), nullptr, nullptr);
    EXPECT_NE(tab, nullptr);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        TCITEM item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<LPSTR>(titles[i].c_str());
        item.lParam = static_cast<LPARAM>(100 + i);
        SendMessage(tab, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
    }
    sys::PumpUntilIdle();
    return tab;
}

int CountPixels(const display::HeadlessBackend& screen, HWND hwnd, RECT r, COLORREF color)
{
    gfx::Surface shot = screen.Screenshot();
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    gfx::Pixel want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (shot.At(origin.x + x, origin.y + y) == want) ++n;
    return n;
}

} // namespace tabfile
