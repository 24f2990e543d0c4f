#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "Framework/graphics/HBlitRows.h"
#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/HSurface.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
const uint16_t kWhite = 0x7FFF;
const uint16_t kBlack = 0x0000;

uint16_t rgb( int r, int g, int b )
{
    return static_cast<uint16_t>( r << 10 | g << 5 | b );
}

// The blender's formula written out independently, for the standard 5-5-5 layout.
uint16_t referenceBlend( uint16_t src, uint16_t dst, uint32_t f, uint32_t g, int op )
{
    int out[ 3 ];
    for( int i = 0; i < 3; ++i )
    {
        int shift = 10 - 5 * i;
        int s = static_cast<int>( ( ( src >> shift ) & 31 ) * f / 65025 );
        int d = static_cast<int>( ( ( dst >> shift ) & 31 ) * g / 65025 );
        int v = op == BO_ADD ? s + d : op == BO_MULTIPLY ? s * d / 255 : op == BO_SUBTRACT ? s - d : d - s;
        out[ i ] = v < 0 ? 0 : v > 31 ? 31 : v;
    }
    return rgb( out[ 0 ], out[ 1 ], out[ 2 ] );
}

class HBlitterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HBlitter::sm_setChannelLayout( 5, 5, 5, 10, 5, 0 );
        HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 0 );
        HBlitter::sm_setBlendState( HBlendParams::alphaBlend() );
    }
    void TearDown() override { SetUp(); }

    // A target of w x h pixels filled with one word.
    HPixelTarget target( int w, int h, uint16_t fill )
    {
        m_pixels.assign( static_cast<size_t>( w ) * h, fill );
        m_targetWidth = w;
        return { m_pixels.data(), w, h, w };
    }
    uint16_t px( int x, int y ) const { return m_pixels[ static_cast<size_t>( y ) * m_targetWidth + x ]; }

    RecordingProcessServices m_services;
    std::vector<uint16_t> m_pixels;
    int m_targetWidth = 0;
};

// A surface whose pixel words count up from 1 and whose mask is given (or absent).
std::unique_ptr<HSurface> numbered( int w, int h, const std::vector<uint8_t>& mask )
{
    std::unique_ptr<HSurface> surface( new HSurface( w, h, !mask.empty() ) );
    for( int i = 0; i < w * h; ++i )
        surface->getPixels()[ i ] = static_cast<uint16_t>( i + 1 );
    if( !mask.empty() )
        std::memcpy( surface->getMask(), mask.data(), mask.size() );
    return surface;
}
} // namespace

TEST_F( HBlitterTest, HalfMaskOfBlackOverWhiteGivesFifteenPerChannel )
{
    // 31 x 127 x 255 / 65025 = 15 for the white destination, 0 from the black source.
    EXPECT_EQ( HBlitter::sm_getFastPath(), 1 );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kBlack, kWhite, 128 ), rgb( 15, 15, 15 ) );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kBlack, kWhite, 255 ), kBlack );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kBlack, kWhite, 0 ), kWhite );
    HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 1 );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 2 );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kBlack, kWhite, 128 ), kBlack );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kBlack, kWhite, 127 ), kWhite );
}

TEST_F( HBlitterTest, OperationsClampEachChannel )
{
    // Both factors full: the channel values themselves reach the operation.
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_MULTIPLY );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 0 );
    EXPECT_EQ( HBlitter::sm_blendPixels16( kWhite, kWhite, 9 ), rgb( 3, 3, 3 ) );
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_SUBTRACT );
    EXPECT_EQ( HBlitter::sm_blendPixels16( rgb( 5, 20, 31 ), rgb( 10, 20, 1 ), 1 ), rgb( 0, 0, 30 ) );
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_ADD );
    EXPECT_EQ( HBlitter::sm_blendPixels16( rgb( 20, 1, 31 ), rgb( 20, 2, 31 ), 1 ), rgb( 31, 3, 31 ) );
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_REVERSE_SUBTRACT );
    EXPECT_EQ( HBlitter::sm_blendPixels16( rgb( 5, 20, 31 ), rgb( 10, 20, 1 ), 1 ), rgb( 5, 0, 0 ) );
}

