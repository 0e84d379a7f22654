#include "Dialog.h"

#include "WinApp.h"

namespace fw {

const CRuntimeClass CDialog::runtimeClass{"CDialog", &CWnd::runtimeClass, nullptr};
const MessageMap CDialog::messageMap{&CWnd::messageMap,
                                     {
                                         on::Message<WM_INITDIALOG, &CDialog::OnInitDialogMessage>(),
                                         on::Command<IDOK, &CDialog::OnOKCommand>(),
                                         on::Command<IDCANCEL, &CDialog::OnCancelCommand>(),
                                     }};

const CRuntimeClass CDialogEx::runtimeClass{"CDialogEx", &CDialog::runtimeClass, nullptr};
const MessageMap CDialogEx::messageMap{&CDialog::messageMap};

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

INT_PTR CALLBACK CDialog::DialogProcedure(HWND, UINT, WPARAM, LPARAM)
{
    // Everything reaches the object through the subclassed window procedure first; what the dialog
    // manager gets here is the default processing, so nothing is left to do.
    return FALSE;
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND owner)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return nullptr;
    return CreateAdopting(
        [&] { return ::CreateDialogIndirectParamW(module, dialogTemplate, owner, &CDialog::DialogProcedure, 0); });
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* main = app ? app->m_pMainWnd : nullptr;
        if (main && main != this)
            owner = main->m_hWnd;
    }
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);

    m_modalResult = -1;
    m_isModal = true;
    m_endRequested = false; // EndDialog may come as early as OnInitDialog
    if (!CreateFromTemplate(m_nIDTemplate, owner)) {
        m_isModal = false;
        return -1;
    }

    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    // A modal dialog is always seen: one whose template and initialisation left it hidden is shown.
    if (!m_endRequested && m_hWnd && !::IsWindowVisible(m_hWnd))
        ShowWindow(SW_SHOWNORMAL);

    MSG msg;
    while (!m_endRequested && m_hWnd) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop: leave it for the next one out.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        RouteMessage(msg);
    }
    m_isModal = false;

    // Enable the owner before the dialog goes away, so that activation returns to it.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_modalResult;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (m_isModal) {
        m_endRequested = true;
        // Wake the loop if it is waiting in GetMessage.
        PostMessage(WM_NULL);
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM)
{
    Default();
    return OnInitDialog();
}

} // namespace fw
