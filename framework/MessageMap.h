// Message maps: a static table per class that binds window messages to member handlers.
//
// A class with handlers declares
//     static const MessageMap messageMap;
//     const MessageMap* GetMessageMap() const override { return &messageMap; }
// and defines the table in its .cpp, chained to its base class's map:
//     const MessageMap CMyDlg::messageMap{&CDialogEx::messageMap, {
//         on::Create<&CMyDlg::OnCreate>(),      // int OnCreate(LPCREATESTRUCTW)
//         on::Paint<&CMyDlg::OnPaint>(),        // void OnPaint()
//     }};
// Each on::X<> entry unpacks WPARAM/LPARAM into the handler's natural signature and refuses, at
// compile time, a handler whose signature does not fit. The first entry that matches, searching the
// derived class before its bases, handles the message; a message with no entry gets the window's
// default processing. Handlers that want default processing as well call Default() themselves.
#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

namespace fw {

class CCmdTarget;

using MessageHandler = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message = 0;
    UINT commandId = 0; // only for WM_COMMAND entries
    MessageHandler handler = nullptr;
};

// The entries are copied into the map, so a map defined at namespace scope is initialised at compile
// time and is complete before any static constructor runs. A table longer than kCapacity does not
// compile.
class MessageMap {
public:
    static constexpr size_t kCapacity = 16;

    constexpr explicit MessageMap(const MessageMap* base) : m_base(base) {}

    template <size_t Count>
    constexpr MessageMap(const MessageMap* base, const MessageMapEntry (&entries)[Count]) : m_base(base)
    {
        static_assert(Count <= kCapacity, "a message map holds at most kCapacity entries");
        for (const MessageMapEntry& entry : entries)
            m_entries[m_count++] = entry;
    }

    // The entry for this message in this map or its bases, or null.
    const MessageMapEntry* Find(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    const MessageMap* m_base;
    MessageMapEntry m_entries[kCapacity]{};
    size_t m_count = 0;
};

namespace detail {

template <class F>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler, class Signature>
inline constexpr bool kHasSignature = std::is_same_v<decltype(Handler), Signature ClassOf<Handler>::*>;

template <auto Handler, class... Args>
decltype(auto) Call(CCmdTarget& target, Args... args)
{
    return (static_cast<ClassOf<Handler>&>(target).*Handler)(args...);
}

inline POINT PointFrom(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace detail

namespace on {

// int OnCreate(LPCREATESTRUCTW createStruct)   -1 fails the creation
template <auto H>
constexpr MessageMapEntry Create()
{
    static_assert(detail::kHasSignature<H, int(LPCREATESTRUCTW)>, "int OnCreate(LPCREATESTRUCTW)");
    return {WM_CREATE, 0, [](CCmdTarget& t, WPARAM, LPARAM l) -> LRESULT {
                return detail::Call<H>(t, reinterpret_cast<LPCREATESTRUCTW>(l));
            }};
}

// void OnDestroy()
template <auto H>
constexpr MessageMapEntry Destroy()
{
    static_assert(detail::kHasSignature<H, void()>, "void OnDestroy()");
    return {WM_DESTROY, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return detail::Call<H>(t), 0; }};
}

// void OnPaint()
template <auto H>
constexpr MessageMapEntry Paint()
{
    static_assert(detail::kHasSignature<H, void()>, "void OnPaint()");
    return {WM_PAINT, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return detail::Call<H>(t), 0; }};
}

// BOOL OnEraseBkgnd(HDC dc)
template <auto H>
constexpr MessageMapEntry EraseBkgnd()
{
    static_assert(detail::kHasSignature<H, BOOL(HDC)>, "BOOL OnEraseBkgnd(HDC)");
    return {WM_ERASEBKGND, 0,
            [](CCmdTarget& t, WPARAM w, LPARAM) -> LRESULT { return detail::Call<H>(t, reinterpret_cast<HDC>(w)); }};
}

// HCURSOR OnQueryDragIcon()
template <auto H>
constexpr MessageMapEntry QueryDragIcon()
{
    static_assert(detail::kHasSignature<H, HCURSOR()>, "HCURSOR OnQueryDragIcon()");
    return {WM_QUERYDRAGICON, 0,
            [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return reinterpret_cast<LRESULT>(detail::Call<H>(t)); }};
}

// LRESULT OnNcHitTest(POINT screenPoint)
template <auto H>
constexpr MessageMapEntry NcHitTest()
{
    static_assert(detail::kHasSignature<H, LRESULT(POINT)>, "LRESULT OnNcHitTest(POINT)");
    return {WM_NCHITTEST, 0,
            [](CCmdTarget& t, WPARAM, LPARAM l) -> LRESULT { return detail::Call<H>(t, detail::PointFrom(l)); }};
}

// void OnMove(int x, int y)   the client area's new upper-left corner
template <auto H>
constexpr MessageMapEntry Move()
{
    static_assert(detail::kHasSignature<H, void(int, int)>, "void OnMove(int x, int y)");
    return {WM_MOVE, 0, [](CCmdTarget& t, WPARAM, LPARAM l) -> LRESULT {
                const POINT p = detail::PointFrom(l);
                return detail::Call<H>(t, static_cast<int>(p.x), static_cast<int>(p.y)), 0;
            }};
}

// void OnSize(UINT type, int width, int height)
template <auto H>
constexpr MessageMapEntry Size()
{
    static_assert(detail::kHasSignature<H, void(UINT, int, int)>, "void OnSize(UINT type, int cx, int cy)");
    return {WM_SIZE, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                return detail::Call<H>(t, static_cast<UINT>(w), static_cast<int>(LOWORD(l)),
                                       static_cast<int>(HIWORD(l))),
                       0;
            }};
}

// void OnTimer(UINT_PTR timerId)
template <auto H>
constexpr MessageMapEntry Timer()
{
    static_assert(detail::kHasSignature<H, void(UINT_PTR)>, "void OnTimer(UINT_PTR)");
    return {WM_TIMER, 0,
            [](CCmdTarget& t, WPARAM w, LPARAM) -> LRESULT { return detail::Call<H>(t, static_cast<UINT_PTR>(w)), 0; }};
}

// BOOL OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage)
template <auto H>
constexpr MessageMapEntry SetCursor()
{
    static_assert(detail::kHasSignature<H, BOOL(HWND, UINT, UINT)>, "BOOL OnSetCursor(HWND, UINT, UINT)");
    return {WM_SETCURSOR, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                return detail::Call<H>(t, reinterpret_cast<HWND>(w), static_cast<UINT>(LOWORD(l)),
                                       static_cast<UINT>(HIWORD(l)));
            }};
}

