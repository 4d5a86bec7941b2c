#include "tests/app/AppFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/filedialog/FileDialog.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace apptest {

void AppTest::SetUp()
{
    sys::SetBackend(&screen);
    RegisterCorvaneResources();
    AfxInstallExceptionReporter();
    ASSERT_EQ(AfxGetApp(), &theApp);
    screen.MoveMouse(1200, 700);
}

void AppTest::TearDown()
{
    screen.SetIdleHandler(nullptr);
    if (dlg && ::IsWindow(dlg->m_hWnd)) dlg->DestroyWindow();
    Pump();
    dlg.reset();
    theApp.m_pMainWnd = nullptr;
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
}

void AppTest::Open(CCorvaneDlg* made)
{
    dlg.reset(made ? made : new CCorvaneDlg());
    ASSERT_TRUE(dlg->Create(IDD_CORVANE_DIALOG));
    theApp.m_pMainWnd = dlg.get();
    Pump();
}

void AppTest::Script(std::vector<Step> steps, const Step& body)
{
    auto queue = std::make_shared<std::vector<Step>>(std::move(steps));
    auto next = std::make_shared<std::size_t>(0);
    screen.SetIdleHandler([queue, next]() {
        if (*next >= queue->size()) return false;
        (*queue)[(*next)++]();
        return true;
    });
    body();
    screen.SetIdleHandler(nullptr);
    MSG quit{};
    bool starved = PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    EXPECT_FALSE(starved) << "a loop ran out of scripted input";
    EXPECT_EQ(*next, queue->size()) << "steps left over";
}

INT_PTR AppTest::RunModal(std::vector<Step> steps)
{
    INT_PTR result = -2;
    Script(std::move(steps), [&] { result = dlg->DoModal(); });
    return result;
}

void AppTest::Key(unsigned vk)
{
    screen.KeyDown(vk);
    screen.KeyUp(vk);
}

void AppTest::ClickAt(int x, int y)
{
    screen.Click(x, y);
}

void AppTest::ClickCenter(HWND hwnd)
{
    CRect r = WindowRect(hwnd);
    screen.Click(r.CenterPoint().x, r.CenterPoint().y);
}

void AppTest::ChooseTab(int i)
{
    CRect item;
    ASSERT_TRUE(dlg->m_tab.GetItemRect(i, &item));
    dlg->m_tab.ClientToScreen(&item);
    screen.Click(item.CenterPoint().x, item.CenterPoint().y);
    Pump();
    ASSERT_EQ(dlg->m_tab.GetCurSel(), i);
    // The page slides in on a 10 ms timer; tick until it rests at (4, 28).
    CWnd* page = dlg->m_pPages[i];
    for (int n = 0; n < 100; ++n) {
        CRect r;
        page->GetWindowRect(&r);
        dlg->m_tab.ScreenToClient(&r);
        if (r.left == 4 && r.top == 28 && n > 0) break;
        screen.Advance(10);
        Pump();
    }
}

void AppTest::OpenThroughDialog(const std::string& path, std::vector<Step> after)
{
    std::vector<Step> steps;
    steps.push_back([this, path] {
        EXPECT_EQ(ActiveCaption(), "我的文件打开对话框");
        HWND name = GetDlgItem(GetActiveWindow(), kFileDlgNameId);
        ASSERT_NE(name, nullptr);
        SetFocus(name);
        screen.TypeText(path);
        Key(VK_RETURN);
    });
    for (Step& s : after)
        steps.push_back(std::move(s));
    Script(std::move(steps), [this] {
        ClickCenter(dlg->m_btnOpen.m_hWnd);
        Pump();
    });
}

CListCtrlCl& AppTest::List(int page) const
{
    if (page == 0) return dlg->AllLinesPage()->m_list;
    return dlg->CrawlerPage(page)->m_list;
}

std::vector<std::string> AppTest::Row(int page, int row) const
{
    CListCtrlCl& list = List(page);
    int columns = page == 0 ? 2 : 7;
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c)
        cells.emplace_back(list.GetItemText(row, c).GetString());
    return cells;
}

std::vector<std::vector<std::string>> AppTest::Everything() const
{
    std::vector<std::vector<std::string>> all{{Text(dlg->m_editPath.m_hWnd)}};
    for (int p = 0; p < 7; ++p)
        for (int r = 0; r < List(p).GetItemCount(); ++r) {
            std::vector<std::string> row = Row(p, r);
            row.insert(row.begin(), std::to_string(p));
            all.push_back(row);
        }
    return all;
}

std::string AppTest::Text(HWND hwnd) const
{
    char text[4096] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

CRect AppTest::WindowRect(HWND hwnd) const
{
    CRect r;
    ::GetWindowRect(hwnd, &r);
    return r;
}

COLORREF AppTest::ScreenPixel(int x, int y) const
{
    return gfx::ColorFromPixel(screen.PixelAt(x, y));
}

COLORREF AppTest::WindowPixel(int x, int y) const
{
    CRect r = WindowRect(dlg->m_hWnd);
    return ScreenPixel(r.left + x, r.top + y);
}

std::vector<COLORREF> AppTest::BitmapPixels(UINT id)
{
    std::vector<COLORREF> out;
    CBitmap bmp;
    if (!bmp.LoadBitmap(id)) return out;
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x)
            out.push_back(mem.GetPixel(x, y));
    mem.SelectObject(old);
    return out;
}

::testing::AssertionResult AppTest::Shows(const CRect& r, UINT id) const
{
    std::vector<COLORREF> want = BitmapPixels(id);
    if (want.size() != 16u * 15u) return ::testing::AssertionFailure() << "bitmap " << id << " not loaded";
    if (r.Width() != 16 || r.Height() != 15) return ::testing::AssertionFailure() << "not a button rectangle";
    // Pixels the window region cuts away (its rounded corners) show the desktop instead.
    CRect win = WindowRect(dlg->m_hWnd);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool shaped = GetWindowRgn(dlg->m_hWnd, region) != ERROR;
    std::unique_ptr<void, void (*)(void*)> release(region, [](void* h) { DeleteObject(static_cast<HRGN>(h)); });
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x) {
            if (shaped && !PtInRegion(region, r.left + x - win.left, r.top + y - win.top)) continue;
            COLORREF have = ScreenPixel(r.left + x, r.top + y);
            COLORREF need = want[static_cast<std::size_t>(y * 16 + x)];
            if (have != need)
                return ::testing::AssertionFailure()
                       << "bitmap " << id << " differs at (" << x << ", " << y << "): " << have << " for " << need;
        }
    return ::testing::AssertionSuccess();
}

std::string ActiveCaption()
{
    HWND active = GetActiveWindow();
    if (!active) return std::string();
    char text[512] = {};
    GetWindowTextA(active, text, sizeof text);
    return text;
}

std::string ActiveTexts()
{
    std::string all;
    for (HWND c = GetWindow(GetActiveWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[1024] = {};
        GetWindowTextA(c, text, sizeof text);
        all += std::string(text) + "|";
    }
    return all;
}

} // namespace apptest
