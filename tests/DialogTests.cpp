// The framework's windows and dialogs: adoption at creation, message maps, the modal loop.
#include <gtest/gtest.h>

#include "app/TarvexApp.h"
#include "framework/Dialog.h"
#include "resource.h"
#include "support/UiTestSupport.h"

#include <string>
#include <vector>

namespace {

using testing_support::OnNextLoop;
using testing_support::PumpPosted;
using testing_support::WindowCreationRecorder;

// A hidden popup that owns the dialogs under test.
class OwnerWindow {
public:
    OwnerWindow()
    {
        RECT rect{10, 10, 210, 110};
        m_window.CreateEx(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }
    fw::CWnd* Get() { return &m_window; }
    HWND Handle() const { return m_window.m_hWnd; }

private:
    fw::CWnd m_window;
};

// A window that records the handlers its map reached.
class RecordingWindow : public fw::CWnd {
public:
    static const fw::MessageMap messageMap;
    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }

    int created = 0;
    int moved = 0;
    POINT lastMove{};

private:
    int OnCreate(LPCREATESTRUCTW cs)
    {
        ++created;
        return fw::CWnd::OnCreate(cs);
    }
    void OnMove(int x, int y)
    {
        ++moved;
        lastMove = {x, y};
    }
};
const fw::MessageMap RecordingWindow::messageMap{&fw::CWnd::messageMap,
                                                 {
                                                     fw::on::Create<&RecordingWindow::OnCreate>(),
                                                     fw::on::Move<&RecordingWindow::OnMove>(),
                                                 }};

TEST(Window, IsAdoptedBeforeItsCreateMessageAndReleasedWhenDestroyed)
{
    RecordingWindow window;
    RECT rect{0, 0, 50, 40};
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"x", WS_POPUP, rect, nullptr, 0));
    EXPECT_EQ(window.created, 1);
    HWND handle = window.m_hWnd;
    EXPECT_EQ(fw::CWnd::FromHandlePermanent(handle), &window);

    const int movesAtCreation = window.moved;
    ::SetWindowPos(handle, nullptr, -7, 33, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(window.moved, movesAtCreation + 1);
    EXPECT_EQ(window.lastMove.x, -7) << "coordinates keep their sign";
    EXPECT_EQ(window.lastMove.y, 33);

    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(fw::CWnd::FromHandlePermanent(handle), nullptr);
}

TEST(Window, ABoundObjectCreatesNoSecondWindow)
{
    fw::CWnd window;
    RECT rect{0, 0, 10, 10};
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"x", WS_POPUP, rect, nullptr, 0));
    HWND first = window.m_hWnd;
    WindowCreationRecorder created;
    EXPECT_FALSE(window.CreateEx(0, L"STATIC", L"y", WS_POPUP, rect, nullptr, 0));
    EXPECT_TRUE(created.CreatedClasses().empty()) << "no window nobody is bound to";
    EXPECT_EQ(window.m_hWnd, first);
}

// Deletes itself once its window is gone, the usual way for a window that owns its object.
class SelfDeletingWindow : public fw::CWnd {
public:
    static const fw::MessageMap messageMap;
    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }
    explicit SelfDeletingWindow(std::vector<std::string>& events) : m_events(events) {}

private:
    LRESULT OnCloseYourself(WPARAM, LPARAM)
    {
        DestroyWindow();
        m_events.push_back("handler returns");
        return 0;
    }
    void PostNcDestroy() override
    {
        m_events.push_back("object deleted");
        delete this;
    }
    std::vector<std::string>& m_events;
};
const fw::MessageMap SelfDeletingWindow::messageMap{&fw::CWnd::messageMap,
                                                    {
                                                        fw::on::Message<WM_APP, &SelfDeletingWindow::OnCloseYourself>(),
                                                    }};

TEST(Window, ObjectDeletedAfterNcDestroyOnlyOnceItsHandlersHaveReturned)
{
    std::vector<std::string> events;
    auto* window = new SelfDeletingWindow(events);
    RECT rect{0, 0, 10, 10};
    ASSERT_TRUE(window->CreateEx(0, L"STATIC", L"x", WS_POPUP, rect, nullptr, 0));
    HWND handle = window->m_hWnd;
    ::SendMessageW(handle, WM_APP, 0, 0);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(events, (std::vector<std::string>{"handler returns", "object deleted"}));
}

