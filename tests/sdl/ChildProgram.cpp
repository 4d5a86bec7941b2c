#include "tests/sdl/ChildProgram.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvane::test {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

std::unique_ptr<ChildProgram> ChildProgram::Start(const std::vector<std::string>& argvIn, const std::string& display,
                                                  std::string* error)
{
    if (argvIn.empty()) {
        *error = "no program given";
        return nullptr;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *error = "cannot make a pipe";
        return nullptr;
    }
    std::vector<std::string> args = argvIn, env;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
    env.push_back("DISPLAY=" + display);
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        *error = "cannot start " + argvIn[0] + ": " + std::strerror(rc);
        return nullptr;
    }
    std::unique_ptr<ChildProgram> child(new ChildProgram());
    child->m_pid = pid;
    child->m_fd = fds[0];
    return child;
}

ChildProgram::~ChildProgram()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    if (m_fd >= 0) close(m_fd);
}

bool ChildProgram::ReadSome(int waitMs)
{
    if (m_eof) return false;
    pollfd p{m_fd, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return true;
    char buf[4096];
    ssize_t got = read(m_fd, buf, sizeof buf);
    if (got < 0 && errno == EINTR) return true;
    if (got <= 0) {
        m_eof = true;
        if (!m_partial.empty()) m_lines.push_back(std::move(m_partial));
        m_partial.clear();
        return false;
    }
    m_partial.append(buf, static_cast<std::size_t>(got));
    for (std::size_t nl; (nl = m_partial.find('\n')) != std::string::npos;) {
        m_lines.push_back(m_partial.substr(0, nl));
        m_partial.erase(0, nl + 1);
    }
    return true;
}

bool ChildProgram::WaitForLine(const std::string& prefix, int timeoutMs, std::string* line)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        for (; m_seen < m_lines.size(); ++m_seen) {
            if (m_lines[m_seen].rfind(prefix, 0) == 0) {
                if (line) *line = m_lines[m_seen];
                ++m_seen;
                return true;
            }
        }
        if (m_eof || MsLeft(deadline) == 0) return false;
        ReadSome(std::min(MsLeft(deadline), 50));
    }
}

double ChildProgram::CpuSeconds() const
{
    if (m_pid <= 0) return -1;
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The name in parentheses may hold spaces: count fields from after it.
    std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    // Fields 3..13 come first; utime and stime are fields 14 and 15.
    for (int i = 3; i <= 13 && fields >> field; ++i) {
    }
    if (!(fields >> utime >> stime)) return -1;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool ChildProgram::WaitForExit(int timeoutMs, int* exitCode)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (m_pid > 0) {
        ReadSome(m_eof ? 0 : 5);
        pid_t r = waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_pid = -1;
            break;
        }
        if (MsLeft(deadline) == 0) return false; // the destructor kills it
        if (m_eof) poll(nullptr, 0, 5);
    }
    // What it wrote just before it ended.
    for (pollfd p{m_fd, POLLIN, 0}; !m_eof && poll(&p, 1, 0) > 0;)
        ReadSome(0);
    *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    return true;
}

} // namespace corvane::test
