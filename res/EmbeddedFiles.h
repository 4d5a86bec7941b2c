// The resource files the build carried into the program, by their path under
// res/ ("images/corvane.ico").
#pragma once

#include <cstddef>
#include <string_view>

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// Null when no file of that name was embedded.
const EmbeddedFile* FindEmbeddedFile(std::string_view name);
