// Dialogs made from DLGTEMPLATEEX resources, modal or modeless.
//
// DoModal creates the dialog modeless, shows it if its template and initialisation did not, and runs
// a modal loop of its own: the owner (the parent given, else the application's main window) is
// disabled while it runs and enabled again before DoModal returns. Each message is first offered to
// every window on its way up to the top-level window (PreTranslateMessage); a dialog answers
// keyboard messages with the dialog manager (IsDialogMessage), which turns Enter into IDOK and
// Escape into IDCANCEL. Modeless dialogs running inside another dialog's loop get their keys the
// same way. IDOK and IDCANCEL reach the virtual OnOK and OnCancel; the system close command arrives
// as IDCANCEL through the dialog manager's WM_CLOSE handling.
#pragma once

#include "Wnd.h"

namespace fw {

class CDialog : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap messageMap;

    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override = default;

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    using CWnd::Create;
    // Creates the dialog modeless from the template, owned by parent.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog modally: the result given to EndDialog, or -1 when it could not be created.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with this result; hides a modeless one.
    void EndDialog(int result);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    HWND CreateFromTemplate(UINT templateId, HWND owner);
    LRESULT OnInitDialogMessage(WPARAM, LPARAM);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    static INT_PTR CALLBACK DialogProcedure(HWND, UINT, WPARAM, LPARAM);

    bool m_isModal = false;
    bool m_endRequested = false;
    INT_PTR m_modalResult = -1;
};

// The dialog base the system's windows derive from. It adds nothing to CDialog.
class CDialogEx : public CDialog {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap messageMap;

    using CDialog::CDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMap* GetMessageMap() const override { return &messageMap; }
};

} // namespace fw
