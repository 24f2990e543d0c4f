#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLDISPLAYDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLDISPLAYDEVICE_H

#include <cstdint>

#include "Framework/graphics/HDisplayDevice.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

// The display on SDL: a resizable window (or the desktop in full screen) showing the back buffer
// scaled by whole steps and letter-boxed. Only dirty rectangles are converted to the renderer's
// 32-bit format and uploaded into a streaming texture; every present then draws that texture.
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

    // Draws the whole frame again as it stands, for a window that was uncovered or resized.
    void refresh();
    bool isFullscreen() const { return m_fullscreen; }
    SDL_Window* getWindow() const { return m_pWindow; }
    // Where the frame lands in the renderer's output, in output pixels.
    HRect getFrameRect() const;

private:
    bool m_createWindow( int32_t width, int32_t height, const char* kpTitle, bool fullscreen );
    bool m_initRenderer( int32_t width, int32_t height );
    void m_releaseResources();
    void m_buildConverter( uint32_t pixelFormat );
    void m_drawFrame();

    SDL_Window* m_pWindow;
    SDL_Renderer* m_pRenderer;
    SDL_Texture* m_pTexture;
    bool m_videoStarted;
    bool m_fullscreen;
    // 15-bit word to the texture's 32-bit pixel.
    uint32_t* m_pConverter;

    static bool sm_cursorShown;
};

#endif
