// Helpers for tests that drive real windows on the test's thread.
//
// The pumps route messages as the program's own loops do (pre-translation included). Pumping is
// always bounded: PumpUntil gives up at a deadline, and a running modal loop can be
// given work with OnNextLoop (a thread timer fires inside whatever loop runs next). Nothing here
// sleeps for a fixed time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Pumps this thread's messages until done() is true or timeoutMs has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// Pumps until every message already posted to this thread has been handled.
void PumpPosted(DWORD timeoutMs = 5000);

// Runs `action` once from the next message loop on this thread (a modal loop, typically). If the
// loop is still running `watchdogMs` after the action, every top-level window of the thread is sent
// WM_CLOSE and then destroyed, so a failing test ends instead of hanging.
class OnNextLoop {
public:
    explicit OnNextLoop(std::function<void()> action, DWORD watchdogMs = 10000);
    OnNextLoop(const OnNextLoop&) = delete;
    OnNextLoop& operator=(const OnNextLoop&) = delete;
    ~OnNextLoop();

    bool Ran() const { return m_ran; }
    bool WatchdogFired() const { return m_watchdogFired; }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
    std::function<void()> m_action;
    UINT_PTR m_timer;
    UINT_PTR m_watchdog = 0;
    DWORD m_watchdogMs;
    bool m_ran = false;
    bool m_watchdogFired = false;
};

// Records every window created on this thread while alive, and answers message boxes: each dialog
// box that becomes active is read (caption and text) and closed with IDOK.
class WindowCreationRecorder {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };

    WindowCreationRecorder();
    WindowCreationRecorder(const WindowCreationRecorder&) = delete;
    WindowCreationRecorder& operator=(const WindowCreationRecorder&) = delete;
    ~WindowCreationRecorder();

    const std::vector<std::wstring>& CreatedClasses() const { return m_classes; }
    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    std::vector<std::wstring> m_classes;
    std::vector<Box> m_boxes;
};

// Live GDI objects (DCs, bitmaps, brushes...) of this process, read from the GDI handle table.
int LiveGdiObjects();

std::wstring WindowText(HWND window);

} // namespace testing_support
