#pragma once

#include <cstddef>
#include <string>

namespace platform {

enum class FileRead { Read, Missing, Failed };

// The whole text of a regular file of at most maxBytes bytes. Anything else
// at path (a FIFO, a device, a folder, a file grown past the bound, a link
// to any of them) reads as Missing without blocking or reading it through;
// Failed when a regular file cannot be read.
FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text);

}  // namespace platform