// void OnMouseLeave()
template <auto H>
constexpr MessageMapEntry MouseLeave()
{
    static_assert(detail::kHasSignature<H, void()>, "void OnMouseLeave()");
    return {WM_MOUSELEAVE, 0, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return detail::Call<H>(t), 0; }};
}

// Mouse messages with key flags and a point: void OnLButtonDown(UINT flags, POINT point), and the
// same for WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE and WM_NCMOUSEMOVE (hit code, screen point).
template <UINT Msg, auto H>
constexpr MessageMapEntry Mouse()
{
    static_assert(Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONUP || Msg == WM_LBUTTONDBLCLK || Msg == WM_MOUSEMOVE ||
                      Msg == WM_NCMOUSEMOVE,
                  "a mouse message with flags and a point");
    static_assert(detail::kHasSignature<H, void(UINT, POINT)>, "void OnMouseX(UINT flags, POINT point)");
    return {Msg, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT {
                return detail::Call<H>(t, static_cast<UINT>(w), detail::PointFrom(l)), 0;
            }};
}

// void OnCommand()   WM_COMMAND from a menu, an accelerator or a button click with this id (not other
//                    notifications, even those whose code happens to be 0 or 1)
template <UINT Id, auto H>
constexpr MessageMapEntry Command()
{
    static_assert(detail::kHasSignature<H, void()>, "void OnCommand()");
    return {WM_COMMAND, Id, [](CCmdTarget& t, WPARAM, LPARAM) -> LRESULT { return detail::Call<H>(t), 0; }};
}

// LRESULT OnMessage(WPARAM wParam, LPARAM lParam)   any message, private ones above all
template <UINT Msg, auto H>
constexpr MessageMapEntry Message()
{
    static_assert(detail::kHasSignature<H, LRESULT(WPARAM, LPARAM)>, "LRESULT OnMessage(WPARAM, LPARAM)");
    return {Msg, 0, [](CCmdTarget& t, WPARAM w, LPARAM l) -> LRESULT { return detail::Call<H>(t, w, l); }};
}

} // namespace on

} // namespace fw
