#include <gtest/gtest.h>

#include "Game/VXLoadingScreen.h"
#include "Game/VXSpriteTable.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

TEST( VXLoadingScreenTest, ThePictureComesFirstAndTheBarOnlyGrows )
{
    RecordingProcessServices services;
    SpriteFolder folder;
    ASSERT_TRUE( folder.addJpeg( "loading.jpg", 640, 480, 0, 0, 255 ) );
    folder.add( "progress.tga", 500, 10, 255, 0, 0 );
    MemoryDisplayDevice display;
    ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
    VXSpriteTable sprites;
    sprites.setSources( &display, &folder.fileSystem() );
    ASSERT_TRUE( sprites.load( SPR_LOADING ) );
    ASSERT_TRUE( sprites.load( SPR_PROGRESS ) );
    uint16_t blue = 0;
    VXLoadingScreen screen( &display, &sprites );

    screen.progress( 0.0f );
    ASSERT_EQ( display.presents.size(), 1u );
    ASSERT_EQ( display.presents[ 0 ].size(), 1u );
    EXPECT_EQ( display.presents[ 0 ][ 0 ], ( HRect{ 0, 0, 640, 480 } ) );
    blue = display.pixel( 63, 350 );
    EXPECT_NE( blue, 0 );
    EXPECT_EQ( screen.getBarEnd(), 63 );

    screen.progress( 0.5f );
    ASSERT_EQ( display.presents.size(), 2u );
    EXPECT_EQ( display.presents[ 1 ][ 0 ], ( HRect{ 63, 350, 313, 360 } ) );
    EXPECT_NE( display.pixel( 312, 359 ), blue );
    EXPECT_EQ( display.pixel( 313, 359 ), blue );

    // Back, or the same: nothing drawn, nothing to show.
    screen.progress( 0.25f );
    EXPECT_EQ( screen.getBarEnd(), 313 );
    EXPECT_EQ( display.presents.size(), 2u );

    // Beyond the end, or not a number, is held.
    screen.progress( 7.0f );
    EXPECT_EQ( screen.getBarEnd(), 563 );
    EXPECT_EQ( display.presents[ 2 ][ 0 ], ( HRect{ 313, 350, 563, 360 } ) );
    screen.progress( 0.0f / 0.0f );
    EXPECT_EQ( screen.getBarEnd(), 563 );
    EXPECT_NE( display.pixel( 562, 355 ), blue );
}

TEST( VXLoadingScreenTest, MissingPicturesOrDisplayDrawNothingAndFailNothing )
{
    RecordingProcessServices services;
    MemoryDisplayDevice display;
    ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
    VXSpriteTable sprites;
    VXLoadingScreen screen( &display, &sprites );
    screen.progress( 0.0f );
    screen.progress( 1.0f );
    EXPECT_EQ( screen.getBarEnd(), 63 );
    EXPECT_EQ( display.pixel( 100, 100 ), 0 );
    VXLoadingScreen headless( nullptr, &sprites );
    headless.progress( 0.5f );
}
