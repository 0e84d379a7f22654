// The thread's OLE message filter: what it answers COM, and that its settings keep the busy dialogs
// away.
#include <gtest/gtest.h>

#include "framework/Ole.h"
#include "support/UiTestSupport.h"

namespace {

using testing_support::WindowCreationRecorder;

constexpr DWORD kCancelCall = static_cast<DWORD>(-1);

// The filter with the launcher's settings.
class MessageFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_filter->EnableBusyDialog(FALSE);
        m_filter->SetBusyReply(SERVERCALL_RETRYLATER);
        m_filter->EnableNotRespondingDialog(TRUE);
        m_filter->SetMessagePendingDelay(0xFFFFFFFF);
    }
    void TearDown() override { m_filter->Release(); }

    fw::COleMessageFilter* m_filter = new fw::COleMessageFilter();
    WindowCreationRecorder m_windows; // answers any box, and tells whether one appeared
};

TEST_F(MessageFilter, RejectedCallsAreCancelledAndBusyOnesRetriedWithoutADialog)
{
    const struct {
        DWORD rejectType;
        DWORD waitedMs;
        bool cancelled;
        DWORD minDelay, maxDelay;
    } table[] = {
        {SERVERCALL_REJECTED, 0, true, 0, 0},
        {SERVERCALL_REJECTED, 60000, true, 0, 0},
        {SERVERCALL_RETRYLATER, 0, false, 0, 9999}, // inside the interval: retried soon
        {SERVERCALL_RETRYLATER, 9999, false, 0, 9999},
        {SERVERCALL_RETRYLATER, 10000, false, 10000, 10000}, // past it: retried after the interval
        {SERVERCALL_RETRYLATER, 3600000, false, 10000, 10000},
    };
    for (const auto& row : table) {
        const DWORD answer = m_filter->RetryRejectedCall(nullptr, row.waitedMs, row.rejectType);
        if (row.cancelled) {
            EXPECT_EQ(answer, kCancelCall) << row.waitedMs;
        } else {
            EXPECT_NE(answer, kCancelCall) << row.waitedMs;
            EXPECT_GE(answer, row.minDelay) << row.waitedMs;
            EXPECT_LE(answer, row.maxDelay) << row.waitedMs;
        }
    }
    EXPECT_TRUE(m_windows.CreatedClasses().empty()) << "no busy dialog";
}

TEST_F(MessageFilter, WithTheBusyDialogEnabledALongRejectionAsksTheUser)
{
    m_filter->EnableBusyDialog(TRUE);
    EXPECT_NE(m_filter->RetryRejectedCall(nullptr, 100, SERVERCALL_RETRYLATER), kCancelCall);
    EXPECT_TRUE(m_windows.Boxes().empty()) << "not before the interval";
    // The recorder answers the box with OK, which is not "Retry": the call is cancelled.
    EXPECT_EQ(m_filter->RetryRejectedCall(nullptr, 10000, SERVERCALL_RETRYLATER), kCancelCall);
    EXPECT_EQ(m_windows.Boxes().size(), 1u);
}

TEST_F(MessageFilter, WaitingCallsNeverShowTheNotRespondingDialog)
{
    for (DWORD waited : {0u, 10000u, 0xFFFFFFFEu})
        EXPECT_EQ(m_filter->MessagePending(nullptr, waited, PENDINGTYPE_TOPLEVEL),
                  static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_TRUE(m_windows.CreatedClasses().empty());

    // The delay is what keeps it away: with a short one it does appear, once per wait.
    m_filter->SetMessagePendingDelay(1000);
    for (DWORD waited : {500u, 1000u, 1500u, 2000u})
        m_filter->MessagePending(nullptr, waited, PENDINGTYPE_TOPLEVEL);
    EXPECT_EQ(m_windows.Boxes().size(), 1u);
    m_filter->MessagePending(nullptr, 10, PENDINGTYPE_TOPLEVEL); // the next call waits
    m_filter->MessagePending(nullptr, 1200, PENDINGTYPE_TOPLEVEL);
    EXPECT_EQ(m_windows.Boxes().size(), 2u);
}

TEST_F(MessageFilter, IncomingCallsGetTheBusyReplyOnlyWhileBusy)
{
    EXPECT_EQ(m_filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              static_cast<DWORD>(SERVERCALL_ISHANDLED));
    m_filter->BeginBusyState();
    EXPECT_EQ(m_filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              static_cast<DWORD>(SERVERCALL_RETRYLATER));
    EXPECT_EQ(m_filter->HandleInComingCall(CALLTYPE_ASYNC, nullptr, 0, nullptr),
              static_cast<DWORD>(SERVERCALL_ISHANDLED))
        << "asynchronous calls cannot be refused";
    m_filter->EndBusyState();
    EXPECT_EQ(m_filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              static_cast<DWORD>(SERVERCALL_ISHANDLED));
}

TEST(OleInit, RegistersTheFilterForTheThreadAndTakesItBackAtTheEnd)
{
    ASSERT_TRUE(fw::AfxOleInit());
    fw::COleMessageFilter* filter = fw::AfxOleGetMessageFilter();
    ASSERT_NE(filter, nullptr);
    EXPECT_TRUE(fw::AfxOleInit()) << "a second call is harmless";
    EXPECT_EQ(fw::AfxOleGetMessageFilter(), filter);

    IMessageFilter* registered = nullptr;
    ASSERT_EQ(::CoRegisterMessageFilter(nullptr, &registered), S_OK);
    EXPECT_EQ(registered, static_cast<IMessageFilter*>(filter));
    IMessageFilter* none = nullptr;
    ::CoRegisterMessageFilter(registered, &none);
    registered->Release();

    fw::AfxOleTerm();
    EXPECT_EQ(fw::AfxOleGetMessageFilter(), nullptr);
    // OLE is down again: the thread can now join the multithreaded apartment.
    EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    ::CoUninitialize();
}

// A filter that is not ours, counting its references.
class OtherFilter : public IMessageFilter {
public:
    LONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        *object = riid == IID_IUnknown || riid == IID_IMessageFilter ? this : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override
    {
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

TEST(OleInit, TakingOurFilterBackLeavesALaterOneInPlace)
{
    ASSERT_TRUE(fw::AfxOleInit());
    fw::COleMessageFilter* filter = fw::AfxOleGetMessageFilter();
    OtherFilter other;
    IMessageFilter* ours = nullptr; // COM hands over its reference to our filter
    ASSERT_EQ(::CoRegisterMessageFilter(&other, &ours), S_OK);
    EXPECT_EQ(ours, static_cast<IMessageFilter*>(filter));

    filter->Revoke();

    IMessageFilter* current = nullptr;
    ASSERT_EQ(::CoRegisterMessageFilter(nullptr, &current), S_OK);
    EXPECT_EQ(current, static_cast<IMessageFilter*>(&other)) << "the later filter is still the thread's";
    IMessageFilter* none = nullptr;
    ::CoRegisterMessageFilter(current, &none);
    current->Release();

    fw::AfxOleTerm();
    EXPECT_EQ(other.refs, 1) << "every reference COM took was given back";
    ours->Release();
}

} // namespace
