// The login window: a borderless layered dialog whose whole appearance is the background picture,
// blended with per-pixel alpha and dragged by any point.
#pragma once

#include "app/PngResource.h"
#include "framework/Dialog.h"

class CTarvexDlg : public fw::CDialogEx {
public:
    static const fw::MessageMap messageMap;
    static constexpr int kWidth = 926;
    static constexpr int kHeight = 646;

    explicit CTarvexDlg(fw::CWnd* parent = nullptr);
    // Frees the background if the object goes before its window (its WM_DESTROY then never arrives).
    ~CTarvexDlg() override;

    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }

    // Composes `image` (may be null) into the window's layered picture at 926 x 646; the result of
    // UpdateLayeredWindow.
    BOOL DrawLayeredBackground(Gdiplus::Image* image);

    // Where the icon of a minimized window is drawn: centred, with division that truncates towards 0.
    static POINT IconOrigin(int clientWidth, int clientHeight);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {} // Enter never ends the login window

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    LRESULT OnNcHitTest(POINT screenPoint);
    int OnCreate(LPCREATESTRUCTW createStruct);
    void OnDestroy();

    // The companions (the login pane and the six button hosts) join here: OnInitDialog will create
    // them and OnDestroy release them.
    HICON m_hIcon = nullptr; // shared icon: never destroyed
    BLENDFUNCTION m_blend{};
    HDC m_hMemDC = nullptr; // the composition's memory DC, only while it runs
    Gdiplus::Image* m_pBackground = nullptr;
};
