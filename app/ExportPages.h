// `corvane --export`: the pages of a log written as CSV with no window and no
// display. The rows come straight from the load, as the pages would show them.
#pragma once

#include "app/CommandLine.h"

#include <cstdio>

// Loads line.strFile and writes the pages line asks for; the exit status (0,
// or 1 with the reason on err).
int ExportPages(const CCommandLine& line, std::FILE* err);
