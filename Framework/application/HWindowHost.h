#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HWINDOWHOST_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HWINDOWHOST_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

// What the window procedure asks of the window it serves. On Windows each is the system call of
// the same name; another platform answers from its own window.
class HWindowHost
{
public:
    HWindowHost();
    virtual ~HWindowHost();

    HWindowHost( const HWindowHost& ) = delete;
    HWindowHost& operator=( const HWindowHost& ) = delete;

    // GetClientRect with both corners passed through ClientToScreen.
    virtual HRect getClientRectOnScreen() = 0;
    virtual HPoint screenToClient( const HPoint& point ) = 0;
    virtual void setCapture() = 0;
    virtual void releaseCapture() = 0;
    virtual void setFocus() = 0;
    virtual void setActiveWindow() = 0;
    virtual void postQuitMessage( int exitCode ) = 0;
    // DefWindowProcA.
    virtual intptr_t defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam ) = 0;
    // MapVirtualKeyA( vk, 2 ); the portable US table unless the platform has a better answer.
    virtual uint32_t mapVirtualKeyToChar( uint32_t virtualKey );
};

#endif
