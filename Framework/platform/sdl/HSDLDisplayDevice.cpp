#include "Framework/platform/sdl/HSDLDisplayDevice.h"

#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#if defined( __SSE2__ ) && ( defined( __x86_64__ ) || defined( __i386__ ) )
#include <emmintrin.h>
#endif

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

// An OpenGL renderer drawn by the processor (no graphics card, or a virtual display) copies and
// presents the whole frame each time; the window's own pixels are cheaper there.
bool rasterisesOnTheProcessor( const SDL_RendererInfo& info )
{
    if( std::strncmp( info.name, "opengl", 6 ) != 0 )
        return false;
    typedef const unsigned char*( SDLCALL * GetString )( unsigned int );
    GetString getString = reinterpret_cast<GetString>( SDL_GL_GetProcAddress( "glGetString" ) );
    const unsigned int kRendererName = 0x1F01;
    const char* kpName = getString != nullptr ? reinterpret_cast<const char*>( getString( kRendererName ) ) : nullptr;
    if( kpName == nullptr )
        return false;
    for( const char* kpSoftware : { "llvmpipe", "softpipe", "Software Rasterizer", "SWR" } )
    {
        if( std::strstr( kpName, kpSoftware ) != nullptr )
            return true;
    }
    return false;
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
    , m_computedArgb( false )
    , m_alphaBits( 0 )
    , m_intoWindowSurface( false )
    , m_pPaintedSurface( nullptr )
    , m_paintedWidth( 0 )
    , m_paintedHeight( 0 )
    , m_stale( false )
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
    m_pRenderer = SDL_CreateRenderer( m_pWindow, -1, SDL_RENDERER_ACCELERATED );
    SDL_RendererInfo info;
    if( m_pRenderer != nullptr && ( SDL_GetRendererInfo( m_pRenderer, &info ) != 0 ||
                                    ( info.flags & SDL_RENDERER_SOFTWARE ) != 0 || rasterisesOnTheProcessor( info ) ) )
    {
        SDL_DestroyRenderer( m_pRenderer );
        m_pRenderer = nullptr;
    }
    if( m_pRenderer == nullptr )
    {
        // A software renderer would copy and present the whole frame each time; the window's own
        // pixels take just what changed. Left to itself SDL would put those pixels through a
        // renderer again (the same processor-drawn OpenGL under X11).
        SDL_SetHint( SDL_HINT_FRAMEBUFFER_ACCELERATION, "0" );
        SDL_Surface* pSurface = SDL_GetWindowSurface( m_pWindow );
        if( pSurface != nullptr && pSurface->format->BytesPerPixel == 4 )
        {
            m_intoWindowSurface = true;
            m_pPaintedSurface = nullptr;
            m_buildConverter( pSurface->format->format );
            return m_pConverter != nullptr;
        }
        m_pRenderer = SDL_CreateRenderer( m_pWindow, -1, SDL_RENDERER_SOFTWARE );
    }
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
    // 8-bit channels in the usual places are computed rather than looked up.
    m_computedArgb = pFormat->BytesPerPixel == 4 && pFormat->Rmask == 0x00FF0000u && pFormat->Gmask == 0x0000FF00u &&
                     pFormat->Bmask == 0x000000FFu && ( pFormat->Amask == 0 || pFormat->Amask == 0xFF000000u );
    m_alphaBits = pFormat->Amask;
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
    m_intoWindowSurface = false;
    m_pPaintedSurface = nullptr;
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

bool HSDLDisplayDevice::m_isShown() const
{
    return m_pWindow != nullptr &&
           ( SDL_GetWindowFlags( m_pWindow ) & ( SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED ) ) == 0;
}

void HSDLDisplayDevice::m_convertRow( uint32_t* pDest, const uint16_t* kpSrc, int32_t width, int32_t repeat ) const
{
    int32_t x = 0;
#if defined( __SSE2__ ) && ( defined( __x86_64__ ) || defined( __i386__ ) )
    if( m_computedArgb && repeat == 1 )
    {
        // Each 5-bit channel widened by repeating its top bits, as the table does.
        const __m128i k0xF8 = _mm_set1_epi16( 0xF8 );
        const __m128i k7 = _mm_set1_epi16( 7 );
        const __m128i kAlpha = _mm_set1_epi16( static_cast<short>( ( m_alphaBits >> 16 ) & 0xFF00u ) );
        for( ; x + 8 <= width; x += 8 )
        {
            __m128i w = _mm_loadu_si128( reinterpret_cast<const __m128i*>( kpSrc + x ) );
            __m128i r = _mm_or_si128( _mm_and_si128( _mm_srli_epi16( w, 7 ), k0xF8 ),
                                      _mm_and_si128( _mm_srli_epi16( w, 12 ), k7 ) );
            __m128i g = _mm_or_si128( _mm_and_si128( _mm_srli_epi16( w, 2 ), k0xF8 ),
                                      _mm_and_si128( _mm_srli_epi16( w, 7 ), k7 ) );
            __m128i b = _mm_or_si128( _mm_and_si128( _mm_slli_epi16( w, 3 ), k0xF8 ),
                                      _mm_and_si128( _mm_srli_epi16( w, 2 ), k7 ) );
            __m128i low = _mm_or_si128( _mm_slli_epi16( g, 8 ), b );
            __m128i high = _mm_or_si128( kAlpha, r );
            _mm_storeu_si128( reinterpret_cast<__m128i*>( pDest + x ), _mm_unpacklo_epi16( low, high ) );
            _mm_storeu_si128( reinterpret_cast<__m128i*>( pDest + x + 4 ), _mm_unpackhi_epi16( low, high ) );
        }
    }
#endif
    if( repeat == 1 )
    {
        for( ; x < width; ++x )
            pDest[ x ] = m_pConverter[ kpSrc[ x ] & 0x7FFF ];
        return;
    }
    for( ; x < width; ++x )
    {
        uint32_t pixel = m_pConverter[ kpSrc[ x ] & 0x7FFF ];
        for( int32_t i = 0; i < repeat; ++i )
            *pDest++ = pixel;
    }
}

void HSDLDisplayDevice::m_convertScaled( uint8_t* pPixels, int pitch, const HRect& frame, const HRect& area ) const
{
    int32_t frameWidth = frame.width();
    int32_t frameHeight = frame.height();
    if( frameWidth % m_screenWidth == 0 && frameHeight % m_screenHeight == 0 &&
        frameWidth / m_screenWidth == frameHeight / m_screenHeight )
    {
        int32_t scale = frameWidth / m_screenWidth;
        size_t rowBytes = static_cast<size_t>( area.width() ) * scale * 4;
        for( int32_t y = area.top; y < area.bottom; ++y )
        {
            uint8_t* pFirst = pPixels + static_cast<size_t>( frame.top + y * scale ) * pitch +
                              static_cast<size_t>( frame.left + area.left * scale ) * 4;
            m_convertRow( reinterpret_cast<uint32_t*>( pFirst ),
                          m_pBackBuffer + static_cast<size_t>( y ) * m_screenWidth + area.left, area.width(), scale );
            for( int32_t i = 1; i < scale; ++i )
                std::memcpy( pFirst + static_cast<size_t>( i ) * pitch, pFirst, rowBytes );
        }
        return;
    }
    // A window smaller than the frame: each window pixel takes the frame pixel under it.
    int32_t left = frame.left + area.left * frameWidth / m_screenWidth;
    int32_t right = frame.left + ( area.right * frameWidth + m_screenWidth - 1 ) / m_screenWidth;
    int32_t top = frame.top + area.top * frameHeight / m_screenHeight;
    int32_t bottom = frame.top + ( area.bottom * frameHeight + m_screenHeight - 1 ) / m_screenHeight;
    for( int32_t y = top; y < bottom; ++y )
    {
        int32_t sy = std::min( ( y - frame.top ) * m_screenHeight / frameHeight, m_screenHeight - 1 );
        uint32_t* pRow = reinterpret_cast<uint32_t*>( pPixels + static_cast<size_t>( y ) * pitch );
        for( int32_t x = left; x < right; ++x )
        {
            int32_t sx = std::min( ( x - frame.left ) * m_screenWidth / frameWidth, m_screenWidth - 1 );
            pRow[ x ] = m_pConverter[ m_pBackBuffer[ static_cast<size_t>( sy ) * m_screenWidth + sx ] & 0x7FFF ];
        }
    }
}

void HSDLDisplayDevice::m_presentIntoWindow( const HRect* kpRects, int32_t count )
{
    SDL_Surface* pSurface = SDL_GetWindowSurface( m_pWindow );
    if( pSurface == nullptr || pSurface->format->BytesPerPixel != 4 )
        return;
    HRect whole = { 0, 0, m_screenWidth, m_screenHeight };
    bool everything = m_stale || pSurface != m_pPaintedSurface || pSurface->w != m_paintedWidth ||
                      pSurface->h != m_paintedHeight;
    if( everything )
    {
        // The bars around the frame too.
        SDL_FillRect( pSurface, nullptr, SDL_MapRGB( pSurface->format, 0, 0, 0 ) );
        kpRects = &whole;
        count = 1;
    }
    HRect frame = HFramePlacement( m_screenWidth, m_screenHeight, pSurface->w, pSurface->h ).getRect();
    if( SDL_MUSTLOCK( pSurface ) && SDL_LockSurface( pSurface ) != 0 )
        return;
    std::vector<SDL_Rect> updated;
    updated.reserve( static_cast<size_t>( count ) );
    for( int32_t i = 0; i < count; ++i )
    {
        HRect area = { std::max( kpRects[ i ].left, 0 ), std::max( kpRects[ i ].top, 0 ),
                       std::min( kpRects[ i ].right, m_screenWidth ), std::min( kpRects[ i ].bottom, m_screenHeight ) };
        if( area.width() <= 0 || area.height() <= 0 )
            continue;
        m_convertScaled( static_cast<uint8_t*>( pSurface->pixels ), pSurface->pitch, frame, area );
        int32_t left = frame.left + static_cast<int32_t>( static_cast<int64_t>( area.left ) * frame.width() / m_screenWidth );
        int32_t top = frame.top + static_cast<int32_t>( static_cast<int64_t>( area.top ) * frame.height() / m_screenHeight );
        int32_t right = frame.left + static_cast<int32_t>(
                                         ( static_cast<int64_t>( area.right ) * frame.width() + m_screenWidth - 1 ) / m_screenWidth );
        int32_t bottom = frame.top + static_cast<int32_t>(
                                         ( static_cast<int64_t>( area.bottom ) * frame.height() + m_screenHeight - 1 ) / m_screenHeight );
        updated.push_back( SDL_Rect{ left, top, right - left, bottom - top } );
    }
    if( SDL_MUSTLOCK( pSurface ) )
        SDL_UnlockSurface( pSurface );
    if( everything )
        SDL_UpdateWindowSurface( m_pWindow );
    else if( !updated.empty() )
        SDL_UpdateWindowSurfaceRects( m_pWindow, updated.data(), static_cast<int>( updated.size() ) );
    m_pPaintedSurface = pSurface;
    m_paintedWidth = pSurface->w;
    m_paintedHeight = pSurface->h;
    m_stale = false;
}

void HSDLDisplayDevice::present( const HRect* kpRects, int32_t count )
{
    if( m_pBackBuffer == nullptr || kpRects == nullptr || m_pConverter == nullptr )
        return;
    if( !m_isShown() )
    {
        // Nothing can be seen; all of it is shown again once the window is.
        m_stale = true;
        return;
    }
    if( m_intoWindowSurface )
    {
        m_presentIntoWindow( kpRects, count );
        return;
    }
    if( m_pTexture == nullptr )
        return;
    HRect whole = { 0, 0, m_screenWidth, m_screenHeight };
    if( m_stale )
    {
        kpRects = &whole;
        count = 1;
        m_stale = false;
    }
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
            m_convertRow( reinterpret_cast<uint32_t*>( static_cast<uint8_t*>( pPixels ) + static_cast<size_t>( y ) * pitch ),
                          m_pBackBuffer + static_cast<size_t>( area.y + y ) * m_screenWidth + area.x, area.w, 1 );
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
    else if( m_intoWindowSurface && m_pWindow != nullptr )
        SDL_GetWindowSizeInPixels( m_pWindow, &width, &height );
    return HFramePlacement( m_screenWidth, m_screenHeight, width, height ).getRect();
}

void HSDLDisplayDevice::m_drawFrame()
{
    if( m_intoWindowSurface )
    {
        m_stale = true;
        HRect whole = { 0, 0, m_screenWidth, m_screenHeight };
        if( m_pBackBuffer != nullptr && m_pConverter != nullptr && m_isShown() )
            m_presentIntoWindow( &whole, 1 );
        return;
    }
    if( m_pRenderer == nullptr || m_pTexture == nullptr )
        return;
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize( m_pRenderer, &width, &height );
    HRect frame = HFramePlacement( m_screenWidth, m_screenHeight, width, height ).getRect();
    SDL_Rect target = { frame.left, frame.top, frame.width(), frame.height() };
    // The card copies the frame; only the bars beside it are filled, not the whole target first.
    SDL_Rect bars[ 4 ] = { { 0, 0, width, frame.top },
                           { 0, frame.bottom, width, height - frame.bottom },
                           { 0, frame.top, frame.left, frame.height() },
                           { frame.right, frame.top, width - frame.right, frame.height() } };
    SDL_Rect shown[ 4 ];
    int count = 0;
    for( const SDL_Rect& bar : bars )
    {
        if( bar.w > 0 && bar.h > 0 )
            shown[ count++ ] = bar;
    }
    SDL_SetRenderDrawColor( m_pRenderer, 0, 0, 0, 255 );
    if( count > 0 )
        SDL_RenderFillRects( m_pRenderer, shown, count );
    SDL_RenderCopy( m_pRenderer, m_pTexture, nullptr, &target );
    SDL_RenderPresent( m_pRenderer );
}

int32_t HSDLDisplayDevice::getRefreshRate() const
{
    if( m_pWindow == nullptr )
        return 0;
    int display = SDL_GetWindowDisplayIndex( m_pWindow );
    SDL_DisplayMode mode;
    if( display < 0 || SDL_GetCurrentDisplayMode( display, &mode ) != 0 )
        return 0;
    return mode.refresh_rate;
}

HPoint HSDLDisplayDevice::mapWindowToFrame( int32_t windowX, int32_t windowY ) const
{
    if( m_pWindow == nullptr || ( m_pRenderer == nullptr && !m_intoWindowSurface ) || m_screenWidth <= 0 ||
        m_screenHeight <= 0 )
        return { windowX, windowY };
    int windowWidth = 0;
    int windowHeight = 0;
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetWindowSize( m_pWindow, &windowWidth, &windowHeight );
    if( m_pRenderer != nullptr )
        SDL_GetRendererOutputSize( m_pRenderer, &outputWidth, &outputHeight );
    else
        SDL_GetWindowSizeInPixels( m_pWindow, &outputWidth, &outputHeight );
    if( windowWidth <= 0 || windowHeight <= 0 || outputWidth <= 0 || outputHeight <= 0 )
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
