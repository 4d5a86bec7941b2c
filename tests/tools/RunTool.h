// Runs a program as a child process and keeps what it wrote and how it ended.
#pragma once

#include <string>
#include <vector>

namespace corvane::test {

struct ToolRun {
    int code = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs program with args; stdin is /dev/null. unsetEnv names variables the child must not see.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& unsetEnv = {});

// The lines of text, without their '\n'.
std::vector<std::string> Lines(const std::string& text);

} // namespace corvane::test
