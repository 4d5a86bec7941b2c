#include "tests/sdl/XvfbSession.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
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

std::vector<char*> CStrings(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// This process's environment with DISPLAY replaced.
std::vector<std::string> EnvironmentWith(const std::string& display)
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    return env;
}

// Waits for the child to end, up to the deadline; kills it after that.
bool Reap(pid_t pid, Clock::time_point deadline, int* status)
{
    for (;;) {
        pid_t r = waitpid(pid, status, WNOHANG);
        if (r == pid || (r < 0 && errno != EINTR)) return r == pid;
        if (MsLeft(deadline) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, status, 0);
            return false;
        }
        poll(nullptr, 0, 5);
    }
}

} // namespace

bool XvfbSession::ToolInstalled(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

bool XvfbSession::XvfbInstalled()
{
    return ToolInstalled("Xvfb");
}

std::unique_ptr<XvfbSession> XvfbSession::Start(int width, int height, std::string* error)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *error = "cannot make a pipe for Xvfb";
        return nullptr;
    }
    // The server writes its display number to this descriptor once it accepts clients.
    int writeEnd = fcntl(fds[1], F_DUPFD, 10);
    close(fds[1]);
    std::vector<std::string> args = {
        "Xvfb",     "-displayfd", std::to_string(writeEnd),
        "-screen",  "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
        "-noreset", "-nolisten",  "tcp"};
    std::vector<char*> argv = CStrings(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(writeEnd);
    if (rc != 0) {
        close(fds[0]);
        *error = std::string("cannot start Xvfb: ") + std::strerror(rc);
        return nullptr;
    }
    std::unique_ptr<XvfbSession> session(new XvfbSession());
    session->m_pid = pid;

    std::string number;
    auto deadline = Clock::now() + std::chrono::seconds(15);
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        int ready = poll(&p, 1, MsLeft(deadline));
        if (ready <= 0) break;
        char buf[32];
        ssize_t got = read(fds[0], buf, sizeof buf);
        if (got <= 0) break;
        number.append(buf, static_cast<std::size_t>(got));
        if (number.find('\n') != std::string::npos) break;
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
        number.pop_back();
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        *error = "Xvfb did not start (no display number within 15 s)";
        return nullptr; // the destructor stops the server
    }
    session->m_display = ":" + number;
    return session;
}

XvfbSession::~XvfbSession()
{
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    int status = 0;
    Reap(m_pid, Clock::now() + std::chrono::seconds(5), &status);
}

void XvfbSession::Export() const
{
    setenv("DISPLAY", m_display.c_str(), 1);
}

CommandResult XvfbSession::Run(const std::vector<std::string>& argvIn, int timeoutMs, const std::function<void()>& pump,
                               bool keepStderr) const
{
    CommandResult result;
    if (argvIn.empty()) return result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return result;
    std::vector<std::string> args = argvIn;
    std::vector<char*> argv = CStrings(args);
    std::vector<std::string> envStrings = EnvironmentWith(m_display);
    std::vector<char*> env = CStrings(envStrings);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    if (keepStderr)
        posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        result.output = std::string("cannot start ") + argvIn[0] + ": " + std::strerror(rc);
        return result;
    }
    result.started = true;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool open = true;
    int status = 0;
    bool reaped = false;
    while (!reaped) {
        if (pump) pump();
        if (open) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, pump ? 0 : 5) > 0) {
                char buf[4096];
                ssize_t got = read(fds[0], buf, sizeof buf);
                if (got > 0)
                    result.output.append(buf, static_cast<std::size_t>(got));
                else
                    open = false;
            }
        }
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            reaped = true;
        else if (!open && !pump)
            poll(nullptr, 0, 5);
        if (!reaped && MsLeft(deadline) == 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            reaped = true;
        }
    }
    // What the program wrote just before it ended.
    for (;;) {
        char buf[4096];
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 0) <= 0) break;
        ssize_t got = read(fds[0], buf, sizeof buf);
        if (got <= 0) break;
        result.output.append(buf, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

bool XvfbSession::Xdotool(const std::vector<std::string>& args, const std::function<void()>& pump) const
{
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    CommandResult r = Run(argv, 10000, pump);
    return r.started && !r.timedOut && r.exitCode == 0;
}

} // namespace corvane::test
