// The login window, created for real from its template and driven through its modal loop.
#include <gtest/gtest.h>

#include "login/TarvexDlg.h"
#include "resource.h"
#include "support/GdiplusSession.h"
#include "support/UiTestSupport.h"

#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

namespace {

using testing_support::GdiplusSession;
using testing_support::LiveGdiObjects;
using testing_support::OnNextLoop;
using testing_support::PixelAfterDrawing;
using testing_support::PumpUntil;
using testing_support::WindowText;

// Opens up what the tests read back.
class LoginWindow : public CTarvexDlg {
public:
    using CTarvexDlg::m_blend;
    using CTarvexDlg::m_hIcon;
    using CTarvexDlg::m_hMemDC;
    using CTarvexDlg::m_pBackground;
};

class LoginWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gdiplus.Running()); }

    // Runs the window modally; `whileOpen` runs inside its loop and must end it.
    INT_PTR RunModal(const std::function<void(HWND)>& whileOpen)
    {
        OnNextLoop script([&] { whileOpen(m_dialog.m_hWnd); });
        const INT_PTR result = m_dialog.DoModal();
        EXPECT_TRUE(script.Ran());
        EXPECT_FALSE(script.WatchdogFired()) << "the window did not end";
        return result;
    }

    static void PressKey(HWND window, UINT key)
    {
        ::PostMessageW(window, WM_KEYDOWN, key, 1);
        ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    }

    GdiplusSession m_gdiplus;
    LoginWindow m_dialog;
};

