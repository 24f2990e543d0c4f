#include <gtest/gtest.h>

#include <SDL.h>
#include <memory>
#include <vector>

#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/platform/sdl/HSDLDisplayDevice.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

// These run on SDL's dummy video driver, which draws with the software renderer into memory, so
// what was presented can be read back.

namespace
{
uint32_t widened( uint16_t word )
{
    auto widen = []( uint32_t v ) { return v << 3 | v >> 2; };
    return 0xFF000000u | widen( ( word >> 10 ) & 31 ) << 16 | widen( ( word >> 5 ) & 31 ) << 8 | widen( word & 31 );
}

class HSDLDisplayDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDisplay.reset( createDisplayDevice( 640, 480, "Glimmerdrop(Ver 1.50.07)", false, true, nullptr ) );
        ASSERT_NE( m_pDisplay, nullptr );
        m_pSdl = static_cast<HSDLDisplayDevice*>( m_pDisplay.get() );
    }

    // What the window last showed, as 0xAARRGGBB words.
    std::vector<uint32_t> readFrame( int& width, int& height )
    {
        if( m_pSdl->drawsIntoWindowSurface() )
        {
            SDL_Surface* pSurface = SDL_GetWindowSurface( m_pSdl->getWindow() );
            width = pSurface->w;
            height = pSurface->h;
            std::vector<uint32_t> pixels( static_cast<size_t>( width ) * height );
            EXPECT_EQ( SDL_ConvertPixels( width, height, pSurface->format->format, pSurface->pixels, pSurface->pitch,
                                          SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4 ),
                       0 );
            // The window's own pixels may carry no alpha.
            for( uint32_t& pixel : pixels )
                pixel |= 0xFF000000u;
            return pixels;
        }
        SDL_Renderer* pRenderer = SDL_GetRenderer( m_pSdl->getWindow() );
        SDL_GetRendererOutputSize( pRenderer, &width, &height );
        std::vector<uint32_t> pixels( static_cast<size_t>( width ) * height );
        EXPECT_EQ( SDL_RenderReadPixels( pRenderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4 ), 0 );
        return pixels;
    }

    // A surface of the given words, w x h, no mask.
    static std::unique_ptr<HSurface> surfaceOf( int w, int h, const std::vector<uint16_t>& words )
    {
        std::unique_ptr<HSurface> surface( new HSurface( w, h, false ) );
        std::copy( words.begin(), words.end(), surface->getPixels() );
        return surface;
    }

    RecordingProcessServices m_services;
    std::unique_ptr<HDisplayDevice> m_pDisplay;
    HSDLDisplayDevice* m_pSdl = nullptr;
};
} // namespace

TEST_F( HSDLDisplayDeviceTest, OpensAWindowWithTheTitleAtTheFramesSize )
{
    EXPECT_STREQ( SDL_GetWindowTitle( m_pSdl->getWindow() ), "Glimmerdrop(Ver 1.50.07)" );
    int width = 0;
    int height = 0;
    SDL_GetWindowSize( m_pSdl->getWindow(), &width, &height );
    // The dummy desktop is 1024 x 768: only the first whole step fits with room to spare.
    EXPECT_EQ( width, 640 );
    EXPECT_EQ( height, 480 );
    EXPECT_TRUE( SDL_GetWindowFlags( m_pSdl->getWindow() ) & SDL_WINDOW_RESIZABLE );
    EXPECT_FALSE( m_pSdl->isFullscreen() );
    EXPECT_EQ( m_pDisplay->getScreenWidth(), 640 );
    EXPECT_TRUE( m_services.boxes.empty() );
}

