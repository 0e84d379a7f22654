#include "support/UiTestSupport.h"

#include "framework/Wnd.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace testing_support {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return done();
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            fw::RouteMessage(msg);
    }
    return true;
}

void PumpPosted(DWORD timeoutMs)
{
    // A marker posted behind everything else: once it comes out of the queue, the earlier messages
    // have been handled.
    constexpr UINT kMarker = WM_APP + 0x3F;
    ::PostThreadMessageW(::GetCurrentThreadId(), kMarker, 0, 0);
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!msg.hwnd && msg.message == kMarker)
                return;
            fw::RouteMessage(msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

namespace {

thread_local OnNextLoop* t_loopAction = nullptr;
thread_local WindowCreationRecorder* t_recorder = nullptr;

BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM)
{
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    if (::IsWindow(window))
        ::DestroyWindow(window);
    return TRUE;
}

} // namespace

OnNextLoop::OnNextLoop(std::function<void()> action, DWORD watchdogMs)
    : m_action(std::move(action)), m_timer(::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &OnNextLoop::Fire)),
      m_watchdogMs(watchdogMs)
{
    t_loopAction = this;
}

OnNextLoop::~OnNextLoop()
{
    if (m_timer)
        ::KillTimer(nullptr, m_timer);
    if (m_watchdog)
        ::KillTimer(nullptr, m_watchdog);
    t_loopAction = nullptr;
}

void CALLBACK OnNextLoop::Fire(HWND, UINT, UINT_PTR id, DWORD)
{
    OnNextLoop* self = t_loopAction;
    if (!self)
        return;
    if (id == self->m_watchdog) {
        ::KillTimer(nullptr, std::exchange(self->m_watchdog, 0));
        self->m_watchdogFired = true;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CloseThreadWindow, 0);
        return;
    }
    if (id != self->m_timer || self->m_ran)
        return;
    ::KillTimer(nullptr, std::exchange(self->m_timer, 0));
    self->m_ran = true;
    self->m_watchdog = ::SetTimer(nullptr, 0, self->m_watchdogMs, &OnNextLoop::Fire);
    self->m_action();
}

WindowCreationRecorder::WindowCreationRecorder()
    : m_hook(::SetWindowsHookExW(WH_CBT, &WindowCreationRecorder::Hook, nullptr, ::GetCurrentThreadId()))
{
    t_recorder = this;
}

WindowCreationRecorder::~WindowCreationRecorder()
{
    t_recorder = nullptr;
    ::UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK WindowCreationRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    WindowCreationRecorder* self = t_recorder;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_CREATEWND) {
        wchar_t className[64]{};
        ::GetClassNameW(window, className, 64);
        self->m_classes.emplace_back(className);
    }
    if (self && code == HCBT_ACTIVATE) {
        wchar_t className[64]{};
        ::GetClassNameW(window, className, 64);
        if (std::wstring(className) == L"#32770") {
            // The message box keeps its text in a static control with id 0xFFFF.
            wchar_t text[512]{};
            ::GetDlgItemTextW(window, 0xFFFF, text, 512);
            self->m_boxes.push_back({WindowText(window), text});
            ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int LiveGdiObjects()
{
    // The shared GDI handle table the PEB points at: 24-byte entries, a non-zero type marks a live one.
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint16_t instance;
        std::uint8_t type;
        std::uint8_t flags;
        std::uint64_t user;
    };
    static_assert(sizeof(Entry) == 24, "GDI handle table entry");
    constexpr int kEntries = 0x10000;
    PROCESS_BASIC_INFORMATION basic{};
    if (!NT_SUCCESS(::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic),
                                                nullptr)))
        return -1;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
    constexpr size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + kTableOffset);
    if (!table)
        return -1;
    int live = 0;
    for (int i = 0; i < kEntries; ++i)
        if (table[i].type)
            ++live;
    return live;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512]{};
    ::GetWindowTextW(window, text, 512);
    return text;
}

} // namespace testing_support