TEST_F( HBlitterTest, SourcesConstantsAndInversionFollowTheTables )
{
    HBlitter::sm_setBlendState( BA_CONST_A, BP_INV_CONST_B, 0, 200, BA_INV_CONST_A, BP_CONST_B, 1, 60, BO_ADD );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_ZERO, 9 ), 0 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_ONE, 9 ), 255 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_MASK, 9 ), 9 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_INV_MASK, 9 ), 246 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_CONST_A, 9 ), 200 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_INV_CONST_A, 9 ), 55 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_CONST_B, 9 ), 60 );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( BA_INV_CONST_B, 9 ), 195 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_ZERO ), 0 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_ONE ), 255 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_CONST_A ), 200 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_INV_CONST_A ), 55 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_CONST_B ), 60 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( BP_INV_CONST_B ), 195 );
    // F = 200 x 195 = 39000; G = 65025 - 55 x 60 = 61725.
    uint16_t src = rgb( 31, 16, 7 );
    uint16_t dst = rgb( 3, 30, 12 );
    EXPECT_EQ( HBlitter::sm_blendPixels16( src, dst, 77 ), referenceBlend( src, dst, 39000, 61725, BO_ADD ) );
    EXPECT_EQ( referenceBlend( src, dst, 39000, 61725, BO_ADD ), rgb( 20, 31, 15 ) );
}

TEST_F( HBlitterTest, UnknownCodesAreTracedAndFallBack )
{
    HBlitter::sm_setBlendState( 0x21, 0x42, 0, 0, BA_ZERO, BP_ZERO, 0, 0, BO_ADD );
    EXPECT_EQ( HBlitter::sm_getBlendAlpha( 0x21, 3 ), 255 );
    EXPECT_EQ( HBlitter::sm_getBlendParam( 0x42 ), 255 );
    auto& traces = RecordingProcessServices::debugTraces();
    EXPECT_NE( std::find( traces.begin(), traces.end(), "sm_getBlendAlpha: invalid alpha source 0x21" ), traces.end() );
    EXPECT_NE( std::find( traces.begin(), traces.end(), "sm_getBlendParam: invalid source value 0x'42'" ),
               traces.end() );
    // Full source factor, nothing of the destination.
    EXPECT_EQ( HBlitter::sm_blendPixels16( rgb( 1, 2, 3 ), kWhite, 5 ), rgb( 1, 2, 3 ) );

    traces.clear();
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, 9 );
    // Each channel takes the whole source word, held to 31.
    EXPECT_EQ( HBlitter::sm_blendPixels16( 0x0004, 0, 5 ), rgb( 4, 4, 4 ) );
    EXPECT_EQ( HBlitter::sm_blendPixels16( 0x0400, 0, 5 ), kWhite );
    EXPECT_NE( std::find( traces.begin(), traces.end(), "sm_blendPixels16: invalid blend op" ), traces.end() );
}

TEST_F( HBlitterTest, TheFastPathNeedsTheWholeAlphaBlendSet )
{
    HBlendParams params = HBlendParams::alphaBlend();
    params.constA = 3;
    params.constB = 4;
    HBlitter::sm_setBlendState( params );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 1 );
    const auto kSpoilers = { &HBlendParams::srcAlphaSource, &HBlendParams::srcParamSource, &HBlendParams::srcInvert,
                             &HBlendParams::dstAlphaSource, &HBlendParams::dstParamSource, &HBlendParams::dstInvert,
                             &HBlendParams::blendOp };
    for( auto field : kSpoilers )
    {
        HBlendParams spoiled = HBlendParams::alphaBlend();
        spoiled.*field = spoiled.*field == 1 ? 2 : 1;
        HBlitter::sm_setBlendState( spoiled );
        EXPECT_EQ( HBlitter::sm_getFastPath(), 0 );
    }
    // Setting the option re-derives the path from the state already set, and it persists.
    HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 1 );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 0 );
    HBlitter::sm_setBlendState( HBlendParams::alphaBlend() );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 2 );
    EXPECT_FALSE( HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 1 ) );
    EXPECT_TRUE( HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, 0 ) );
    EXPECT_EQ( HBlitter::sm_getFastPath(), 1 );
    EXPECT_FALSE( HBlitter::sm_setBlendOption( -1, 1 ) );
    EXPECT_FALSE( HBlitter::sm_setBlendOption( HBlitter::kOptionCount, 1 ) );
}

