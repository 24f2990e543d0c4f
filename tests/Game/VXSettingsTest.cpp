#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Framework/util/src/HRegistry.h"
#include "Game/VXSettings.h"
#include "tests/Game/support/GameHarness.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/TempDir.h"

namespace
{
class VXSettingsTest : public ::testing::Test
{
protected:
    VXSettingsTest()
        : registry( dir.path() )
    {
    }

    int32_t stored( const char* kpName )
    {
        HRegistry& registry = HRegistry::get();
        registry.open( nullptr, "Vantorix", "Glimmerdrop" );
        uint8_t bytes[ 4 ] = {};
        uint32_t count = 0;
        bool read = registry.readBinary( kpName, bytes, sizeof( bytes ), &count );
        registry.close();
        if( !read || count != 4 )
            return -1;
        return static_cast<int32_t>( bytes[ 0 ] | ( bytes[ 1 ] << 8 ) | ( bytes[ 2 ] << 16 ) |
                                     ( static_cast<uint32_t>( bytes[ 3 ] ) << 24 ) );
    }

    void storeBytes( const char* kpName, const void* kpBytes, uint32_t count )
    {
        HRegistry& registry = HRegistry::get();
        registry.open( nullptr, "Vantorix", "Glimmerdrop" );
        registry.writeBinary( kpName, kpBytes, count );
        registry.close();
    }

    TempDir dir;
    RegistrySandbox registry;
};
}

TEST_F( VXSettingsTest, AFirstRunWritesAllSevenDefaults )
{
    VXSettings settings;
    EXPECT_TRUE( settings.read( HRegistry::get(), nullptr ) );
    EXPECT_TRUE( settings.write( HRegistry::get(), nullptr ) );
    EXPECT_EQ( stored( "Did Tutorial" ), 0 );
    EXPECT_EQ( stored( "Start Level" ), 1 );
    EXPECT_EQ( stored( "Keyboard Moves Space" ), 1 );
    EXPECT_EQ( stored( "Alarm Enabled" ), 1 );
    EXPECT_EQ( stored( "Sound Enabled" ), 1 );
    EXPECT_EQ( stored( "Music Enabled" ), 1 );
    EXPECT_EQ( stored( "Fullscreen" ), 0 );
    // Little-endian 4-byte binary values, as the registry shows them.
    HRegistry& registry = HRegistry::get();
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    uint8_t bytes[ 8 ] = {};
    uint32_t count = 0;
    EXPECT_TRUE( registry.readBinary( "Start Level", bytes, sizeof( bytes ), &count ) );
    registry.close();
    EXPECT_EQ( count, 4u );
    EXPECT_EQ( std::vector<uint8_t>( bytes, bytes + 4 ), ( std::vector<uint8_t>{ 1, 0, 0, 0 } ) );
}

TEST_F( VXSettingsTest, StoredValuesAreReadBackAndBadOnesKeepTheirDefaults )
{
    VXSettings written;
    written.didTutorial = 1;
    written.startLevel = 14;
    written.keyboardMovesSpace = 0;
    written.musicEnabled = 0;
    written.fullscreen = 1;
    written.write( HRegistry::get(), nullptr );

    const uint8_t kaShort[] = { 0 };
    storeBytes( "Alarm Enabled", kaShort, sizeof( kaShort ) );
    VXSettings read;
    EXPECT_TRUE( read.read( HRegistry::get(), nullptr ) );
    EXPECT_EQ( read.didTutorial, 1 );
    EXPECT_EQ( read.startLevel, 14 );
    EXPECT_EQ( read.keyboardMovesSpace, 0 );
    EXPECT_EQ( read.alarmEnabled, 1 ); // one byte is not a setting
    EXPECT_EQ( read.musicEnabled, 0 );
    EXPECT_EQ( read.fullscreen, 1 );

    // A start level the options never offer is not taken.
    const uint8_t kaSeven[] = { 7, 0, 0, 0 };
    storeBytes( "Start Level", kaSeven, sizeof( kaSeven ) );
    VXSettings again;
    again.read( HRegistry::get(), nullptr );
    EXPECT_EQ( again.startLevel, 1 );
    EXPECT_TRUE( VXSettings::isStartLevel( 22 ) );
    EXPECT_FALSE( VXSettings::isStartLevel( 0 ) );
}

TEST_F( VXSettingsTest, TheGameMutesItsSoundsWhenSoundIsOff )
{
    // The harness brings a registry of its own.
    GameHarness harness;
    ASSERT_TRUE( harness.started() );
    EXPECT_FALSE( harness.sound().muted );
    harness.game().settings().soundEnabled = 0;
    harness.game().setSoundService( &harness.sound() );
    EXPECT_TRUE( harness.sound().muted );
    harness.game().settings().musicEnabled = 0;
    harness.game().setMusicPlaying( true );
    EXPECT_FALSE( harness.game().isMusicPlaying() );
}

TEST_F( VXSettingsTest, ASaveWritesOnlyWhatThisCopyChanged )
{
    VXSettings first;
    first.write( HRegistry::get(), nullptr );
    VXSettings copyA;
    VXSettings copyB;
    ASSERT_TRUE( copyA.read( HRegistry::get(), nullptr ) );
    ASSERT_TRUE( copyB.read( HRegistry::get(), nullptr ) );
    copyB.musicEnabled = 0;
    copyB.startLevel = 10;
    EXPECT_TRUE( copyB.write( HRegistry::get(), nullptr ) );
    copyA.soundEnabled = 0;
    EXPECT_TRUE( copyA.write( HRegistry::get(), nullptr ) );
    EXPECT_EQ( stored( "Music Enabled" ), 0 );
    EXPECT_EQ( stored( "Start Level" ), 10 );
    EXPECT_EQ( stored( "Sound Enabled" ), 0 );

    // A value missing from the store is written back even unchanged.
    storeBytes( "Fullscreen", "\x01\x00", 2 );
    VXSettings copyC;
    copyC.read( HRegistry::get(), nullptr );
    copyC.write( HRegistry::get(), nullptr );
    EXPECT_EQ( stored( "Fullscreen" ), 0 );
}
