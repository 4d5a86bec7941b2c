// The open-file dialog driven by the keyboard alone (and one double click):
// typed paths, folders, filters, a file that vanished, a folder that cannot be
// read, Chinese names, and the documented failures.
#include "platform/system/controls/filedialog/FileDialog.h"

#include "platform/base/CodePage.h"
#include "platform/system/controls/combobox/ComboBox.h"
#include "platform/system/controls/listbox/ListBox.h"
#include "platform/system/input/VirtualKeys.h"
#include "tests/support/TestPaths.h"
#include "tests/system/support/TabTestSupport.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tabfile {
namespace {

const char kFilter[] = "TXT Files(*.txt)\0*.txt\0Log Files(*.log)\0*.log\0All Files(*.*)\0*.*\0";

class FileDialogTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        m_oldCwd = fs::current_path();
        m_root =
            fs::path(corvane::test::ScratchDir()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(m_root);
        fs::create_directories(m_root / "Sub");
        fs::create_directories(m_root / "alpha");
        Touch("b.txt");
        Touch("A.TXT");
        Touch("c.log");
        Touch("d.bin");
        Touch("Sub/inner.txt");
        std::memset(m_file, 0, sizeof m_file);
        m_ofn = OPENFILENAMEA{};
        m_ofn.lStructSize = sizeof m_ofn;
        m_ofn.lpstrFilter = kFilter;
        m_ofn.lpstrFile = m_file;
        m_ofn.nMaxFile = sizeof m_file;
        m_ofn.lpstrTitle = "我的文件打开对话框";
        m_ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
        m_initial = Utf8ToCp936(m_root.string());
        m_ofn.lpstrInitialDir = m_initial.c_str();
    }
    void TearDown() override
    {
        fs::current_path(m_oldCwd);
        HeadlessTest::TearDown();
    }

    void Touch(const std::string& rel) { std::ofstream(m_root / rel) << "x\n"; }

    // Runs the dialog; each step runs when the dialog's loop has nothing left to do.
    BOOL Run(std::vector<std::function<void()>> steps)
    {
        auto queue = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
        auto next = std::make_shared<std::size_t>(0);
        auto ran = std::make_shared<bool>(false);
        m_screen.SetIdleHandler([queue, next]() {
            if (*next >= queue->size()) return false;
            (*queue)[(*next)++]();
            return true;
        });
        BOOL ok = GetOpenFileNameA(&m_ofn);
        m_stepsLeft = queue->size() - *next;
        m_screen.SetIdleHandler(nullptr);
        // A loop that ran out of scripted input ends with a WM_QUIT left behind.
        MSG quit{};
        m_starved = PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        EXPECT_FALSE(m_starved) << "the dialog did not end by the script's last step";
        EXPECT_EQ(m_stepsLeft, 0u);
        return ok;
    }

    void Type(const std::string& cp936) { m_screen.TypeText(cp936); }
    void Key(unsigned vk, unsigned mods = 0)
    {
        m_screen.KeyDown(vk, mods);
        m_screen.KeyUp(vk, mods);
    }