TEST(Window, DeletingTheObjectDestroysItsWindow)
{
    HWND handle = nullptr;
    {
        fw::CWnd window;
        RECT rect{0, 0, 10, 10};
        ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"x", WS_POPUP, rect, nullptr, 0));
        handle = window.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(handle));
}

// A dialog whose OK/Cancel are counted, and which may end itself while it initialises.
class CountingDialog : public fw::CDialogEx {
public:
    using fw::CDialogEx::CDialogEx;
    int oks = 0;
    int cancels = 0;
    int endDuringInit = 0; // 0: do not

protected:
    BOOL OnInitDialog() override
    {
        if (endDuringInit)
            EndDialog(endDuringInit);
        return TRUE;
    }
    void OnOK() override { ++oks; }
    void OnCancel() override
    {
        ++cancels;
        fw::CDialogEx::OnCancel();
    }
};

TEST(ModalDialog, DisablesItsOwnerWhileItRunsAndEnablesItBeforeReturning)
{
    OwnerWindow owner;
    CountingDialog dialog(IDD_BUTTON_HOST, owner.Get());
    bool ownerEnabledInside = true;
    bool visibleInside = false;
    HWND ownerOfDialog = nullptr;
    OnNextLoop whileOpen([&] {
        ownerEnabledInside = ::IsWindowEnabled(owner.Handle());
        visibleInside = ::IsWindowVisible(dialog.m_hWnd);
        ownerOfDialog = ::GetWindow(dialog.m_hWnd, GW_OWNER);
        ::PostMessageW(dialog.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
        ::PostMessageW(dialog.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(visibleInside) << "shown although its template is not WS_VISIBLE";
    EXPECT_EQ(ownerOfDialog, owner.Handle());
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(dialog.oks, 1) << "Enter reached OnOK through the dialog manager";
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ModalDialog, WithoutAParentIsOwnedByTheMainWindow)
{
    OwnerWindow main;
    theApp.m_pMainWnd = main.Get();
    CountingDialog dialog(IDD_BUTTON_HOST);
    bool mainEnabledInside = true;
    OnNextLoop whileOpen([&] {
        mainEnabledInside = ::IsWindowEnabled(main.Handle());
        ::PostMessageW(dialog.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    const INT_PTR result = dialog.DoModal();
    theApp.m_pMainWnd = nullptr;
    EXPECT_EQ(result, IDCANCEL) << "the system close command arrives as IDCANCEL";
    EXPECT_FALSE(mainEnabledInside);
    EXPECT_TRUE(::IsWindowEnabled(main.Handle()));
}

TEST(ModalDialog, EndedDuringInitialisationReturnsAtOnce)
{
    CountingDialog dialog(IDD_BUTTON_HOST);
    dialog.endDuringInit = 77;
    OnNextLoop watchdog([] {}, 3000);
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_FALSE(watchdog.WatchdogFired());
}

TEST(ModalDialog, MissingTemplateGivesMinusOneAndLeavesTheOwnerEnabled)
{
    OwnerWindow owner;
    CountingDialog dialog(4321, owner.Get());
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(owner.Handle()));
}

TEST(ModelessDialog, GetsItsKeysInsideAnotherDialogsModalLoop)
{
    CountingDialog modal(IDD_BUTTON_HOST);
    CountingDialog modeless;
    OnNextLoop whileOpen([&] {
        ASSERT_TRUE(modeless.Create(IDD_BUTTON_HOST, &modal));
        EXPECT_EQ(::GetWindow(modeless.m_hWnd, GW_OWNER), modal.m_hWnd);
        ::PostMessageW(modeless.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
        PumpPosted();
        EXPECT_EQ(modeless.cancels, 1);
        EXPECT_EQ(modal.cancels, 0) << "the key went to the modeless dialog alone";
        ::PostMessageW(modal.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_EQ(modeless.m_hWnd, nullptr) << "destroyed with its owner";
}

} // namespace
