#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "Framework/application/HInputDevice.h"
#include "Framework/graphics/HDisplayDevice.h"
#include "Framework/platform/sdl/HSDLInputDevice.h"
#include "Framework/util/src/HGlobal.h"
#include "Game/VXGame.h"

// The game's own drawRect over a whole screen: background, arena, 36 tiles, the panel, the timer
// bar and the numbers, as the main loop redraws after invalidateAll. Needs glimmerdrop.vxz beside
// the benchmark (the build puts it there).

namespace
{
class BenchGame : public VXGame
{
public:
    // A first level in play, past the tutorial, every tile with its sprite chosen.
    void startPlaying()
    {
        m_settings.didTutorial = 1;
        newGame( 1 );
        m_state = GS_IDLE;
        m_updatePresentation( 16 );
    }
};

// One game for every run: started once on the dummy drivers with a registry of its own.
BenchGame* game()
{
    static std::unique_ptr<BenchGame> s_game;
    static bool s_tried = false;
    if( !s_tried )
    {
        s_tried = true;
        std::string registry = std::string( "/tmp/glimmerdrop-bench-" ) + std::to_string( getpid() ) + ".reg";
        setenv( "GLIMMERDROP_REGISTRY", registry.c_str(), 1 );
        setenv( "GLIMMERDROP_REGISTRY_MACHINE", ( registry + ".machine" ).c_str(), 1 );
        setenv( "SDL_AUDIODRIVER", "dummy", 0 );
        HInputDevice::setProvider( HSDLInputDevice::obtain );
        s_game.reset( new BenchGame() );
        if( !s_game->init( false, false, GLIMMERDROP_BINARY_DIR "/", "", true, true ) )
            s_game.reset();
        std::remove( registry.c_str() );
        std::remove( ( registry + ".machine" ).c_str() );
    }
    return s_game.get();
}

void BM_GameDrawRectWholeScreen( benchmark::State& state )
{
    BenchGame* pGame = game();
    if( pGame == nullptr )
    {
        state.SkipWithError( "the game did not start (is glimmerdrop.vxz beside the benchmark?)" );
        return;
    }
    pGame->startPlaying();
    const HRect kScreen = { 0, 0, 640, 480 };
    for( auto _ : state )
        pGame->drawRect( kScreen );
    // To look at what was measured: GLIMMERDROP_BENCH_SHOT=frame.png.
    if( const char* kpShot = std::getenv( "GLIMMERDROP_BENCH_SHOT" ) )
        HGlobal::getDisplayDevice()->saveScreenshot( kpShot );
}
BENCHMARK( BM_GameDrawRectWholeScreen )->Unit( benchmark::kMicrosecond );

void BM_GameDrawRectOneCell( benchmark::State& state )
{
    BenchGame* pGame = game();
    if( pGame == nullptr )
    {
        state.SkipWithError( "the game did not start" );
        return;
    }
    const HRect kCell = { 107 + 42 * 2, 101 + 42 * 3, 107 + 42 * 3, 101 + 42 * 4 };
    for( auto _ : state )
        pGame->drawRect( kCell );
}
BENCHMARK( BM_GameDrawRectOneCell )->Unit( benchmark::kMicrosecond );
} // namespace

int main( int argc, char** argv )
{
    if( std::getenv( "DISPLAY" ) == nullptr && std::getenv( "WAYLAND_DISPLAY" ) == nullptr )
        setenv( "SDL_VIDEODRIVER", "dummy", 0 );
    benchmark::Initialize( &argc, argv );
    benchmark::RunSpecifiedBenchmarks();
    if( BenchGame* pGame = game() )
    {
        pGame->unloadGraphics();
        pGame->shutdown();
    }
    benchmark::Shutdown();
    return 0;
}
