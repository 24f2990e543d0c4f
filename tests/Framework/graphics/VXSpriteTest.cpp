#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HSurface.h"
#include "Framework/graphics/VXSprite.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
// 3 x 2, bottom-up in the file: top row white, magenta, white; bottom row red, green, blue.
std::string smallTga()
{
    std::string bottom = std::string( "\x00\x00\xff\xff", 4 ) + std::string( "\x00\xff\x00\xff", 4 ) +
                         std::string( "\xff\x00\x00\xff", 4 );
    std::string top = std::string( "\xff\xff\xff\xff", 4 ) + std::string( "\xff\x00\xff\xff", 4 ) +
                      std::string( "\xff\xff\xff\xff", 4 );
    return tgaBytes( 2, 3, 2, 32, bottom + top );
}

class VXSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.write( "small.tga", smallTga() );
        m_dir.write( "other.tga", smallTga() );
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE( m_display.initScreen( 64, 48, "test", false, true ) );
    }

    bool traced( const std::string& text ) const
    {
        const auto& traces = RecordingProcessServices::debugTraces();
        return std::find( traces.begin(), traces.end(), text ) != traces.end();
    }

    RecordingProcessServices m_services;
    TempDir m_dir;
    HStandardFileSystem m_fs;
    MemoryDisplayDevice m_display;
};
} // namespace

TEST_F( VXSpriteTest, LoadsAreCountedAndTheLastUnloadFreesTheSurface )
{
    VXSprite sprite;
    EXPECT_STREQ( sprite.getName(), "(unnamed)" );
    EXPECT_FALSE( sprite.isLoaded() );
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "small.tga" ) );
    EXPECT_TRUE( sprite.isLoaded() );
    EXPECT_STREQ( sprite.getName(), "small.tga" );
    EXPECT_EQ( sprite.getWidth(), 3 );
    EXPECT_EQ( sprite.getHeight(), 2 );
    HRect rect;
    sprite.getRect( rect );
    EXPECT_EQ( rect, ( HRect{ 0, 0, 3, 2 } ) );

    // A second load only counts, whatever name it gives.
    HSurface* pSurface = sprite.getSurface();
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "other.tga" ) );
    EXPECT_EQ( sprite.getSurface(), pSurface );
    EXPECT_STREQ( sprite.getName(), "small.tga" );
    EXPECT_EQ( sprite.getRefCount(), 2 );
    sprite.unload();
    EXPECT_TRUE( sprite.isLoaded() );
    sprite.unload();
    EXPECT_FALSE( sprite.isLoaded() );
    EXPECT_EQ( sprite.getWidth(), 0 );
    EXPECT_TRUE( traced( "getWidth: m_pSpriteSurface == 0 for sprite 'small.tga'" ) );
}

TEST_F( VXSpriteTest, UnloadingANeverLoadedSpriteUnbalancesTheCount )
{
    VXSprite sprite;
    sprite.unload();
    EXPECT_EQ( sprite.getRefCount(), -1 );
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "small.tga" ) );
    EXPECT_EQ( sprite.getRefCount(), 0 );
    EXPECT_TRUE( sprite.isLoaded() );
    sprite.unload();
    EXPECT_FALSE( sprite.isLoaded() );
    EXPECT_EQ( sprite.getHeight(), 0 );
    EXPECT_TRUE( traced( "getHeight: m_pSpriteSurface == 0 for sprite 'small.tga'" ) );
}

