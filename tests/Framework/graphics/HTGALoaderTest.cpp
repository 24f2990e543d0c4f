#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HTGALoader.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
std::string bgra( uint8_t b, uint8_t g, uint8_t r, uint8_t a )
{
    return std::string{ static_cast<char>( b ), static_cast<char>( g ), static_cast<char>( r ),
                        static_cast<char>( a ) };
}

std::string word( uint16_t value )
{
    return std::string{ static_cast<char>( value & 0xFF ), static_cast<char>( value >> 8 ) };
}

bool decode( HTGALoader& loader, const std::string& bytes )
{
    return loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ), static_cast<uint32_t>( bytes.size() ),
                          "pic.tga" );
}

bool traced( const std::string& text )
{
    const auto& traces = RecordingProcessServices::debugTraces();
    return std::find( traces.begin(), traces.end(), text ) != traces.end();
}

class HTGALoaderTest : public ::testing::Test
{
protected:
    RecordingProcessServices m_services;
    HTGALoader m_loader;
};
} // namespace

TEST_F( HTGALoaderTest, TwentyFourBitRowsAreTakenBottomUpWithFullAlpha )
{
    // File order: bottom row (1, 2), then top row (3, 4).
    std::string pixels = "\x01\x02\x03"
                         "\x04\x05\x06"
                         "\x07\x08\x09"
                         "\x0a\x0b\x0c";
    ASSERT_TRUE( decode( m_loader, tgaBytes( 2, 2, 2, 24, pixels ) ) );
    HImage* pImage = m_loader.getImage();
    ASSERT_NE( pImage, nullptr );
    EXPECT_EQ( pImage->getFormat(), IF_ARGB32 );
    RgbaPicture picture = pictureOf( *pImage );
    // The first image row is the file's last: blue 7, green 8, red 9.
    EXPECT_EQ( picture.at( 0, 0 )[ 0 ], 9 );
    EXPECT_EQ( picture.at( 0, 0 )[ 1 ], 8 );
    EXPECT_EQ( picture.at( 0, 0 )[ 2 ], 7 );
    EXPECT_EQ( picture.at( 1, 1 )[ 0 ], 6 );
    for( int i = 0; i < 4; ++i )
        EXPECT_EQ( picture.rgba[ i * 4 + 3 ], 255 );
    EXPECT_TRUE( traced( "...loaded 'pic.tga' 2x2x4\n" ) );
}

TEST_F( HTGALoaderTest, ThirtyTwoBitPixelsKeepTheirAlpha )
{
    ASSERT_TRUE( decode( m_loader, tgaBytes( 2, 1, 1, 32, bgra( 10, 20, 30, 40 ) ) ) );
    RgbaPicture picture = pictureOf( *m_loader.getImage() );
    EXPECT_EQ( picture.at( 0, 0 )[ 0 ], 30 );
    EXPECT_EQ( picture.at( 0, 0 )[ 2 ], 10 );
    EXPECT_EQ( picture.at( 0, 0 )[ 3 ], 40 );
}

TEST_F( HTGALoaderTest, SixteenBitWordsMoveRedAndBlueAndDropTheAttribute )
{
    std::string pixels = word( 0x7C00 ) + word( 0x001F ) + word( 0x03E0 ) + word( 0xFC00 );
    ASSERT_TRUE( decode( m_loader, tgaBytes( 2, 4, 1, 16, pixels ) ) );
    HImage* pImage = m_loader.getImage();
    EXPECT_EQ( pImage->getFormat(), IF_BGR555 );
    EXPECT_EQ( pImage->getPixel16( 0, 0 ), 0x003E );
    EXPECT_EQ( pImage->getPixel16( 1, 0 ), 0xF800 );
    EXPECT_EQ( pImage->getPixel16( 2, 0 ), 0x07C0 );
    EXPECT_EQ( pImage->getPixel16( 3, 0 ), 0x003E );
    EXPECT_TRUE( traced( "...loaded 'pic.tga' 4x1x2\n" ) );
    // Depth 15 is the same word.
    ASSERT_TRUE( decode( m_loader, tgaBytes( 2, 1, 1, 15, word( 0x7C00 ) ) ) );
    EXPECT_EQ( m_loader.getImage()->getPixel16( 0, 0 ), 0x003E );
}

TEST_F( HTGALoaderTest, IdFieldAndColourMapAreSkipped )
{
    std::string bytes = tgaBytes( 2, 1, 1, 32, bgra( 1, 2, 3, 4 ), "an id", 1, 3, 24 );
    ASSERT_TRUE( decode( m_loader, bytes ) );
    EXPECT_TRUE( traced( "HTGALoader::load - colormap found in 'pic.tga'" ) );
    RgbaPicture picture = pictureOf( *m_loader.getImage() );
    EXPECT_EQ( picture.at( 0, 0 )[ 0 ], 3 );
    EXPECT_EQ( picture.at( 0, 0 )[ 3 ], 4 );
}

