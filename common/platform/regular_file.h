#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmar::platform {

// Why a device, FIFO, socket or (on Windows) a reserved device name such as NUL or COM1 cannot
// be read or replaced as a file.
inline constexpr std::string_view kNotRegularFileText = "not a regular file";

// Reads a whole regular file of at most maxBytes into contents, following links. Anything else
// is refused without blocking on it: a FIFO, a device, a socket or a directory, and a file
// longer than maxBytes (of which at most maxBytes + 1 bytes are read). On failure reason holds
// the system's text for what went wrong, kNotRegularFileText, or "larger than N bytes". Paths
// are UTF-8 on every system.
bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents, std::string& reason);

// What readRegularFile says of a file longer than maxBytes.
inline std::string tooLargeReason(std::size_t maxBytes) { return "larger than " + std::to_string(maxBytes) + " bytes"; }

}  // namespace velmar::platform
