// OLE start-up for the UI thread, and the thread's message filter.
//
// AfxOleInit makes the calling thread a single-threaded apartment (OleInitialize) and registers a
// COleMessageFilter for it. AfxOleTerm, run by the entry point after ExitInstance, revokes the
// filter and uninitialises OLE, each only if it was set up.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace fw {

// The thread's answer to COM while it waits on outgoing calls or receives incoming ones.
//
// Outgoing calls rejected by a busy server: SERVERCALL_REJECTED cancels the call; for
// SERVERCALL_RETRYLATER the call is retried, and once it has been rejected for longer than the retry
// interval the busy dialog is offered if enabled, otherwise the call is retried after the interval.
// While a call waits, the not-responding dialog appears (once per wait) only if enabled and the wait
// has lasted the pending delay; pending messages get COM's ordinary handling.
// Incoming calls are accepted, or answered with the busy reply while the application is busy.
class COleMessageFilter final : public IMessageFilter {
public:
    static constexpr DWORD kDefaultRetryInterval = 10000; // ms
    static constexpr DWORD kDefaultPendingDelay = 5000;   // ms
    static constexpr DWORD kRetryPollDelay = 100;         // ms between retries inside the interval

    COleMessageFilter() = default;
    COleMessageFilter(const COleMessageFilter&) = delete;
    COleMessageFilter& operator=(const COleMessageFilter&) = delete;

    BOOL Register();
    void Revoke();

    void EnableBusyDialog(BOOL enable) { m_busyDialogEnabled = enable; }
    void EnableNotRespondingDialog(BOOL enable) { m_notRespondingDialogEnabled = enable; }
    void SetBusyReply(SERVERCALL reply) { m_busyReply = reply; }
    void SetRetryReply(DWORD retryInterval) { m_retryInterval = retryInterval; }
    void SetMessagePendingDelay(DWORD delay) { m_pendingDelay = delay; }
    void BeginBusyState() { ++m_busyCount; }
    void EndBusyState()
    {
        if (m_busyCount > 0)
            --m_busyCount;
    }

    BOOL IsBusyDialogEnabled() const { return m_busyDialogEnabled; }
    BOOL IsNotRespondingDialogEnabled() const { return m_notRespondingDialogEnabled; }
    SERVERCALL GetBusyReply() const { return m_busyReply; }
    DWORD GetRetryReply() const { return m_retryInterval; }
    DWORD GetMessagePendingDelay() const { return m_pendingDelay; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IMessageFilter
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

private:
    ~COleMessageFilter() = default; // reference counted: Release deletes

    LONG m_refs = 1;
    bool m_registered = false;
    IMessageFilter* m_previous = nullptr;
    bool m_inDialog = false;
    bool m_notRespondingShown = false;
    BOOL m_busyDialogEnabled = TRUE;
    BOOL m_notRespondingDialogEnabled = TRUE;
    SERVERCALL m_busyReply = SERVERCALL_RETRYLATER;
    DWORD m_retryInterval = kDefaultRetryInterval;
    DWORD m_pendingDelay = kDefaultPendingDelay;
    int m_busyCount = 0;
};

// FALSE when OLE cannot be initialised on this thread (for instance, it is already a
// multithreaded apartment).
BOOL AfxOleInit();
void AfxOleTerm();
// The filter AfxOleInit registered, or null.
COleMessageFilter* AfxOleGetMessageFilter();

// Allows windows to host ActiveX controls.
void AfxEnableControlContainer();
bool AfxControlContainerEnabled();

} // namespace fw
