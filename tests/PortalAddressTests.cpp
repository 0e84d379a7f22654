// The addresses the configure step generates from the VELMORA_* cache variables.
#include <gtest/gtest.h>

#include "portal/PortalAddresses.h"

#include <string>

namespace {

#define WIDEN2(text) L##text
#define WIDEN(text) WIDEN2(text)

TEST(PortalAddresses, AreBuiltFromTheConfiguredParts)
{
    const std::wstring client = WIDEN(TEST_CLIENT_HOST);
    const struct {
        const wchar_t* actual;
        std::wstring expected;
    } table[] = {
        {portal::kLoginPageUrl,
         L"http://" + client + L"/client/reg/" WIDEN(TEST_GAME_CODE) L"/?from=" WIDEN(TEST_CHANNEL_CODE)},
        {portal::kPlayMarker, L"http://" + client + L"/client/play"},
        {portal::kHomeUrl, L"http://" WIDEN(TEST_HOME_HOST) L"/"},
        {portal::kDepositUrl, L"http://" WIDEN(TEST_PAY_HOST) L"/?appkey=" WIDEN(TEST_PAY_APPKEY)},
        {portal::kServiceUrl, L"http://" WIDEN(TEST_SERVICE_HOST) L"/"},
        {portal::kForumUrl, L"http://" WIDEN(TEST_FORUM_HOST) L"/forum-741-1.html"},
    };
    for (const auto& row : table)
        EXPECT_EQ(std::wstring(row.actual), row.expected);
}

TEST(PortalAddresses, TheLoginPageIsNotAPlayAddress)
{
    // The login page passes through the hand-off check on every start: it must not trigger it.
    EXPECT_EQ(std::wstring(portal::kLoginPageUrl).find(portal::kPlayMarker), std::wstring::npos);
}

} // namespace
