#pragma once

// What a command-line program needs of its terminal and of Ctrl+C, the same on every system.
#include <cstddef>
#include <string_view>

namespace velmar::platform {

// Gives the program its arguments as UTF-8 and makes its standard streams pass bytes unchanged
// (no "\r\n" for "\n"), so that paths, output and files are the same on every system. Call first
// in main(); argv then points at storage that lives as long as the program.
void prepareCommandLineProgram(int& argc, char**& argv);

// Whether standard error is a terminal (a console on Windows): progress is drawn only there.
bool stderrIsTerminal();
// Columns of that terminal; 80 when it cannot tell.
std::size_t terminalColumns();

enum class StandardStream { Out, Err };
// Writes straight to the stream, unbuffered; safe inside an interrupt handler.
void writeUnbuffered(StandardStream stream, std::string_view text);

// Ctrl+C calls `handler` instead of ending the program; nullptr restores the default (the
// program ends). The handler runs in a signal handler on POSIX and on a thread of its own on
// Windows: it may only set atomic flags and call writeUnbuffered.
using InterruptHandler = void (*)();
void setInterruptHandler(InterruptHandler handler);

}  // namespace velmar::platform
