// corvane-snapshot [--out DIR | --readme] [LOGFILE]: opens a log (the sample by
// default) in Corvane's main window on the headless desktop, through the open
// button and the open-file dialog, and writes a PNG of the window with each of
// the seven tabs chosen. --readme writes the README's picture instead: the
// window on the Bing tab, with the log opened from a home folder of its own so
// the path box shows a path a user would have (~/logs/access.log).
#include "app/CorvaneDlg.h"
#include "platform/base/CodePage.h"
#include "tools/pagedump/AppDriver.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

using corvane::tools::AppDriver;
using corvane::tools::OpenThroughDialog;
namespace fs = std::filesystem;

constexpr const char* kTool = "corvane-snapshot";
// Where the window stands on the virtual screen, as in the README's picture.
constexpr int kWindowX = 40;
constexpr int kWindowY = 30;
constexpr int kBingTab = 6;
constexpr std::array<const char*, CCorvaneDlg::kPageCount> kShotNames = {
    "corvane-tab0-all.png",  "corvane-tab1-baidu.png", "corvane-tab2-google.png", "corvane-tab3-youdao.png",
    "corvane-tab4-soso.png", "corvane-tab5-sogou.png", "corvane-tab6-bing.png"};

int Usage(std::FILE* to, int code)
{
    std::fprintf(to,
                 "usage: %s [--out DIR | --readme] [LOGFILE]\n"
                 "Opens LOGFILE (default: %s) in Corvane's main window on a headless desktop and\n"
                 "writes a PNG of the window with each of the seven tabs chosen, into DIR (default:\n"
                 "%s). --readme writes the README's picture, %s.\n",
                 kTool, CORVANE_SAMPLE_LOG, CORVANE_SNAPSHOT_DIR, CORVANE_README_SHOT);
    return code;
}

struct Shot {
    int tab;
    std::string path;
};

// Where the README's picture finds its log: a scratch home folder, gone with the tool.
constexpr const char* kReadmeLog = "logs/access.log";

class ScratchHome {
public:
    ~ScratchHome()
    {
        std::error_code ec;
        if (!m_dir.empty()) fs::remove_all(m_dir, ec);
    }
    // Copies log to ~/logs/access.log under a fresh HOME; false with a message.
    bool Take(const std::string& log)
    {
        std::error_code ec;
        m_dir = (fs::temp_directory_path(ec) / ("corvane-snapshot-home-" + std::to_string(getpid()))).string();
        fs::path copy = fs::path(m_dir) / kReadmeLog;
        fs::create_directories(copy.parent_path(), ec);
        if (!ec) fs::copy_file(log, copy, fs::copy_options::overwrite_existing, ec);
        if (ec || setenv("HOME", m_dir.c_str(), 1) != 0) {
            std::fprintf(stderr, "%s: cannot copy %s to %s: %s\n", kTool, log.c_str(), copy.c_str(),
                         ec ? ec.message().c_str() : "HOME cannot be set");
            return false;
        }
        return true;
    }
    // The path as a user reads it: under HOME written with "~".
    std::string Shown(const std::string& path) const
    {
        if (m_dir.empty() || path.compare(0, m_dir.size() + 1, m_dir + "/") != 0) return path;
        return "~" + path.substr(m_dir.size());
    }

private:
    std::string m_dir;
};

class Snapshot {
public:
    Snapshot(AppDriver& driver, const std::string& cp936Path, std::vector<Shot> shots, const ScratchHome* home)
        : m_driver(driver), m_open(driver, cp936Path, kTool), m_shots(std::move(shots)), m_home(home)
    {
    }

