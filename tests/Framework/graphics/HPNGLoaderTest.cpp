#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <zlib.h>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HPNGLoader.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
bool traced( const std::string& text )
{
    const auto& traces = RecordingProcessServices::debugTraces();
    return std::find( traces.begin(), traces.end(), text ) != traces.end();
}

// A picture of few colours, so a palette holds it exactly; magenta is always among them.
RgbaPicture fewColours( int w, int h, int count = 5 )
{
    RgbaPicture picture( w, h );
    for( int y = 0; y < h; ++y )
    {
        for( int x = 0; x < w; ++x )
        {
            int index = ( x * 3 + y * 7 ) % count;
            uint8_t* p = picture.at( x, y );
            p[ 0 ] = index == 0 ? 255 : static_cast<uint8_t>( index * 41 );
            p[ 1 ] = index == 0 ? 0 : static_cast<uint8_t>( 250 - index * 5 );
            p[ 2 ] = index == 0 ? 255 : static_cast<uint8_t>( index * 97 );
            p[ 3 ] = 255;
        }
    }
    return picture;
}

std::string bigEndian( uint32_t value )
{
    return { static_cast<char>( value >> 24 ), static_cast<char>( value >> 16 ), static_cast<char>( value >> 8 ),
             static_cast<char>( value ) };
}

std::string chunk( const std::string& type, const std::string& data )
{
    std::string body = type + data;
    uint32_t crc = static_cast<uint32_t>(
        crc32( 0, reinterpret_cast<const Bytef*>( body.data() ), static_cast<uInt>( body.size() ) ) );
    return bigEndian( static_cast<uint32_t>( data.size() ) ) + body + bigEndian( crc );
}

// An 8-bit palette PNG of one row, written byte by byte.
std::string paletteRow( const std::string& palette, const std::string& indices )
{
    std::string header =
        bigEndian( static_cast<uint32_t>( indices.size() ) ) + bigEndian( 1 ) + "\x08\x03" + std::string( 3, '\0' );
    std::string raw = std::string( 1, '\0' ) + indices;
    uLongf size = compressBound( static_cast<uLong>( raw.size() ) );
    std::string packed( size, '\0' );
    compress( reinterpret_cast<Bytef*>( &packed[ 0 ] ), &size, reinterpret_cast<const Bytef*>( raw.data() ),
              static_cast<uLong>( raw.size() ) );
    packed.resize( size );
    return std::string( "\x89PNG\r\n\x1a\n", 8 ) + chunk( "IHDR", header ) + chunk( "PLTE", palette ) +
           chunk( "IDAT", packed ) + chunk( "IEND", "" );
}

class HPNGLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
    }

    // Writes the picture as PPM or PAM and converts it with the command given ("%in" and "%out").
    std::string make( const std::string& name, const RgbaPicture& picture, bool alpha, const std::string& command )
    {
        std::string in = m_dir.file( name + ( alpha ? ".pam" : ".ppm" ) );
        EXPECT_TRUE( alpha ? writePAM( in, picture ) : writePPM( in, picture ) );
        std::string line = command;
        line.replace( line.find( "%in" ), 3, in );
        line.replace( line.find( "%out" ), 4, m_dir.file( name ) );
        EXPECT_TRUE( tool( line ) ) << line;
        return name;
    }

    bool decodeBytes( const std::string& bytes, const char* kpName = "mem.png" )
    {
        return m_loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ), static_cast<uint32_t>( bytes.size() ),
                                kpName );
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HPNGLoader m_loader;
};
} // namespace

TEST_F( HPNGLoaderTest, DecodesTheKindsItSupportsExactly )
{
    RgbaPicture rgb = RgbaPicture::pattern( 37, 23, false );
    RgbaPicture rgba = RgbaPicture::pattern( 31, 17, true );
    RgbaPicture palette = fewColours( 29, 19 );
    RgbaPicture manyColours = fewColours( 29, 19, 40 );
    struct Case
    {
        std::string name;
        const RgbaPicture* kpPicture;
        bool alpha;
        std::string command;
    };
    const Case kCases[] = {
        { "rgb.png", &rgb, false, "convert %in PNG24:%out" },
        { "rgba.png", &rgba, true, "convert %in PNG32:%out" },
        { "palette.png", &palette, false, "convert %in PNG8:%out" },
        { "rgb-adam7.png", &rgb, false, "convert %in -interlace PNG PNG24:%out" },
        { "rgba-adam7.png", &rgba, true, "convert %in -interlace PNG PNG32:%out" },
        { "palette-adam7.png", &palette, false, "convert %in -interlace PNG PNG8:%out" },
        { "netpbm-rgb.png", &rgb, false, "pnmtopng -compression 9 %in >%out" },
        { "netpbm-palette-adam7.png", &manyColours, false, "pnmtopng -interlace %in >%out" },
        { "netpbm-rgba.png", &rgba, true, "pamrgbatopng %in >%out" },
    };
    for( const Case& c : kCases )
    {
        make( c.name, *c.kpPicture, c.alpha, c.command );
        ASSERT_TRUE( m_loader.load( &m_fs, c.name.c_str() ) ) << c.name;
        HImage* pImage = m_loader.getImage();
        EXPECT_EQ( pImage->getFormat(), IF_ARGB32 );
        RgbaPicture decoded = pictureOf( *pImage );
        EXPECT_EQ( decoded.width, c.kpPicture->width ) << c.name;
        EXPECT_EQ( decoded.height, c.kpPicture->height ) << c.name;
        EXPECT_TRUE( decoded.rgba == c.kpPicture->rgba ) << c.name;
        EXPECT_TRUE( traced( "...loaded '" + c.name + "' " + std::to_string( c.kpPicture->width ) + "x" +
                             std::to_string( c.kpPicture->height ) + "x4\n" ) )
            << c.name;
    }
    EXPECT_TRUE( m_services.boxes.empty() );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}

