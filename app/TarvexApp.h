// The application: brings up the platform libraries, runs the login window, shuts GDI+ down.
#pragma once

#include "framework/WinApp.h"

class CTarvexApp : public fw::CWinApp {
public:
    static const fw::MessageMap messageMap;

    CTarvexApp();
    ~CTarvexApp() override = default;

    const fw::MessageMap* GetMessageMap() const override { return &messageMap; }
    // Always FALSE: the process ends when the login window closes, without a message loop of its own.
    BOOL InitInstance() override;
    int ExitInstance() override;

    ULONG_PTR m_gdiplusToken = 0; // 0 while GDI+ is not running
};

extern CTarvexApp theApp;
