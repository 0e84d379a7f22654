#include <gtest/gtest.h>

#include "app/PngResource.h"
#include "resource.h"
#include "support/GdiplusSession.h"

#include <psapi.h>

#include <memory>

namespace {

using testing_support::GdiplusSession;
using testing_support::PixelAfterDrawing;

constexpr UINT kNotAnImage = 900; // a "PNG" resource of the test program holding plain text

class PngResource : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gdiplus.Running()); }
    GdiplusSession m_gdiplus;
};

// A value no allocation returns, to prove the out-parameter was not written.
Gdiplus::Image* const kUntouched = reinterpret_cast<Gdiplus::Image*>(static_cast<UINT_PTR>(0x5A5A5A50));

TEST_F(PngResource, IdsWithoutAPngResourceGiveFalseAndLeaveThePointer)
{
    // 128 is the icon and 102 a dialog: resources, but not of type "PNG".
    for (UINT id : {4242u, 0u, static_cast<UINT>(IDR_MAINFRAME), static_cast<UINT>(IDD_LOGIN_DIALOG)}) {
        Gdiplus::Image* image = kUntouched;
        EXPECT_FALSE(LoadPngResource(id, image)) << id;
        EXPECT_EQ(image, kUntouched) << id;
    }
}

TEST_F(PngResource, LoadsEveryImageAtItsSize)
{
    const struct {
        UINT id;
        UINT width, height;
    } table[] = {{IDB_MIN_NORMAL, 22, 21},
                 {IDB_CLOSE_PRESSED, 29, 27},
                 {IDB_HOME_HOVER, 79, 26},
                 {IDB_FORUM_NORMAL, 79, 26},
                 {IDB_LOGIN_BACKGROUND, 926, 646}};
    for (const auto& row : table) {
        Gdiplus::Image* image = nullptr;
        ASSERT_TRUE(LoadPngResource(row.id, image)) << row.id;
        std::unique_ptr<Gdiplus::Image> owned(image);
        EXPECT_EQ(image->GetLastStatus(), Gdiplus::Ok) << row.id;
        EXPECT_EQ(image->GetWidth(), row.width) << row.id;
        EXPECT_EQ(image->GetHeight(), row.height) << row.id;
    }
}

TEST_F(PngResource, TwoLoadsAreIndependentImages)
{
    Gdiplus::Image* first = nullptr;
    Gdiplus::Image* second = nullptr;
    ASSERT_TRUE(LoadPngResource(IDB_LOGIN_BACKGROUND, first));
    ASSERT_TRUE(LoadPngResource(IDB_LOGIN_BACKGROUND, second));
    ASSERT_NE(first, second);
    const Gdiplus::ARGB before = PixelAfterDrawing(second, 926, 646, 400, 300);

    delete first;

    std::unique_ptr<Gdiplus::Image> owned(second);
    EXPECT_EQ(second->GetLastStatus(), Gdiplus::Ok);
    const Gdiplus::ARGB after = PixelAfterDrawing(second, 926, 646, 400, 300);
    EXPECT_EQ(after >> 24, 255u) << "the login pane area is opaque";
    EXPECT_EQ(after, before);
}

TEST_F(PngResource, UndecodableDataStillGivesAnImageThatDrawsNothing)
{
    Gdiplus::Image* image = nullptr;
    ASSERT_TRUE(LoadPngResource(kNotAnImage, image));
    std::unique_ptr<Gdiplus::Image> owned(image);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(PixelAfterDrawing(image, 8, 8, 4, 4), 0u);
}

// Committed private memory of the process (Wine fills in PagefileUsage, not PrivateUsage).
SIZE_T CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

TEST_F(PngResource, DeletingTheImageFreesItsDataBlock)
{
    HRSRC resource = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_LOGIN_BACKGROUND), L"PNG");
    ASSERT_NE(resource, nullptr);
    const SIZE_T pngBytes = ::SizeofResource(nullptr, resource);
    auto loadAndDelete = [] {
        Gdiplus::Image* image = nullptr;
        ASSERT_TRUE(LoadPngResource(IDB_LOGIN_BACKGROUND, image));
        EXPECT_EQ(image->GetWidth(), 926u);
        delete image;
    };
    for (int i = 0; i < 3; ++i) // let the heaps reach their working size
        loadAndDelete();
    const SIZE_T before = CommittedBytes();
    ASSERT_GT(before, 0u) << "the memory counter must be there to judge by";
    constexpr int kRounds = 40;
    for (int i = 0; i < kRounds; ++i)
        loadAndDelete();
    const SIZE_T after = CommittedBytes();
    const SIZE_T grown = after > before ? after - before : 0;
    // A kept block (or decoded picture) per round would grow memory by kRounds times its size.
    EXPECT_LT(grown, pngBytes * kRounds / 4) << "grew by " << grown << " bytes";
}

} // namespace
