#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <pixman.h>
#include <string>
#include <vector>

#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "Framework/graphics/HBlitRows.h"
#include "Framework/graphics/HDisplayDeviceFactory.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/VXSprite.h"
#include "Framework/platform/sdl/HSDLDisplayDevice.h"
#include "tests/support/MemoryDisplayDevice.h"

// The drawing costs of one 640 x 480 frame, each beside the same work done by a reference:
// memcpy for plain copies, pixman's OVER (x1r5g5b5 source through an a8 mask) for alpha blending.
// The blends use the game's own tiles from glimmerdrop.vxz beside the program (drawn stand-ins
// when it is missing). The ratios are printed after the table.

namespace
{
const int kWidth = 640;
const int kHeight = 480;
const int kCell = 42;
// The board's cells: (107 + 42x, 101 + 42y).
const int kBoardLeft = 107;
const int kBoardTop = 101;

std::unique_ptr<HSurface> opaqueFrame()
{
    std::unique_ptr<HSurface> surface( new HSurface( kWidth, kHeight, false ) );
    for( int i = 0; i < kWidth * kHeight; ++i )
        surface->getPixels()[ i ] = static_cast<uint16_t>( ( i * 2654435761u ) >> 17 );
    return surface;
}

// A candy tile: a round body with a soft edge two pixels wide, as the art's anti-aliased outlines
// give. About 60% of the mask is opaque, 30% clear and 10% partial.
std::unique_ptr<HSurface> candy( int variant )
{
    std::unique_ptr<HSurface> surface( new HSurface( kCell, kCell, true ) );
    const float kCentre = ( kCell - 1 ) / 2.0f;
    const float kRadius = 18.5f - variant % 3;
    for( int y = 0; y < kCell; ++y )
    {
        for( int x = 0; x < kCell; ++x )
        {
            float distance = std::sqrt( ( x - kCentre ) * ( x - kCentre ) + ( y - kCentre ) * ( y - kCentre ) );
            float coverage = std::min( 1.0f, std::max( 0.0f, ( kRadius - distance ) / 2.0f + 0.5f ) );
            surface->getMask()[ y * kCell + x ] = static_cast<uint8_t>( coverage * 255.0f + 0.5f );
            surface->getPixels()[ y * kCell + x ] =
                static_cast<uint16_t>( ( variant * 4099 + x * 33 + y * 1057 ) & 0x7FFF );
        }
    }
    return surface;
}

MemoryDisplayDevice& memoryDisplay()
{
    static MemoryDisplayDevice s_display;
    if( s_display.getScreenWidth() == 0 )
        s_display.initScreen( kWidth, kHeight, "bench", false, true );
    return s_display;
}

// The game's tiles, loaded once from the archive beside the program; kept for the whole run.
const std::vector<HSurface*>& gameTiles()
{
    static std::vector<HSurface*> s_tiles;
    static HZIPFileSystem s_archive;
    static std::vector<std::unique_ptr<VXSprite>> s_sprites;
    static bool s_tried = false;
    if( s_tried )
        return s_tiles;
    s_tried = true;
    if( !s_archive.init( GLIMMERDROP_BINARY_DIR "/glimmerdrop.vxz" ) )
        return s_tiles;
    const char* const kNames[] = { "tile_blue.tga",   "tile_red.tga",    "tile_green.tga", "tile_yellow.tga",
                                   "tile_purple.tga", "tile_orange.tga", "tile_wild.tga" };
    for( const char* kpName : kNames )
    {
        s_sprites.emplace_back( new VXSprite() );
        if( s_sprites.back()->load( &memoryDisplay(), &s_archive, kpName ) && s_sprites.back()->getSurface() != nullptr &&
            s_sprites.back()->getSurface()->getMask() != nullptr )
            s_tiles.push_back( s_sprites.back()->getSurface() );
    }
    return s_tiles;
}

struct SpriteSet
{
    std::vector<std::unique_ptr<HSurface>> drawn;
    std::vector<const HSurface*> sprites;
    std::vector<HPoint> places;
    int cell = kCell;

