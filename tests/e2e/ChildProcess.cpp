#include "tests/e2e/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace corvane::test {

namespace {

std::vector<char*> CStrings(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

bool NamesVariable(const std::string& entry, const std::string& name)
{
    return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=';
}

} // namespace

std::vector<std::string> CurrentEnvironment()
{
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e)
        env.emplace_back(*e);
    return env;
}

void RemoveVariable(std::vector<std::string>* env, const std::string& name)
{
    std::erase_if(*env, [&](const std::string& e) { return NamesVariable(e, name); });
}

void SetVariable(std::vector<std::string>* env, const std::string& name, const std::string& value)
{
    RemoveVariable(env, name);
    env->push_back(name + "=" + value);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::vector<std::string>& argvIn, const std::string& workDir,
                                                  const std::vector<std::string>& envIn, const std::string& outputPath,
                                                  std::string* error)
{
    if (argvIn.empty()) {
        *error = "nothing to run";
        return nullptr;
    }
    std::vector<std::string> args = argvIn;
    std::vector<std::string> envStrings = envIn;
    std::vector<char*> argv = CStrings(args);
    std::vector<char*> env = CStrings(envStrings);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    pid_t pid = -1;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        *error = "cannot start " + argvIn[0] + ": " + std::strerror(rc);
        return nullptr;
    }
    std::unique_ptr<ChildProcess> child(new ChildProcess());
    child->m_pid = pid;
    child->m_outputPath = outputPath;
    return child;
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Running()
{
    if (m_ended || m_pid <= 0) return false;
    int status = 0;
    pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid || (r < 0 && errno == ECHILD)) {
        m_ended = true;
        m_status = status;
    }
    return !m_ended;
}

bool ChildProcess::WaitForExit(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        poll(nullptr, 0, 5);
    }
    return true;
}

int ChildProcess::ExitCode() const
{
    return m_ended && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

std::string ChildProcess::Describe() const
{
    if (!m_ended) return "running";
    if (WIFEXITED(m_status)) return "exit " + std::to_string(WEXITSTATUS(m_status));
    if (WIFSIGNALED(m_status)) return "signal " + std::to_string(WTERMSIG(m_status));
    return "ended";
}

std::string ChildProcess::Output() const
{
    std::ifstream in(m_outputPath, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ChildProcess::Kill()
{
    if (!Running()) return;
    kill(m_pid, SIGKILL);
    int status = 0;
    if (waitpid(m_pid, &status, 0) == m_pid) m_status = status;
    m_ended = true;
}

} // namespace corvane::test
