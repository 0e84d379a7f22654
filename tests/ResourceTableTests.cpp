// The resources of the built Velmora.exe, read back from the executable itself.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/GdiplusSession.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <ostream>
#include <string>

namespace {

constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// One built executable, opened for its resources only.
class Executable {
public:
    Executable(const wchar_t* path, const char* architecture)
        : m_path(path), m_architecture(architecture),
          m_module(::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    Executable(const Executable&) = delete;
    Executable& operator=(const Executable&) = delete;
    ~Executable()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }

    bool Opened() const { return m_module != nullptr; }
    const wchar_t* Path() const { return m_path; }
    // The manifest's processorArchitecture for this build.
    const char* Architecture() const { return m_architecture; }

    // The bytes of one resource in one language, empty when there is none.
    std::string Bytes(LPCWSTR type, UINT id, WORD language) const
    {
        HRSRC found = ::FindResourceExW(m_module, type, MAKEINTRESOURCEW(id), language);
        if (!found)
            return {};
        const auto* data = static_cast<const char*>(::LockResource(::LoadResource(m_module, found)));
        return data ? std::string(data, ::SizeofResource(m_module, found)) : std::string();
    }

private:
    const wchar_t* m_path;
    const char* m_architecture;
    HMODULE m_module;
};

// Every test runs against the 64-bit build, and against the 32-bit release build when it has been
// built beside it (tools/test.sh builds both).
class ResourceTable : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_win64 = new Executable(VELMORA_EXE_PATH, "amd64");
        s_win32 = new Executable(VELMORA_EXE32_PATH, "x86");
    }
    static void TearDownTestSuite()
    {
        delete s_win64;
        delete s_win32;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_win64->Opened()) << "cannot open Velmora.exe";
        // tools/test.sh builds both, and asks for both to be checked.
        const char* require = std::getenv("VELMORA_REQUIRE_WIN32");
        if (require && *require == '1') {
            ASSERT_TRUE(s_win32->Opened()) << "cannot open the 32-bit Velmora.exe";
        }
    }

    template <class Check>
    static void ForEachBuild(Check check)
    {
        for (const Executable* exe : {s_win64, s_win32}) {
            if (!exe->Opened())
                continue;
            SCOPED_TRACE(::testing::Message() << "in " << exe->Architecture() << " build");
            check(*exe);
        }
    }

    static Executable* s_win64;
    static Executable* s_win32;
};
Executable* ResourceTable::s_win64 = nullptr;
Executable* ResourceTable::s_win32 = nullptr;

template <class T>
T Read(const std::string& bytes, size_t& at)
{
    T value{};
    if (at + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + at, sizeof(T));
    at += sizeof(T);
    return value;
}

std::wstring ReadString(const std::string& bytes, size_t& at)
{
    std::wstring text;
    for (wchar_t c; (c = Read<wchar_t>(bytes, at)) != 0 && at <= bytes.size();)
        text += c;
    return text;
}

struct DialogRow {
    UINT id;
    DWORD exStyle;
    DWORD style;
    short cx, cy;
    WORD pointSize, weight;
};

void PrintTo(const DialogRow& row, std::ostream* out)
{
    *out << "dialog " << row.id;
}

class DialogTemplates : public ResourceTable, public ::testing::WithParamInterface<DialogRow> {};

