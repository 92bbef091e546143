#include "platform/win32_serial_port.h"

#include <windows.h>

#include <cwctype>
#include <iostream>

#include "platform/win32_handle.h"
#include "platform/win32_text.h"

namespace velmar::platform {

namespace {

constexpr uint32_t kRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// The two sets the link switches between: a read of n bytes waits at most 5 + n ms in all and
// 1 ms between two bytes; a streaming read returns at once with what is buffered.
constexpr COMMTIMEOUTS kNormal{1, 1, 5, 1, 5};
constexpr COMMTIMEOUTS kStreaming{MAXDWORD, 0, 0, 0, 0};

// A read that returns as soon as one byte is there, or after `ms` with nothing.
COMMTIMEOUTS waitSet(uint32_t ms, const COMMTIMEOUTS& writes)
{
    const DWORD limit = ms == 0 ? 1 : (ms >= MAXDWORD ? MAXDWORD - 1 : ms);
    return COMMTIMEOUTS{MAXDWORD, MAXDWORD, limit, writes.WriteTotalTimeoutMultiplier,
                        writes.WriteTotalTimeoutConstant};
}

std::string devicePathFor(const std::string& name)
{
    if (name.rfind("\\\\", 0) == 0)
        return name;
    return "\\\\.\\" + name;
}

// The name of the object that marks a port in use: the same for every program in the session
// and for every spelling of the device ("COM3", "\\.\com3").
std::wstring inUseName(const std::string& device)
{
    std::wstring name = L"Global\\velmar-serial-port-";
    for (wchar_t c : win32::widen(device.substr(4)))
        name += c == L'\\' ? L'_' : static_cast<wchar_t>(std::towupper(c));
    return name;
}

void applyFrame(DCB& dcb)
{
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    // A line error would otherwise stop every read until it is cleared.
    dcb.fAbortOnError = FALSE;
}

}  // namespace

bool Win32SerialPort::supportedRate(uint32_t bps)
{
    for (uint32_t r : kRates) {
        if (r == bps)
            return true;
    }
    return false;
}

Win32SerialPort::Win32SerialPort(PortNames names, Logger logger) : names_(std::move(names)), logger_(std::move(logger))
{
    if (!logger_)
        logger_ = [](const std::string& text) { std::cerr << text << '\n'; };
}

Win32SerialPort::~Win32SerialPort() { close(); }

void Win32SerialPort::fail(std::string text, bool log)
{
    lastError_ = std::move(text);
    if (log && logged_.insert(lastError_).second)
        logger_(lastError_);
}

bool Win32SerialPort::open(const std::string& name)
{
    close();
    const auto resolved = names_.resolve(name);
    if (!resolved) {
        fail(name + ": no such port", false);
        return false;
    }
    const std::string device = devicePathFor(*resolved);
    win32::UniqueHandle inUse(CreateMutexW(nullptr, FALSE, inUseName(device).c_str()));
    if (inUse.valid() && GetLastError() == ERROR_ALREADY_EXISTS) {
        fail("cannot open " + device + " (" + name + "): in use by another program", true);
        return false;
    }
    win32::UniqueHandle port(
        CreateFileW(win32::widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!port.valid()) {
        const DWORD err = GetLastError();
        std::string text = "cannot open " + device + " (" + name + "): " + win32::errorText(err);
        // Windows refuses a port that another program holds with "access denied".
        if (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)
            text += " (in use by another program)";
        fail(std::move(text), true);
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (GetFileType(port.get()) != FILE_TYPE_CHAR || !GetCommState(port.get(), &dcb)) {
        fail(device + " (" + name + ") is not a serial port", true);
        return false;
    }
    applyFrame(dcb);
    COMMTIMEOUTS normal = kNormal;
    if (!SetCommState(port.get(), &dcb) || !SetCommTimeouts(port.get(), &normal)) {
        fail("cannot configure " + device + ": " + win32::errorText(GetLastError()), true);
        return false;
    }
    handle_ = port.release();
    inUse_ = inUse.release();
    path_ = device;
    timeouts_ = Timeouts::Normal;
    applied_ = Applied::Normal;
    pending_ = -1;
    lastError_.clear();
    logged_.clear();
    return true;
}

void Win32SerialPort::close()
{
    if (!handle_)
        return;
    CloseHandle(handle_);
    handle_ = nullptr;
    if (inUse_)
        CloseHandle(inUse_);
    inUse_ = nullptr;
    path_.clear();
    pending_ = -1;
}

bool Win32SerialPort::getRate(uint32_t& bps)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!handle_ || !GetCommState(handle_, &dcb))
        return false;
    bps = dcb.BaudRate;
    return true;
}

bool Win32SerialPort::setRate(uint32_t bps)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!handle_ || !supportedRate(bps) || !GetCommState(handle_, &dcb))
        return false;
    applyFrame(dcb);
    dcb.BaudRate = bps;
    return SetCommState(handle_, &dcb);
}

