#pragma once

// POSIX only: the file kinds that the file functions refuse, shared by reading and replacing.
#include <sys/types.h>

#include <string>

namespace velmar::platform {

// Why a file of this type cannot be read or replaced as a file: empty for a regular file, the
// system's text for a directory, kNotRegularFileText for a device, FIFO or socket.
std::string notRegularReason(mode_t mode);

}  // namespace velmar::platform
