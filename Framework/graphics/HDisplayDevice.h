#ifndef GLIMMERDROP_FRAMEWORK_GRAPHICS_HDISPLAYDEVICE_H
#define GLIMMERDROP_FRAMEWORK_GRAPHICS_HDISPLAYDEVICE_H

#include <cstdint>

#include "Framework/application/HDirtyRectList.h"
#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/HColor.h"
#include "Framework/graphics/HRect.h"

class HCvarManager;
class HImage;
class HSurface;
class VXSprite;
struct HBitmapFont;

// Text alignment codes of drawText.
enum HTextAlign : int32_t
{
    TA_LEFT = 0,
    TA_RIGHT = 1,
    TA_CENTRE = 2
};

// The display: a 15-bit back buffer in memory that all drawing goes into, and the path that shows
// its dirty rectangles. The back buffer, surfaces, blits and text are portable and live here;
// a platform device supplies the window (initScreen, shutdownScreen, present, showCursor).
class HDisplayDevice
{
public:
    explicit HDisplayDevice( HCvarManager* pCvars );
    virtual ~HDisplayDevice();

    HDisplayDevice( const HDisplayDevice& ) = delete;
    HDisplayDevice& operator=( const HDisplayDevice& ) = delete;

    // Makes the back buffer (black) of the given size and sets the blitter's 5-5-5 layout.
    virtual bool initScreen( int32_t width, int32_t height, const char* kpTitle, bool fullscreen, bool noDoubleClick );
    virtual bool shutdownScreen() = 0;
    // Fills the back buffer; marks nothing dirty.
    virtual void clear( const HColor& colour );
    // Kept for the order of the interface; no device needs the flag.
    virtual void setFlag( bool flag );
    virtual HSurface* duplicateSurface( const HSurface* kpSurface );
    virtual HSurface* createSurface( const HImage* kpImage );
    // Tolerates null.
    virtual void destroySurface( HSurface* pSurface );
    virtual void showCursor( bool show ) = 0;
    virtual bool blendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface, int32_t srcAlphaSource,
                            int32_t srcParamSource, int32_t srcInvert, uint8_t constA, int32_t dstAlphaSource,
                            int32_t dstParamSource, int32_t dstInvert, uint8_t constB, int32_t blendOp );
    virtual bool blit( const HRect& dest, const HRect& src, const HSurface* kpSurface );
    virtual bool blitSurface( const HRect& dest, const HSurface* kpSurface );
    // True when the device changed between window and full screen by itself.
    virtual bool switchDisplayMode();
    virtual void destroyFont( HBitmapFont* pFont );
    // Null for a null sprite or cells without area.
    virtual HBitmapFont* createFont( VXSprite* pSprite, int32_t cellWidth, int32_t cellHeight );
    // Characters without a cell (codes below 16 or above 127) draw nothing but keep their place.
    // The colour is accepted for callers' sake; the font's own pixels are drawn.
    virtual void drawText( const char* kpText, int32_t x, int32_t y, const HRect& clip, int32_t align,
                           const HBitmapFont* kpFont, const HColor* kpColour );
    virtual void deactivate();
    virtual void activate();
    virtual void setBlendOption( int32_t index, uint8_t value );
    virtual void present( const HRect* kpRects, int32_t count ) = 0;

    // Where a point of the window (as the platform reports it) falls in the frame; outside the
    // picture the result lies outside 0..width, 0..height. The base has no window to scale.
    virtual HPoint mapWindowToFrame( int32_t windowX, int32_t windowY ) const;
    // The refresh rate of the screen the window is on, in hertz; 0 when unknown.
    virtual int32_t getRefreshRate() const { return 0; }

    // Presents the dirty rectangles, trimmed to the screen, and empties the list.
    void presentDirty();
    void addDirtyRect( const HRect& rect ) { m_dirty.add( rect ); }
    bool clippedBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface );
    bool clippedBlendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface, int32_t srcAlphaSource,
                           int32_t srcParamSource, int32_t srcInvert, uint8_t constA, int32_t dstAlphaSource,
                           int32_t dstParamSource, int32_t dstInvert, uint8_t constB, int32_t blendOp );
    // The same with the nine arguments in one record.
    bool blendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface, const HBlendParams& params );
    bool clippedBlendBlit( const HRect& dest, const HRect& src, const HSurface* kpSurface, const HBlendParams& params );

    // Writes the back buffer as an RGB PNG file; false (with a debug-trace line) on any failure.
    bool saveScreenshot( const char* kpPath ) const;

    int32_t getScreenWidth() const { return m_screenWidth; }
    int32_t getScreenHeight() const { return m_screenHeight; }
    HCvarManager* getCvars() const { return m_pCvars; }
    const HDirtyRectList& getDirtyList() const { return m_dirty; }
    // The back buffer as a drawing target; null pixels before initScreen.
    HPixelTarget getBackBuffer() const;

protected:
    void m_freeBackBuffer();

    HCvarManager* m_pCvars;
    HDirtyRectList m_dirty;
    int32_t m_screenWidth;
    int32_t m_screenHeight;
    uint16_t* m_pBackBuffer;
};

#endif