TEST_F( HSDLDisplayDeviceTest, PresentedFramesReadBackWithTheirColours )
{
    const std::vector<uint16_t> kWords = { 0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x0000, 0x4210, 0x7C1F, 0x0421 };
    auto surface = surfaceOf( 4, 2, kWords );
    m_pDisplay->clear( { 0.0f, 0.0f, 1.0f, 1.0f } );
    m_pDisplay->addDirtyRect( { 0, 0, 640, 480 } );
    m_pDisplay->blitSurface( { 100, 50, 104, 52 }, surface.get() );
    m_pDisplay->presentDirty();
    int width = 0;
    int height = 0;
    std::vector<uint32_t> frame = readFrame( width, height );
    ASSERT_EQ( width, 640 );
    ASSERT_EQ( height, 480 );
    for( int i = 0; i < 8; ++i )
        EXPECT_EQ( frame[ ( 50 + i / 4 ) * 640 + 100 + i % 4 ], widened( kWords[ i ] ) ) << i;
    EXPECT_EQ( frame[ 0 ], 0xFF0000FFu );
    EXPECT_EQ( frame[ 479 * 640 + 639 ], 0xFF0000FFu );

    // Every colour word, the unused top bit set on half of them, through the conversion.
    std::vector<uint16_t> all( 256 * 256 );
    for( size_t i = 0; i < all.size(); ++i )
        all[ i ] = static_cast<uint16_t>( i );
    auto everyWord = surfaceOf( 256, 256, all );
    m_pDisplay->blitSurface( { 3, 5, 259, 261 }, everyWord.get() );
    m_pDisplay->presentDirty();
    frame = readFrame( width, height );
    for( int i = 0; i < 256 * 256; ++i )
        ASSERT_EQ( frame[ ( 5 + i / 256 ) * 640 + 3 + i % 256 ], widened( all[ i ] & 0x7FFF ) ) << i;
}

TEST_F( HSDLDisplayDeviceTest, OnlyDirtyRectanglesReachTheScreen )
{
    m_pDisplay->clear( { 1.0f, 1.0f, 1.0f, 1.0f } );
    m_pDisplay->addDirtyRect( { 10, 10, 20, 20 } );
    m_pDisplay->presentDirty();
    int width = 0;
    int height = 0;
    std::vector<uint32_t> frame = readFrame( width, height );
    EXPECT_EQ( frame[ 15 * 640 + 15 ], 0xFFFFFFFFu );
    // Drawn into the back buffer but never marked: still black on screen.
    EXPECT_EQ( frame[ 25 * 640 + 25 ], 0xFF000000u );
    EXPECT_EQ( frame[ 15 * 640 + 20 ], 0xFF000000u );
}

TEST_F( HSDLDisplayDeviceTest, ALargerWindowShowsWholeStepsLetterBoxed )
{
    SDL_SetWindowSize( m_pSdl->getWindow(), 1300, 1000 );
    m_pDisplay->clear( { 0, 0, 0, 1 } );
    std::vector<uint16_t> words = { 0x7C00, 0x03E0, 0x001F, 0x7FFF };
    auto surface = surfaceOf( 2, 2, words );
    m_pDisplay->blitSurface( { 0, 0, 2, 2 }, surface.get() );
    m_pDisplay->blitSurface( { 638, 478, 640, 480 }, surface.get() );
    m_pDisplay->presentDirty();
    EXPECT_EQ( m_pSdl->getFrameRect(), ( HRect{ 10, 20, 1290, 980 } ) );
    int width = 0;
    int height = 0;
    std::vector<uint32_t> frame = readFrame( width, height );
    ASSERT_EQ( width, 1300 );
    ASSERT_EQ( height, 1000 );
    // Each frame pixel is a sharp 2 x 2 block; the bars are black.
    for( int dy = 0; dy < 2; ++dy )
    {
        for( int dx = 0; dx < 2; ++dx )
        {
            EXPECT_EQ( frame[ ( 20 + dy ) * 1300 + 10 + dx ], widened( 0x7C00 ) );
            EXPECT_EQ( frame[ ( 20 + dy ) * 1300 + 12 + dx ], widened( 0x03E0 ) );
            EXPECT_EQ( frame[ ( 22 + dy ) * 1300 + 10 + dx ], widened( 0x001F ) );
            EXPECT_EQ( frame[ ( 978 + dy ) * 1300 + 1288 + dx ], widened( 0x7FFF ) );
        }
    }
    EXPECT_EQ( frame[ 19 * 1300 + 10 ], 0xFF000000u );
    EXPECT_EQ( frame[ 20 * 1300 + 9 ], 0xFF000000u );
    EXPECT_EQ( frame[ 980 * 1300 + 1289 ], 0xFF000000u );

    // The mouse maps back exactly, also in the bars (outside 0..640, 0..480).
    const struct
    {
        int wx, wy, fx, fy;
    } kPoints[] = { { 10, 20, 0, 0 },        { 11, 21, 0, 0 },        { 12, 22, 1, 1 },  { 9, 19, -1, -1 },
                    { 1289, 979, 639, 479 }, { 1290, 980, 640, 480 }, { 0, 0, -5, -10 }, { 650, 500, 320, 240 } };
    for( const auto& point : kPoints )
    {
        HPoint mapped = m_pDisplay->mapWindowToFrame( point.wx, point.wy );
        EXPECT_EQ( mapped.x, point.fx ) << point.wx;
        EXPECT_EQ( mapped.y, point.fy ) << point.wy;
    }
}

