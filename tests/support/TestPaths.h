// Where tests find the source tree and scratch files.
#pragma once

#include <string>

namespace corvane::test {

// The project's source folder (for samples/ and res/).
std::string SourceDir();
// A fresh, empty folder for this test process, removed at exit.
std::string ScratchDir();
// Writes bytes to a file in the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, const std::string& bytes);
// The full path of a program found on PATH, or empty.
std::string ProgramPath(const std::string& name);

} // namespace corvane::test
