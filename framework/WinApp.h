// The application object and the process entry.
//
// Exactly one object derived from CWinApp exists, a global constructed during static initialisation;
// its constructor makes it the application (AfxGetApp). The entry point (AfxWinMain) calls its
// InitInstance; when that returns TRUE, Run() pumps messages until WM_QUIT, otherwise ExitInstance
// runs at once. OLE, if AfxOleInit brought it up, is shut down after ExitInstance.
#pragma once

#include "CmdTarget.h"

#include <string>

namespace fw {

class CWnd;

// m_dwRestartManagerSupportFlags: ask the restart manager to restart the process, nothing more.
constexpr DWORD kRestartManagerSupportRestart = 0x01;

class CWinApp : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;

    // A null name takes the executable's file name without its extension.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // Registers with the restart manager when the flags ask for it. The result means nothing.
    virtual BOOL InitInstance();
    // The process exit code: the WM_QUIT code after Run, else 0.
    virtual int ExitInstance();
    virtual int Run();

    // Records the registry key the application's settings would live under; writes nothing.
    void SetRegistryKey(LPCWSTR company);
    bool IsRegisteredForRestart() const { return m_registeredForRestart; }

    // The help command. No help file ships with the launcher, so there is nothing to open.
    void OnHelp() {}

    HINSTANCE m_hInstance = nullptr;
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

protected:
    int m_exitCode = 0;

private:
    std::wstring m_appName;
    std::wstring m_registryKey;
    bool m_registeredForRestart = false;
};

CWinApp* AfxGetApp();
// The module whose resources the program loads: the executable.
HINSTANCE AfxGetResourceHandle();
// A message box owned by the main window (if it has one), captioned with the application's name.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

// The body of the process entry point; see the top of this file.
int AfxWinMain(HINSTANCE instance);

} // namespace fw
