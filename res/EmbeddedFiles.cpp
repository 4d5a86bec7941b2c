#include "res/EmbeddedFiles.h"

const EmbeddedFile* FindEmbeddedFile(std::string_view name)
{
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
        if (kEmbeddedFiles[i].name != nullptr && name == kEmbeddedFiles[i].name) return &kEmbeddedFiles[i];
    return nullptr;
}
