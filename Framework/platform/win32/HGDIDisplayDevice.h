#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HGDIDISPLAYDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HGDIDISPLAYDEVICE_H

#include <cstdint>

#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/graphics/HFramePlacement.h"

// The display on Windows: the program's window, a top-down 15-bit DIB section selected into a
// memory device context, and the dirty rectangles copied into the window, magnified by whole
// pixels on a screen with room for it. DirectDraw only takes exclusive full-screen mode and sets
// 640 x 480 x 16; pixels always go through GDI. It cannot change between window and full screen
// in place: the application makes a new device.
class HGDIDisplayDevice : public HDisplayDevice
{
public:
    explicit HGDIDisplayDevice( HCvarManager* pCvars );
    ~HGDIDisplayDevice() override;

    bool initScreen( int32_t width, int32_t height, const char* kpTitle, bool fullscreen, bool noDoubleClick ) override;
    bool shutdownScreen() override;
    void showCursor( bool show ) override;
    void present( const HRect* kpRects, int32_t count ) override;
    HPoint mapWindowToFrame( int32_t windowX, int32_t windowY ) const override;

    // Where the frame sits in the window's client area as it is now.
    HFramePlacement getFramePlacement() const;

    // The window (an HWND), null before initScreen and after shutdownScreen.
    void* getWindow() const;
    bool isFullscreen() const;
    // The window style the device asks for, and its extended style.
    static uint32_t windowStyle( bool fullscreen );
    static uint32_t windowExStyle( bool fullscreen );

private:
    struct WindowState;

    bool m_createWindow( int32_t width, int32_t height, const char* kpTitle, bool fullscreen, bool noDoubleClick );
    bool m_initGDI( bool fullscreen, int32_t width, int32_t height );
    void m_releaseResources();
    // Blacks out the client area around the frame, when it does not fill it.
    void m_paintBars( const HRect& place );

    WindowState* m_pState;

    static bool sm_classRegistered;
    static bool sm_cursorShown;
};

#endif
