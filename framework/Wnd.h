// CWnd: a C++ object bound to one window.
//
// How windows and objects meet:
// - Every window the framework creates is adopted by its object while it is being created (a CBT
//   hook catches HCBT_CREATEWND), so the object sees every message from WM_NCCREATE on. Adoption
//   subclasses the window: the window's original procedure (the control's, the dialog manager's or
//   DefWindowProc) becomes the "default processing" that Default() calls.
// - One window procedure serves all objects. It dispatches through the object's message map; a
//   message without an entry goes to Default(). A WM_COMMAND that no window handles is offered to the
//   application object's map.
// - The binding ends at WM_NCDESTROY: the original procedure is put back and m_hWnd becomes null,
//   then PostNcDestroy() runs, once no handler of the object is still on the stack.
// - Destroying a CWnd whose window still exists detaches and destroys the window; the object's own
//   handlers (WM_DESTROY among them) no longer run then, so a class frees what it owns in its
//   destructor too.
// - No C++ exception leaves a window procedure.
#pragma once

#include "CmdTarget.h"

#include <windows.h>

namespace fw {

class CWnd : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;

    CWnd() = default;
    ~CWnd() override;

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // The object adopted for this window, or null.
    static CWnd* FromHandlePermanent(HWND window);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creates a child or popup window of a registered class. The style is used as given.
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT id);
    BOOL DestroyWindow();

    // Lets the object act on a message before it is translated and dispatched. TRUE: handled, the
    // message goes no further. Called by the message loops for every window from the message's
    // target up to its top-level window.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Thin forms of the Win32 calls on this window.
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;

protected:
    // Hands the message being handled to the window's original procedure.
    LRESULT Default();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window is gone and the object is unbound from it.
    virtual void PostNcDestroy() {}

    // Base handlers: default processing, for derived handlers that call their base first.
    int OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnPaint() { Default(); }
    void OnMove(int, int) { Default(); }
    LRESULT OnNcHitTest(POINT) { return Default(); }

    // Runs `create` with this object waiting to adopt the first window it creates.
    template <class CreateFn>
    HWND CreateAdopting(CreateFn create);

private:
    friend class CreationHook;
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
    WNDPROC m_originalProc = nullptr;
    int m_dispatchDepth = 0;  // handlers of this object now running
    bool m_destroyed = false; // WM_NCDESTROY seen, PostNcDestroy still to come
};

// Catches the first window created on this thread while it is alive and binds it to an object.
class CreationHook {
public:
    explicit CreationHook(CWnd* adopter);
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;
    ~CreationHook();

    bool Installed() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    CWnd* m_previousAdopter;
};

template <class CreateFn>
HWND CWnd::CreateAdopting(CreateFn create)
{
    // One object, one window; and no window at all rather than one nobody is bound to.
    if (m_hWnd)
        return nullptr;
    HWND window = nullptr;
    {
        CreationHook hook(this);
        if (!hook.Installed())
            return nullptr;
        window = create();
    }
    // A window whose creation failed after adoption has already been unbound at WM_NCDESTROY.
    return window && m_hWnd == window ? window : nullptr;
}

// Lets the windows on the path from msg->hwnd up to its top-level window pre-translate the message.
bool PreTranslateForWindows(MSG* msg);
// Retrieves nothing: pre-translates, translates and dispatches one message already retrieved.
void RouteMessage(MSG& msg);

} // namespace fw
