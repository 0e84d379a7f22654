#include "Wnd.h"

#include "WinApp.h"

#include <utility>

namespace fw {

namespace {

// Window properties: the object bound to the window, and the procedure it subclassed. The latter
// outlives the binding when someone subclassed the window after us, so that our procedure, still in
// their chain, can pass messages on to the original one.
constexpr wchar_t kObjectProperty[] = L"Velmora.CWnd";
constexpr wchar_t kOriginalProcProperty[] = L"Velmora.OriginalProc";

thread_local CWnd* t_adopter = nullptr;

bool IsImeWindow(HWND window)
{
    // The system may create its IME window in the middle of ours; it is never the one we wait for.
    wchar_t className[16]{};
    ::GetClassNameW(window, className, ARRAYSIZE(className));
    return ::lstrcmpiW(className, L"IME") == 0;
}

} // namespace

const CRuntimeClass CWnd::runtimeClass{"CWnd", &CCmdTarget::runtimeClass, &CRuntimeClass::Factory<CWnd>};

CreationHook::CreationHook(CWnd* adopter)
    : m_hook(::SetWindowsHookExW(WH_CBT, &CreationHook::Procedure, nullptr, ::GetCurrentThreadId())),
      m_previousAdopter(t_adopter)
{
    t_adopter = adopter;
}

CreationHook::~CreationHook()
{
    t_adopter = m_previousAdopter;
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK CreationHook::Procedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_adopter) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(window))
            std::exchange(t_adopter, nullptr)->Attach(window);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND window = m_hWnd;
        Detach();
        ::DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return window ? static_cast<CWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
    m_originalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProcedure)));
    ::SetPropW(window, kOriginalProcProperty, reinterpret_cast<HANDLE>(m_originalProc));
}

void CWnd::Detach()
{
    ::RemovePropW(m_hWnd, kObjectProperty);
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &CWnd::WindowProcedure) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
        ::RemovePropW(m_hWnd, kOriginalProcProperty);
    }
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandlePermanent(window);
    if (!self) {
        // Unbound, but still in a subclass chain: the original procedure gets the message.
        auto original = reinterpret_cast<WNDPROC>(::GetPropW(window, kOriginalProcProperty));
        if (message == WM_NCDESTROY)
            ::RemovePropW(window, kOriginalProcProperty);
        return original ? ::CallWindowProcW(original, window, message, wParam, lParam)
                        : ::DefWindowProcW(window, message, wParam, lParam);
    }

    const CurrentMessage outer = self->m_current;
    self->m_current = {message, wParam, lParam};
    ++self->m_dispatchDepth;
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // A failed handler must not unwind through the system; creation then fails.
        result = message == WM_CREATE ? -1 : 0;
    }
    --self->m_dispatchDepth;
    self->m_current = outer;

    if (message == WM_NCDESTROY && self->m_hWnd == window) {
        self->Detach();
        self->m_destroyed = true;
    }
    // PostNcDestroy may delete the object, so it waits until no handler of it is still running
    // (a handler that destroys its own window is one), and nothing touches the object afterwards.
    if (self->m_destroyed && self->m_dispatchDepth == 0) {
        self->m_destroyed = false;
        self->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, result))
        return result;
    if (message == WM_COMMAND) {
        if (CWinApp* app = AfxGetApp(); app && app->Dispatch(message, wParam, lParam, result))
            return result;
    }
    return Default();
}

LRESULT CWnd::Default()
{
    const CurrentMessage& m = m_current;
    if (!m_originalProc)
        return ::DefWindowProcW(m_hWnd, m.message, m.wParam, m.lParam);
    return ::CallWindowProcW(m_originalProc, m_hWnd, m.message, m.wParam, m.lParam);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*)
{
    return CreateEx(0, className, windowName, style, rect, parent ? parent->m_hWnd : nullptr, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, HWND parent,
                    UINT id)
{
    // For a child window the menu argument carries its control id.
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    return CreateAdopting([&] {
               return ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                        ::GetModuleHandleW(nullptr), nullptr);
           }) != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

bool PreTranslateForWindows(MSG* msg)
{
    for (HWND window = msg->hwnd; window;) {
        if (CWnd* object = CWnd::FromHandlePermanent(window); object && object->PreTranslateMessage(msg))
            return true;
        if (!(::GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
            break;
        window = ::GetParent(window);
    }
    return false;
}

void RouteMessage(MSG& msg)
{
    if (PreTranslateForWindows(&msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

} // namespace fw
