// A program run as a child with its own working folder and environment; its
// output goes to a file. Every wait is bounded, and a child still running when
// the object goes is killed and reaped.
#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace corvane::test {

// This process's environment as NAME=value strings, and edits of such a list.
std::vector<std::string> CurrentEnvironment();
void SetVariable(std::vector<std::string>* env, const std::string& name, const std::string& value);
void RemoveVariable(std::vector<std::string>* env, const std::string& name);

class ChildProcess {
public:
    // Starts argv[0] (a path) in workDir; standard output and error go to outputPath.
    static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv, const std::string& workDir,
                                               const std::vector<std::string>& env, const std::string& outputPath,
                                               std::string* error);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running();
    // Polls until the child ends; false when it still runs after timeoutMs.
    bool WaitForExit(int timeoutMs);
    // After the end: the exit code, or -1 when a signal ended it.
    int ExitCode() const;
    // "exit 0", "signal 11" or "running", for messages.
    std::string Describe() const;
    // What the child wrote so far.
    std::string Output() const;
    // Ends the child at once (SIGKILL) and reaps it.
    void Kill();

private:
    ChildProcess() = default;
    pid_t m_pid = -1;
    bool m_ended = false;
    int m_status = 0;
    std::string m_outputPath;
};

} // namespace corvane::test