TEST_F( HSDLDisplayDeviceTest, FullScreenCoversTheDesktopAndSwitchesInPlace )
{
    std::unique_ptr<HDisplayDevice> full( createDisplayDevice( 640, 480, "full", true, true, nullptr ) );
    m_pDisplay.reset();
    ASSERT_NE( full, nullptr );
    HSDLDisplayDevice* pFull = static_cast<HSDLDisplayDevice*>( full.get() );
    EXPECT_TRUE( pFull->isFullscreen() );
    EXPECT_TRUE( SDL_GetWindowFlags( pFull->getWindow() ) & SDL_WINDOW_FULLSCREEN_DESKTOP );
    // The dummy desktop is 1024 x 768: the frame at 1x, centred.
    EXPECT_EQ( pFull->getFrameRect(), ( HRect{ 192, 144, 832, 624 } ) );
    EXPECT_EQ( full->mapWindowToFrame( 192, 144 ).x, 0 );
    EXPECT_EQ( full->mapWindowToFrame( 831, 623 ).y, 479 );

    EXPECT_TRUE( full->switchDisplayMode() );
    EXPECT_FALSE( pFull->isFullscreen() );
    EXPECT_FALSE( SDL_GetWindowFlags( pFull->getWindow() ) & SDL_WINDOW_FULLSCREEN_DESKTOP );
    EXPECT_TRUE( full->switchDisplayMode() );
    EXPECT_TRUE( pFull->isFullscreen() );
}

TEST_F( HSDLDisplayDeviceTest, TheCursorIsOnlyToldOfChanges )
{
    m_pDisplay->showCursor( false );
    EXPECT_EQ( SDL_ShowCursor( SDL_QUERY ), SDL_DISABLE );
    // Shown behind the device's back: a second hide is not passed on, since nothing changed for it.
    SDL_ShowCursor( SDL_ENABLE );
    m_pDisplay->showCursor( false );
    EXPECT_EQ( SDL_ShowCursor( SDL_QUERY ), SDL_ENABLE );
    m_pDisplay->showCursor( true );
    m_pDisplay->showCursor( false );
    EXPECT_EQ( SDL_ShowCursor( SDL_QUERY ), SDL_DISABLE );
    m_pDisplay->showCursor( true );
}

TEST_F( HSDLDisplayDeviceTest, ScreenshotsAndShutdown )
{
    TempDir dir;
    m_pDisplay->clear( { 1, 0, 0, 1 } );
    ASSERT_TRUE( m_pDisplay->saveScreenshot( dir.file( "frame.png" ).c_str() ) );
    EXPECT_EQ( dir.read( "frame.png" ).substr( 1, 3 ), "PNG" );
    EXPECT_TRUE( m_pDisplay->shutdownScreen() );
    EXPECT_EQ( m_pSdl->getWindow(), nullptr );
    EXPECT_FALSE( m_pDisplay->shutdownScreen() );
    // Everything after shutdown is harmless.
    m_pDisplay->addDirtyRect( { 0, 0, 10, 10 } );
    m_pDisplay->presentDirty();
    m_pSdl->refresh();
    EXPECT_FALSE( m_pDisplay->switchDisplayMode() );
    EXPECT_FALSE( m_pDisplay->saveScreenshot( dir.file( "none.png" ).c_str() ) );
}

