#include <windows.h>
// These need windows.h first.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/win32_text.h"

namespace velmar::platform {

namespace {

std::atomic<InterruptHandler> installed{nullptr};

BOOL WINAPI onConsoleControl(DWORD event)
{
    const InterruptHandler handler = installed.load();
    if (!handler || (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT))
        return FALSE;
    handler();
    return TRUE;
}

}  // namespace

void prepareCommandLineProgram(int& argc, char**& argv)
{
    // The C runtime hands main() the arguments in the ANSI code page, which cannot hold every
    // file name: take them from the wide command line instead.
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        arguments.clear();
        for (int i = 0; i < count; ++i)
            arguments.push_back(win32::narrow(wide[i]));
        LocalFree(wide);
        pointers.clear();
        for (auto& a : arguments)
            pointers.push_back(a.data());
        pointers.push_back(nullptr);
        argc = count;
        argv = pointers.data();
    }
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    // The progress line redraws itself with "\r\033[K", which a console follows only when asked.
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(err, &mode))
        SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

bool stderrIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::size_t terminalColumns()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info) && info.srWindow.Right > info.srWindow.Left)
        return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
    return 80;
}

void writeUnbuffered(StandardStream stream, std::string_view text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(stream == StandardStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), text.data(),
              static_cast<DWORD>(text.size()), &written, nullptr);
}

void setInterruptHandler(InterruptHandler handler)
{
    installed = handler;
    SetConsoleCtrlHandler(onConsoleControl, handler ? TRUE : FALSE);
}

}  // namespace velmar::platform
