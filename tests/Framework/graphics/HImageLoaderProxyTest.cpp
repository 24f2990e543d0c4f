#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HImageLoaderProxy.h"
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

class HImageLoaderProxyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RgbaPicture picture = RgbaPicture::pattern( 4, 3, false );
        ASSERT_TRUE( writePPM( m_dir.file( "src.ppm" ), picture ) );
        ASSERT_TRUE( tool( "convert " + m_dir.file( "src.ppm" ) + " PNG24:" + m_dir.file( "photo.jpg.png" ) ) );
        ASSERT_TRUE( tool( "cjpeg -outfile " + m_dir.file( "pic.jpeg" ) + " " + m_dir.file( "src.ppm" ) ) );
        ASSERT_TRUE( tool( "pamtotga -rgb -norle " + m_dir.file( "src.ppm" ) + " >" + m_dir.file( "title.tga" ) ) );
        m_dir.write( "title.TGA", m_dir.read( "title.tga" ) );
        // JPEG bytes under a name that ends in ".png": the name decides, so this must fail.
        m_dir.write( "fake.jpg.png", m_dir.read( "pic.jpeg" ) );
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
};
} // namespace

TEST_F( HImageLoaderProxyTest, TheNameChoosesTheLoader )
{
    HImageLoaderProxy proxy;
    ASSERT_TRUE( proxy.load( &m_fs, "pic.jpeg" ) );
    EXPECT_EQ( proxy.getImage()->getWidth(), 4 );
    ASSERT_TRUE( proxy.load( &m_fs, "photo.jpg.png" ) );
    EXPECT_EQ( proxy.getImage()->getHeight(), 3 );
    ASSERT_TRUE( proxy.load( &m_fs, "title.tga" ) );
    EXPECT_EQ( proxy.getImage()->getFormat(), IF_ARGB32 );

    EXPECT_FALSE( proxy.load( &m_fs, "fake.jpg.png" ) );
    EXPECT_TRUE( traced( "HPNGLoader::load - invalid PNG file 'fake.jpg.png'" ) );
    EXPECT_EQ( proxy.getImage(), nullptr );
}

TEST_F( HImageLoaderProxyTest, CapitalExtensionsMatchNothing )
{
    HImageLoaderProxy proxy;
    EXPECT_FALSE( proxy.load( &m_fs, "title.TGA" ) );
    EXPECT_TRUE( traced( "HImageLoaderProxy::load - unknown file type for file 'title.TGA'" ) );
    EXPECT_FALSE( proxy.load( &m_fs, nullptr ) );
    EXPECT_EQ( m_fs.openFileCount(), 0 );
}

TEST_F( HImageLoaderProxyTest, TheImageCanBeTakenOrFreed )
{
    HImageLoaderProxy proxy;
    ASSERT_TRUE( proxy.load( &m_fs, "title.tga" ) );
    std::unique_ptr<HImage> image( proxy.detachImage() );
    ASSERT_NE( image, nullptr );
    EXPECT_EQ( proxy.getImage(), nullptr );
    ASSERT_TRUE( proxy.load( &m_fs, "title.tga" ) );
    proxy.freeImage();
    EXPECT_EQ( proxy.getImage(), nullptr );
    proxy.freeImage();
}

TEST_F( HImageLoaderProxyTest, BytesInMemoryAreDecodedByTheirName )
{
    HImageLoaderProxy proxy;
    std::string jpeg = m_dir.read( "pic.jpeg" );
    const uint8_t* kpBytes = reinterpret_cast<const uint8_t*>( jpeg.data() );
    ASSERT_TRUE( proxy.decode( kpBytes, static_cast<uint32_t>( jpeg.size() ), "in/memory.jpg" ) );
    EXPECT_EQ( proxy.getImage()->getWidth(), 4 );
    // A failure leaves no picture behind, not even the one before.
    EXPECT_FALSE( proxy.decode( kpBytes, static_cast<uint32_t>( jpeg.size() ), "in/memory.png" ) );
    EXPECT_EQ( proxy.getImage(), nullptr );
    EXPECT_FALSE( proxy.decode( kpBytes, static_cast<uint32_t>( jpeg.size() ), "in/memory.bmp" ) );
    EXPECT_TRUE( traced( "HImageLoaderProxy::load - unknown file type for file 'in/memory.bmp'" ) );
}