TEST_F( HBlitterTest, TheAlphaBlendLoopMatchesTheFormulaForEveryMaskByte )
{
    // 256 columns, one per mask byte, over rows of random colours: the loop's shortcuts must give
    // what the formula gives, including the runs of eight it skips or copies whole.
    const int kWidth = 256 + 13;
    std::mt19937 random( 7 );
    std::vector<uint8_t> mask( kWidth * 4 );
    for( int y = 0; y < 4; ++y )
    {
        for( int x = 0; x < kWidth; ++x )
            mask[ y * kWidth + x ] = static_cast<uint8_t>( y == 0   ? x
                                                           : y == 1 ? 255
                                                           : y == 2 ? ( x < 64 ? 0 : x )
                                                                    : random() );
    }
    auto surface = numbered( kWidth, 4, mask );
    for( int i = 0; i < kWidth * 4; ++i )
        surface->getPixels()[ i ] = static_cast<uint16_t>( random() & 0x7FFF );
    HPixelTarget dest = target( kWidth, 4, 0 );
    for( auto& pixel : m_pixels )
        pixel = static_cast<uint16_t>( random() & 0x7FFF );
    std::vector<uint16_t> before = m_pixels;

    // Passes 0 and 1 blend by the mask (binary alpha off, on); from pass 2 on by a constant of
    // 0 to 255 (the tutorial hand's pulse) wherever the mask is not 0, alternating A and B.
    for( int pass = 0; pass < 2 + 256; ++pass )
    {
        m_pixels = before;
        dest.pPixels = m_pixels.data();
        HBlitter::sm_setBlendOption( BOPT_BINARY_ALPHA, static_cast<uint8_t>( pass == 1 ) );
        uint8_t constant = static_cast<uint8_t>( pass - 2 );
        if( pass < 2 )
            HBlitter::sm_setBlendState( HBlendParams::alphaBlend() );
        else if( pass % 2 == 0 )
            HBlitter::sm_setBlendState( BA_CONST_A, BP_ONE, 0, constant, BA_INV_CONST_A, BP_ONE, 0, 0, BO_ADD );
        else
            HBlitter::sm_setBlendState( BA_CONST_B, BP_ONE, 0, 0, BA_INV_CONST_B, BP_ONE, 0, constant, BO_ADD );
        HBlitter::blend( dest, 0, 0, { 0, 0, kWidth, 4 }, *surface );
        for( int i = 0; i < kWidth * 4; ++i )
        {
            uint8_t m = mask[ i ];
            uint16_t s = surface->getPixels()[ i ];
            uint16_t expected;
            if( pass == 1 )
                expected = m >= 128 ? s : before[ i ];
            else if( pass >= 2 )
                expected = m == 0 ? before[ i ]
                                  : referenceBlend( s, before[ i ], constant * 255u, ( 255u - constant ) * 255u, BO_ADD );
            else
                expected =
                    m == 0 ? before[ i ] : referenceBlend( s, before[ i ], m * 255u, ( 255u - m ) * 255u, BO_ADD );
            ASSERT_EQ( m_pixels[ i ], expected ) << "pass " << pass << " pixel " << i << " mask " << int( m );
        }
    }
}

TEST_F( HBlitterTest, CopiesTakeOnlyFullyOpaquePixels )
{
    std::vector<uint8_t> mask = { 255, 254, 0, 255, 1, 255, 255, 255, 255, 255, 128 };
    auto surface = numbered( 11, 1, mask );
    HPixelTarget dest = target( 11, 1, 0x1234 );
    HBlitter::copy( dest, 0, 0, { 0, 0, 11, 1 }, *surface );
    for( int x = 0; x < 11; ++x )
        EXPECT_EQ( px( x, 0 ), mask[ x ] == 255 ? x + 1 : 0x1234 ) << x;

    // Without a mask, rows are copied whole, and blend does the same whatever the state.
    auto plain = numbered( 3, 2, {} );
    dest = target( 5, 3, 0 );
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_SUBTRACT );
    HBlitter::blend( dest, 1, 1, { 0, 0, 3, 2 }, *plain );
    EXPECT_EQ( px( 0, 0 ), 0 );
    EXPECT_EQ( px( 1, 1 ), 1 );
    EXPECT_EQ( px( 3, 1 ), 3 );
    EXPECT_EQ( px( 3, 2 ), 6 );
    EXPECT_EQ( px( 4, 2 ), 0 );
}

