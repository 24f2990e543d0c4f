#include "Framework/platform/sdl/HSDLDisplayDevice.h"

#include <SDL.h>
#include <algorithm>
#include <new>
#include <vector>

#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/HFramePlacement.h"
#include "Framework/graphics/HWindowIcon.h"
#include "Framework/util/src/HLog.h"

bool HSDLDisplayDevice::sm_cursorShown = true;

namespace
{
// Room left around a window for its frame and the desktop's panels.
const int32_t kWindowMarginX = 32;
const int32_t kWindowMarginY = 48;
const int32_t kIconSize = 32;
const uint32_t kErrorBoxFlags = 0x11;

int64_t floorDiv( int64_t a, int64_t b )
{
    int64_t q = a / b;
    if( ( a % b != 0 ) && ( ( a < 0 ) != ( b < 0 ) ) )
        --q;
    return q;
}

// The first plain 32-bit format the renderer takes natively; ARGB8888 (which SDL converts) otherwise.
uint32_t choosePixelFormat( SDL_Renderer* pRenderer )
{
    SDL_RendererInfo info;
    if( SDL_GetRendererInfo( pRenderer, &info ) == 0 )
    {
        for( uint32_t i = 0; i < info.num_texture_formats; ++i )
        {
            uint32_t format = info.texture_formats[ i ];
            if( !SDL_ISPIXELFORMAT_FOURCC( format ) && SDL_BYTESPERPIXEL( format ) == 4 &&
                !SDL_ISPIXELFORMAT_INDEXED( format ) )
                return format;
        }
    }
    return SDL_PIXELFORMAT_ARGB8888;
}

void setIcon( SDL_Window* pWindow )
{
    std::vector<uint32_t> pixels( static_cast<size_t>( kIconSize ) * kIconSize );
    HWindowIcon::paint( pixels.data(), kIconSize );
    SDL_Surface* pIcon = SDL_CreateRGBSurfaceWithFormatFrom( pixels.data(), kIconSize, kIconSize, 32, kIconSize * 4,
                                                             SDL_PIXELFORMAT_ARGB8888 );
    if( pIcon == nullptr )
        return;
    SDL_SetWindowIcon( pWindow, pIcon );
    SDL_FreeSurface( pIcon );
}
} // namespace

HSDLDisplayDevice::HSDLDisplayDevice( HCvarManager* pCvars )
    : HDisplayDevice( pCvars )
    , m_pWindow( nullptr )
    , m_pRenderer( nullptr )
    , m_pTexture( nullptr )
    , m_videoStarted( false )
    , m_fullscreen( false )
    , m_pConverter( nullptr )
{
}

HSDLDisplayDevice::~HSDLDisplayDevice()
{
    shutdownScreen();
    delete[] m_pConverter;
}

bool HSDLDisplayDevice::initScreen( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                    bool noDoubleClick )
{
    m_releaseResources();
    if( width <= 0 || height <= 0 || !m_createWindow( width, height, kpTitle, fullscreen ) )
    {
        alert( "initScreen: could not m_createWindow" );
        m_releaseResources();
        return false;
    }
    if( !fullscreen )
    {
        SDL_DisplayMode mode;
        int display = SDL_GetWindowDisplayIndex( m_pWindow );
        if( SDL_GetDesktopDisplayMode( display < 0 ? 0 : display, &mode ) == 0 &&
            SDL_BITSPERPIXEL( mode.format ) <= 14 && SDL_BITSPERPIXEL( mode.format ) > 0 )
        {
            messageBox( kErrorBoxFlags, "Error",
                        "This application requires 15-bit (32767 colors) or better graphics...please configure your "
                        "display adapter and try again" );
            m_releaseResources();
            return false;
        }
    }
    if( !m_initRenderer( width, height ) )
    {
        m_releaseResources();
        return false;
    }
    if( !HDisplayDevice::initScreen( width, height, kpTitle, fullscreen, noDoubleClick ) )
    {
        alert( "initScreen: could not allocate the back buffer" );
        m_releaseResources();
        return false;
    }
    HRect whole = { 0, 0, width, height };
    present( &whole, 1 );
    return true;
}

