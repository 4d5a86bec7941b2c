// corvane_bench_longuse [--lines N] [--opens K] [--rounds R] [LOG]: the real
// main window on the headless desktop opens a log K times, then fills all
// seven pages R rounds, and prints the time of each part, the peak resident
// size and the shared empty string's count before and after. Without LOG it
// writes a synthetic log of N lines (default 5,000,000) to a scratch file.
#include "app/Corvane.h"
#include "app/CorvaneDlg.h"
#include "bench/LogGenerator.h"
#include "pages/FDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/window/Desktop.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool WriteLines(const std::string& path, long long lines)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    corvane::bench::LogLineGenerator gen(1);
    std::string chunk;
    for (long long i = 0; i < lines; ++i) {
        gen.AppendLine(chunk);
        if (chunk.size() >= (1u << 20) || i + 1 == lines) {
            if (std::fwrite(chunk.data(), 1, chunk.size(), file) != chunk.size()) {
                std::fclose(file);
                return false;
            }
            chunk.clear();
        }
    }
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    long long lines = 5000000;
    int opens = 40;
    int rounds = 20;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--lines") && i + 1 < argc) lines = std::atoll(argv[++i]);
        else if (!std::strcmp(argv[i], "--opens") && i + 1 < argc) opens = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) rounds = std::atoi(argv[++i]);
        else if (argv[i][0] != '-' && path.empty()) path = argv[i];
        else {
            std::fprintf(stderr, "usage: %s [--lines N] [--opens K] [--rounds R] [LOG]\n", argv[0]);
            return 2;
        }
    }
    bool scratch = path.empty();
    if (scratch) {
        path = "/tmp/corvane-longuse-" + std::to_string(getpid()) + ".log";
        auto start = std::chrono::steady_clock::now();
        if (!WriteLines(path, lines)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("wrote %lld lines in %.2f s\n", lines, Seconds(start));
    }

    display::HeadlessBackend screen;
    sys::SetBackend(&screen);
    RegisterCorvaneResources();
    int code = 0;
    {
        CCorvaneDlg dlg;
        if (!dlg.Create(IDD_CORVANE_DIALOG)) {
            std::fprintf(stderr, "the main window did not open\n");
            return 1;
        }
        theApp.m_pMainWnd = &dlg;
        sys::PumpUntilIdle();
        const int emptyRefs = CString::SharedEmptyRefs();

        auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < opens; ++n)
            if (!dlg.OpenLogFile(path.c_str())) {
                std::fprintf(stderr, "open %d failed\n", n);
                code = 1;
                break;
            }
        sys::PumpUntilIdle();
        std::printf("%d opens: %.2f s\n", opens, Seconds(start));

        start = std::chrono::steady_clock::now();
        for (int round = 0; round < rounds; ++round)
            for (UINT msg = WM_USER + 1; msg <= WM_USER + CCorvaneDlg::kPageCount; ++msg)
                dlg.SendMessage(msg, 0, 0);
        sys::PumpUntilIdle();
        std::printf("%d refill rounds: %.2f s\n", rounds, Seconds(start));

        std::printf("rows on the all-lines page: %d\n", dlg.AllLinesPage()->m_list.GetItemCount());
        std::printf("shared empty string count: %d before, %d after\n", emptyRefs, CString::SharedEmptyRefs());
        if (CString::SharedEmptyRefs() != emptyRefs) code = 1;
        dlg.DestroyWindow();
        sys::PumpUntilIdle();
        theApp.m_pMainWnd = nullptr;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident size: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    sys::SetBackend(nullptr);
    if (scratch) std::remove(path.c_str());
    return code;
}
