// Device contexts, each released the way it was obtained.
//
// CPaintDC   BeginPaint/EndPaint      CWindowDC  GetWindowDC/ReleaseDC
// CClientDC  GetDC/ReleaseDC          CMemoryDC  CreateCompatibleDC/DeleteDC
// The window DCs remember their window, which ReleaseDC needs. None can be copied or moved: a DC
// lives in exactly one scope. Each converts to HDC where an API wants the handle.
#pragma once

#include <windows.h>

namespace fw {

class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_window, &m_paint); }

    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// A DC obtained for a window with GetDC or GetWindowDC and given back with ReleaseDC.
class WindowDCBase {
public:
    WindowDCBase(const WindowDCBase&) = delete;
    WindowDCBase& operator=(const WindowDCBase&) = delete;
    ~WindowDCBase()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    operator HDC() const { return m_dc; }

protected:
    WindowDCBase(HWND window, HDC dc) : m_window(window), m_dc(dc) {}

private:
    HWND m_window;
    HDC m_dc;
};

// The whole window, frame included.
class CWindowDC : public WindowDCBase {
public:
    explicit CWindowDC(HWND window) : WindowDCBase(window, ::GetWindowDC(window)) {}
};

// The client area.
class CClientDC : public WindowDCBase {
public:
    explicit CClientDC(HWND window) : WindowDCBase(window, ::GetDC(window)) {}
};

class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

} // namespace fw