TEST_P(DialogTemplates, MatchTheTable)
{
    const DialogRow& row = GetParam();
    ForEachBuild([&](const Executable& exe) {
        const std::string bytes = exe.Bytes(RT_DIALOG, row.id, kChinesePrc);
        ASSERT_FALSE(bytes.empty()) << "dialog " << row.id;
        size_t at = 0;
        EXPECT_EQ(Read<WORD>(bytes, at), 1);      // version
        EXPECT_EQ(Read<WORD>(bytes, at), 0xFFFF); // extended template
        EXPECT_EQ(Read<DWORD>(bytes, at), 0u);    // help id
        EXPECT_EQ(Read<DWORD>(bytes, at), row.exStyle);
        EXPECT_EQ(Read<DWORD>(bytes, at), row.style);
        EXPECT_EQ(Read<WORD>(bytes, at), 0);  // no controls
        EXPECT_EQ(Read<short>(bytes, at), 0); // x
        EXPECT_EQ(Read<short>(bytes, at), 0); // y
        EXPECT_EQ(Read<short>(bytes, at), row.cx);
        EXPECT_EQ(Read<short>(bytes, at), row.cy);
        EXPECT_EQ(Read<WORD>(bytes, at), 0);   // no menu
        EXPECT_EQ(Read<WORD>(bytes, at), 0);   // no window class
        EXPECT_EQ(ReadString(bytes, at), L""); // no title
        EXPECT_EQ(Read<WORD>(bytes, at), row.pointSize);
        EXPECT_EQ(Read<WORD>(bytes, at), row.weight);
        EXPECT_EQ(Read<BYTE>(bytes, at), 0); // not italic
        EXPECT_EQ(Read<BYTE>(bytes, at), 1); // charset
        EXPECT_EQ(ReadString(bytes, at), L"MS Shell Dlg");
    });
}

INSTANTIATE_TEST_SUITE_P(Velmora, DialogTemplates,
                         ::testing::Values(DialogRow{IDD_LOGIN_DIALOG, 0x00040000, 0x90000048, 67, 34, 9, 0},
                                           DialogRow{IDD_GAME_DIALOG, 0, 0x80CF0048, 689, 410, 8, 400},
                                           DialogRow{IDD_LOGIN_BROWSER, 0, 0x80080048, 84, 47, 8, 400},
                                           DialogRow{IDD_BUTTON_HOST, 0, 0x80000068, 74, 47, 8, 400}));

struct PngRow {
    UINT id;
    unsigned width, height;
};

void PrintTo(const PngRow& row, std::ostream* out)
{
    *out << "png " << row.id;
}

class PngImages : public ResourceTable, public ::testing::WithParamInterface<PngRow> {};

unsigned BigEndian32(const std::string& bytes, size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return (unsigned{p[0]} << 24) | (unsigned{p[1]} << 16) | (unsigned{p[2]} << 8) | p[3];
}

TEST_P(PngImages, AreRgbaPngsOfTheirSize)
{
    const PngRow& row = GetParam();
    ForEachBuild([&](const Executable& exe) {
        const std::string bytes = exe.Bytes(L"PNG", row.id, kChinesePrc);
        ASSERT_GT(bytes.size(), 33u) << "PNG " << row.id;
        EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(bytes.substr(12, 4), "IHDR");
        EXPECT_EQ(BigEndian32(bytes, 16), row.width);
        EXPECT_EQ(BigEndian32(bytes, 20), row.height);
        EXPECT_EQ(bytes[24], 8); // bits per channel
        EXPECT_EQ(bytes[25], 6); // RGBA
    });
}

INSTANTIATE_TEST_SUITE_P(Velmora, PngImages,
                         ::testing::Values(PngRow{IDB_MIN_NORMAL, 22, 21}, PngRow{IDB_MIN_PRESSED, 22, 21},
                                           PngRow{IDB_MIN_HOVER, 22, 21}, PngRow{IDB_CLOSE_NORMAL, 29, 27},
                                           PngRow{IDB_CLOSE_PRESSED, 29, 27}, PngRow{IDB_CLOSE_HOVER, 29, 27},
                                           PngRow{IDB_HOME_NORMAL, 79, 26}, PngRow{IDB_HOME_HOVER, 79, 26},
                                           PngRow{IDB_DEPOSIT_NORMAL, 79, 26}, PngRow{IDB_DEPOSIT_HOVER, 79, 26},
                                           PngRow{IDB_SERVICE_NORMAL, 79, 26}, PngRow{IDB_SERVICE_HOVER, 79, 26},
                                           PngRow{IDB_LOGIN_BACKGROUND, 926, 646}, PngRow{IDB_FORUM_NORMAL, 79, 26},
                                           PngRow{IDB_FORUM_HOVER, 79, 26}));