bool HSDLDisplayDevice::m_createWindow( int32_t width, int32_t height, const char* kpTitle, bool fullscreen )
{
    // The desktop matches the window to its menu entry by this class (X11) or app id (Wayland).
    // SDL reads them from the environment once, when video starts; a value the user set wins.
    SDL_setenv( "SDL_VIDEO_X11_WMCLASS", GLIMMERDROP_APP_ID, 0 );
    SDL_setenv( "SDL_VIDEO_WAYLAND_WMCLASS", GLIMMERDROP_APP_ID, 0 );
    SDL_SetHint( SDL_HINT_APP_NAME, "Glimmerdrop" );
    if( SDL_InitSubSystem( SDL_INIT_VIDEO ) != 0 )
    {
        debugTrace( "m_createWindow - SDL video failed: %s", SDL_GetError() );
        return false;
    }
    m_videoStarted = true;
    int32_t scale = 1;
    SDL_Rect usable;
    if( SDL_GetDisplayUsableBounds( 0, &usable ) == 0 )
        scale = HFramePlacement::scaleToFit( width, height, usable.w - kWindowMarginX, usable.h - kWindowMarginY );
    Uint32 flags = SDL_WINDOW_RESIZABLE | ( fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0 );
    m_pWindow = SDL_CreateWindow( kpTitle != nullptr ? kpTitle : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  width * scale, height * scale, flags );
    if( m_pWindow == nullptr )
    {
        debugTrace( "m_createWindow - could not create the window: %s", SDL_GetError() );
        return false;
    }
    SDL_SetWindowMinimumSize( m_pWindow, width, height );
    setIcon( m_pWindow );
    m_fullscreen = fullscreen;
    return true;
}

bool HSDLDisplayDevice::m_initRenderer( int32_t width, int32_t height )
{
    // Whole steps with the nearest pixel: sharp, never blurred.
    SDL_SetHint( SDL_HINT_RENDER_SCALE_QUALITY, "0" );
    m_pRenderer = SDL_CreateRenderer( m_pWindow, -1, 0 );
    if( m_pRenderer == nullptr )
        m_pRenderer = SDL_CreateRenderer( m_pWindow, -1, SDL_RENDERER_SOFTWARE );
    if( m_pRenderer == nullptr )
    {
        alert( "m_initRenderer - could not create the renderer: '%s'", SDL_GetError() );
        return false;
    }
    uint32_t format = choosePixelFormat( m_pRenderer );
    m_pTexture = SDL_CreateTexture( m_pRenderer, format, SDL_TEXTUREACCESS_STREAMING, width, height );
    if( m_pTexture == nullptr )
    {
        alert( "m_initRenderer - could not create the frame texture: '%s'", SDL_GetError() );
        return false;
    }
    m_buildConverter( format );
    return m_pConverter != nullptr;
}

void HSDLDisplayDevice::m_buildConverter( uint32_t pixelFormat )
{
    delete[] m_pConverter;
    m_pConverter = nullptr;
    SDL_PixelFormat* pFormat = SDL_AllocFormat( pixelFormat );
    if( pFormat == nullptr )
        return;
    m_pConverter = new( std::nothrow ) uint32_t[ 32768 ];
    if( m_pConverter != nullptr )
    {
        for( uint32_t word = 0; word < 32768; ++word )
        {
            // Each 5-bit channel widened by repeating its top bits, so 31 becomes 255.
            uint32_t r = ( word >> 10 ) & 31;
            uint32_t g = ( word >> 5 ) & 31;
            uint32_t b = word & 31;
            m_pConverter[ word ] =
                SDL_MapRGBA( pFormat, static_cast<Uint8>( r << 3 | r >> 2 ), static_cast<Uint8>( g << 3 | g >> 2 ),
                             static_cast<Uint8>( b << 3 | b >> 2 ), 255 );
        }
    }
    SDL_FreeFormat( pFormat );
}

void HSDLDisplayDevice::m_releaseResources()
{
    if( m_pTexture != nullptr )
    {
        SDL_DestroyTexture( m_pTexture );
        m_pTexture = nullptr;
    }
    if( m_pRenderer != nullptr )
    {
        SDL_DestroyRenderer( m_pRenderer );
        m_pRenderer = nullptr;
    }
    if( m_pWindow != nullptr )
    {
        SDL_DestroyWindow( m_pWindow );
        m_pWindow = nullptr;
    }
    if( m_videoStarted )
    {
        SDL_QuitSubSystem( SDL_INIT_VIDEO );
        m_videoStarted = false;
    }
    m_fullscreen = false;
}

bool HSDLDisplayDevice::shutdownScreen()
{
    bool hadWindow = m_pWindow != nullptr;
    m_releaseResources();
    m_freeBackBuffer();
    return hadWindow;
}

void HSDLDisplayDevice::showCursor( bool show )
{
    if( show == sm_cursorShown )
        return;
    sm_cursorShown = show;
    SDL_ShowCursor( show ? SDL_ENABLE : SDL_DISABLE );
}