TEST_F(LoginWindowTest, ShowsAsALayered926x646PopupWithTextAndIcons)
{
    HWND seen = nullptr;
    const INT_PTR result = RunModal([&](HWND window) {
        seen = window;
        RECT rect{};
        ::GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right - rect.left, 926);
        EXPECT_EQ(rect.bottom - rect.top, 646);
        // The template alone would give a far smaller window: the size is the picture's.
        RECT templateRect{0, 0, 67, 34};
        ::MapDialogRect(window, &templateRect);
        EXPECT_LT(templateRect.right, 926);
        EXPECT_LT(templateRect.bottom, 646);

        EXPECT_TRUE(::IsWindowVisible(window));
        const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_LAYERED);
        EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "a taskbar button";
        const LONG style = ::GetWindowLongW(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
        EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
        EXPECT_EQ(WindowText(window), L"Velmora");

        ASSERT_NE(m_dialog.m_hIcon, nullptr);
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(m_dialog.m_hIcon));
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(m_dialog.m_hIcon));
        EXPECT_EQ(::SendMessageW(window, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(m_dialog.m_hIcon));

        EXPECT_EQ(m_dialog.m_blend.BlendOp, AC_SRC_OVER);
        EXPECT_EQ(m_dialog.m_blend.SourceConstantAlpha, 254);
        EXPECT_EQ(m_dialog.m_blend.AlphaFormat, AC_SRC_ALPHA);
        EXPECT_NE(m_dialog.m_pBackground, nullptr);
        EXPECT_EQ(m_dialog.m_hMemDC, nullptr);
        PressKey(window, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(::IsWindow(seen));
    EXPECT_EQ(m_dialog.m_pBackground, nullptr) << "the background goes with the window";
}

TEST_F(LoginWindowTest, EnterIsIgnoredAndEscapeEndsWithCancel)
{
    // Had Enter or IDOK ended the window, DoModal would return IDOK, not the Escape that follows.
    const INT_PTR result = RunModal([&](HWND window) {
        PressKey(window, VK_RETURN);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        PressKey(window, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(LoginWindowTest, SystemCloseCommandEndsWithCancel)
{
    EXPECT_EQ(RunModal([](HWND window) { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
}

TEST_F(LoginWindowTest, EveryPointOfThePictureIsACaptionForDragging)
{
    RunModal([](HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        const POINT inside[] = {{rect.left, rect.top},
                                {rect.left + 463, rect.top + 323},
                                {rect.right - 1, rect.bottom - 1},
                                {rect.left + 2, rect.bottom - 2}};
        for (POINT p : inside)
            EXPECT_EQ(::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION) << p.x << "," << p.y;
        const LRESULT outside = ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(rect.right + 5, rect.bottom + 5));
        EXPECT_NE(outside, HTCAPTION);
        EXPECT_NE(outside, HTCLIENT);
        PressKey(window, VK_ESCAPE);
    });
}

TEST_F(LoginWindowTest, CompositionLeavesNoDeviceContextOrBitmapBehind)
{
    RunModal([&](HWND window) {
        // The first composition has run; the next ones must not add to the GDI objects alive.
        const int before = LiveGdiObjects();
        ASSERT_GT(before, 0);
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(m_dialog.DrawLayeredBackground(m_dialog.m_pBackground));
            EXPECT_EQ(m_dialog.m_hMemDC, nullptr);
        }
        EXPECT_TRUE(m_dialog.DrawLayeredBackground(nullptr)) << "a missing picture draws nothing, quietly";
        EXPECT_EQ(LiveGdiObjects(), before);
        PressKey(window, VK_ESCAPE);
    });
}

TEST_F(LoginWindowTest, ScreenShowsThePictureWhereItIsOpaque)
{
    RunModal([&](HWND window) {
        // Expected: the picture's own pixel, weakened by the constant alpha of 254.
        Gdiplus::Image* image = nullptr;
        ASSERT_TRUE(LoadPngResource(IDB_LOGIN_BACKGROUND, image));
        std::unique_ptr<Gdiplus::Image> art(image);
        const POINT probes[] = {{300, 200}, {600, 400}, {870, 470}};
        Gdiplus::Color expected[std::size(probes)];
        for (size_t i = 0; i < std::size(probes); ++i) {
            expected[i] = Gdiplus::Color(PixelAfterDrawing(art.get(), 926, 646, probes[i].x, probes[i].y));
            ASSERT_EQ(expected[i].GetA(), 255) << "the login pane area is opaque";
        }
        HDC screen = ::GetDC(nullptr);
        auto close = [](int shown, int picture) { return std::abs(shown - picture * 254 / 255) <= 3; };
        auto allShown = [&] {
            for (size_t i = 0; i < std::size(probes); ++i) {
                const COLORREF shown = ::GetPixel(screen, probes[i].x, probes[i].y);
                if (!close(GetRValue(shown), expected[i].GetR()) || !close(GetGValue(shown), expected[i].GetG()) ||
                    !close(GetBValue(shown), expected[i].GetB()))
                    return false;
            }
            return true;
        };
        // The X server shows the picture a moment after the window maps (and another test's window
        // may pass over it briefly), so the screen gets a few seconds to show it.
        const bool shown = PumpUntil(allShown, 3000);
        EXPECT_TRUE(shown);
        if (!shown) {
            for (POINT p : probes)
                ADD_FAILURE() << "at " << p.x << "," << p.y << " the screen shows 0x" << std::hex
                              << ::GetPixel(screen, p.x, p.y);
        }
        ::ReleaseDC(nullptr, screen);
        PressKey(window, VK_ESCAPE);
    });
}

TEST(LoginWindowIcon, IsCentredWithTruncatingDivision)
{
    ASSERT_EQ(::GetSystemMetrics(SM_CXICON), 32);
    ASSERT_EQ(::GetSystemMetrics(SM_CYICON), 32);
    const struct {
        int width, height;
        POINT expected;
    } table[] = {
        {926, 646, {447, 307}}, {32, 32, {0, 0}},
        {33, 34, {1, 1}},       {30, 29, {0, -1}}, // -1/2 truncates to 0, -2/2 is -1
        {0, 0, {-15, -15}},                        // a minimized window may report an empty client area
    };
    for (const auto& row : table) {
        const POINT at = CTarvexDlg::IconOrigin(row.width, row.height);
        EXPECT_EQ(at.x, row.expected.x) << row.width;
        EXPECT_EQ(at.y, row.expected.y) << row.height;
    }
}

// Records the WM_ICONERASEBKGND messages sent to one window.
thread_local std::vector<WPARAM>* t_iconErases = nullptr;
thread_local HWND t_watched = nullptr;
LRESULT CALLBACK RecordIconErase(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && t_iconErases && sent->hwnd == t_watched && sent->message == WM_ICONERASEBKGND)
        t_iconErases->push_back(sent->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(LoginWindowTest, PaintsItsIconWhenMinimized)
{
    std::vector<WPARAM> erases;
    RunModal([&](HWND window) {
        t_watched = window;
        t_iconErases = &erases;
        HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &RecordIconErase, nullptr, ::GetCurrentThreadId());
        // A minimized window has no client area to invalidate, so the paint is asked for directly.
        ::SendMessageW(window, WM_PAINT, 0, 0);
        EXPECT_TRUE(erases.empty()) << "a window that is not minimized paints no icon";
        ::ShowWindow(window, SW_MINIMIZE);
        EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(window) != FALSE; }));
        ::SendMessageW(window, WM_PAINT, 0, 0);
        ::UnhookWindowsHookEx(hook);
        t_iconErases = nullptr;
        ::ShowWindow(window, SW_RESTORE);
        PressKey(window, VK_ESCAPE);
    });
    ASSERT_EQ(erases.size(), 1u) << "the minimized paint erases the icon's background once";
    EXPECT_NE(erases[0], 0u) << "with the paint DC";
}

} // namespace
