#include "TarvexApp.h"

#include "app/PngResource.h"
#include "framework/Ole.h"
#include "framework/VisualManager.h"
#include "login/TarvexDlg.h"

#include <commctrl.h>

#include <memory>

CTarvexApp theApp;

namespace {

constexpr UINT kIdHelp = 0xE146;
constexpr wchar_t kRegistryKey[] = L"应用程序向导生成的本地应用程序";

} // namespace

const fw::MessageMap CTarvexApp::messageMap{&fw::CWinApp::messageMap,
                                            {
                                                fw::on::Command<kIdHelp, &fw::CWinApp::OnHelp>(),
                                            }};

CTarvexApp::CTarvexApp() : fw::CWinApp(nullptr)
{
    m_dwRestartManagerSupportFlags = fw::kRestartManagerSupportRestart;
}

BOOL CTarvexApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    fw::CWinApp::InitInstance();

    if (!fw::AfxOleInit()) {
        fw::AfxMessageBox(L"ole init error", MB_OK, 0);
        return FALSE;
    }
    // No busy or not-responding dialog while we wait on the browser control.
    fw::COleMessageFilter* filter = fw::AfxOleGetMessageFilter();
    filter->EnableBusyDialog(FALSE);
    filter->SetBusyReply(SERVERCALL_RETRYLATER);
    filter->EnableNotRespondingDialog(TRUE);
    filter->SetMessagePendingDelay(0xFFFFFFFF);

    fw::AfxEnableControlContainer();
    auto shellManager = std::make_unique<fw::CShellManager>();
    fw::CMFCVisualManager::SetDefaultManager(&fw::CMFCVisualManagerWindows::runtimeClass);
    SetRegistryKey(kRegistryKey);

    Gdiplus::GdiplusStartupInput gdiplusInput(nullptr, FALSE, FALSE);
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr) != Gdiplus::Ok)
        m_gdiplusToken = 0; // images then draw nothing; the launcher still runs

    {
        CTarvexDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        shellManager.reset();
        // The dialog object ends here; nothing may find it through the application afterwards.
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CTarvexApp::ExitInstance()
{
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    return fw::CWinApp::ExitInstance();
}