TEST_F(ResourceTable, LinkButtonsLookTheSameWhenHovered)
{
    const std::pair<UINT, UINT> pairs[] = {{IDB_HOME_NORMAL, IDB_HOME_HOVER},
                                           {IDB_DEPOSIT_NORMAL, IDB_DEPOSIT_HOVER},
                                           {IDB_SERVICE_NORMAL, IDB_SERVICE_HOVER},
                                           {IDB_FORUM_NORMAL, IDB_FORUM_HOVER}};
    ForEachBuild([&](const Executable& exe) {
        for (const auto& [normal, hover] : pairs)
            EXPECT_EQ(exe.Bytes(L"PNG", normal, kChinesePrc), exe.Bytes(L"PNG", hover, kChinesePrc)) << normal;
    });
}

TEST_F(ResourceTable, IconHasOne48PixelImageOf32Bits)
{
    ForEachBuild([&](const Executable& exe) {
        const std::string group = exe.Bytes(RT_GROUP_ICON, IDR_MAINFRAME, kChinesePrc);
        ASSERT_EQ(group.size(), 6u + 14u); // header and one entry
        size_t at = 0;
        EXPECT_EQ(Read<WORD>(group, at), 0);
        EXPECT_EQ(Read<WORD>(group, at), 1); // icon
        EXPECT_EQ(Read<WORD>(group, at), 1); // one image
        EXPECT_EQ(Read<BYTE>(group, at), 48);
        EXPECT_EQ(Read<BYTE>(group, at), 48);
        at += 4; // colour count, reserved, planes
        EXPECT_EQ(Read<WORD>(group, at), 32);
    });
}

TEST_F(ResourceTable, ManifestAsksForCommonControls6AsInvokerAndDpiAware)
{
    ForEachBuild([&](const Executable& exe) {
        EXPECT_TRUE(exe.Bytes(RT_MANIFEST, 1, kChinesePrc).empty()) << "the manifest is English (US)";
        const std::string manifest = exe.Bytes(RT_MANIFEST, 1, kEnglishUs);
        ASSERT_FALSE(manifest.empty());
        const std::string architecture = std::string("processorArchitecture=\"") + exe.Architecture() + "\"";
        const char* expected[] = {
            R"(name="Microsoft.Windows.Common-Controls")",
            R"(version="6.0.0.0")",
            architecture.c_str(),
            R"(publicKeyToken="6595b64144ccf1df")",
            R"(level="asInvoker")",
            R"(uiAccess="false")",
            ">true</dpiAware>",
        };
        for (const char* text : expected)
            EXPECT_NE(manifest.find(text), std::string::npos) << text;
    });
}

