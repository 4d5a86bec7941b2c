// A program under test, run on a test X server: its standard output read
// line by line while it runs, every wait bounded.
#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace corvane::test {

class ChildProgram {
public:
    // Starts argv[0] with DISPLAY set to `display`; standard error stays this process's.
    static std::unique_ptr<ChildProgram> Start(const std::vector<std::string>& argv, const std::string& display,
                                               std::string* error);
    // Kills the program if it still runs.
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Waits for the next line of output starting with `prefix` (lines before it are
    // passed over, and stay in Lines()); false when the time is up or the program ended.
    bool WaitForLine(const std::string& prefix, int timeoutMs, std::string* line = nullptr);
    // Waits for the program to end; false if it had not within the time (it is then killed).
    bool WaitForExit(int timeoutMs, int* exitCode);
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Running() const { return m_pid > 0; }
    // Processor time the running program has used so far (user and system), in seconds; -1 if unknown.
    double CpuSeconds() const;

private:
    ChildProgram() = default;
    // Reads what is there, waiting at most waitMs for something; false at end of output.
    bool ReadSome(int waitMs);

    pid_t m_pid = -1;
    int m_fd = -1;
    bool m_eof = false;
    std::string m_partial;
    std::vector<std::string> m_lines;
    std::size_t m_seen = 0; // lines WaitForLine has looked at
};

} // namespace corvane::test