TEST_F( HBlitterTest, MaskByteZeroKeepsTheDestinationInEveryPath )
{
    auto surface = numbered( 2, 1, { 0, 254 } );
    HPixelTarget dest = target( 2, 1, kWhite );
    HBlitter::sm_setBlendState( BA_ONE, BP_ONE, 0, 0, BA_ZERO, BP_ZERO, 0, 0, BO_ADD );
    HBlitter::blend( dest, 0, 0, { 0, 0, 2, 1 }, *surface );
    EXPECT_EQ( px( 0, 0 ), kWhite );
    EXPECT_EQ( px( 1, 0 ), 2 );
}

TEST_F( HBlitterTest, RectanglesAreTrimmedToSurfaceAndTarget )
{
    // 4 x 4 surface numbered 1..16 drawn into a 4 x 4 target in every awkward way; the sanitizer
    // build would catch any access outside either buffer.
    auto surface = numbered( 4, 4, {} );
    auto masked = numbered( 4, 4, std::vector<uint8_t>( 16, 255 ) );
    const HRect kSources[] = { { -2, -2, 6, 6 }, { 2, 2, 9, 9 }, { 0, 0, 4, 4 }, { 3, 3, 1, 1 }, { -100, 0, -50, 4 } };
    const HPoint kPlaces[] = { { -3, -3 }, { 2, 3 }, { 4, 0 }, { 0, 4 }, { -4, 0 }, { INT32_MIN, INT32_MAX },
                               { 1, 1 } };
    for( const HRect& src : kSources )
    {
        for( const HPoint& place : kPlaces )
        {
            HPixelTarget dest = target( 4, 4, 0 );
            HBlitter::copy( dest, place.x, place.y, src, *surface );
            HBlitter::copy( dest, place.x, place.y, src, *masked );
            HBlitter::blend( dest, place.x, place.y, src, *masked );
        }
    }
    // A source starting left of the surface moves the drawing right by as much.
    HPixelTarget dest = target( 4, 4, 0 );
    HBlitter::copy( dest, 0, 0, { -1, 0, 2, 1 }, *surface );
    EXPECT_EQ( px( 0, 0 ), 0 );
    EXPECT_EQ( px( 1, 0 ), 1 );
    EXPECT_EQ( px( 2, 0 ), 2 );
    EXPECT_EQ( px( 3, 0 ), 0 );
}

TEST_F( HBlitterTest, ClippingToTheScreen )
{
    // Left of the screen: the source loses as many columns.
    HRect dest = { -10, 5, 30, 25 };
    HRect src = { 0, 0, 40, 20 };
    ASSERT_TRUE( HBlitter::clipToScreen( dest, src, 640, 480 ) );
    EXPECT_EQ( dest, ( HRect{ 0, 5, 30, 25 } ) );
    EXPECT_EQ( src, ( HRect{ 10, 0, 40, 20 } ) );

    dest = { 620, 470, 660, 500 };
    src = { 0, 0, 40, 30 };
    ASSERT_TRUE( HBlitter::clipToScreen( dest, src, 640, 480 ) );
    EXPECT_EQ( dest, ( HRect{ 620, 470, 640, 480 } ) );
    EXPECT_EQ( src, ( HRect{ 0, 0, 20, 10 } ) );

    dest = { 5, -7, 15, 3 };
    src = { 2, 2, 12, 12 };
    ASSERT_TRUE( HBlitter::clipToScreen( dest, src, 640, 480 ) );
    EXPECT_EQ( src, ( HRect{ 2, 9, 12, 12 } ) );

    // Wholly outside: rejected at once.
    for( HRect outside :
         { HRect{ 641, 0, 700, 10 }, HRect{ -50, 0, -1, 10 }, HRect{ 0, 481, 10, 500 }, HRect{ 0, -20, 10, -1 } } )
    {
        HRect s = { 0, 0, 10, 10 };
        EXPECT_FALSE( HBlitter::clipToScreen( outside, s, 640, 480 ) );
    }
    // Starting exactly at the right edge passes the first test but leaves no width.
    dest = { 640, 0, 650, 10 };
    src = { 0, 0, 10, 10 };
    EXPECT_FALSE( HBlitter::clipToScreen( dest, src, 640, 480 ) );
}