bool Win32SerialPort::getTimeouts(Timeouts& current)
{
    // Asking the driver tells whether the handle still works; the set itself is kept here, as
    // a wait for input changes the driver's for a moment.
    COMMTIMEOUTS t{};
    if (!handle_ || !GetCommTimeouts(handle_, &t))
        return false;
    current = timeouts_;
    return true;
}

bool Win32SerialPort::apply(Applied set, uint32_t waitMs)
{
    if (set == applied_ && set != Applied::Wait)
        return true;
    const COMMTIMEOUTS& chosen = timeouts_ == Timeouts::Streaming ? kStreaming : kNormal;
    COMMTIMEOUTS t = set == Applied::Wait ? waitSet(waitMs, chosen) : chosen;
    if (!SetCommTimeouts(handle_, &t)) {
        applied_ = Applied::Wait;  // unknown: set again next time
        return false;
    }
    applied_ = set;
    return true;
}

bool Win32SerialPort::setTimeouts(Timeouts set)
{
    if (!handle_)
        return false;
    timeouts_ = set;
    return apply(set == Timeouts::Streaming ? Applied::Streaming : Applied::Normal);
}

bool Win32SerialPort::purge()
{
    pending_ = -1;
    return handle_ && PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
}

int Win32SerialPort::read(uint8_t* buffer, size_t n)
{
    if (!handle_)
        return -1;
    if (n == 0)
        return 0;
    size_t got = 0;
    if (pending_ >= 0) {
        buffer[got++] = static_cast<uint8_t>(pending_);
        pending_ = -1;
        if (got == n)
            return 1;
    }
    if (!apply(timeouts_ == Timeouts::Streaming ? Applied::Streaming : Applied::Normal))
        return got ? static_cast<int>(got) : -1;
    DWORD read = 0;
    if (!ReadFile(handle_, buffer + got, static_cast<DWORD>(n - got), &read, nullptr))
        return got ? static_cast<int>(got) : -1;
    return static_cast<int>(got + read);
}

int Win32SerialPort::waitForInput(uint32_t limitMs)
{
    if (!handle_)
        return -1;
    if (pending_ >= 0)
        return 1;
    COMSTAT status{};
    DWORD errors = 0;
    if (!ClearCommError(handle_, &errors, &status))
        return -1;
    if (status.cbInQue > 0)
        return 1;
    if (limitMs == 0)
        return 0;
    // The driver blocks the read until a byte arrives or the limit passes; the byte is kept for
    // the next read.
    if (!apply(Applied::Wait, limitMs))
        return -1;
    uint8_t byte = 0;
    DWORD read = 0;
    if (!ReadFile(handle_, &byte, 1, &read, nullptr))
        return -1;
    if (read == 0)
        return 0;
    pending_ = byte;
    return 1;
}

int Win32SerialPort::write(const uint8_t* data, size_t n)
{
    if (!handle_)
        return -1;
    DWORD written = 0;
    if (!WriteFile(handle_, data, static_cast<DWORD>(n), &written, nullptr))
        return written ? static_cast<int>(written) : -1;
    return static_cast<int>(written);
}

bool Win32SerialPort::flush() { return handle_ && FlushFileBuffers(handle_); }

}  // namespace velmar::platform
