// Logs read on a worker thread: a FIFO whose writer stalls half-way, a pipe
// named by /dev/fd as a shell passes one, and a device that never ends. While
// the read waits the window paints and shows how far it has come.
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace apptest {
namespace {

std::string LogLines(int from, int to)
{
    std::string text;
    for (int i = from; i < to; ++i)
        text += "192.0.2." + std::to_string(i % 250) + " - - [10/Oct/2011:13:55:36 -0700] \"GET /page/" +
                std::to_string(i) + " HTTP/1.1\" 200 " + std::to_string(i) + " \"-\" \"Googlebot/2.1\"\n";
    return text;
}

// The last line of text, without its line end.
std::string LastLine(const std::string& text)
{
    std::size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start + 1, text.size() - start - 2);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A one-way gate between the test's idle steps and a writer thread.
struct Gate {
    std::mutex mutex;
    std::condition_variable cv;
    bool open = false;
    void Open()
    {
        std::lock_guard<std::mutex> lock(mutex);
        open = true;
        cv.notify_all();
    }
    void Wait()
    {
        std::unique_lock<std::mutex> lock(mutex);
        cv.wait(lock, [this] { return open; });
    }
};

class LongReadTest : public AppTest {
protected:
    // The path box as it shows on the screen.
    std::vector<gfx::Pixel> PathBoxPixels() const
    {
        CRect r = WindowRect(dlg->m_editPath.m_hWnd);
        std::vector<gfx::Pixel> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(screen.PixelAt(x, y));
        return out;
    }
    void ExpectAllLines(int count, const std::string& last)
    {
        ASSERT_EQ(List(0).GetItemCount(), count);
        EXPECT_EQ(Row(0, count - 1)[1], last);
        // Every line names Googlebot: its page holds them all too.
        EXPECT_EQ(List(2).GetItemCount(), count);
    }
};

TEST_F(LongReadTest, AStalledFifoShowsProgressPaintsAndThenLoadsEveryLine)
{
    Open();
    const std::string fifo = corvane::test::ScratchDir() + "/stalled.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int kLines = 3000;
    const std::string first = LogLines(0, kLines / 2);
    const std::string rest = LogLines(kLines / 2, kLines);
    const std::vector<gfx::Pixel> emptyBox = PathBoxPixels();

    Gate gate;
    bool written = false;
    std::thread writer([&] {
        int fd = ::open(fifo.c_str(), O_WRONLY);
        if (fd < 0) return;
        written = WriteAll(fd, first);
        gate.Wait();
        written = WriteAll(fd, rest) && written;
        ::close(fd);
    });

    // Each time the wait loop has nothing to do: once the progress text is in
    // the path box and on the screen, with the wait cursor up, the writer goes on.
    bool seen = false;
    std::string shown;
    const std::uint64_t start = screen.NowMs();
    screen.SetIdleHandler([&] {
        if (gate.open) return false;
        shown = Text(dlg->m_editPath.m_hWnd);
        bool painted = !::GetUpdateRect(dlg->m_hWnd, nullptr, FALSE) &&
                       !::GetUpdateRect(dlg->m_editPath.m_hWnd, nullptr, FALSE) && PathBoxPixels() != emptyBox;
        if (shown.rfind("正在读取 " + fifo + " ... ", 0) == 0 && painted) {
            seen = screen.CurrentCursorShape() == display::CursorShape::Wait;
            gate.Open();
        } else if (screen.NowMs() - start > 60000) {
            gate.Open(); // a minute of the virtual clock: it never showed
        }
        return false;
    });
    BOOL opened = dlg->OpenLogFile(fifo.c_str());
    screen.SetIdleHandler(nullptr);
    gate.Open();
    writer.join();

    EXPECT_TRUE(seen) << "path box: " << shown;
    EXPECT_TRUE(written);
    ASSERT_TRUE(opened);
    Pump();
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), fifo);
    EXPECT_TRUE(dlg->IsWindowEnabled());
    ExpectAllLines(kLines, LastLine(rest));
}

TEST_F(LongReadTest, APipeByNumberLoadsWholeAndADeviceIsRefusedKeepingTheLoad)
{
    Open();
    // As a shell passes <(zcat log.gz): the read end of a pipe, by /dev/fd.
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    const std::string text = LogLines(0, 500);
    std::thread writer([&] {
        WriteAll(p[1], text);
        ::close(p[1]);
    });
    const std::string byNumber = "/dev/fd/" + std::to_string(p[0]);
    EXPECT_TRUE(dlg->OpenLogFile(byNumber.c_str()));
    writer.join();
    ::close(p[0]);
    Pump();
    ExpectAllLines(500, LastLine(text));
    const std::string before = Text(dlg->m_editPath.m_hWnd);
    EXPECT_FALSE(before.empty());

    // A device never ends: refused with a message that says so; nothing changes.
    std::string report;
    Script({[&] {
               report = ActiveTexts();
               Key(VK_RETURN);
           }},
           [this] { EXPECT_FALSE(dlg->OpenLogFile("/dev/zero")); });
    EXPECT_NE(report.find("设备"), std::string::npos) << report;
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), before);
    EXPECT_TRUE(dlg->m_bLoaded);
    ExpectAllLines(500, LastLine(text));
}

TEST_F(LongReadTest, EscGivesUpAReadThatStallsAndKeepsThePreviousLoad)
{
    Open();
    const std::string before = corvane::test::WriteScratchFile("before.log", LogLines(0, 40));
    ASSERT_TRUE(dlg->OpenLogFile(before.c_str()));
    Pump();
    const std::string fifo = corvane::test::ScratchDir() + "/never-ends.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    // The writer sends a few lines, then stalls until the test is over: only
    // Esc can end the wait.
    Gate gate;
    std::thread writer([&] {
        int fd = ::open(fifo.c_str(), O_WRONLY);
        if (fd < 0) return;
        WriteAll(fd, LogLines(0, 10));
        gate.Wait();
        ::close(fd);
    });
    bool pressed = false;
    std::uint64_t pressedAt = 0;
    screen.SetIdleHandler([&] {
        if (pressed) {
            // Still waiting long after Esc: let the writer end, so the test fails instead of hanging.
            if (screen.NowMs() - pressedAt > 10000) gate.Open();
            return false;
        }
        if (Text(dlg->m_editPath.m_hWnd).rfind("正在读取 ", 0) != 0) return false;
        screen.KeyDown(VK_ESCAPE);
        pressed = true;
        pressedAt = screen.NowMs();
        return true;
    });
    BOOL opened = dlg->OpenLogFile(fifo.c_str());
    screen.SetIdleHandler(nullptr);
    screen.KeyUp(VK_ESCAPE);
    gate.Open();
    writer.join();

    EXPECT_TRUE(pressed);
    EXPECT_FALSE(opened);
    Pump();
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), before);
    EXPECT_TRUE(dlg->IsWindowEnabled());
    ExpectAllLines(40, LastLine(LogLines(0, 40)));
}

} // namespace
} // namespace apptest
