#include "platform/trace.h"

#include <cstdio>

namespace velmar::platform {

std::string TraceLog::formatBytes(const uint8_t* data, size_t n)
{
    std::string hex;
    std::string ascii;
    for (size_t i = 0; i < n; ++i) {
        char h[4];
        std::snprintf(h, sizeof h, "%02X ", data[i]);
        hex += h;
        ascii += (data[i] >= 0x20 && data[i] < 0x7F) ? static_cast<char>(data[i]) : '.';
    }
    hex.resize(16 * 3, ' ');
    return hex + " " + ascii;
}

std::string TraceLog::stamp()
{
    char s[32];
    std::snprintf(s, sizeof s, "[%8u ms] ", static_cast<unsigned>(clock_.nowMs() - originMs_));
    return s;
}

void TraceLog::bytes(Direction dir, const uint8_t* data, size_t n)
{
    const std::string st = stamp();
    const char* arrow = dir == Direction::Sent ? ">  " : "<  ";
    for (size_t off = 0; off < n; off += 16) {
        const size_t len = n - off < 16 ? n - off : 16;
        out_ << st << arrow << formatBytes(data + off, len) << '\n';
    }
    out_.flush();
}

void TraceLog::note(std::string_view text)
{
    out_ << stamp() << "-- " << text << '\n';
    out_.flush();
}

bool TracingSerialPort::open(const std::string& name)
{
    const bool ok = inner_.open(name);
    log_.note("open " + name + (ok ? "" : " failed: " + inner_.lastError()));
    return ok;
}

void TracingSerialPort::close()
{
    if (inner_.isOpen())
        log_.note("close");
    inner_.close();
}

bool TracingSerialPort::setRate(uint32_t bps)
{
    const bool ok = inner_.setRate(bps);
    log_.note("rate " + std::to_string(bps) + " bit/s" + (ok ? "" : " failed"));
    return ok;
}

bool TracingSerialPort::setTimeouts(Timeouts set) { return inner_.setTimeouts(set); }

bool TracingSerialPort::purge()
{
    const bool ok = inner_.purge();
    if (!ok)
        log_.note("purge failed");
    return ok;
}

int TracingSerialPort::read(uint8_t* buffer, size_t n)
{
    const int r = inner_.read(buffer, n);
    if (r > 0)
        log_.bytes(TraceLog::Direction::Received, buffer, static_cast<size_t>(r));
    else if (r < 0)
        log_.note("read failed");
    return r;
}

int TracingSerialPort::write(const uint8_t* data, size_t n)
{
    const int r = inner_.write(data, n);
    if (r > 0)
        log_.bytes(TraceLog::Direction::Sent, data, static_cast<size_t>(r));
    else if (r < 0)
        log_.note("write failed");
    return r;
}

}  // namespace velmar::platform
