#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Game/VXSpriteTable.h"
#include "tests/Game/support/GameHarness.h"
#include "tests/Game/support/GameResources.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/TempDir.h"

namespace
{
GameHarness::Options withPictures( std::vector<std::string> leaveOut = {}, std::string broken = "" )
{
    GameHarness::Options options;
    options.realGame = true;
    options.fillResources = [leaveOut, broken]( const std::string& folder ) {
        ASSERT_TRUE( copyGamePictures( folder, leaveOut ) );
        if( !broken.empty() )
        {
            // Garbage where a picture should be.
            FILE* pFile = std::fopen( ( folder + "/" + broken ).c_str(), "wb" );
            ASSERT_NE( pFile, nullptr );
            std::fputs( "not a picture at all", pFile );
            std::fclose( pFile );
        }
    };
    return options;
}

bool traced( const std::string& text )
{
    const auto& traces = RecordingProcessServices::debugTraces();
    return std::find( traces.begin(), traces.end(), text ) != traces.end();
}
} // namespace

TEST( VXGameAssetsTest, StartUpLoadsEveryPictureBehindTheLoadingBar )
{
    GameHarness harness( withPictures() );
    ASSERT_TRUE( harness.started() );
    VXGame& game = harness.game();
    for( int slot = 0; slot < SPR_LOAD_END; ++slot )
        EXPECT_TRUE( game.getSprites().isLoaded( slot ) ) << VXSpriteTable::fileName( slot );
    EXPECT_TRUE( game.hasPartnerLogo() );
    // The loading screen is gone; the information pictures wait for their first show.
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_LOADING ) );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_PROGRESS ) );
    EXPECT_FALSE( game.getSprites().isLoaded( SPR_INFO_START ) );
    EXPECT_NE( game.getDisplayFont(), nullptr );
    EXPECT_EQ( game.getArenaRect(), ( HRect{ 23, 17, 443, 437 } ) );

    // The picture came first, then the bar in steps that never go back, up to its full width.
    auto* pDisplay = static_cast<MemoryDisplayDevice*>( game.getDisplayDevice() );
    ASSERT_GT( pDisplay->presents.size(), 10u );
    EXPECT_EQ( pDisplay->presents[ 0 ][ 0 ], ( HRect{ 0, 0, 640, 480 } ) );
    int32_t reached = 63;
    for( size_t i = 1; i < pDisplay->presents.size(); ++i )
    {
        const HRect& step = pDisplay->presents[ i ][ 0 ];
        EXPECT_EQ( step.left, reached );
        EXPECT_GT( step.right, step.left );
        reached = step.right;
    }
    EXPECT_EQ( reached, 63 + 360 );

    // The first frame shows the start picture, loaded then.
    harness.tick( 10 );
    EXPECT_TRUE( game.getSprites().isLoaded( SPR_INFO_START ) );

    game.unloadGraphics();
    for( int slot = 0; slot < SPR_COUNT; ++slot )
        EXPECT_FALSE( game.getSprites().isLoaded( slot ) ) << VXSpriteTable::fileName( slot );
    EXPECT_EQ( game.getDisplayFont(), nullptr );
}

TEST( VXGameAssetsTest, WithoutThePartnerLogoStartUpStillSucceeds )
{
    GameHarness harness( withPictures( { "partnerlogo.tga", "partnerlogo_lit.tga" } ) );
    ASSERT_TRUE( harness.started() );
    EXPECT_FALSE( harness.game().hasPartnerLogo() );
    EXPECT_FALSE( harness.game().getSprites().isLoaded( SPR_PARTNER_LOGO ) );
    EXPECT_TRUE( harness.services().boxes.empty() );
}

TEST( VXGameAssetsTest, AMissingOrBrokenPictureEndsStartUpWithTheErrorBox )
{
    for( const char* kpName : { "timer.tga", "anim_tile_generic05.tga", "arena.jpg" } )
    {
        bool missing = std::string( kpName ) != "arena.jpg";
        GameHarness harness( missing ? withPictures( { kpName } ) : withPictures( {}, kpName ) );
        EXPECT_FALSE( harness.started() ) << kpName;
        ASSERT_EQ( harness.services().boxes.size(), 1u ) << kpName;
        const RecordingProcessServices::Box& box = harness.services().boxes[ 0 ];
        EXPECT_EQ( box.flags, 49u );
        EXPECT_EQ( box.caption, "Error" );
        EXPECT_EQ( box.text, "Glimmerdrop could not load its bitmaps" );
        EXPECT_TRUE( traced( std::string( "Missing file '" ) + kpName + "'" ) ) << kpName;
    }
}

TEST( VXGameAssetsTest, TutorialPicturesComeWithTheTutorialLevelAndGoAfterIt )
{
    GameHarness::Options options = withPictures();
    options.didTutorial = 0;
    GameHarness harness( options );
    ASSERT_TRUE( harness.started() );
    VXSpriteTable& sprites = harness.game().getSprites();
    EXPECT_FALSE( sprites.isLoaded( SPR_TUTORIAL_HAND ) );
    harness.tick( 10 );
    harness.pressKey( 0, '\r' );
    for( int slot = SPR_TUTORIAL_FIRST; slot <= SPR_TUTORIAL_HAND; ++slot )
        EXPECT_TRUE( sprites.isLoaded( slot ) ) << VXSpriteTable::fileName( slot );
    harness.game().nextLevel();
    for( int slot = SPR_TUTORIAL_FIRST; slot <= SPR_TUTORIAL_HAND; ++slot )
        EXPECT_FALSE( sprites.isLoaded( slot ) ) << VXSpriteTable::fileName( slot );
}