TEST_F(ResourceTable, VersionBlockCarriesTheProductFields)
{
    ForEachBuild([&](const Executable& exe) {
        EXPECT_FALSE(exe.Bytes(RT_VERSION, 1, kChinesePrc).empty()) << "the version block is Chinese (PRC)";
        const DWORD size = ::GetFileVersionInfoSizeW(exe.Path(), nullptr);
        ASSERT_GT(size, 0u);
        std::string block(size, '\0');
        ASSERT_TRUE(::GetFileVersionInfoW(exe.Path(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
        EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
        EXPECT_EQ(fixed->dwFileFlags, 0u);
        EXPECT_EQ(fixed->dwFileOS, 0x40004u);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

        WORD* translation = nullptr;
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                     reinterpret_cast<void**>(&translation), &length));
        ASSERT_EQ(length, 4u);
        EXPECT_EQ(translation[0], 0x0804);
        EXPECT_EQ(translation[1], 1200);

        const std::pair<const wchar_t*, const wchar_t*> strings[] = {
            {L"FileDescription", L"Velmora微端"},  {L"FileVersion", L"1.0.0.1"}, {L"InternalName", L"Velmora.exe"},
            {L"OriginalFilename", L"Velmora.exe"}, {L"ProductName", L"Velmora"}, {L"ProductVersion", L"1.0.0.1"},
        };
        for (const auto& [key, value] : strings) {
            wchar_t* text = nullptr;
            const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + key;
            ASSERT_TRUE(::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << path;
            EXPECT_EQ(std::wstring(text), value) << path;
        }
        for (const wchar_t* key : {L"CompanyName", L"LegalCopyright"}) {
            wchar_t* text = nullptr;
            const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + key;
            ASSERT_TRUE(::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << path;
            EXPECT_GT(std::wstring(text).size(), 0u) << path;
        }
    });
}

// The decoded ARGB pixels of a PNG resource, row by row; empty if it does not decode.
std::vector<Gdiplus::ARGB> DecodedPixels(const std::string& png, UINT& width, UINT& height)
{
    IStream* stream = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(png.data()), static_cast<UINT>(png.size()));
    if (!stream)
        return {};
    std::vector<Gdiplus::ARGB> pixels;
    {
        Gdiplus::Bitmap bitmap(stream);
        width = bitmap.GetWidth();
        height = bitmap.GetHeight();
        Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        Gdiplus::BitmapData data{};
        if (bitmap.GetLastStatus() == Gdiplus::Ok &&
            bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
            for (UINT y = 0; y < height; ++y) {
                const auto* row = reinterpret_cast<const Gdiplus::ARGB*>(static_cast<const BYTE*>(data.Scan0) +
                                                                         y * static_cast<size_t>(data.Stride));
                pixels.insert(pixels.end(), row, row + width);
            }
            bitmap.UnlockBits(&data);
        }
    }
    stream->Release();
    return pixels;
}

TEST_F(ResourceTable, ButtonArtNeverUsesTheColourKey)
{
    // RGB(255, 0, 255) shows through a button host; no button may contain it, whatever its alpha.
    testing_support::GdiplusSession gdiplus;
    const UINT buttons[] = {IDB_MIN_NORMAL,     IDB_MIN_PRESSED,   IDB_MIN_HOVER,      IDB_CLOSE_NORMAL,
                            IDB_CLOSE_PRESSED,  IDB_CLOSE_HOVER,   IDB_HOME_NORMAL,    IDB_HOME_HOVER,
                            IDB_DEPOSIT_NORMAL, IDB_DEPOSIT_HOVER, IDB_SERVICE_NORMAL, IDB_SERVICE_HOVER,
                            IDB_FORUM_NORMAL,   IDB_FORUM_HOVER};
    ForEachBuild([&](const Executable& exe) {
        for (UINT id : buttons) {
            UINT width = 0, height = 0;
            const std::vector<Gdiplus::ARGB> pixels = DecodedPixels(exe.Bytes(L"PNG", id, kChinesePrc), width, height);
            ASSERT_FALSE(pixels.empty()) << id;
            for (Gdiplus::ARGB pixel : pixels)
                ASSERT_NE(pixel & 0x00FFFFFF, 0x00FF00FFu) << "button " << id;
        }
    });
}

TEST_F(ResourceTable, BackgroundIsOpaqueUnderTheLoginPaneAndSeeThroughAtItsEdge)
{
    testing_support::GdiplusSession gdiplus;
    ForEachBuild([&](const Executable& exe) {
        UINT width = 0, height = 0;
        const std::vector<Gdiplus::ARGB> pixels =
            DecodedPixels(exe.Bytes(L"PNG", IDB_LOGIN_BACKGROUND, kChinesePrc), width, height);
        ASSERT_EQ(pixels.size(), 926u * 646u);
        int transparent = 0, translucent = 0, opaque = 0;
        for (UINT y = 0; y < height; ++y) {
            for (UINT x = 0; x < width; ++x) {
                const UINT alpha = pixels[y * width + x] >> 24;
                (alpha == 0 ? transparent : alpha == 255 ? opaque : translucent)++;
                if (x >= 270 && x < 880 && y >= 138 && y < 478) {
                    ASSERT_EQ(alpha, 255u) << "under the login pane at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(translucent, 0);
        EXPECT_GT(opaque, 0);
        EXPECT_EQ(pixels[0] >> 24, 0u) << "the corners show the desktop";
    });
}

} // namespace