TEST_F( HPNGLoaderTest, RowsWiderThanTheOldFixedBufferDecode )
{
    RgbaPicture wide = RgbaPicture::pattern( 1500, 3, true );
    make( "wide.png", wide, true, "convert %in PNG32:%out" );
    ASSERT_TRUE( m_loader.load( &m_fs, "wide.png" ) );
    EXPECT_TRUE( pictureOf( *m_loader.getImage() ).rgba == wide.rgba );
}

TEST_F( HPNGLoaderTest, PaletteTransparencyIsIgnored )
{
    RgbaPicture palette = fewColours( 8, 8 );
    make( "keyed.png", palette, false, "convert %in -transparent '#FF00FF' PNG8:%out" );
    ASSERT_TRUE( m_loader.load( &m_fs, "keyed.png" ) );
    RgbaPicture decoded = pictureOf( *m_loader.getImage() );
    EXPECT_EQ( decoded.at( 0, 0 )[ 0 ], 255 );
    EXPECT_EQ( decoded.at( 0, 0 )[ 1 ], 0 );
    EXPECT_EQ( decoded.at( 0, 0 )[ 3 ], 255 );
}

TEST_F( HPNGLoaderTest, IndicesPastAShortPaletteShowAsOpaqueBlack )
{
    std::string palette = std::string( "\x10\x20\x30\xf0\xe0\xd0", 6 );
    ASSERT_TRUE( decodeBytes( paletteRow( palette, std::string( "\x00\x01\x02\xff", 4 ) ) ) );
    RgbaPicture decoded = pictureOf( *m_loader.getImage() );
    const uint8_t kExpected[ 4 ][ 4 ] = {
        { 0x10, 0x20, 0x30, 255 }, { 0xf0, 0xe0, 0xd0, 255 }, { 0, 0, 0, 255 }, { 0, 0, 0, 255 } };
    for( int x = 0; x < 4; ++x )
    {
        for( int c = 0; c < 4; ++c )
            EXPECT_EQ( decoded.at( x, 0 )[ c ], kExpected[ x ][ c ] ) << x << " " << c;
    }
}

TEST_F( HPNGLoaderTest, GreyAndSixteenBitPicturesAreRefusedWithTheirKind )
{
    RgbaPicture rgb = RgbaPicture::pattern( 5, 4, false );
    make( "grey.png", rgb, false, "convert %in -colorspace Gray -type Grayscale PNG:%out" );
    make( "deep.png", rgb, false, "convert %in PNG48:%out" );
    make( "deep-alpha.png", RgbaPicture::pattern( 5, 4, true ), true, "convert %in PNG64:%out" );
    // Five colours fit a palette of four bits per pixel, which is not eight.
    make( "packed.png", fewColours( 7, 3 ), false, "pnmtopng %in >%out" );
    EXPECT_FALSE( m_loader.load( &m_fs, "packed.png" ) );
    EXPECT_TRUE( traced( "File 'packed.png' has unknown colorType 3 with iBPP = 4" ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "grey.png" ) );
    EXPECT_TRUE( traced( "File 'grey.png' has unknown colorType 0 with iBPP = 8" ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "deep.png" ) );
    EXPECT_TRUE( traced( "File 'deep.png' has unknown colorType 2 with iBPP = 16" ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "deep-alpha.png" ) );
    EXPECT_TRUE( traced( "File 'deep-alpha.png' has unknown colorType 6 with iBPP = 16" ) );
    EXPECT_EQ( m_loader.getImage(), nullptr );
    EXPECT_TRUE( m_services.boxes.empty() );
}

