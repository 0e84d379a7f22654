// startup-timer.exe <runs> <exe> [<exe> ...]
//
// Measures how long each program takes from CreateProcess until a visible
// top-level window of its own exists. Programs are interleaved (A B A B ...)
// so drift in machine load hits all of them alike. Prints every run and, per
// program, the median; exits non-zero if any run never showed a window.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const DWORD kShowTimeoutMs = 30000; // per run, until the window appears
const DWORD kExitTimeoutMs = 10000; // after WM_CLOSE, before TerminateProcess
const DWORD kPollMs = 1;            // granularity of the window search

std::string utf8(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// Output goes through printf with UTF-8 text: wide printf into a redirected
// file is mangled differently by each C runtime.
void say(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void say(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::vfprintf(stdout, fmt, ap);
    va_end(ap);
    std::fflush(stdout);
}

struct WindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND visibleWindowOf(DWORD pid)
{
    WindowSearch search = {pid, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double elapsedMs(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& freq)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

std::wstring quoted(const std::wstring& arg)
{
    return L"\"" + arg + L"\"";
}

// Drains our own queue so waiting never starves it; we own no windows, but
// MsgWaitForMultipleObjects wakes on any queued message.
void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Asks the program to close through its window, then insists.
void closeProgram(const PROCESS_INFORMATION& pi, HWND hwnd, const std::string& name)
{
    if (hwnd)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (!hwnd || WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        if (hwnd)
            say("  %s did not exit within %lu ms of WM_CLOSE; terminating\n", name.c_str(),
                static_cast<unsigned long>(kExitTimeoutMs));
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
    }
}

// One start-up. Returns the time to the first visible window in ms, or a
// negative value when the program failed to show one.
double timeOneStart(const std::wstring& exe, const std::string& name, const std::string& label,
                    const LARGE_INTEGER& freq)
{
    std::wstring cmd = quoted(exe);
    std::vector<wchar_t> cmdBuf(cmd.begin(), cmd.end());
    cmdBuf.push_back(L'\0');

    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};

    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, cmdBuf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        say("  cannot start %s (error %lu)\n", name.c_str(), static_cast<unsigned long>(GetLastError()));
        say("%s %s: FAILED\n", label.c_str(), name.c_str());
        return -1.0;
    }
    CloseHandle(pi.hThread);

    HWND hwnd = nullptr;
    double ms = -1.0;
    for (;;) {
        hwnd = visibleWindowOf(pi.dwProcessId);
        QueryPerformanceCounter(&now);
        if (hwnd) {
            ms = elapsedMs(start, now, freq);
            break;
        }
        double waited = elapsedMs(start, now, freq);
        if (waited >= kShowTimeoutMs) {
            say("  %s showed no window within %lu ms\n", name.c_str(), static_cast<unsigned long>(kShowTimeoutMs));
            break;
        }
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, kPollMs, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            say("  %s exited (code %lu) before showing a window\n", name.c_str(), static_cast<unsigned long>(code));
            break;
        }
        if (r == WAIT_OBJECT_0 + 1)
            pumpMessages();
    }

    // Report before closing so the line is not held up by a slow exit.
    if (ms < 0)
        say("%s %s: FAILED\n", label.c_str(), name.c_str());
    else
        say("%s %s: %.1f ms\n", label.c_str(), name.c_str(), ms);
    closeProgram(pi, hwnd, name);
    CloseHandle(pi.hProcess);
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        say("usage: startup-timer.exe <runs> <exe> [<exe> ...]\n");
        return 2;
    }
    wchar_t* end = nullptr;
    long runs = std::wcstol(argv[1], &end, 10);
    if (!end || *end != L'\0' || runs < 1 || runs > 10000) {
        say("startup-timer: runs must be a number from 1 to 10000\n");
        return 2;
    }

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);

    const int programs = argc - 2;
    std::vector<std::wstring> exes;
    std::vector<std::string> names;
    for (int i = 0; i < programs; ++i) {
        exes.push_back(argv[i + 2]);
        names.push_back(utf8(argv[i + 2]));
    }
    std::vector<std::vector<double>> times(static_cast<size_t>(programs));
    int failures = 0;

    for (long run = 1; run <= runs; ++run) {
        for (int i = 0; i < programs; ++i) {
            std::string label = "run " + std::to_string(run) + "/" + std::to_string(runs);
            double ms = timeOneStart(exes[i], names[i], label, freq);
            if (ms < 0)
                ++failures;
            else
                times[i].push_back(ms);
        }
    }

    for (int i = 0; i < programs; ++i) {
        const std::vector<double>& t = times[i];
        if (t.empty()) {
            say("median #%d %s: none (no successful run)\n", i + 1, names[i].c_str());
            continue;
        }
        say("median #%d %s: %.1f ms (%lu runs, min %.1f, max %.1f)\n", i + 1, names[i].c_str(), median(t),
            static_cast<unsigned long>(t.size()), *std::min_element(t.begin(), t.end()),
            *std::max_element(t.begin(), t.end()));
    }
    if (failures)
        say("%d run(s) failed to show a window\n", failures);
    return failures ? 1 : 0;
}