TEST_F( HTGALoaderTest, OtherTypesAreRawBytes )
{
    ASSERT_TRUE( decode( m_loader, tgaBytes( 3, 2, 2, 8, "\x10\x20\x30\x40" ) ) );
    HImage* pImage = m_loader.getImage();
    EXPECT_EQ( pImage->getFormat(), IF_8BIT );
    EXPECT_EQ( pImage->getData()[ 0 ], 0x30 );
    EXPECT_EQ( pImage->getData()[ 3 ], 0x20 );
    EXPECT_TRUE( traced( "...loaded 'pic.tga' 2x2x1\n" ) );
}

TEST_F( HTGALoaderTest, LyingOrDamagedHeadersAreRefused )
{
    std::string fourPixels = bgra( 1, 2, 3, 4 ) + bgra( 1, 2, 3, 4 ) + bgra( 1, 2, 3, 4 ) + bgra( 1, 2, 3, 4 );
    const std::string kBad[] = {
        "",
        std::string( 17, '\0' ),
        tgaBytes( 2, -2, 2, 32, fourPixels ),
        tgaBytes( 2, 2, -2, 32, fourPixels ),
        tgaBytes( 2, 0, 2, 32, fourPixels ),
        tgaBytes( 2, 2, 0, 32, fourPixels ),
        tgaBytes( 2, 30000, 30000, 32, fourPixels ),
        // One byte short of the pixels the header asks for.
        tgaBytes( 2, 2, 2, 32, fourPixels.substr( 0, 15 ) ),
        tgaBytes( 3, 5, 1, 8, "abcd" ),
        // Pixel depths a true-colour picture cannot have.
        tgaBytes( 2, 1, 1, 8, "abcd" ),
        tgaBytes( 2, 1, 1, 0, "abcd" ),
    };
    // A colour map running past the end of the file.
    std::string longMap = tgaBytes( 2, 1, 1, 32, bgra( 1, 2, 3, 4 ) );
    longMap[ 1 ] = 1;
    longMap[ 5 ] = static_cast<char>( 0xFF );
    longMap[ 6 ] = static_cast<char>( 0xFF );
    longMap[ 7 ] = 32;
    for( const std::string& bytes : kBad )
    {
        EXPECT_FALSE( decode( m_loader, bytes ) ) << bytes.size();
        EXPECT_EQ( m_loader.getImage(), nullptr );
    }
    EXPECT_FALSE( decode( m_loader, longMap ) );
}

TEST_F( HTGALoaderTest, EveryTruncationFailsCleanly )
{
    std::string whole = tgaBytes( 2, 3, 2, 24, std::string( 18, '\x42' ), "id" );
    ASSERT_TRUE( decode( m_loader, whole ) );
    for( size_t length = 0; length < whole.size(); ++length )
    {
        // Each cut is its own buffer, so reading one byte past it is caught by the sanitizer build.
        std::unique_ptr<uint8_t[]> cut( new uint8_t[ length + 1 ] );
        std::copy( whole.begin(), whole.begin() + static_cast<long>( length ), cut.get() );
        EXPECT_FALSE( m_loader.decode( cut.get(), static_cast<uint32_t>( length ), "cut.tga" ) ) << length;
    }
}

TEST_F( HTGALoaderTest, ReadsFilesWrittenByNetpbm )
{
    TempDir dir;
    RgbaPicture rgb = RgbaPicture::pattern( 13, 7, false );
    RgbaPicture rgba = RgbaPicture::pattern( 9, 5, true );
    ASSERT_TRUE( writePPM( dir.file( "rgb.ppm" ), rgb ) );
    ASSERT_TRUE( writePAM( dir.file( "rgba.pam" ), rgba ) );
    ASSERT_TRUE( tool( "pamtotga -rgb -norle " + dir.file( "rgb.ppm" ) + " >" + dir.file( "rgb.tga" ) ) );
    ASSERT_TRUE( tool( "pamtotga -rgb -norle " + dir.file( "rgba.pam" ) + " >" + dir.file( "rgba.tga" ) ) );
    testing::internal::CaptureStdout();
    HStandardFileSystem fs;
    fs.init( dir.path().c_str() );
    testing::internal::GetCapturedStdout();

    ASSERT_TRUE( m_loader.load( &fs, "rgb.tga" ) );
    EXPECT_EQ( pictureOf( *m_loader.getImage() ).rgba, rgb.rgba );
    ASSERT_TRUE( m_loader.load( &fs, "rgba.tga" ) );
    EXPECT_EQ( pictureOf( *m_loader.getImage() ).rgba, rgba.rgba );
    EXPECT_FALSE( m_loader.load( &fs, "missing.tga" ) );
    EXPECT_EQ( m_loader.getImage(), nullptr );
    EXPECT_EQ( fs.openFileCount(), 0 );
}