TEST( HSDLDisplayDeviceFactoryTest, AFailedStartIsReportedAndLeavesNothing )
{
    RecordingProcessServices services;
    EXPECT_EQ( createDisplayDevice( 0, 480, "bad", false, true, nullptr ), nullptr );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Alert" );
    EXPECT_EQ( services.boxes[ 0 ].text, "initScreen: could not m_createWindow" );
    EXPECT_EQ( SDL_WasInit( SDL_INIT_VIDEO ), 0u );
}

namespace
{
struct Rgb
{
    int r, g, b;
};

Rgb at( const RgbaPicture& picture, int x, int y )
{
    const uint8_t* kp = picture.at( x, y );
    return { kp[ 0 ], kp[ 1 ], kp[ 2 ] };
}

void expectColour( const RgbaPicture& picture, int x, int y, Rgb expected, const char* kpWhat )
{
    Rgb actual = at( picture, x, y );
    EXPECT_EQ( actual.r, expected.r ) << kpWhat << " at " << x << "," << y;
    EXPECT_EQ( actual.g, expected.g ) << kpWhat << " at " << x << "," << y;
    EXPECT_EQ( actual.b, expected.b ) << kpWhat << " at " << x << "," << y;
}

// The picture displaycheck draws, at frame position (x, y), seen through a frame placed at
// (left, top) with the given whole step.
void expectPicture( const RgbaPicture& picture, int left, int top, int scale, const char* kpWhat )
{
    auto place = [ & ]( int x, int y, Rgb colour )
    {
        for( int dy = 0; dy < scale; ++dy )
        {
            for( int dx = 0; dx < scale; ++dx )
                expectColour( picture, left + x * scale + dx, top + y * scale + dy, colour, kpWhat );
        }
    };
    place( 40, 40, { 255, 0, 0 } );
    place( 100, 40, { 0, 255, 0 } );
    place( 160, 40, { 0, 0, 255 } );
    place( 220, 40, { 255, 255, 255 } );
    place( 280, 40, { 123, 123, 123 } );
    place( 400, 300, { 0, 0, 123 } );
    place( 0, 0, { 255, 255, 255 } );
    place( 639, 479, { 255, 0, 255 } );
    if( left > 0 )
        expectColour( picture, left - 1, top + 10, { 0, 0, 0 }, kpWhat );
    if( top > 0 )
        expectColour( picture, left + 10, top - 1, { 0, 0, 0 }, kpWhat );
}
} // namespace

TEST( HSDLDisplayDeviceXvfbTest, AnXServerShowsTheColoursAtEveryScale )
{
    // A real X server with a window manager (full screen needs one): the frame as a player sees
    // it in the window the device chose, resized with bars, and in full screen.
    TempDir dir;
    std::string prefix = dir.file( "shot" );
    // SDL's X11 backend leaks inside the system's D-Bus library; the device's own memory is
    // checked by the dummy-driver tests above. The window manager must have finished starting
    // (it then names itself on the root window) before the window is shown: SDL waits for the
    // window to be mapped, and a map request caught half-way through the manager's start is lost.
    std::string command = "timeout 120 env -u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "
                          "'-screen 0 1600x1200x24' sh -c 'openbox >/dev/null 2>&1 & "
                          "for i in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | "
                          "grep -q \"window id\" && break; sleep 0.1; done; " GLIMMERDROP_DISPLAYCHECK " " +
                          prefix + "'";
    ASSERT_TRUE( tool( command ) ) << command;
    RgbaPicture initial;
    RgbaPicture resized;
    RgbaPicture full;
    ASSERT_TRUE( readPNM( prefix + "-initial.ppm", initial ) );
    ASSERT_TRUE( readPNM( prefix + "-resized.ppm", resized ) );
    ASSERT_TRUE( readPNM( prefix + "-full.ppm", full ) );
    // A 1600 x 1200 desktop takes the second whole step with room to spare.
    ASSERT_EQ( initial.width, 1280 );
    ASSERT_EQ( initial.height, 960 );
    expectPicture( initial, 0, 0, 2, "window" );
    ASSERT_EQ( resized.width, 700 );
    ASSERT_EQ( resized.height, 500 );
    expectPicture( resized, 30, 10, 1, "resized" );
    ASSERT_EQ( full.width, 1600 );
    ASSERT_EQ( full.height, 1200 );
    expectPicture( full, 160, 120, 2, "full screen" );
}
