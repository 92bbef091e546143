#pragma once

// The serial port of the system the program runs on, for the programs' own use (tests choose
// theirs).
#ifdef _WIN32
#include "platform/win32_serial_port.h"
#else
#include "platform/posix_serial_port.h"
#endif

namespace velmar::platform {

#ifdef _WIN32
using NativeSerialPort = Win32SerialPort;
#else
using NativeSerialPort = PosixSerialPort;
#endif

}  // namespace velmar::platform
