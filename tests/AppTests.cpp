// Start-up and shut-down of the application object, for real: OLE, the message filter, GDI+ and the
// login window.
#include <gtest/gtest.h>

#include "app/TarvexApp.h"
#include "framework/Ole.h"
#include "framework/VisualManager.h"
#include "framework/Wnd.h"
#include "support/UiTestSupport.h"

#include <objbase.h>

#include <algorithm>
#include <thread>

namespace {

using testing_support::OnNextLoop;
using testing_support::WindowCreationRecorder;
using testing_support::WindowText;

constexpr wchar_t kRegistryKeyPath[] = L"Software\\应用程序向导生成的本地应用程序";

bool RegistryKeyExists()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// Start-up leaves its marks on process-wide state; each case starts from none of them, whatever ran
// before it in the same process.
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::CMFCVisualManager::SetDefaultManager(nullptr);
        theApp.m_pszRegistryKey = nullptr;
        theApp.m_pMainWnd = nullptr;
        ASSERT_EQ(theApp.m_gdiplusToken, 0u);
        ASSERT_EQ(fw::AfxOleGetMessageFilter(), nullptr);
    }
};

TEST_F(Startup, WhenOleCannotStartOnlyTheBoxIsShownAndLaterStepsDoNotRun)
{
    // A thread already in the multithreaded apartment cannot become the UI's single-threaded one.
    std::thread([] {
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        WindowCreationRecorder recorder;

        EXPECT_FALSE(theApp.InitInstance());

        ASSERT_EQ(recorder.Boxes().size(), 1u);
        EXPECT_EQ(recorder.Boxes()[0].text, L"ole init error");
        EXPECT_EQ(std::count(recorder.CreatedClasses().begin(), recorder.CreatedClasses().end(), L"#32770"), 1)
            << "no window of the launcher besides the box";
        // Everything before OLE ran; nothing after it did.
        EXPECT_TRUE(theApp.IsRegisteredForRestart());
        EXPECT_EQ(fw::AfxOleGetMessageFilter(), nullptr);
        EXPECT_FALSE(fw::AfxControlContainerEnabled());
        EXPECT_EQ(fw::CMFCVisualManager::GetDefaultManager(), nullptr);
        EXPECT_EQ(theApp.m_pszRegistryKey, nullptr);
        EXPECT_EQ(theApp.m_gdiplusToken, 0u);
        EXPECT_EQ(theApp.m_pMainWnd, nullptr);

        EXPECT_EQ(theApp.ExitInstance(), 0);
        fw::AfxOleTerm();
        ::CoUninitialize();
    }).join();
}

TEST_F(Startup, BringsUpTheLibrariesThenRunsTheLoginWindowUntilItCloses)
{
    HWND login = nullptr;
    OnNextLoop whileOpen([&] {
        ASSERT_NE(theApp.m_pMainWnd, nullptr);
        login = theApp.m_pMainWnd->m_hWnd;
        EXPECT_TRUE(::IsWindowVisible(login));
        EXPECT_EQ(WindowText(login), L"Velmora");

        APTTYPE apartment{};
        APTTYPEQUALIFIER qualifier{};
        ASSERT_EQ(::CoGetApartmentType(&apartment, &qualifier), S_OK);
        EXPECT_EQ(apartment, APTTYPE_MAINSTA);

        fw::COleMessageFilter* filter = fw::AfxOleGetMessageFilter();
        ASSERT_NE(filter, nullptr);
        EXPECT_FALSE(filter->IsBusyDialogEnabled());
        EXPECT_EQ(filter->GetBusyReply(), SERVERCALL_RETRYLATER);
        EXPECT_TRUE(filter->IsNotRespondingDialogEnabled());
        EXPECT_EQ(filter->GetMessagePendingDelay(), 0xFFFFFFFFu);
        EXPECT_EQ(filter->GetRetryReply(), 10000u) << "the retry interval keeps its default";
        // It is the filter COM uses for this thread.
        IMessageFilter* registered = nullptr;
        ASSERT_EQ(::CoRegisterMessageFilter(nullptr, &registered), S_OK);
        EXPECT_EQ(registered, static_cast<IMessageFilter*>(filter));
        IMessageFilter* none = nullptr;
        ::CoRegisterMessageFilter(registered, &none);
        if (registered)
            registered->Release();

        EXPECT_TRUE(fw::AfxControlContainerEnabled());
        EXPECT_EQ(fw::CMFCVisualManager::GetDefaultManager(), &fw::CMFCVisualManagerWindows::runtimeClass);
        ASSERT_NE(theApp.m_pszRegistryKey, nullptr);
        EXPECT_STREQ(theApp.m_pszRegistryKey, L"应用程序向导生成的本地应用程序");
        EXPECT_FALSE(RegistryKeyExists()) << "the key is recorded, never written";
        EXPECT_NE(theApp.m_gdiplusToken, 0u);
        ::PostMessageW(login, WM_KEYDOWN, VK_ESCAPE, 1);
    });

    EXPECT_FALSE(theApp.InitInstance());

    EXPECT_TRUE(whileOpen.Ran());
    EXPECT_FALSE(whileOpen.WatchdogFired());
    EXPECT_FALSE(::IsWindow(login)) << "no window of the launcher remains";
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(theApp.ExitInstance(), 0);
    EXPECT_EQ(theApp.m_gdiplusToken, 0u) << "GDI+ is shut down";
    fw::AfxOleTerm();
    EXPECT_EQ(fw::AfxOleGetMessageFilter(), nullptr);
}

} // namespace