    // The dialog while it runs: the active window.
    static HWND Dialog() { return GetActiveWindow(); }
    static std::vector<std::string> Listing()
    {
        HWND list = GetDlgItem(Dialog(), kFileDlgListId);
        std::vector<std::string> out;
        int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[512] = {};
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    static std::string WindowText(HWND hwnd)
    {
        char text[1024] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
    // The texts of the static controls of the active window (a message box, when one shows).
    static std::string ActiveTexts()
    {
        std::string all;
        for (HWND c = GetWindow(GetActiveWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            all += WindowText(c) + "|";
        return all;
    }

    std::string Cp936Path(const fs::path& p) const { return Utf8ToCp936(p.string()); }

    fs::path m_oldCwd;
    fs::path m_root;
    std::string m_initial;
    char m_file[512];
    OPENFILENAMEA m_ofn{};
    std::size_t m_stepsLeft = 0;
    bool m_starved = false;
};

TEST_F(FileDialogTest, TypingAnAbsolutePathAndEnterReturnsItWithTheDocumentedFields)
{
    std::string caption;
    std::vector<std::string> listing;
    std::string target = Cp936Path(m_root / "Sub" / "inner.txt");
    BOOL ok = Run({[&] {
                       caption = WindowText(Dialog());
                       listing = Listing();
                       Type(target);
                   },
                   [&] { Key(VK_RETURN); }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(caption, "我的文件打开对话框");
    // Folders first, then the files of the first filter, each sorted without case.
    EXPECT_EQ(listing, (std::vector<std::string>{"[..]", "[alpha]", "[Sub]", "A.TXT", "b.txt"}));
    EXPECT_STREQ(m_file, target.c_str());
    EXPECT_STREQ(m_file + m_ofn.nFileOffset, "inner.txt");
    EXPECT_STREQ(m_file + m_ofn.nFileExtension, "txt");
    EXPECT_EQ(m_ofn.nFilterIndex, 1u);
    EXPECT_EQ(m_stepsLeft, 0u);
}

TEST_F(FileDialogTest, AFolderThenAFileTypedRelativeAndDotDotNavigates)
{
    std::vector<std::string> inSub, backUp;
    BOOL ok = Run({[&] { Type("Sub"); }, [&] { Key(VK_RETURN); },
                   [&] {
                       inSub = Listing();
                       Type("..");
                   },
                   [&] { Key(VK_RETURN); },
                   [&] {
                       backUp = Listing();
                       Type("Sub/../Sub/inner.txt");
                   },
                   [&] { Key(VK_RETURN); }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(inSub, (std::vector<std::string>{"[..]", "inner.txt"}));
    EXPECT_EQ(backUp.size(), 5u);
    EXPECT_EQ(std::string(m_file), Cp936Path(m_root / "Sub" / "inner.txt"));
}

TEST_F(FileDialogTest, EscCancelsAndTheListWorksWithArrowsAndEnter)
{
    EXPECT_FALSE(Run({[&] { Key(VK_ESCAPE); }}));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(m_file[0], '\0');

    // Tab into the list, Down to "[alpha]", Down to "[Sub]", Enter opens it, then pick its file.
    std::vector<std::string> inSub;
    BOOL ok = Run({[&] { Key(VK_TAB); }, [&] { Key(VK_DOWN); }, [&] { Key(VK_DOWN); }, [&] { Key(VK_DOWN); },
                   [&] { Key(VK_RETURN); },
                   [&] {
                       inSub = Listing();
                       Key(VK_DOWN); // "[..]" is first
                   },
                   [&] { Key(VK_DOWN); }, [&] { Key(VK_RETURN); }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(inSub, (std::vector<std::string>{"[..]", "inner.txt"}));
    EXPECT_EQ(std::string(m_file), Cp936Path(m_root / "Sub" / "inner.txt"));
}

TEST_F(FileDialogTest, SwitchingTheFilterChangesTheListingAndIsReported)
{
    std::vector<std::string> logs, all;
    // Name box -> list -> filter selector; Down picks the second filter.
    BOOL ok = Run({[&] { Key(VK_TAB); }, [&] { Key(VK_TAB); }, [&] { Key(VK_DOWN); },
                   [&] {
                       logs = Listing();
                       Key(VK_DOWN);
                   },
                   [&] {
                       all = Listing();
                       Key(VK_UP);
                   },
                   [&] { Key(VK_TAB, display::kModShift); }, [&] { Key(VK_TAB, display::kModShift); },
                   [&] { Type("c.log"); }, [&] { Key(VK_RETURN); }});
    ASSERT_TRUE(ok);
    EXPECT_EQ(logs, (std::vector<std::string>{"[..]", "[alpha]", "[Sub]", "c.log"}));
    EXPECT_EQ(all, (std::vector<std::string>{"[..]", "[alpha]", "[Sub]", "A.TXT", "b.txt", "c.log", "d.bin"}));
    EXPECT_EQ(m_ofn.nFilterIndex, 2u);
    EXPECT_EQ(std::string(m_file), Cp936Path(m_root / "c.log"));
}

TEST_F(FileDialogTest, AMissingOrVanishedFileGivesAMessageAndTheDialogStaysOpen)
{
    std::string missingMessage, vanishedMessage;
    std::vector<std::string> afterVanish;
    BOOL ok = Run({[&] { Type("nothere.txt"); }, [&] { Key(VK_RETURN); },
                   [&] {
                       missingMessage = ActiveTexts();
                       Key(VK_RETURN); // closes the message box
                   },
                   // The list shows b.txt; it goes away before it is chosen.
                   [&] {
                       fs::remove(m_root / "b.txt");
                       Key(VK_TAB);
                   },
                   [&] { Key(VK_END); }, [&] { Key(VK_RETURN); },
                   [&] {
                       vanishedMessage = ActiveTexts();
                       Key(VK_RETURN);
                   },
                   [&] {
                       afterVanish = Listing();
                       Key(VK_ESCAPE);
                   }});
    EXPECT_FALSE(ok);
    EXPECT_EQ(m_stepsLeft, 0u);
    EXPECT_NE(missingMessage.find("nothere.txt"), std::string::npos) << missingMessage;
    EXPECT_NE(missingMessage.find("找不到文件"), std::string::npos) << missingMessage;
    EXPECT_NE(vanishedMessage.find("b.txt"), std::string::npos) << vanishedMessage;
    EXPECT_EQ(afterVanish, (std::vector<std::string>{"[..]", "[alpha]", "[Sub]", "A.TXT"}));
}

TEST_F(FileDialogTest, AFolderThatVanishedGivesAMessageAndTheDialogStaysUsable)
{
    std::string message;
    std::vector<std::string> after;
    BOOL ok = Run({[&] {
                       fs::remove_all(m_root / "alpha");
                       Type("alpha");
                   },
                   [&] { Key(VK_RETURN); },
                   [&] {
                       message = ActiveTexts();
                       Key(VK_RETURN);
                   },
                   [&] {
                       after = Listing();
                       Key(VK_ESCAPE);
                   }});
    EXPECT_FALSE(ok);
    EXPECT_NE(message.find("alpha"), std::string::npos) << message;
    EXPECT_EQ(after, (std::vector<std::string>{"[..]", "[Sub]", "A.TXT", "b.txt"}));
}

TEST_F(FileDialogTest, AFolderThatCannotBeReadGivesAMessageAndTheDialogStaysUsable)
{
    fs::create_directories(m_root / "locked");
    fs::permissions(m_root / "locked", fs::perms::none);
    std::error_code probe;
    fs::directory_iterator check(m_root / "locked", probe);
    if (!probe) {
        fs::permissions(m_root / "locked", fs::perms::owner_all);
        GTEST_SKIP() << "permissions do not bite for this user (root)";
    }
    std::string lockedMessage;
    std::vector<std::string> stillHere;
    BOOL ok = Run({[&] { Type("locked"); }, [&] { Key(VK_RETURN); },
                   [&] {
                       lockedMessage = ActiveTexts();
                       Key(VK_RETURN);
                   },
                   [&] {
                       stillHere = Listing();
                       Key(VK_ESCAPE);
                   }});
    fs::permissions(m_root / "locked", fs::perms::owner_all);
    EXPECT_FALSE(ok);
    EXPECT_NE(lockedMessage.find("无法读取文件夹"), std::string::npos) << lockedMessage;
    EXPECT_FALSE(stillHere.empty());
}

TEST_F(FileDialogTest, WithoutAUsableStartingFolderItOpensAtTheRoot)
{
    // The initial folder is a file and the current folder has been removed.
    m_initial = Cp936Path(m_root / "b.txt");
    m_ofn.lpstrInitialDir = m_initial.c_str();
    fs::path gone = m_root / "Sub" / "gone";
    fs::create_directories(gone);
    fs::current_path(gone);
    fs::remove(gone);
    std::string shown;
    std::vector<std::string> listing;
    BOOL ok = Run({[&] {
                       shown = WindowText(GetDlgItem(Dialog(), kFileDlgPathId));
                       listing = Listing();
                       Type(Cp936Path(m_root / "c.log"));
                   },
                   [&] { Key(VK_RETURN); }});
    EXPECT_TRUE(ok);
    EXPECT_EQ(shown, "/");
    ASSERT_FALSE(listing.empty());
    EXPECT_NE(listing[0], "[..]");
    EXPECT_EQ(std::string(m_file), Cp936Path(m_root / "c.log"));
}

TEST_F(FileDialogTest, ChineseFileNamesRoundTripInCodePage936)
{
    const std::string name = "访问日志.txt"; // code page 936 bytes
    std::ofstream(m_root / Cp936ToUtf8(name)) << "x\n";
    std::vector<std::string> listing;
    BOOL ok = Run({[&] {
                       listing = Listing();
                       Type(name);
                   },
                   [&] { Key(VK_RETURN); }});
    ASSERT_TRUE(ok);
    EXPECT_NE(std::find(listing.begin(), listing.end(), name), listing.end());
    EXPECT_EQ(std::string(m_file), m_initial + "/" + name);
    EXPECT_TRUE(fs::exists(fs::path(Cp936ToUtf8(m_file))));
}

TEST_F(FileDialogTest, DoubleClickOnAFolderEntersItAndOnAFileReturnsIt)
{
    auto dblclick = [&](int index) {
        HWND list = GetDlgItem(Dialog(), kFileDlgListId);
        RECT r{};
        SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 5, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        m_screen.DoubleClick(p.x, p.y);
    };
    BOOL ok = Run({[&] { dblclick(2); },   // [Sub]
                   [&] { dblclick(1); }}); // inner.txt
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(m_file), Cp936Path(m_root / "Sub" / "inner.txt"));
}

TEST_F(FileDialogTest, DocumentedFailuresSmallBufferBadStructAndCurrentFolder)
{
    // Too small a buffer: FALSE, FNERR_BUFFERTOOSMALL, and the size needed in the first two bytes.
    m_ofn.nMaxFile = 8;
    std::string target = Cp936Path(m_root / "b.txt");
    EXPECT_FALSE(Run({[&] { Type("b.txt"); }, [&] { Key(VK_RETURN); }}));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, m_file, sizeof needed);
    EXPECT_EQ(needed, target.size() + 1);

    OPENFILENAMEA bad{};
    bad.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    EXPECT_FALSE(GetOpenFileNameA(nullptr));

    // Without an initial folder it starts in the current one, and picking a
    // file makes that file's folder current unless told not to.
    fs::current_path(m_root);
    m_ofn.nMaxFile = sizeof m_file;
    m_ofn.lpstrInitialDir = nullptr;
    m_ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    m_ofn.nFilterIndex = 3;
    std::vector<std::string> listing;
    ASSERT_TRUE(Run({[&] {
                         listing = Listing();
                         Type("Sub/inner.txt");
                     },
                     [&] { Key(VK_RETURN); }}));
    EXPECT_EQ(listing.size(), 7u) << "the third filter lists every file";
    EXPECT_EQ(fs::current_path(), m_root / "Sub");
}

} // namespace
} // namespace tabfile
