#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace velmar::platform {

inline constexpr std::string_view kNotRegularFileText = "not a regular file";

// Why a file of this type cannot be read or replaced as a file: empty for a regular file, the
// system's text for a directory, kNotRegularFileText for a device, FIFO or socket.
std::string notRegularReason(mode_t mode);

// Reads a whole regular file of at most maxBytes into contents, following links. Anything else
// is refused without blocking on it: a FIFO, a device, a socket or a directory, and a file
// longer than maxBytes (of which at most maxBytes + 1 bytes are read). On failure reason holds
// the system's text for what went wrong, or "larger than N bytes".
bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents, std::string& reason);

}  // namespace velmar::platform