TEST( HBlitRowsTest, EveryRowFormGivesTheFormulasBitsForEveryInput )
{
    typedef uint16_t ( *Pixel )( uint16_t src, uint16_t dst, uint8_t m );
    struct Kind
    {
        const char* kpName;
        HBlitRows::Row HBlitRows::Set::*row;
        Pixel expected;
    };
    const Kind kKinds[] = {
        { "copyMasked", &HBlitRows::Set::copyMasked,
          []( uint16_t src, uint16_t dst, uint8_t m ) { return m == 255 ? src : dst; } },
        { "alphaBlend", &HBlitRows::Set::alphaBlend, HBlitRows::alphaBlendPixel },
        { "binaryAlpha", &HBlitRows::Set::binaryAlpha,
          []( uint16_t src, uint16_t dst, uint8_t m ) { return ( m & 0x80 ) != 0 ? src : dst; } },
    };
    std::vector<const HBlitRows::Set*> sets = { &HBlitRows::portable(), HBlitRows::sse2(), HBlitRows::avx2() };
    // The formula itself, for a few hand-worked pixels: black at 128 over white, and the top bit.
    EXPECT_EQ( HBlitRows::alphaBlendPixel( 0, 0x7FFF, 128 ), ( 15 << 10 ) | ( 15 << 5 ) | 15 );
    EXPECT_EQ( HBlitRows::alphaBlendPixel( 0xFFFF, 0, 255 ), 0xFFFF );
    EXPECT_EQ( HBlitRows::alphaBlendPixel( 0x8000, 0x8001, 1 ), 0 );

    // Every source word (the unused top bit both ways) under every mask byte over a spread of
    // destinations, then random rows: runs of clear and opaque bytes, odd widths and offsets.
    const int kWords = 65536;
    std::vector<uint16_t> src( kWords + 64 );
    std::vector<uint16_t> dst( kWords + 64 );
    std::vector<uint8_t> mask( kWords + 64 );
    std::vector<uint16_t> out( kWords + 64 );
    std::mt19937 random( 14 );
    for( const HBlitRows::Set* kpSet : sets )
    {
        if( kpSet == nullptr )
            continue;
        for( const Kind& kind : kKinds )
        {
            HBlitRows::Row row = kpSet->*kind.row;
            for( int m = 0; m < 256; ++m )
            {
                for( int i = 0; i < kWords; ++i )
                {
                    src[ i ] = static_cast<uint16_t>( i );
                    dst[ i ] = static_cast<uint16_t>( i * 40503u + m * 977u );
                    mask[ i ] = static_cast<uint8_t>( m );
                }
                out = dst;
                row( out.data(), src.data(), mask.data(), kWords );
                for( int i = 0; i < kWords; ++i )
                    ASSERT_EQ( out[ i ], kind.expected( src[ i ], dst[ i ], static_cast<uint8_t>( m ) ) )
                        << kpSet->kpName << " " << kind.kpName << " mask " << m << " word " << i;
            }
            for( int frame = 0; frame < 200; ++frame )
            {
                int offset = static_cast<int>( random() % 17 );
                int width = static_cast<int>( random() % 700 );
                for( int i = 0; i < width + offset; ++i )
                {
                    src[ i ] = static_cast<uint16_t>( random() );
                    dst[ i ] = static_cast<uint16_t>( random() );
                    uint32_t pick = random() % 8;
                    // Runs long enough to cover whole vectors of one kind.
                    mask[ i ] = i > 0 && pick < 5 ? mask[ i - 1 ]
                                : pick == 5       ? 0
                                : pick == 6       ? 255
                                                  : static_cast<uint8_t>( random() );
                }
                out = dst;
                row( out.data() + offset, src.data() + offset, mask.data() + offset, width );
                for( int i = 0; i < width + offset; ++i )
                {
                    uint16_t expected = i < offset ? dst[ i ] : kind.expected( src[ i ], dst[ i ], mask[ i ] );
                    ASSERT_EQ( out[ i ], expected ) << kpSet->kpName << " " << kind.kpName << " frame " << frame;
                }
            }
        }
    }
}
