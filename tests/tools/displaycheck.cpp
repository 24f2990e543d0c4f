// Opens the display device on a real X server, draws a known picture, and captures the window
// with ImageMagick's import after each change: first at the size the device chose, then resized
// to 700 x 500, then switched to full screen (captured from the root window). Writes
// <prefix>-initial.ppm, <prefix>-resized.ppm and <prefix>-full.ppm; exits non-zero when a step fails.

#include <SDL.h>
#include <SDL_syswm.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/platform/sdl/HSDLDisplayDevice.h"

namespace
{
// Lets the server catch up: events pumped, the frame drawn again, a short wait.
void settle( HSDLDisplayDevice& display )
{
    for( int i = 0; i < 10; ++i )
    {
        SDL_PumpEvents();
        SDL_FlushEvents( SDL_FIRSTEVENT, SDL_LASTEVENT );
        display.refresh();
        SDL_Delay( 40 );
    }
}

bool capture( const std::string& target, const std::string& path )
{
    std::string command = "import -window " + target + " -depth 8 " + path;
    return std::system( command.c_str() ) == 0;
}

void fill( HDisplayDevice& display, const HRect& rect, uint16_t word )
{
    HSurface block( rect.width(), rect.height(), false );
    for( int i = 0; i < rect.width() * rect.height(); ++i )
        block.getPixels()[ i ] = word;
    display.blitSurface( rect, &block );
}
} // namespace

int main( int argc, char** argv )
{
    if( argc < 2 )
    {
        std::fprintf( stderr, "usage: displaycheck <output prefix>\n" );
        return 2;
    }
    std::string prefix = argv[ 1 ];
    // A server that never answers must not hang the tests: give up after a minute.
    alarm( 60 );
    std::unique_ptr<HDisplayDevice> display( createDisplayDevice( 640, 480, "displaycheck", false, true, nullptr ) );
    if( display == nullptr )
        return 3;
    HSDLDisplayDevice& sdl = *static_cast<HSDLDisplayDevice*>( display.get() );

    display->clear( { 0.0f, 0.0f, 0.5f, 1.0f } );
    display->addDirtyRect( { 0, 0, 640, 480 } );
    fill( *display, { 20, 20, 60, 60 }, 0x7C00 );
    fill( *display, { 80, 20, 120, 60 }, 0x03E0 );
    fill( *display, { 140, 20, 180, 60 }, 0x001F );
    fill( *display, { 200, 20, 240, 60 }, 0x7FFF );
    // Black at half coverage over white: 15 of 31 in every channel.
    fill( *display, { 260, 20, 300, 60 }, 0x7FFF );
    HSurface half( 40, 40, true );
    for( int i = 0; i < 40 * 40; ++i )
        half.getMask()[ i ] = 128;
    display->clippedBlendBlit( { 260, 20, 300, 60 }, { 0, 0, 40, 40 }, &half, HBlendParams::alphaBlend() );
    fill( *display, { 0, 0, 1, 1 }, 0x7FFF );
    fill( *display, { 639, 479, 640, 480 }, 0x7C1F );
    display->presentDirty();

    SDL_SysWMinfo info;
    SDL_VERSION( &info.version );
    if( !SDL_GetWindowWMInfo( sdl.getWindow(), &info ) || info.subsystem != SDL_SYSWM_X11 )
        return 4;
    char window[ 32 ];
    std::snprintf( window, sizeof( window ), "0x%lx", static_cast<unsigned long>( info.info.x11.window ) );

    settle( sdl );
    if( !capture( window, prefix + "-initial.ppm" ) )
        return 5;
    SDL_SetWindowSize( sdl.getWindow(), 700, 500 );
    settle( sdl );
    if( !capture( window, prefix + "-resized.ppm" ) )
        return 6;
    if( !display->switchDisplayMode() )
        return 7;
    settle( sdl );
    if( !capture( "root", prefix + "-full.ppm" ) )
        return 8;
    return 0;
}