TEST_F( HPNGLoaderTest, DamagedImageDataIsCaughtByItsChecksums )
{
    std::string png = readFileBytes(
        m_dir.file( make( "sums.png", RgbaPicture::pattern( 9, 9, false ), false, "convert %in -strip PNG24:%out" ) ) );
    ASSERT_TRUE( decodeBytes( png ) );
    size_t idat = png.find( "IDAT" );
    ASSERT_NE( idat, std::string::npos );
    uint32_t length = static_cast<uint8_t>( png[ idat - 4 ] ) << 24 | static_cast<uint8_t>( png[ idat - 3 ] ) << 16 |
                      static_cast<uint8_t>( png[ idat - 2 ] ) << 8 | static_cast<uint8_t>( png[ idat - 1 ] );

    // Intact data under a wrong CRC.
    std::string damaged = png;
    damaged[ idat + 4 + length + 3 ] ^= 0x01;
    m_services.boxes.clear();
    EXPECT_FALSE( decodeBytes( damaged ) );
    ASSERT_FALSE( m_services.boxes.empty() );
    EXPECT_EQ( m_services.boxes.back().text, "lpng122 encountered fatal error 'IDAT: CRC error'" );

    // A changed byte of the compressed data's own checksum, with the chunk's CRC made to match.
    damaged = png;
    damaged[ idat + 4 + length - 2 ] ^= 0x01;
    uint32_t crc = static_cast<uint32_t>(
        crc32( 0, reinterpret_cast<const Bytef*>( damaged.data() + idat ), static_cast<uInt>( length + 4 ) ) );
    for( int i = 0; i < 4; ++i )
        damaged[ idat + 4 + length + i ] = static_cast<char>( crc >> ( 24 - 8 * i ) );
    m_services.boxes.clear();
    EXPECT_FALSE( decodeBytes( damaged ) );
    ASSERT_FALSE( m_services.boxes.empty() );
    EXPECT_EQ( m_services.boxes.back().text, "lpng122 encountered fatal error 'IDAT: incorrect data check'" );
}

TEST_F( HPNGLoaderTest, ABadSignatureIsRefusedQuietly )
{
    EXPECT_FALSE( decodeBytes( "GIF89a and more bytes", "fake.png" ) );
    EXPECT_TRUE( traced( "HPNGLoader::load - invalid PNG file 'fake.png'" ) );
    EXPECT_FALSE( decodeBytes( "\x89PNG", "short.png" ) );
    EXPECT_TRUE( traced( "HPNGLoader::load - invalid PNG file 'short.png'" ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "missing.png" ) );
    EXPECT_TRUE( m_services.boxes.empty() );
}

TEST_F( HPNGLoaderTest, EveryTruncationFailsWithTheLibrarysMessage )
{
    make( "small.png", RgbaPicture::pattern( 6, 5, true ), true, "convert %in -strip PNG32:%out" );
    std::string whole = readFileBytes( m_dir.file( "small.png" ) );
    ASSERT_TRUE( decodeBytes( whole ) );
    // Even a file missing only its end chunk is damaged.
    for( size_t length = 0; length < whole.size(); ++length )
    {
        std::unique_ptr<uint8_t[]> cut( new uint8_t[ length + 1 ] );
        std::copy( whole.begin(), whole.begin() + static_cast<long>( length ), cut.get() );
        m_services.boxes.clear();
        EXPECT_FALSE( m_loader.decode( cut.get(), static_cast<uint32_t>( length ), "cut.png" ) ) << length;
        EXPECT_EQ( m_loader.getImage(), nullptr );
        if( length >= 8 )
        {
            ASSERT_FALSE( m_services.boxes.empty() ) << length;
            EXPECT_EQ( m_services.boxes.back().caption, "Alert" );
            EXPECT_EQ( m_services.boxes.back().text.rfind( "lpng122 encountered fatal error '", 0 ), 0u )
                << m_services.boxes.back().text;
        }
    }
}

TEST_F( HPNGLoaderTest, GarbageAfterTheSignatureFails )
{
    std::string bytes = std::string( "\x89PNG\r\n\x1a\n", 8 );
    uint32_t state = 12345;
    for( int i = 0; i < 4000; ++i )
    {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>( state >> 24 );
    }
    EXPECT_FALSE( decodeBytes( bytes ) );
    EXPECT_FALSE( m_services.boxes.empty() );

    // A header asking for 8000 x 8000 pixels over a few bytes of data is refused before the
    // pixels are allocated.
    std::string png = readFileBytes(
        m_dir.file( make( "tiny.png", RgbaPicture::pattern( 2, 2, true ), true, "convert %in -strip PNG32:%out" ) ) );
    ASSERT_TRUE( decodeBytes( png ) );
    const char kHuge[ 8 ] = { 0, 0, 0x1F, 0x40, 0, 0, 0x1F, 0x40 };
    std::copy( kHuge, kHuge + 8, png.begin() + 16 );
    uint32_t crc = static_cast<uint32_t>( crc32( 0, reinterpret_cast<const Bytef*>( png.data() + 12 ), 17 ) );
    for( int i = 0; i < 4; ++i )
        png[ 29 + i ] = static_cast<char>( crc >> ( 24 - 8 * i ) );
    m_services.boxes.clear();
    EXPECT_FALSE( decodeBytes( png ) );
    ASSERT_EQ( m_services.boxes.size(), 1u );
    EXPECT_EQ( m_services.boxes[ 0 ].text, "lpng122 encountered fatal error 'Image is larger than its data can hold'" );
}
