#include "WinApp.h"

#include "Ole.h"
#include "Wnd.h"

namespace fw {

namespace {

CWinApp* g_app = nullptr;

std::wstring ModuleBaseName()
{
    wchar_t path[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name.erase(0, name.find_last_of(L"\\/") + 1);
    if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

} // namespace

const CRuntimeClass CWinApp::runtimeClass{"CWinApp", &CCmdTarget::runtimeClass, nullptr};

CWinApp::CWinApp(LPCWSTR appName) : m_appName(appName ? appName : ModuleBaseName())
{
    m_pszAppName = m_appName.c_str();
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    if (m_dwRestartManagerSupportFlags & kRestartManagerSupportRestart)
        m_registeredForRestart = SUCCEEDED(::RegisterApplicationRestart(nullptr, 0));
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}

int CWinApp::Run()
{
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1)
        RouteMessage(msg);
    if (got == 0)
        m_exitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::SetRegistryKey(LPCWSTR company)
{
    m_registryKey = company ? company : L"";
    m_pszRegistryKey = m_registryKey.c_str();
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return ::GetModuleHandleW(nullptr);
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT)
{
    HWND owner = nullptr;
    if (g_app && g_app->m_pMainWnd && ::IsWindowVisible(g_app->m_pMainWnd->m_hWnd))
        owner = g_app->m_pMainWnd->m_hWnd;
    return ::MessageBoxW(owner, text, g_app ? g_app->m_pszAppName : nullptr, type);
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    const int exitCode = app->InitInstance() ? app->Run() : app->ExitInstance();
    AfxOleTerm();
    return exitCode;
}

} // namespace fw