TEST_F( VXSpriteTest, FailedLoadsLeaveTheSpriteUnloaded )
{
    VXSprite sprite;
    EXPECT_FALSE( sprite.load( &m_display, &m_fs, "missing.tga" ) );
    EXPECT_TRUE( traced( "Could not open 'missing.tga'" ) );
    EXPECT_FALSE( sprite.isLoaded() );
    EXPECT_EQ( sprite.getRefCount(), 0 );
    EXPECT_STREQ( sprite.getName(), "(unnamed)" );
    EXPECT_TRUE( m_services.boxes.empty() );

    // Only a missing file system reaches the player.
    EXPECT_FALSE( sprite.load( &m_display, nullptr, "small.tga" ) );
    ASSERT_EQ( m_services.boxes.size(), 1u );
    EXPECT_EQ( m_services.boxes[ 0 ].caption, "Error" );
    EXPECT_EQ( m_services.boxes[ 0 ].text,
               std::string( "Glimmerdrop's read file system was not initialized.  Please report this error to " ) +
                   VXSprite::kSupportAddress );
    EXPECT_EQ( m_services.boxes[ 0 ].flags, 0x11u );

    EXPECT_FALSE( sprite.load( nullptr, &m_fs, "small.tga" ) );
    EXPECT_EQ( sprite.getRefCount(), 0 );

    // Drawing an unloaded sprite does nothing.
    sprite.drawAt( { 0, 0 } );
    sprite.draw( { 0, 0, 3, 2 }, { 0, 0, 3, 2 } );
    EXPECT_EQ( m_display.getDirtyList().count(), 0 );
}

TEST_F( VXSpriteTest, DrawAtCopiesOnlyOpaquePixelsAndClips )
{
    VXSprite sprite;
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "small.tga" ) );
    m_display.clear( { 0, 0, 0, 0 } );
    sprite.drawAt( { 10, 20 } );
    EXPECT_EQ( m_display.pixel( 10, 20 ), 0x7FFF );
    EXPECT_EQ( m_display.pixel( 11, 20 ), 0 );
    EXPECT_EQ( m_display.pixel( 10, 21 ), 0x7C00 );
    EXPECT_EQ( m_display.pixel( 12, 21 ), 0x001F );

    sprite.drawAt( { -2, 47 } );
    EXPECT_EQ( m_display.pixel( 0, 47 ), 0x7FFF );
    sprite.draw( { 62, 0, 65, 2 }, { 0, 0, 3, 2 } );
    EXPECT_EQ( m_display.pixel( 62, 1 ), 0x7C00 );
    EXPECT_EQ( m_display.pixel( 63, 1 ), 0x03E0 );
    sprite.unload();
}

TEST_F( VXSpriteTest, BlendDrawUsesTheArgumentsGiven )
{
    VXSprite sprite;
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "small.tga" ) );
    m_display.clear( { 1, 1, 1, 1 } );
    // Subtracting the white source from the white screen leaves black where the mask is set.
    sprite.blendDraw( { 0, 0, 3, 1 }, { 0, 0, 3, 1 }, BA_ONE, BP_ONE, 0, 0, BA_ONE, BP_ONE, 0, 0, BO_SUBTRACT );
    EXPECT_EQ( m_display.pixel( 0, 0 ), 0 );
    EXPECT_EQ( m_display.pixel( 1, 0 ), 0x7FFF );
    sprite.unload();
}

TEST_F( VXSpriteTest, DuplicatesOwnTheirSurface )
{
    VXSprite sprite;
    EXPECT_EQ( sprite.duplicate( &sprite ), nullptr );
    ASSERT_TRUE( sprite.load( &m_display, &m_fs, "small.tga" ) );
    std::unique_ptr<VXSprite> copy( sprite.duplicate( &sprite ) );
    ASSERT_NE( copy, nullptr );
    EXPECT_STREQ( copy->getName(), "(unnamed)" );
    EXPECT_EQ( copy->getRefCount(), 0 );
    EXPECT_TRUE( copy->isLoaded() );
    EXPECT_NE( copy->getSurface(), sprite.getSurface() );
    EXPECT_EQ( copy->getSurface()->getMask()[ 1 ], 0 );
    EXPECT_EQ( copy->getWidth(), 3 );
    // Only another sprite may ask.
    HImage notASprite( 1, 1, IF_8BIT );
    EXPECT_EQ( sprite.duplicate( &notASprite ), nullptr );
    sprite.unload();
    EXPECT_TRUE( copy->isLoaded() );
    copy->unload();
    EXPECT_FALSE( copy->isLoaded() );
}
