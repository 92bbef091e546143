#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <cwctype>
#include <mutex>
#include <thread>

#include "child_process.h"
#include "platform/win32_handle.h"
#include "platform/win32_text.h"

namespace velmar::test {

using platform::win32::UniqueHandle;
using platform::win32::widen;
using std::chrono::milliseconds;

namespace {

// One argument as the C runtime's parser reads it back: quoted when it holds blanks or quotes,
// backslashes doubled only where they precede a quote.
std::wstring quoted(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

bool sameName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

// This process's environment with the extra variables set (names compare without case).
std::wstring environmentWith(const std::vector<std::pair<std::string, std::string>>& extra)
{
    std::wstring block;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        const std::wstring_view name = text.substr(0, text.find(L'=', 1));
        const bool replaced = std::any_of(extra.begin(), extra.end(),
                                          [&](const auto& kv) { return sameName(widen(kv.first), name); });
        if (!replaced)
            block.append(text).push_back(L'\0');
    }
    FreeEnvironmentStringsW(current);
    for (const auto& [name, value] : extra)
        block.append(widen(name + "=" + value)).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

// A pipe whose child end the child inherits and whose parent end it does not.
bool openPipe(UniqueHandle& parent, UniqueHandle& child, bool parentReads)
{
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, nullptr, 0))
        return false;
    parent.reset(parentReads ? read : write);
    child.reset(parentReads ? write : read);
    return SetHandleInformation(child.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
}

}  // namespace

struct ChildProcess::Running {
    UniqueHandle process;
    std::mutex mutex;
    std::condition_variable changed;
    bool outOpen = false;
    std::vector<std::thread> threads;

    void read(UniqueHandle pipe, std::string& into, bool isOut)
    {
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(pipe.get(), buffer, sizeof buffer, &n, nullptr) && n > 0) {
            const std::lock_guard lock(mutex);
            into.append(buffer, n);
            changed.notify_all();
        }
        const std::lock_guard lock(mutex);
        if (isOut)
            outOpen = false;
        changed.notify_all();
    }

    void join()
    {
        for (auto& t : threads)
            t.join();
        threads.clear();
    }
};

ChildProcess::ChildProcess(Command command) : command_(std::move(command))
{
    deadline_ = std::chrono::steady_clock::now() + command_.timeLimit;
    if (command_.args.empty() || command_.errors == ErrorOutput::Terminal)
        return;
    std::wstring line;
    for (const auto& arg : command_.args)
        line += (line.empty() ? L"" : L" ") + quoted(widen(arg));
    std::wstring environment = environmentWith(command_.env);

    UniqueHandle inParent, inChild, outParent, outChild, errParent, errChild, outFile;
    bool ready = openPipe(inParent, inChild, false) && openPipe(outParent, outChild, true);
    if (ready && command_.errors == ErrorOutput::Captured)
        ready = openPipe(errParent, errChild, true);
    if (ready && !command_.outputTo.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        outFile.reset(CreateFileW(widen(command_.outputTo).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ready = outFile.valid();
    }
    if (!ready)
        return;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inChild.get();
    startup.hStdOutput = outFile.valid() ? outFile.get() : outChild.get();
    startup.hStdError = command_.errors == ErrorOutput::IntoOut     ? outChild.get()
                        : command_.errors == ErrorOutput::Inherited ? GetStdHandle(STD_ERROR_HANDLE)
                                                                    : errChild.get();
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        nullptr, &startup, &info)) {
        result_.status = 127;  // as a shell reports a program it cannot run
        return;
    }
    CloseHandle(info.hThread);
    running_ = std::make_unique<Running>();
    running_->process.reset(info.hProcess);
    running_->outOpen = true;
    // The child holds its own copies now: the pipes end when it (and whatever it started) does.
    inChild.reset();
    outChild.reset();
    errChild.reset();
    outFile.reset();

    Running& r = *running_;
    r.threads.emplace_back(&Running::read, &r, std::move(outParent), std::ref(result_.out), true);
    if (errParent.valid())
        r.threads.emplace_back(&Running::read, &r, std::move(errParent), std::ref(result_.err), false);
    r.threads.emplace_back([pipe = std::move(inParent), input = command_.input] {
        DWORD written = 0;
        for (size_t done = 0; done < input.size(); done += written) {
            if (!WriteFile(pipe.get(), input.data() + done, static_cast<DWORD>(input.size() - done), &written, nullptr))
                break;
        }
    });
}

bool ChildProcess::started() const { return running_ != nullptr; }

ChildProcess::~ChildProcess()
{
    if (!running_)
        return;
    if (WaitForSingleObject(running_->process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(running_->process.get(), 1);
        WaitForSingleObject(running_->process.get(), INFINITE);
    }
    running_->join();
}

bool ChildProcess::waitForOutput(const std::string& text, milliseconds limit)
{
    if (!running_)
        return false;
    std::unique_lock lock(running_->mutex);
    return running_->changed.wait_for(lock, limit, [&] {
        return result_.out.find(text) != std::string::npos || !running_->outOpen;
    }) && result_.out.find(text) != std::string::npos;
}

ProcessResult ChildProcess::finish()
{
    if (!running_)
        return result_;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline_ - std::chrono::steady_clock::now());
    const HANDLE process = running_->process.get();
    if (WaitForSingleObject(process, static_cast<DWORD>(std::max<milliseconds::rep>(left.count(), 0))) ==
        WAIT_TIMEOUT) {
        result_.timedOut = true;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, INFINITE);
    }
    running_->join();
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    result_.status = result_.timedOut ? -1 : static_cast<int>(code);
    running_.reset();
    return result_;
}

ProcessResult runProcess(Command command)
{
    ChildProcess child(std::move(command));
    return child.finish();
}

}  // namespace velmar::test
