#include "Ole.h"

#include "WinApp.h"

namespace fw {

namespace {

struct OleThreadState {
    bool initialised = false;
    COleMessageFilter* filter = nullptr;
    bool controlContainer = false;
};

thread_local OleThreadState t_ole;

// A plain stand-in for the system's busy dialogs, shown only if a program enables them.
int ShowBusyBox(LPCWSTR text, UINT buttons)
{
    return AfxMessageBox(text, buttons | MB_ICONEXCLAMATION);
}

} // namespace

BOOL COleMessageFilter::Register()
{
    if (!m_registered)
        m_registered = SUCCEEDED(::CoRegisterMessageFilter(this, &m_previous));
    return m_registered;
}

void COleMessageFilter::Revoke()
{
    if (!m_registered)
        return;
    IMessageFilter* current = nullptr;
    ::CoRegisterMessageFilter(m_previous, &current);
    if (current != this) {
        // Someone registered a filter after us: theirs stays. (COM handed its reference to us over to
        // them when they registered.)
        IMessageFilter* previous = nullptr;
        ::CoRegisterMessageFilter(current, &previous);
        if (previous)
            previous->Release();
    }
    if (current)
        current->Release();
    if (m_previous)
        m_previous->Release();
    m_previous = nullptr;
    m_registered = false;
}

HRESULT STDMETHODCALLTYPE COleMessageFilter::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
        *object = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleMessageFilter::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE COleMessageFilter::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

DWORD STDMETHODCALLTYPE COleMessageFilter::HandleInComingCall(DWORD callType, HTASK, DWORD, LPINTERFACEINFO)
{
    // Asynchronous calls cannot be refused.
    if (m_busyCount == 0 || callType == CALLTYPE_ASYNC || callType == CALLTYPE_ASYNC_CALLPENDING)
        return SERVERCALL_ISHANDLED;
    return m_busyReply;
}

DWORD STDMETHODCALLTYPE COleMessageFilter::RetryRejectedCall(HTASK, DWORD tickCount, DWORD rejectType)
{
    constexpr DWORD kCancelCall = static_cast<DWORD>(-1);
    if (rejectType == SERVERCALL_REJECTED)
        return kCancelCall;
    if (tickCount < m_retryInterval)
        return kRetryPollDelay;
    if (!m_busyDialogEnabled || m_inDialog)
        return m_retryInterval;
    m_inDialog = true;
    const int answer = ShowBusyBox(L"The component this program is waiting for is busy.", MB_RETRYCANCEL);
    m_inDialog = false;
    return answer == IDRETRY ? 0 : kCancelCall;
}

DWORD STDMETHODCALLTYPE COleMessageFilter::MessagePending(HTASK, DWORD tickCount, DWORD)
{
    // Once per wait: a new outgoing call starts counting from 0 again.
    if (tickCount < m_pendingDelay)
        m_notRespondingShown = false;
    if (m_notRespondingDialogEnabled && !m_notRespondingShown && !m_inDialog && tickCount >= m_pendingDelay) {
        m_notRespondingShown = true;
        m_inDialog = true;
        ShowBusyBox(L"The component this program is waiting for is not responding.", MB_OK);
        m_inDialog = false;
    }
    // COM's default handling keeps windows painted and activation working while the call waits.
    return PENDINGMSG_WAITDEFPROCESS;
}

BOOL AfxOleInit()
{
    if (t_ole.initialised)
        return TRUE;
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    t_ole.initialised = true;
    t_ole.filter = new COleMessageFilter();
    t_ole.filter->Register();
    return TRUE;
}

void AfxOleTerm()
{
    if (t_ole.filter) {
        t_ole.filter->Revoke();
        t_ole.filter->Release();
        t_ole.filter = nullptr;
    }
    if (t_ole.initialised) {
        ::OleUninitialize();
        t_ole.initialised = false;
    }
    t_ole.controlContainer = false;
}

COleMessageFilter* AfxOleGetMessageFilter()
{
    return t_ole.filter;
}

void AfxEnableControlContainer()
{
    t_ole.controlContainer = true;
}

bool AfxControlContainerEnabled()
{
    return t_ole.controlContainer;
}

} // namespace fw
