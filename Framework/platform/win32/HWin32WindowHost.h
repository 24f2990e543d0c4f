#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32WINDOWHOST_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32WINDOWHOST_H

#include <cstdint>

#include "Framework/application/HWindowHost.h"

// The window services of the portable window procedure, each the system call of the same name
// on the procedure's window; and the window procedure the program's window class registers.
// Mouse positions reach the procedure as pixels of the frame, however large the window shows it.
class HWin32WindowHost : public HWindowHost
{
public:
    HRect getClientRectOnScreen() override;
    HPoint screenToClient( const HPoint& point ) override;
    void setCapture() override;
    void releaseCapture() override;
    void setFocus() override;
    void setActiveWindow() override;
    void postQuitMessage( int exitCode ) override;
    intptr_t defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam ) override;
    uint32_t mapVirtualKeyToChar( uint32_t virtualKey ) override;

    // The process's host; the window procedure is given it before its first message.
    static HWin32WindowHost& processInstance();
    // The WNDPROC of the program's window (its address, so the header needs no system types).
    static void* windowProcedureAddress();
};

#endif
