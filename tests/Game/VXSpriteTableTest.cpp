#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Game/VXSpriteTable.h"
#include "Game/VXTile.h"
#include "tests/Game/support/SpriteFiles.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
VXTile animating( int32_t type, int32_t total, int32_t left )
{
    VXTile tile;
    tile.type = type;
    tile.setAnimation( true, total );
    tile.animationLeft = left;
    return tile;
}
} // namespace

TEST( VXSpriteTableTest, NamesEveryPictureTheGameLoadsOnceAndInLoadingOrder )
{
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_TIMER ), "timer.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ICON_CLICK_TO_START_LIT ), "icon_click_to_start_lit.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_TILE_FIRST ), "tile_blue.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_TILE_FIRST + 14 ), "tile_worm.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ICON_HIGHSCORES ), "icon_highscores.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_FONT_ZERO + 9 ), "font_nine.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ANIM_WILD ), "anim_tile_wild_ex00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ANIM_FIRST ), "anim_tile_blocker_ex00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ANIM_FIRST + 11 ), "anim_tile_orange_ex00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_ANIM_GENERIC_FIRST - 1 ), "anim_tile_red_ex10.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_LOAD_END - 1 ), "anim_tile_generic10.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_INFO_BLACK_JELLYBEAN ), "info_blackjellybean.jpg" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_TUTORIAL_FIRST + 5 ), "tutorial_6.jpg" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_TUTORIAL_HAND ), "tutorial_hand.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( SPR_COUNT ), "" );
    EXPECT_STREQ( VXSpriteTable::fileName( -1 ), "" );

    // 141 pictures behind the loading bar (143 with the partner's), and no name twice.
    EXPECT_EQ( SPR_LOAD_END, 143 );
    std::set<std::string> names;
    for( int slot = 0; slot < SPR_COUNT; ++slot )
    {
        std::string name = VXSpriteTable::fileName( slot );
        EXPECT_FALSE( name.empty() ) << slot;
        EXPECT_TRUE( names.insert( name ).second ) << name;
    }
}

TEST( VXSpriteTableTest, TilesShowTheirFramesAsTheCrunchGoesOn )
{
    VXTile tile;
    tile.type = TT_RED;
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( tile ) ), "tile_red.tga" );
    tile.type = TT_BLANK;
    EXPECT_EQ( VXSpriteTable::slotFor( tile ), -1 );
    tile.type = TT_CLEARED;
    EXPECT_EQ( VXSpriteTable::slotFor( tile ), -1 );
    tile.type = 16;
    EXPECT_EQ( VXSpriteTable::slotFor( tile ), -1 );

    // 256 ms over twelve frames: frame 0 is the still picture, then ex00 to ex10.
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_RED, 256, 256 ) ) ), "tile_red.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_RED, 256, 230 ) ) ),
                  "anim_tile_red_ex00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_RED, 256, 0 ) ) ),
                  "anim_tile_red_ex10.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_BLACK_JELLYBEAN, 256, 100 ) ) ),
                  "anim_tile_blocker_ex06.tga" );

    // Candies start at once on the shared frames and end on the last of them.
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_BEAR, 256, 256 ) ) ),
                  "anim_tile_generic00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_WORM, 256, 0 ) ) ),
                  "anim_tile_generic10.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_WORM, 256, 30 ) ) ),
                  "anim_tile_generic10.tga" );

    // A wild shows its still picture for the first half and its one frame for the second.
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_WILD, 256, 129 ) ) ),
                  "tile_wild.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_WILD, 256, 127 ) ) ),
                  "anim_tile_wild_ex00.tga" );
    EXPECT_STREQ( VXSpriteTable::fileName( VXSpriteTable::slotFor( animating( TT_WILD, 512, 0 ) ) ),
                  "anim_tile_wild_ex00.tga" );
}

TEST( VXSpriteTableTest, ASlotIsLoadedOnceAndFreedWhateverTheRequests )
{
    RecordingProcessServices services;
    SpriteFolder folder;
    folder.add( "timer.tga", 20, 4, 255, 0, 0 );
    MemoryDisplayDevice display;
    ASSERT_TRUE( display.initScreen( 640, 480, "test", false, true ) );
    VXSpriteTable table;
    table.setSources( &display, &folder.fileSystem() );

    EXPECT_TRUE( table.load( SPR_TIMER ) );
    EXPECT_TRUE( table.load( SPR_TIMER ) );
    EXPECT_EQ( table.get( SPR_TIMER )->getRefCount(), 1 );
    EXPECT_EQ( table.get( SPR_TIMER )->getWidth(), 20 );
    table.unload( SPR_TIMER );
    EXPECT_FALSE( table.isLoaded( SPR_TIMER ) );
    // Unloading what is not loaded leaves the count alone, so a later load works as the first.
    table.unload( SPR_TIMER );
    EXPECT_EQ( table.get( SPR_TIMER )->getRefCount(), 0 );
    EXPECT_TRUE( table.load( SPR_TIMER ) );
    EXPECT_TRUE( table.isLoaded( SPR_TIMER ) );

    // Missing files and slots outside the table fail without harm.
    EXPECT_FALSE( table.load( SPR_ARENA ) );
    EXPECT_FALSE( table.isLoaded( SPR_ARENA ) );
    EXPECT_EQ( table.get( SPR_ARENA )->getRefCount(), 0 );
    EXPECT_FALSE( table.load( SPR_COUNT ) );
    EXPECT_EQ( table.get( SPR_COUNT ), nullptr );
    table.unload( -3 );

    table.unloadAll();
    EXPECT_FALSE( table.isLoaded( SPR_TIMER ) );
}
