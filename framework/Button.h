// CButton: a standard "BUTTON" control bound to an object. It has no message map of its own:
// a derived class's map chains to CWnd's, and what it does not handle goes to the control itself.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

namespace fw {

class CButton : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // The style carries the button type; with none the control is a plain push button.
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_BUTTONW, caption, style, rect, parent, id);
    }
};

inline const CRuntimeClass CButton::runtimeClass{"CButton", &CWnd::runtimeClass, nullptr};

} // namespace fw
