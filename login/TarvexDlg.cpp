#include "TarvexDlg.h"

#include "framework/DeviceContext.h"
#include "framework/ScopedHandles.h"
#include "framework/WinApp.h"
#include "resource.h"

namespace {

// Just under opaque: even the picture's opaque pixels let a trace of the desktop through.
constexpr BYTE kShownConstantAlpha = 254;
constexpr wchar_t kWindowText[] = L"Velmora";

} // namespace

const fw::MessageMap CTarvexDlg::messageMap{&fw::CDialogEx::messageMap,
                                            {
                                                fw::on::Paint<&CTarvexDlg::OnPaint>(),
                                                fw::on::QueryDragIcon<&CTarvexDlg::OnQueryDragIcon>(),
                                                fw::on::NcHitTest<&CTarvexDlg::OnNcHitTest>(),
                                                fw::on::Create<&CTarvexDlg::OnCreate>(),
                                                fw::on::Destroy<&CTarvexDlg::OnDestroy>(),
                                            }};

CTarvexDlg::CTarvexDlg(fw::CWnd* parent) : fw::CDialogEx(IDD_LOGIN_DIALOG, parent)
{
    m_hIcon = ::LoadIconW(fw::AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CTarvexDlg::~CTarvexDlg()
{
    delete m_pBackground;
}

int CTarvexDlg::OnCreate(LPCREATESTRUCTW createStruct)
{
    if (fw::CDialogEx::OnCreate(createStruct) == -1)
        return -1;
    m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    LoadPngResource(IDB_LOGIN_BACKGROUND, m_pBackground);
    return 0;
}

BOOL CTarvexDlg::OnInitDialog()
{
    fw::CDialogEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    DrawLayeredBackground(m_pBackground);
    SetWindowText(kWindowText);
    return TRUE;
}

void CTarvexDlg::OnDestroy()
{
    delete m_pBackground;
    m_pBackground = nullptr;
    fw::CDialogEx::OnDestroy();
}

BOOL CTarvexDlg::DrawLayeredBackground(Gdiplus::Image* image)
{
    fw::CClientDC windowDC(m_hWnd);
    fw::CMemoryDC memoryDC(windowDC);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(windowDC, kWidth, kHeight));
    BOOL updated = FALSE;
    {
        fw::ScopedSelect selected(memoryDC, bitmap.Get());
        m_hMemDC = memoryDC;
        m_blend.SourceConstantAlpha = kShownConstantAlpha;

        RECT window{};
        GetWindowRect(&window);
        POINT destination{window.left, window.top};
        {
            // The picture must be in the bitmap before the update, so the drawing surface ends here.
            Gdiplus::Graphics graphics(m_hMemDC);
            // A new bitmap's pixels are undefined; where the picture draws nothing, the window must
            // be see-through, not garbage.
            graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
            if (image) {
                const Gdiplus::Point corners[3] = {{0, 0}, {kWidth, 0}, {0, kHeight}};
                graphics.DrawImage(image, corners, 3);
            }
        }
        SIZE size{kWidth, kHeight};
        POINT source{0, 0};
        updated =
            ::UpdateLayeredWindow(m_hWnd, windowDC, &destination, &size, m_hMemDC, &source, 0, &m_blend, ULW_ALPHA);
    }
    m_hMemDC = nullptr;
    return updated;
}

LRESULT CTarvexDlg::OnNcHitTest(POINT screenPoint)
{
    const LRESULT hit = fw::CDialogEx::OnNcHitTest(screenPoint);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

POINT CTarvexDlg::IconOrigin(int clientWidth, int clientHeight)
{
    return {(clientWidth - ::GetSystemMetrics(SM_CXICON) + 1) / 2,
            (clientHeight - ::GetSystemMetrics(SM_CYICON) + 1) / 2};
}

void CTarvexDlg::OnPaint()
{
    if (!IsIconic()) {
        fw::CDialogEx::OnPaint();
        return;
    }
    fw::CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT client{};
    GetClientRect(&client);
    const POINT at = IconOrigin(client.right - client.left, client.bottom - client.top);
    ::DrawIcon(dc, at.x, at.y, m_hIcon);
}

HCURSOR CTarvexDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