bool HSDLDisplayDevice::switchDisplayMode()
{
    if( m_pWindow == nullptr )
        return false;
    if( SDL_SetWindowFullscreen( m_pWindow, m_fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP ) != 0 )
    {
        debugTrace( "switchDisplayMode - SDL refused: %s", SDL_GetError() );
        return false;
    }
    m_fullscreen = !m_fullscreen;
    m_drawFrame();
    return true;
}

void HSDLDisplayDevice::present( const HRect* kpRects, int32_t count )
{
    if( m_pTexture == nullptr || m_pBackBuffer == nullptr || kpRects == nullptr )
        return;
    for( int32_t i = 0; i < count; ++i )
    {
        SDL_Rect area;
        area.x = std::max( kpRects[ i ].left, 0 );
        area.y = std::max( kpRects[ i ].top, 0 );
        area.w = std::min( kpRects[ i ].right, m_screenWidth ) - area.x;
        area.h = std::min( kpRects[ i ].bottom, m_screenHeight ) - area.y;
        if( area.w <= 0 || area.h <= 0 )
            continue;
        void* pPixels = nullptr;
        int pitch = 0;
        if( SDL_LockTexture( m_pTexture, &area, &pPixels, &pitch ) != 0 )
            continue;
        for( int y = 0; y < area.h; ++y )
        {
            const uint16_t* kpSource = m_pBackBuffer + static_cast<size_t>( area.y + y ) * m_screenWidth + area.x;
            uint32_t* pDest =
                reinterpret_cast<uint32_t*>( static_cast<uint8_t*>( pPixels ) + static_cast<size_t>( y ) * pitch );
            for( int x = 0; x < area.w; ++x )
                pDest[ x ] = m_pConverter[ kpSource[ x ] & 0x7FFF ];
        }
        SDL_UnlockTexture( m_pTexture );
    }
    m_drawFrame();
}

void HSDLDisplayDevice::refresh()
{
    m_drawFrame();
}

HRect HSDLDisplayDevice::getFrameRect() const
{
    int width = m_screenWidth;
    int height = m_screenHeight;
    if( m_pRenderer != nullptr )
        SDL_GetRendererOutputSize( m_pRenderer, &width, &height );
    return HFramePlacement( m_screenWidth, m_screenHeight, width, height ).getRect();
}

void HSDLDisplayDevice::m_drawFrame()
{
    if( m_pRenderer == nullptr || m_pTexture == nullptr )
        return;
    HRect frame = getFrameRect();
    SDL_Rect target = { frame.left, frame.top, frame.width(), frame.height() };
    SDL_SetRenderDrawColor( m_pRenderer, 0, 0, 0, 255 );
    SDL_RenderClear( m_pRenderer );
    SDL_RenderCopy( m_pRenderer, m_pTexture, nullptr, &target );
    SDL_RenderPresent( m_pRenderer );
}

HPoint HSDLDisplayDevice::mapWindowToFrame( int32_t windowX, int32_t windowY ) const
{
    if( m_pWindow == nullptr || m_pRenderer == nullptr || m_screenWidth <= 0 || m_screenHeight <= 0 )
        return { windowX, windowY };
    int windowWidth = 0;
    int windowHeight = 0;
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetWindowSize( m_pWindow, &windowWidth, &windowHeight );
    if( SDL_GetRendererOutputSize( m_pRenderer, &outputWidth, &outputHeight ) != 0 || windowWidth <= 0 ||
        windowHeight <= 0 )
        return { windowX, windowY };
    // Window points to output pixels (they differ on high-density screens), then into the frame.
    int64_t outputX = floorDiv( static_cast<int64_t>( windowX ) * outputWidth, windowWidth );
    int64_t outputY = floorDiv( static_cast<int64_t>( windowY ) * outputHeight, windowHeight );
    HFramePlacement placement( m_screenWidth, m_screenHeight, outputWidth, outputHeight );
    return placement.toFrame( static_cast<int32_t>( std::clamp<int64_t>( outputX, INT32_MIN, INT32_MAX ) ),
                              static_cast<int32_t>( std::clamp<int64_t>( outputY, INT32_MIN, INT32_MAX ) ) );
}

HDisplayDevice* createDisplayDevice( int32_t width, int32_t height, const char* kpTitle, bool fullscreen,
                                     bool noDoubleClick, HCvarManager* pCvars )
{
    HSDLDisplayDevice* pDevice = new( std::nothrow ) HSDLDisplayDevice( pCvars );
    if( pDevice == nullptr )
        return nullptr;
    if( !pDevice->initScreen( width, height, kpTitle, fullscreen, noDoubleClick ) )
    {
        delete pDevice;
        return nullptr;
    }
    return pDevice;
}
