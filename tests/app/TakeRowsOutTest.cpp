// Taking rows out of the main window: selection by clicks and keys, Ctrl+C to
// the clipboard, and the context menu's copy, select-all and CSV export
// through the save dialog, each compared with what the pages show.
#include "platform/base/CodePage.h"
#include "platform/system/controls/filedialog/FileDialog.h"
#include "platform/system/controls/messagebox/MessageBox.h"
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace apptest {
namespace {

namespace fs = std::filesystem;

std::string SampleLog()
{
    return fs::absolute(corvane::test::SourceDir() + "/samples/access.log").lexically_normal().string();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a shown cell becomes outside: without the space the pages put first.
std::string Value(const std::string& shown) { return !shown.empty() && shown[0] == ' ' ? shown.substr(1) : shown; }

// A CSV cell written the plain way, as a reference for the writer.
std::string CsvOf(const std::string& cp936)
{
    std::string utf8 = Cp936ToUtf8(cp936);
    if (utf8.find_first_of("\",\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

class TakeRowsOutTest : public AppTest {
protected:
    void SetUp() override
    {
        m_cwd = fs::current_path();
        AppTest::SetUp();
        Open();
        OpenThroughDialog(SampleLog());
        ASSERT_TRUE(dlg->m_bLoaded);
    }

    void TearDown() override
    {
        AppTest::TearDown();
        fs::current_path(m_cwd);
    }
    fs::path m_cwd;

    int Columns(int page) const { return page == 0 ? 2 : 7; }

    // The clipboard's form of rows: tab-separated cells, CR LF after each.
    std::string TextOf(int page, const std::vector<int>& rows) const
    {
        std::string out;
        for (int r : rows) {
            std::vector<std::string> cells = Row(page, r);
            for (int c = 0; c < Columns(page); ++c)
                out += (c ? "\t" : "") + Value(cells[static_cast<std::size_t>(c)]);
            out += "\r\n";
        }
        return out;
    }
    std::string CsvFileOf(int page, const std::vector<int>& rows) const
    {
        std::string out = "\xEF\xBB\xBF";
        const char* titles[] = {"ID", "IP", "访问时间", "URL", "HTTP", "状态", "字节"};
        for (int c = 0; c < Columns(page); ++c)
            out += (c ? "," : "") + CsvOf(page == 0 && c == 1 ? "内容" : titles[c]);
        out += "\r\n";
        for (int r : rows) {
            std::vector<std::string> cells = Row(page, r);
            for (int c = 0; c < Columns(page); ++c)
                out += (c ? "," : "") + CsvOf(Value(cells[static_cast<std::size_t>(c)]));
            out += "\r\n";
        }
        return out;
    }
    static std::vector<int> Range(int from, int to)
    {
        std::vector<int> rows;
        for (int r = from; r <= to; ++r)
            rows.push_back(r);
        return rows;
    }

    // The screen point in the middle of a row's first cells.
    CPoint RowPoint(int page, int row) const
    {
        CRect r;
        EXPECT_TRUE(List(page).GetItemRect(row, &r, LVIR_BOUNDS));
        CPoint p(r.left + 40, r.CenterPoint().y);
        List(page).ClientToScreen(&p);
        return p;
    }
    void ClickRow(int page, int row, unsigned mods = 0)
    {
        CPoint p = RowPoint(page, row);
        if (mods & display::kModShift) screen.KeyDown(VK_SHIFT, mods);
        if (mods & display::kModControl) screen.KeyDown(VK_CONTROL, mods);
        screen.Click(p.x, p.y);
        if (mods & display::kModShift) screen.KeyUp(VK_SHIFT, 0);
        if (mods & display::kModControl) screen.KeyUp(VK_CONTROL, 0);
        Pump();
    }
    void CtrlKey(unsigned vk)
    {
        screen.KeyDown(VK_CONTROL, display::kModControl);
        screen.KeyDown(vk, display::kModControl);
        screen.KeyUp(vk, display::kModControl);
        screen.KeyUp(VK_CONTROL, 0);
        Pump();
    }
    std::vector<int> Selected(int page) const
    {
        std::vector<int> rows;
        for (int r = List(page).GetNextItem(-1, LVNI_SELECTED); r >= 0; r = List(page).GetNextItem(r, LVNI_SELECTED))
            rows.push_back(r);
        return rows;
    }
    // Answers the save dialog with a path typed into its name box.
    Step SaveAs(const std::string& path)
    {
        return [this, path] {
            EXPECT_EQ(ActiveCaption(), "导出为 CSV");
            HWND name = GetDlgItem(GetActiveWindow(), kFileDlgNameId);
            ASSERT_NE(name, nullptr);
            SetWindowTextA(name, "");
            SetFocus(name);
            screen.TypeText(path);
            Key(VK_RETURN);
        };
    }
    // Opens the context menu with a right click on a row and picks an item by its letter.
    void MenuOnRow(int page, int row, unsigned letter, std::vector<Step> after = {})
    {
        std::vector<Step> steps{[this, letter] { Key(letter); }};
        for (Step& s : after)
            steps.push_back(std::move(s));
        CPoint p = RowPoint(page, row);
        Script(std::move(steps), [&] {
            screen.Click(p.x, p.y, display::MouseButton::Right);
            Pump();
        });
    }
};

TEST_F(TakeRowsOutTest, ClicksAndKeysSelectAndCtrlCCopiesWhatThePagesShow)
{
    for (int page : {2, 0}) {
        SCOPED_TRACE(page);
        ChooseTab(page);
        ASSERT_GT(List(page).GetItemCount(), 8);
        ClickRow(page, 1);
        ClickRow(page, 4, display::kModShift);
        ClickRow(page, 7, display::kModControl);
        EXPECT_EQ(Selected(page), (std::vector<int>{1, 2, 3, 4, 7}));
        CtrlKey('C');
        std::vector<int> want = Range(1, 4);
        want.push_back(7);
        EXPECT_EQ(screen.GetClipboardText(), TextOf(page, want));

        // Ctrl+click takes a row out again; Ctrl+A then takes every row.
        ClickRow(page, 2, display::kModControl);
        EXPECT_EQ(Selected(page), (std::vector<int>{1, 3, 4, 7}));
        CtrlKey('A');
        const int n = List(page).GetItemCount();
        EXPECT_EQ(static_cast<int>(List(page).GetSelectedCount()), n);
        CtrlKey('C');
        EXPECT_EQ(screen.GetClipboardText(), TextOf(page, Range(0, n - 1)));
        // A plain click after select-all leaves that row alone.
        ClickRow(page, 3);
        EXPECT_EQ(Selected(page), (std::vector<int>{3}));
    }
    // The Chinese header row never reaches the clipboard, but Chinese cells do, as the page's bytes.
    EXPECT_EQ(screen.GetClipboardText().find("访问时间"), std::string::npos);
}

TEST_F(TakeRowsOutTest, ContextMenuCopiesSelectsAllAndExportsThroughTheSaveDialog)
{
    const int page = 1;
    ChooseTab(page);
    const int n = List(page).GetItemCount();
    ASSERT_GT(n, 5);
    const std::string folder = corvane::test::ScratchDir() + "/take-rows-out";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = folder + "/baidu.csv";

    // Right click on an unselected row selects it; the menu's copy takes it.
    MenuOnRow(page, 2, 'C');
    EXPECT_EQ(Selected(page), (std::vector<int>{2}));
    EXPECT_EQ(screen.GetClipboardText(), TextOf(page, {2}));

    // One row selected: the export takes the whole page.
    MenuOnRow(page, 2, 'E', {SaveAs(path)});
    EXPECT_EQ(ReadFile(path), CsvFileOf(page, Range(0, n - 1)));

    // Several selected: only they go out, and replacing the file is asked first.
    ClickRow(page, 1);
    ClickRow(page, 3, display::kModShift);
    const std::string before = ReadFile(path);
    MenuOnRow(page, 3, 'E',
              {SaveAs(path),
               [this] {
                   EXPECT_NE(ActiveTexts().find("已存在"), std::string::npos) << ActiveTexts();
                   ClickCenter(GetDlgItem(GetActiveWindow(), IDNO));
               },
               [this] { Key(VK_ESCAPE); }});
    EXPECT_EQ(ReadFile(path), before);
    MenuOnRow(page, 3, 'E',
              {SaveAs(path), [this] { ClickCenter(GetDlgItem(GetActiveWindow(), IDYES)); }});
    EXPECT_EQ(ReadFile(path), CsvFileOf(page, Range(1, 3)));
    // Nothing but the file is left in the folder.
    int entries = 0;
    for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it)
        ++entries;
    EXPECT_EQ(entries, 1);

    // The menu's select-all, from the menu key and from Shift+F10.
    ClickRow(page, 0);
    Script({[this] { Key('A'); }}, [this] {
        Key(VK_APPS);
        Pump();
    });
    EXPECT_EQ(static_cast<int>(List(page).GetSelectedCount()), n);
    ClickRow(page, 0);
    Script({[this] { Key('C'); }}, [this] {
        screen.KeyDown(VK_SHIFT, display::kModShift);
        screen.KeyDown(VK_F10, display::kModShift);
        screen.KeyUp(VK_F10, display::kModShift);
        screen.KeyUp(VK_SHIFT, 0);
        Pump();
    });
    EXPECT_EQ(screen.GetClipboardText(), TextOf(page, {0}));
}

TEST_F(TakeRowsOutTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    const std::string folder = corvane::test::ScratchDir() + "/export-fails";
    fs::remove_all(folder);
    fs::create_directories(folder + "/taken.csv");
    std::ofstream(folder + "/kept.csv") << "kept";
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder + "/missing/x.csv", "No such file or directory"},
        {folder + "/taken.csv", "Is a directory"},
        {folder + "/kept.csv/x.csv", "Not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CString strError;
        EXPECT_FALSE(List(0).ExportRowsCsv(c.path.c_str(), strError));
        EXPECT_NE(std::string(strError.GetString()).find(c.path), std::string::npos) << strError.GetString();
        EXPECT_NE(std::string(strError.GetString()).find(c.reason), std::string::npos) << strError.GetString();
    }
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(folder))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"kept.csv", "taken.csv"}));
    EXPECT_EQ(ReadFile(folder + "/kept.csv"), "kept");
    EXPECT_TRUE(fs::is_empty(folder + "/taken.csv"));
}

} // namespace
} // namespace apptest