    // The frame tiled with the game's tiles (or drawn candies of the same size), edge to edge.
    SpriteSet()
    {
        for( HSurface* pTile : gameTiles() )
            sprites.push_back( pTile );
        if( sprites.empty() )
        {
            for( int i = 0; i < 7; ++i )
            {
                drawn.push_back( candy( i ) );
                sprites.push_back( drawn.back().get() );
            }
        }
        cell = std::min( sprites[ 0 ]->getWidth(), sprites[ 0 ]->getHeight() );
        for( int y = 0; y < kHeight; y += cell )
        {
            for( int x = 0; x < kWidth; x += cell )
                places.push_back( { x, y } );
        }
    }
    const HSurface* at( size_t i ) const { return sprites[ i % sprites.size() ]; }
    int64_t pixels() const { return static_cast<int64_t>( kWidth ) * kHeight; }
};

// The whole frame covered by blended tiles with the rows the processor's widest form gives, or
// the form the argument names (0 portable, 1 SSE2, 2 AVX2).
void blendFullFrame( benchmark::State& state, const HBlitRows::Set* kpRows )
{
    if( kpRows == nullptr )
    {
        state.SkipWithError( "this processor has no such rows" );
        return;
    }
    MemoryDisplayDevice& display = memoryDisplay();
    SpriteSet set;
    const HBlitRows::Set& before = HBlitRows::active();
    HBlitRows::setActive( *kpRows );
    for( auto _ : state )
    {
        for( size_t i = 0; i < set.places.size(); ++i )
        {
            const HPoint& p = set.places[ i ];
            display.clippedBlendBlit( { p.x, p.y, p.x + set.cell, p.y + set.cell }, { 0, 0, set.cell, set.cell },
                                      set.at( i ), HBlendParams::alphaBlend() );
        }
        benchmark::ClobberMemory();
    }
    HBlitRows::setActive( before );
    display.presentDirty();
    display.presents.clear();
    state.SetLabel( std::string( kpRows->kpName ) + ( gameTiles().empty() ? ", drawn tiles" : ", game tiles" ) );
    state.SetItemsProcessed( state.iterations() * set.pixels() );
}

void BM_MemcpyFrame( benchmark::State& state )
{
    std::vector<uint16_t> source( kWidth * kHeight, 0x1234 );
    std::vector<uint16_t> dest( kWidth * kHeight );
    for( auto _ : state )
    {
        std::memcpy( dest.data(), source.data(), source.size() * 2 );
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed( state.iterations() * kWidth * kHeight * 2 );
}
BENCHMARK( BM_MemcpyFrame )->Unit( benchmark::kMicrosecond );

void BM_BlitOpaqueFrame( benchmark::State& state )
{
    MemoryDisplayDevice& display = memoryDisplay();
    auto frame = opaqueFrame();
    for( auto _ : state )
    {
        display.clippedBlit( { 0, 0, kWidth, kHeight }, { 0, 0, kWidth, kHeight }, frame.get() );
        benchmark::ClobberMemory();
    }
    display.presentDirty();
    display.presents.clear();
    state.SetBytesProcessed( state.iterations() * kWidth * kHeight * 2 );
}
BENCHMARK( BM_BlitOpaqueFrame )->Unit( benchmark::kMicrosecond );

void BM_BlendFullFrame( benchmark::State& state )
{
    blendFullFrame( state, &HBlitRows::active() );
}
BENCHMARK( BM_BlendFullFrame )->Unit( benchmark::kMicrosecond );

void BM_BlendFullFramePortable( benchmark::State& state )
{
    blendFullFrame( state, &HBlitRows::portable() );
}
BENCHMARK( BM_BlendFullFramePortable )->Unit( benchmark::kMicrosecond );

void BM_BlendFullFrameSSE2( benchmark::State& state )
{
    blendFullFrame( state, HBlitRows::sse2() );
}
BENCHMARK( BM_BlendFullFrameSSE2 )->Unit( benchmark::kMicrosecond );

void BM_BlendFullFrameAVX2( benchmark::State& state )
{
    blendFullFrame( state, HBlitRows::avx2() );
}
BENCHMARK( BM_BlendFullFrameAVX2 )->Unit( benchmark::kMicrosecond );

void BM_BinaryAlphaFullFrame( benchmark::State& state )
{
    memoryDisplay().setBlendOption( BOPT_BINARY_ALPHA, 1 );
    blendFullFrame( state, &HBlitRows::active() );
    memoryDisplay().setBlendOption( BOPT_BINARY_ALPHA, 0 );
}
BENCHMARK( BM_BinaryAlphaFullFrame )->Unit( benchmark::kMicrosecond );

void BM_PixmanOverFullFrame( benchmark::State& state )
{
    SpriteSet set;
    std::vector<uint16_t> frame( kWidth * kHeight, 0x2108 );
    pixman_image_t* pDest = pixman_image_create_bits( PIXMAN_x1r5g5b5, kWidth, kHeight,
                                                      reinterpret_cast<uint32_t*>( frame.data() ), kWidth * 2 );
    std::vector<std::vector<uint16_t>> colours;
    std::vector<std::vector<uint8_t>> masks;
    std::vector<pixman_image_t*> sources;
    std::vector<pixman_image_t*> alphas;
    for( const HSurface* kpSprite : set.sprites )
    {
        // pixman wants rows of whole 32-bit words.
        int width = kpSprite->getWidth();
        int height = kpSprite->getHeight();
        int stride16 = ( width + 1 ) & ~1;
        int stride8 = ( width + 3 ) & ~3;
        colours.emplace_back( static_cast<size_t>( stride16 ) * height );
        masks.emplace_back( static_cast<size_t>( stride8 ) * height );
        for( int y = 0; y < height; ++y )
        {
            std::memcpy( &colours.back()[ y * stride16 ], kpSprite->getPixels() + y * width, width * 2 );
            std::memcpy( &masks.back()[ y * stride8 ], kpSprite->getMask() + y * width, width );
        }
        sources.push_back( pixman_image_create_bits(
            PIXMAN_x1r5g5b5, width, height, reinterpret_cast<uint32_t*>( colours.back().data() ), stride16 * 2 ) );
        alphas.push_back( pixman_image_create_bits( PIXMAN_a8, width, height,
                                                    reinterpret_cast<uint32_t*>( masks.back().data() ), stride8 ) );
    }
    for( auto _ : state )
    {
        for( size_t i = 0; i < set.places.size(); ++i )
        {
            size_t s = i % sources.size();
            pixman_image_composite32( PIXMAN_OP_OVER, sources[ s ], alphas[ s ], pDest, 0, 0, 0, 0, set.places[ i ].x,
                                      set.places[ i ].y, set.cell, set.cell );
        }
        benchmark::ClobberMemory();
    }
    for( size_t s = 0; s < sources.size(); ++s )
    {
        pixman_image_unref( sources[ s ] );
        pixman_image_unref( alphas[ s ] );
    }
    pixman_image_unref( pDest );
    state.SetItemsProcessed( state.iterations() * set.pixels() );
}
BENCHMARK( BM_PixmanOverFullFrame )->Unit( benchmark::kMicrosecond );

// A screen's worth of sprites as the game draws one: the background copied, the 36 board tiles
// and a dozen panel pieces blended over it.
void BM_FrameOfSprites( benchmark::State& state )
{
    MemoryDisplayDevice& display = memoryDisplay();
    auto background = opaqueFrame();
    SpriteSet set;
    for( auto _ : state )
    {
        display.clippedBlit( { 0, 0, kWidth, kHeight }, { 0, 0, kWidth, kHeight }, background.get() );
        for( int cell = 0; cell < 36; ++cell )
        {
            int x = kBoardLeft + kCell * ( cell % 6 );
            int y = kBoardTop + kCell * ( cell / 6 );
            display.clippedBlendBlit( { x, y, x + kCell, y + kCell }, { 0, 0, kCell, kCell },
                                      set.at( cell ), HBlendParams::alphaBlend() );
        }
        for( int piece = 0; piece < 12; ++piece )
        {
            int x = 8 + ( piece % 2 ) * 44;
            int y = 20 + ( piece / 2 ) * 70;
            display.clippedBlendBlit( { x, y, x + kCell, y + kCell }, { 0, 0, kCell, kCell },
                                      set.at( piece ), HBlendParams::alphaBlend() );
        }
        benchmark::ClobberMemory();
    }
    display.presentDirty();
    display.presents.clear();
}
BENCHMARK( BM_FrameOfSprites )->Unit( benchmark::kMicrosecond );

HDisplayDevice* sdlDisplay()
{
    static std::unique_ptr<HDisplayDevice> s_display(
        createDisplayDevice( kWidth, kHeight, "bench", false, true, nullptr ) );
    return s_display.get();
}

// The video driver and renderer the present went through.
std::string presentPath( HDisplayDevice* pDisplay )
{
    HSDLDisplayDevice* pSdl = static_cast<HSDLDisplayDevice*>( pDisplay );
    if( pSdl->drawsIntoWindowSurface() )
        return std::string( SDL_GetCurrentVideoDriver() ) + "/window surface";
    SDL_RendererInfo info;
    SDL_Renderer* pRenderer = SDL_GetRenderer( pSdl->getWindow() );
    if( pRenderer == nullptr || SDL_GetRendererInfo( pRenderer, &info ) != 0 )
        return "?";
    return std::string( SDL_GetCurrentVideoDriver() ) + "/" + info.name;
}

void BM_PresentFullFrame( benchmark::State& state )
{
    HDisplayDevice* pDisplay = sdlDisplay();
    if( pDisplay == nullptr )
    {
        state.SkipWithError( "no display device" );
        return;
    }
    auto frame = opaqueFrame();
    pDisplay->blitSurface( { 0, 0, kWidth, kHeight }, frame.get() );
    for( auto _ : state )
    {
        pDisplay->addDirtyRect( { 0, 0, kWidth, kHeight } );
        pDisplay->presentDirty();
    }
    state.SetLabel( presentPath( pDisplay ) );
}
BENCHMARK( BM_PresentFullFrame )->Unit( benchmark::kMicrosecond );

void BM_PresentBoardCells( benchmark::State& state )
{
    HDisplayDevice* pDisplay = sdlDisplay();
    if( pDisplay == nullptr )
    {
        state.SkipWithError( "no display device" );
        return;
    }
    // 40 separate cells: the 36 of the board and four more beside it, each uploaded on its own.
    std::vector<HRect> cells;
    for( int cell = 0; cell < 40; ++cell )
    {
        int x = kBoardLeft + kCell * ( cell % 7 );
        int y = kBoardTop + kCell * ( cell / 7 );
        cells.push_back( { x, y, x + kCell, y + kCell } );
    }
    for( auto _ : state )
        pDisplay->present( cells.data(), static_cast<int32_t>( cells.size() ) );
    state.SetLabel( presentPath( pDisplay ) );
}
BENCHMARK( BM_PresentBoardCells )->Unit( benchmark::kMicrosecond );

// Keeps each run's processor time per iteration (steadier than wall time on a shared machine),
// so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns( const std::vector<Run>& runs ) override
    {
        for( const Run& run : runs )
        {
            if( run.run_type == Run::RT_Iteration && !run.error_occurred )
                m_microseconds[ run.benchmark_name() ] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns( runs );
    }

    void printRatios() const
    {
        std::printf( "\n" );
        ratio( "opaque blit / memcpy (target <= 1.5)", "BM_BlitOpaqueFrame", "BM_MemcpyFrame" );
        ratio( "full-frame blend / memcpy (goal <= 3.5)", "BM_BlendFullFrame", "BM_MemcpyFrame" );
        ratio( "  SSE2 rows / memcpy", "BM_BlendFullFrameSSE2", "BM_MemcpyFrame" );
        ratio( "  AVX2 rows / memcpy (goal <= 2.5)", "BM_BlendFullFrameAVX2", "BM_MemcpyFrame" );
        ratio( "  portable rows / memcpy", "BM_BlendFullFramePortable", "BM_MemcpyFrame" );
        ratio( "pixman OVER / full-frame blend (goal >= 25)", "BM_PixmanOverFullFrame", "BM_BlendFullFrame" );
        ratio( "full-frame present / memcpy (goal <= 8)", "BM_PresentFullFrame", "BM_MemcpyFrame" );
        ratio( "40-cell present / memcpy (goal <= 2)", "BM_PresentBoardCells", "BM_MemcpyFrame" );
        value( "frame of sprites (background + 48 blended), ms", "BM_FrameOfSprites" );
    }

private:
    void ratio( const char* kpLabel, const std::string& a, const std::string& b ) const
    {
        auto ia = m_microseconds.find( a );
        auto ib = m_microseconds.find( b );
        if( ia != m_microseconds.end() && ib != m_microseconds.end() && ib->second > 0 )
            std::printf( "%-48s %8.2f\n", kpLabel, ia->second / ib->second );
    }
    void value( const char* kpLabel, const std::string& name ) const
    {
        auto i = m_microseconds.find( name );
        if( i != m_microseconds.end() )
            std::printf( "%-48s %8.3f\n", kpLabel, i->second / 1000.0 );
    }

    std::map<std::string, double> m_microseconds;
};
} // namespace

int main( int argc, char** argv )
{
    // Without a display the dummy driver keeps the present measurable; a desktop run measures the real one.
    if( std::getenv( "DISPLAY" ) == nullptr && std::getenv( "WAYLAND_DISPLAY" ) == nullptr )
        setenv( "SDL_VIDEODRIVER", "dummy", 0 );
    benchmark::Initialize( &argc, argv );
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks( &reporter );
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
