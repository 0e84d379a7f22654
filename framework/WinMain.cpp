// The process entry point. Linked into the executable only: tests drive the application object
// themselves.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    return fw::AfxWinMain(instance);
}
