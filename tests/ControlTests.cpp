// A standard control bound to an object: the object's map sees the control's messages first, and
// default processing keeps the control's own behaviour (here: a click notifies the parent).
#include <gtest/gtest.h>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/String.h"
#include "resource.h"
#include "support/UiTestSupport.h"

namespace {

using testing_support::PumpPosted;

constexpr UINT kButtonId = 1002;

class RecordingButton : public fw::CButton {
public:
    static const fw::MessageMap messageMap;
    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }

    int created = 0;
    int presses = 0;

private:
    int OnCreate(LPCREATESTRUCTW cs)
    {
        ++created;
        return fw::CWnd::OnCreate(cs);
    }
    void OnLButtonDown(UINT, POINT)
    {
        ++presses;
        Default();
    }
};
const fw::MessageMap RecordingButton::messageMap{&fw::CWnd::messageMap,
                                                 {
                                                     fw::on::Create<&RecordingButton::OnCreate>(),
                                                     fw::on::Mouse<WM_LBUTTONDOWN, &RecordingButton::OnLButtonDown>(),
                                                 }};

class ClickCountingHost : public fw::CDialogEx {
public:
    static const fw::MessageMap messageMap;
    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }
    int clicks = 0;

private:
    void OnButtonClicked() { ++clicks; }
};
const fw::MessageMap ClickCountingHost::messageMap{
    &fw::CDialogEx::messageMap,
    {
        fw::on::Command<kButtonId, &ClickCountingHost::OnButtonClicked>(),
    }};

TEST(Button, IsAdoptedAtCreationAndKeepsTheControlsOwnBehaviour)
{
    ClickCountingHost host;
    ASSERT_TRUE(host.Create(IDD_BUTTON_HOST));
    RecordingButton button;
    const RECT rect{0, 0, 40, 20};
    ASSERT_TRUE(button.Create(L"caption", WS_CHILD | WS_VISIBLE, rect, &host, kButtonId));

    EXPECT_EQ(button.created, 1) << "the object saw WM_CREATE";
    EXPECT_EQ(::GetParent(button.m_hWnd), host.m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(button.m_hWnd), static_cast<int>(kButtonId));
    wchar_t className[16]{};
    ::GetClassNameW(button.m_hWnd, className, 16);
    EXPECT_STREQ(className, L"Button");
    EXPECT_EQ(::GetWindowLongW(button.m_hWnd, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

    ::PostMessageW(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPosted();
    EXPECT_EQ(button.presses, 1);
    EXPECT_EQ(host.clicks, 1) << "the standard button reported the click to its host";

    // Code 1 from a control is a notification, not the command; from no control, an accelerator.
    ::SendMessageW(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kButtonId, 1), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(host.clicks, 1);
    ::SendMessageW(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kButtonId, 1), 0);
    EXPECT_EQ(host.clicks, 2);
    ::SendMessageW(host.m_hWnd, WM_COMMAND, MAKEWPARAM(kButtonId, BN_SETFOCUS),
                   reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(host.clicks, 2);

    EXPECT_TRUE(host.DestroyWindow());
    EXPECT_EQ(button.m_hWnd, nullptr) << "destroyed with its host, and unbound";
}

TEST(String, ComparesAndSearchesCaseSensitively)
{
    const fw::CString action(L"min");
    EXPECT_TRUE(action == L"min");
    EXPECT_FALSE(action == L"Min");
    EXPECT_TRUE(action != L"MIN");
    EXPECT_TRUE(fw::CString(nullptr).IsEmpty());
    EXPECT_TRUE(fw::CString(nullptr) == L"");

    const fw::CString url(L"http://a/?next=http://host/client/play");
    EXPECT_EQ(url.Find(L"http://host/client/play"), 15);
    EXPECT_EQ(url.Find(L"HTTP://HOST/client/play"), -1);
    EXPECT_EQ(url.Find(L"http", 1), 15);
    EXPECT_EQ(url.GetLength(), 38);
    EXPECT_STREQ(static_cast<const wchar_t*>(url), L"http://a/?next=http://host/client/play");
}

} // namespace
