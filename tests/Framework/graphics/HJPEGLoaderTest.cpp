#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HJPEGLoader.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
bool tracedStart( const std::string& start )
{
    const auto& traces = RecordingProcessServices::debugTraces();
    return std::any_of( traces.begin(), traces.end(),
                        [ & ]( const std::string& text ) { return text.rfind( start, 0 ) == 0; } );
}

// A picture with smooth areas and edges, the kind a JPEG is made of.
RgbaPicture photo( int w, int h )
{
    RgbaPicture picture( w, h );
    for( int y = 0; y < h; ++y )
    {
        for( int x = 0; x < w; ++x )
        {
            uint8_t* p = picture.at( x, y );
            p[ 0 ] = static_cast<uint8_t>( x * 255 / std::max( 1, w - 1 ) );
            p[ 1 ] = static_cast<uint8_t>( ( x / 8 + y / 8 ) % 2 ? 200 : 40 );
            p[ 2 ] = static_cast<uint8_t>( y * 255 / std::max( 1, h - 1 ) );
            p[ 3 ] = 255;
        }
    }
    return picture;
}

class HJPEGLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE( writePPM( m_dir.file( "photo.ppm" ), photo( 61, 47 ) ) );
    }

    // cjpeg with the options given; the reference is what djpeg makes of the same file.
    std::string make( const std::string& name, const std::string& options, const std::string& source = "photo.ppm" )
    {
        EXPECT_TRUE( tool( "cjpeg " + options + " -outfile " + m_dir.file( name ) + " " + m_dir.file( source ) ) );
        return name;
    }
    RgbaPicture reference( const std::string& name )
    {
        RgbaPicture picture;
        EXPECT_TRUE( tool( "djpeg -pnm -outfile " + m_dir.file( name + ".pnm" ) + " " + m_dir.file( name ) ) );
        EXPECT_TRUE( readPNM( m_dir.file( name + ".pnm" ), picture ) );
        return picture;
    }
    bool decodeBytes( const std::string& bytes )
    {
        return m_loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ), static_cast<uint32_t>( bytes.size() ),
                                "mem.jpg" );
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    HJPEGLoader m_loader;
};
} // namespace

TEST_F( HJPEGLoaderTest, DecodesLikeTheLibrarysOwnTool )
{
    const std::pair<const char*, const char*> kVariants[] = {
        { "baseline.jpg", "-quality 85" },
        { "progressive.jpg", "-progressive" },
        { "arithmetic.jpg", "-arithmetic" },
        { "grey.jpg", "-grayscale" },
        { "full-chroma.jpg", "-sample 1x1 -quality 95" },
        { "restarts.jpg", "-restart 1 -optimize" },
    };
    for( const auto& variant : kVariants )
    {
        make( variant.first, variant.second );
        RgbaPicture expected = reference( variant.first );
        ASSERT_TRUE( m_loader.load( &m_fs, variant.first ) ) << variant.first;
        HImage* pImage = m_loader.getImage();
        EXPECT_EQ( pImage->getFormat(), IF_ARGB32 );
        RgbaPicture decoded = pictureOf( *pImage );
        EXPECT_EQ( decoded.width, 61 );
        EXPECT_EQ( decoded.height, 47 );
        EXPECT_TRUE( decoded.rgba == expected.rgba ) << variant.first;
        EXPECT_TRUE( tracedStart( std::string( "...loaded '" ) + variant.first + "' 61x47x32" ) );
    }
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}

TEST_F( HJPEGLoaderTest, RowsWiderThanTheOldFixedBufferDecode )
{
    ASSERT_TRUE( writePPM( m_dir.file( "wide.ppm" ), photo( 2000, 9 ) ) );
    make( "wide.jpg", "", "wide.ppm" );
    ASSERT_TRUE( m_loader.load( &m_fs, "wide.jpg" ) );
    EXPECT_TRUE( pictureOf( *m_loader.getImage() ).rgba == reference( "wide.jpg" ).rgba );
}

TEST_F( HJPEGLoaderTest, TruncatedDataFailsInsteadOfTurningGrey )
{
    std::string whole = readFileBytes( m_dir.file( make( "cut.jpg", "" ) ) );
    ASSERT_TRUE( decodeBytes( whole ) );
    // Cutting only the end-of-image marker already counts as damage.
    for( size_t length = 0; length + 1 < whole.size(); length += ( length < 700 ? 1 : 97 ) )
    {
        std::unique_ptr<uint8_t[]> cut( new uint8_t[ length + 1 ] );
        std::copy( whole.begin(), whole.begin() + static_cast<long>( length ), cut.get() );
        EXPECT_FALSE( m_loader.decode( cut.get(), static_cast<uint32_t>( length ), "cut.jpg" ) ) << length;
        EXPECT_EQ( m_loader.getImage(), nullptr );
    }
    EXPECT_TRUE( tracedStart( "HJPEGLoader::load - 'cut.jpg': Premature end of" ) );
}

TEST_F( HJPEGLoaderTest, CorruptScanDataFails )
{
    std::string bytes = readFileBytes( m_dir.file( make( "broken.jpg", "" ) ) );
    // A marker in the middle of the scan ends the data segment early.
    size_t middle = bytes.size() * 2 / 3;
    bytes[ middle ] = static_cast<char>( 0xFF );
    bytes[ middle + 1 ] = static_cast<char>( 0xD3 );
    EXPECT_FALSE( decodeBytes( bytes ) );
    EXPECT_TRUE( tracedStart( "HJPEGLoader::load - 'mem.jpg': Corrupt JPEG data" ) );
}

TEST_F( HJPEGLoaderTest, GarbageAndUnsupportedPicturesFailWithoutEndingTheProcess )
{
    EXPECT_FALSE( decodeBytes( "" ) );
    EXPECT_FALSE( decodeBytes( "not a jpeg at all" ) );
    std::string noise = "\xff\xd8\xff\xe0";
    uint32_t state = 99;
    for( int i = 0; i < 3000; ++i )
    {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>( state >> 24 );
    }
    EXPECT_FALSE( decodeBytes( noise ) );
    ASSERT_TRUE( tool( "convert " + m_dir.file( "photo.ppm" ) + " -colorspace CMYK " + m_dir.file( "cmyk.jpg" ) ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "cmyk.jpg" ) );
    EXPECT_FALSE( m_loader.load( &m_fs, "missing.jpg" ) );
    EXPECT_EQ( m_loader.getImage(), nullptr );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}
