#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLDISPLAYDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLDISPLAYDEVICE_H

#include <cstdint>

#include "Framework/graphics/HDisplayDevice.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

// The display on SDL: a resizable window (or the desktop in full screen) showing the back buffer
// scaled by whole steps and letter-boxed. Only dirty rectangles are converted to 32-bit pixels.
// Without an accelerated renderer (a software-only system, the dummy driver) they go, scaled,
// straight into the window's own pixels and only they are updated; with one, into a streaming
// texture that the graphics card then copies to the window.
class HSDLDisplayDevice : public HDisplayDevice
{
public:
    explicit HSDLDisplayDevice( HCvarManager* pCvars );
    ~HSDLDisplayDevice() override;

    bool initScreen( int32_t width, int32_t height, const char* kpTitle, bool fullscreen, bool noDoubleClick ) override;
    bool shutdownScreen() override;
    void showCursor( bool show ) override;
    // Changes between window and full screen in place; true when it did.
    bool switchDisplayMode() override;
    void present( const HRect* kpRects, int32_t count ) override;
    HPoint mapWindowToFrame( int32_t windowX, int32_t windowY ) const override;
    int32_t getRefreshRate() const override;

    // Draws the whole frame again as it stands, for a window that was uncovered or resized.
    void refresh();
    bool isFullscreen() const { return m_fullscreen; }
    SDL_Window* getWindow() const { return m_pWindow; }
    // True when frames go straight into the window's pixels rather than through a renderer.
    bool drawsIntoWindowSurface() const { return m_intoWindowSurface; }
    // Where the frame lands in the renderer's output, in output pixels.
    HRect getFrameRect() const;

private:
    bool m_createWindow( int32_t width, int32_t height, const char* kpTitle, bool fullscreen );
    bool m_initRenderer( int32_t width, int32_t height );
    void m_releaseResources();
    void m_buildConverter( uint32_t pixelFormat );
    void m_drawFrame();
    // The window-surface path: the rectangles converted, scaled and updated; all of the window
    // when its surface is new or was resized.
    void m_presentIntoWindow( const HRect* kpRects, int32_t count );
    void m_convertScaled( uint8_t* pPixels, int pitch, const HRect& frame, const HRect& area ) const;
    void m_convertRow( uint32_t* pDest, const uint16_t* kpSrc, int32_t width, int32_t repeat ) const;
    bool m_isShown() const;

    SDL_Window* m_pWindow;
    SDL_Renderer* m_pRenderer;
    SDL_Texture* m_pTexture;
    bool m_videoStarted;
    bool m_fullscreen;
    // 15-bit word to the texture's 32-bit pixel.
    uint32_t* m_pConverter;
    // The converter's pixels are 0xAARRGGBB with this alpha, computed eight at a time; else looked up.
    bool m_computedArgb;
    uint32_t m_alphaBits;
    bool m_intoWindowSurface;
    // The window surface as last painted; another one (resized, re-created) is painted whole.
    void* m_pPaintedSurface;
    int32_t m_paintedWidth;
    int32_t m_paintedHeight;
    // Something was skipped while the window was hidden: the next present shows everything.
    bool m_stale;

    static bool sm_cursorShown;
};

#endif
