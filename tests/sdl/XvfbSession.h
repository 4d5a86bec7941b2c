// A private X server for real-window tests, and the programs that act on it
// (xdotool for input, ImageMagick for screenshots). Every wait is bounded.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace corvane::test {

struct CommandResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

class XvfbSession {
public:
    // Whether an Xvfb binary is on PATH.
    static bool XvfbInstalled();
    static bool ToolInstalled(const std::string& name);

    // Starts "Xvfb -displayfd ... -screen 0 WxHx24 -noreset" on a display number
    // the server picks itself, and waits (bounded) until it accepts clients.
    static std::unique_ptr<XvfbSession> Start(int width, int height, std::string* error);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // ":N".
    const std::string& Display() const { return m_display; }
    // Points this process's DISPLAY at the session (SDL reads it when it opens).
    void Export() const;

    // Runs a program against this display and waits for it. While waiting, calls
    // `pump` over and over (for example to read the backend's events), so a
    // program that needs our windows to answer does not stall. Standard error
    // joins the output unless `keepStderr` is false (binary output).
    CommandResult Run(const std::vector<std::string>& argv, int timeoutMs = 10000,
                      const std::function<void()>& pump = nullptr, bool keepStderr = true) const;
    // xdotool with the given arguments; true when it succeeded.
    bool Xdotool(const std::vector<std::string>& args, const std::function<void()>& pump = nullptr) const;

private:
    XvfbSession() = default;
    pid_t m_pid = -1;
    std::string m_display;
};

} // namespace corvane::test
