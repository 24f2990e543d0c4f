#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HWINDOWPROCEDURE_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HWINDOWPROCEDURE_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class HWindowHost;
struct HEvent;

// Window messages the procedure knows, with the system's numbers (named apart from the system
// headers' macros so that both can be seen together).
enum HWindowMessage : uint32_t
{
    HWM_CREATE = 0x0001,
    HWM_DESTROY = 0x0002,
    HWM_MOVE = 0x0003,
    HWM_SIZE = 0x0005,
    HWM_ACTIVATE = 0x0006,
    HWM_PAINT = 0x000F,
    HWM_CLOSE = 0x0010,
    HWM_ERASEBKGND = 0x0014,
    HWM_SHOWWINDOW = 0x0018,
    HWM_NCMOUSEMOVE = 0x00A0,
    HWM_KEYDOWN = 0x0100,
    HWM_KEYUP = 0x0101,
    HWM_CHAR = 0x0102,
    HWM_SYSKEYDOWN = 0x0104,
    HWM_SYSKEYUP = 0x0105,
    HWM_MOUSEMOVE = 0x0200,
    HWM_LBUTTONDOWN = 0x0201,
    HWM_LBUTTONUP = 0x0202,
    HWM_LBUTTONDBLCLK = 0x0203,
    HWM_RBUTTONDOWN = 0x0204,
    HWM_RBUTTONUP = 0x0205,
    HWM_RBUTTONDBLCLK = 0x0206
};

// The size kinds of HWM_SIZE's wParam.
enum HWindowSizeKind : uintptr_t
{
    HSIZE_RESTORED = 0,
    HSIZE_MINIMIZED = 1,
    HSIZE_MAXIMIZED = 2,
    HSIZE_MAXSHOW = 3,
    HSIZE_MAXHIDE = 4
};

// The program's window procedure: turns window messages into event records and posts them to the
// application's queue (HGlobal::getEventQueue), keeping the shift, control and alt state, the mouse
// capture and the minimised state the events depend on. It is written once for every platform; a
// platform feeds it the messages its window receives, or the ones its own events stand for.
class HWindowProcedure
{
public:
    HWindowProcedure();

    HWindowProcedure( const HWindowProcedure& ) = delete;
    HWindowProcedure& operator=( const HWindowProcedure& ) = delete;

    // The procedure every window of the process uses.
    static HWindowProcedure& processInstance();

    // The window services (not owned); without one, side effects are skipped and default
    // processing answers 0.
    void setHost( HWindowHost* pHost ) { m_pHost = pHost; }
    HWindowHost* getHost() const { return m_pHost; }

    // The window procedure itself.
    intptr_t handleMessage( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam );

    // Captures or releases the mouse; nothing when already so, or while minimised.
    void setCapture( bool capture );

    // Back to the state before the first message.
    void reset();

    void* getWindow() const { return m_pWindow; }
    bool isShiftDown() const { return m_shiftDown != 0; }
    bool isControlDown() const { return m_controlDown != 0; }
    bool isAltDown() const { return m_altDown != 0; }
    bool isCaptured() const { return m_captured != 0; }
    bool isMinimized() const { return m_minimized != 0; }
    const HRect& getClientRect() const { return m_clientRect; }

    // A mouse message's lParam: x and y as signed 16-bit halves, x in the low half.
    static intptr_t makePointParam( int32_t x, int32_t y );
    static HPoint pointFromParam( intptr_t lParam );

private:
    void m_post( HEvent& event );
    intptr_t m_defaultProcessing( void* pWindow, uint32_t message, uintptr_t wParam, intptr_t lParam );
    uint32_t m_characterOf( uintptr_t virtualKey );
    void m_keyDown( HEvent& event, uintptr_t virtualKey );
    void m_keyUp( HEvent& event, uintptr_t virtualKey );
    void m_setMouseEvent( HEvent& event, int32_t type, int32_t key, intptr_t lParam );

    HWindowHost* m_pHost;
    void* m_pWindow;
    int32_t m_shiftDown;
    int32_t m_controlDown;
    int32_t m_altDown;
    uint8_t m_captured;
    uint8_t m_minimized;
    HRect m_clientRect;
};

#endif