    // The script, one idle turn at a time: true when it gave input.
    bool Idle()
    {
        if (!m_started) {
            if (m_driver.Dialog() == nullptr) return Finish(1);
            corvane::tools::ReportExceptionsAs(kTool);
            m_driver.Dialog()->SetWindowPos(nullptr, kWindowX, kWindowY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            m_started = true;
            return true;
        }
        switch (m_phase) {
        case Phase::Open:
            if (m_open.Step()) return true;
            // Still reading (a pipe, a big file): wait for the next turn.
            if (m_open.GetState() == OpenThroughDialog::State::Running) return false;
            if (m_open.GetState() != OpenThroughDialog::State::Loaded) return Finish(1);
            if (m_home) ShowHomePath();
            return ClickTab();
        case Phase::Slide:
            // The page slides in on a timer: let it run until the page rests.
            if (!m_driver.PageAtRest(m_shots[m_next].tab)) return false;
            m_driver.MoveMouseAway();
            m_phase = Phase::Shoot;
            return true;
        case Phase::Shoot:
            if (!Shoot(m_shots[m_next].path)) return Finish(1);
            if (++m_next < m_shots.size()) return ClickTab();
            return Finish(0);
        case Phase::Closing: return false;
        }
        return false;
    }

    bool Done() const { return m_phase == Phase::Closing; }
    int Code() const { return m_code; }

private:
    enum class Phase { Open, Slide, Shoot, Closing };

    bool ClickTab()
    {
        if (!m_driver.ClickTab(m_shots[m_next].tab)) {
            std::fprintf(stderr, "%s: the main window has no tab %d\n", kTool, m_shots[m_next].tab);
            return Finish(1);
        }
        m_phase = Phase::Slide;
        return true;
    }

    bool Shoot(const std::string& path)
    {
        CRect r;
        m_driver.Dialog()->GetWindowRect(&r);
        display::HeadlessBackend& screen = m_driver.Screen();
        std::string error;
        if (screen.SaveWindowPng(screen.WindowAt(r.CenterPoint().x, r.CenterPoint().y), path, &error)) return true;
        std::fprintf(stderr, "%s: %s\n", kTool, error.c_str());
        return false;
    }

    void ShowHomePath()
    {
        CString shown = Utf8ToCp936(m_home->Shown(Cp936ToUtf8(m_driver.Dialog()->m_load.strPath.GetString()))).c_str();
        m_driver.Dialog()->m_editPath.SetWindowText(shown);
    }

    bool Finish(int code)
    {
        m_code = code;
        m_phase = Phase::Closing;
        m_driver.CloseMain();
        return true;
    }

    AppDriver& m_driver;
    OpenThroughDialog m_open;
    std::vector<Shot> m_shots;
    const ScratchHome* m_home;
    std::size_t m_next = 0;
    bool m_started = false;
    Phase m_phase = Phase::Open;
    int m_code = 1;
};

} // namespace

int main(int argc, char** argv)
{
    bool readme = false;
    std::string outDir;
    std::string log;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--readme") == 0 && outDir.empty()) {
            readme = true;
        } else if (std::strcmp(a, "--out") == 0 && i + 1 < argc && !readme && argv[i + 1][0] != '\0') {
            outDir = argv[++i];
        } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            return Usage(stdout, 0);
        } else if (a[0] == '-' || a[0] == '\0' || !log.empty()) {
            return Usage(stderr, 2);
        } else {
            log = a;
        }
    }
    if (log.empty()) log = CORVANE_SAMPLE_LOG;
    if (outDir.empty()) outDir = CORVANE_SNAPSHOT_DIR;

    std::vector<Shot> shots;
    ScratchHome home;
    std::string typed = log;
    if (readme) {
        shots.push_back({kBingTab, CORVANE_README_SHOT});
        if (!home.Take(log)) return 1;
        typed = std::string("~/") + kReadmeLog;
    } else {
        std::error_code ec;
        fs::create_directories(outDir, ec);
        if (ec) {
            std::fprintf(stderr, "%s: cannot make %s: %s\n", kTool, outDir.c_str(), ec.message().c_str());
            return 1;
        }
        for (int tab = 0; tab < CCorvaneDlg::kPageCount; ++tab)
            shots.push_back({tab, (fs::absolute(outDir) / kShotNames[tab]).lexically_normal().string()});
    }

    AppDriver driver;
    // File names on Linux are UTF-8; the dialog's name box takes code page 936.
    Snapshot snapshot(driver, Utf8ToCp936(typed), shots, readme ? &home : nullptr);
    driver.Run(kTool, [&snapshot] { return snapshot.Idle(); });
    // A failure the program reported leaves its pages incomplete: nothing of them is trusted.
    if (driver.Failed() || corvane::tools::ExceptionsReported()) return 1;
    if (!snapshot.Done()) {
        std::fprintf(stderr, "%s: the program stopped before the screenshots were taken\n", kTool);
        return 1;
    }
    if (snapshot.Code() != 0) return snapshot.Code();
    std::printf("%s: Corvane with %s loaded, %s:\n", kTool, log.c_str(),
                readme ? "on the Bing tab" : "one screenshot a tab");
    for (const Shot& s : shots)
        std::printf("  %s\n", s.path.c_str());
    return 0;
}
