#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Framework/application/HEvent.h"

namespace
{
HEvent makeEvent( int32_t type )
{
    HEvent event;
    event.clear();
    event.type = type;
    return event;
}

uint32_t little32( const uint8_t* kpBytes )
{
    return kpBytes[ 0 ] | ( kpBytes[ 1 ] << 8 ) | ( kpBytes[ 2 ] << 16 ) |
           ( static_cast<uint32_t>( kpBytes[ 3 ] ) << 24 );
}
}

TEST( HEventTest, RecordBytesFollowTheJournalLayout )
{
    HEvent event = makeEvent( ET_KEYDOWN );
    event.time = 0x0000000512345678ull;
    event.modifiers = EM_SHIFT | EM_CONTROL;
    event.flag = -2;
    event.key = KC_LBUTTON;
    event.character = 'A';
    event.x = -7;
    event.y = 480;
    // Padding the compiler might leave dirty must still reach the file as zeros.
    event.padding0 = 0xAAAAAAAAu;
    std::memset( event.padding1, 0xBB, sizeof( event.padding1 ) );
    event.padding2 = 0xCCCCCCCCu;

    uint8_t record[ HEvent::kRecordSize ];
    std::memset( record, 0xEE, sizeof( record ) );
    event.toBytes( record );

    EXPECT_EQ( little32( record + 0 ), static_cast<uint32_t>( ET_KEYDOWN ) );
    EXPECT_EQ( little32( record + 4 ), 0u );
    EXPECT_EQ( little32( record + 8 ), 0x12345678u );
    EXPECT_EQ( little32( record + 12 ), 5u );
    EXPECT_EQ( little32( record + 16 ), 5u );
    EXPECT_EQ( little32( record + 20 ), 0xFFFFFFFEu );
    for( int i = 24; i < 36; ++i )
        EXPECT_EQ( record[ i ], 0 ) << i;
    EXPECT_EQ( little32( record + 36 ), 1u );
    EXPECT_EQ( record[ 40 ], 'A' );
    EXPECT_EQ( record[ 41 ] | record[ 42 ] | record[ 43 ], 0 );
    EXPECT_EQ( little32( record + 44 ), 0xFFFFFFF9u );
    EXPECT_EQ( little32( record + 48 ), 480u );
    EXPECT_EQ( little32( record + 52 ), 0u );

    HEvent back;
    back.fromBytes( record );
    EXPECT_EQ( back.type, ET_KEYDOWN );
    EXPECT_EQ( back.time, 0x0000000512345678ull );
    EXPECT_EQ( back.modifiers, 5u );
    EXPECT_EQ( back.flag, -2 );
    EXPECT_EQ( back.key, KC_LBUTTON );
    EXPECT_EQ( back.character, 'A' );
    EXPECT_EQ( back.x, -7 );
    EXPECT_EQ( back.y, 480 );
}

TEST( HEventTest, HighCharactersSurviveTheRoundTrip )
{
    HEvent event = makeEvent( ET_KEYUP );
    event.character = static_cast<char>( 0xE9 );
    uint8_t record[ HEvent::kRecordSize ];
    event.toBytes( record );
    EXPECT_EQ( record[ 40 ], 0xE9 );
    HEvent back;
    back.fromBytes( record );
    EXPECT_EQ( static_cast<unsigned char>( back.character ), 0xE9 );
}

TEST( HEventTest, TypeNamesCoverTheTableAndNameUnknownTypes )
{
    const char* kapExpected[] = { "ET_NONE",
                                  "ET_QUIT",
                                  "ET_PASTE",
                                  "ET_TOGGLE_FULLSCREEN",
                                  "ET_PAINT",
                                  "ET_ACTIVATE",
                                  "ET_WINDOW_MINIMIZED",
                                  "ET_KEYUP",
                                  "ET_KEYDOWN",
                                  "ET_DPAD",
                                  "ET_COMMAND",
                                  "ET_MOUSEMOVE",
                                  "ET_TIMESTAMP" };
    for( int type = 0; type <= 12; ++type )
        EXPECT_STREQ( eventTypeName( type ), kapExpected[ type ] );
    EXPECT_STREQ( eventTypeName( 13 ), "ET_UNKNOWN" );
    EXPECT_STREQ( eventTypeName( -1 ), "ET_UNKNOWN" );
}

TEST( HEventTest, KeyNamesForKeysCharactersAndOtherEvents )
{
    HEvent move = makeEvent( ET_MOUSEMOVE );
    move.key = KC_A;
    EXPECT_STREQ( keyName( move ), "Not A Key" );

    HEvent down = makeEvent( ET_KEYDOWN );
    down.key = 65;
    EXPECT_STREQ( keyName( down ), "KC_A" );
    down.key = KC_F12;
    EXPECT_STREQ( keyName( down ), "KC_F12" );
    down.key = KC_NUMPAD7;
    EXPECT_STREQ( keyName( down ), "KC_NUMPAD7" );
    down.key = KC_JOY1;
    EXPECT_STREQ( keyName( down ), "KC_JOY1" );
    down.key = 124;
    EXPECT_STREQ( keyName( down ), "Unknown(0x7c)" );

    // A character key comes with key 0, which names the invalid key.
    HEvent up = makeEvent( ET_KEYUP );
    up.character = 'q';
    EXPECT_STREQ( keyName( up ), "KC_INVALID" );
    up.key = -1;
    EXPECT_STREQ( keyName( up ), "Unknown(0xffffffff)" );
}

TEST( HEventTest, DescriptionsUseTheFormatOfEachKind )
{
    char text[ 256 ];
    HEvent minimized = makeEvent( ET_WINDOW_MINIMIZED );
    minimized.time = 1234;
    minimized.flag = 1;
    EXPECT_STREQ( describeEvent( minimized, text, sizeof( text ) ), "ET_WINDOW_MINIMIZED(1234): minimized=1" );

    HEvent down = makeEvent( ET_KEYDOWN );
    down.time = 99;
    down.key = KC_LBUTTON;
    down.x = 120;
    down.y = -3;
    EXPECT_STREQ( describeEvent( down, text, sizeof( text ) ), "ET_KEYDOWN(99) - key=KC_LBUTTON pt=120,-3" );

    HEvent move = makeEvent( ET_MOUSEMOVE );
    move.time = 5;
    move.x = 639;
    move.y = 479;
    EXPECT_STREQ( describeEvent( move, text, sizeof( text ) ), "ET_MOUSEMOVE(5) - pt=639,479" );

    HEvent paint = makeEvent( ET_PAINT );
    paint.time = 77;
    EXPECT_STREQ( describeEvent( paint, text, sizeof( text ) ), "ET_PAINT(77)" );

    HEvent odd = makeEvent( 4000 );
    odd.time = 1;
    EXPECT_STREQ( describeEvent( odd, text, sizeof( text ) ), "ET_UNKNOWN[4000](1)" );
}

TEST( HEventTest, DescriptionShowsTheLowHalfOfTheTimeAsASignedNumber )
{
    char text[ 256 ];
    HEvent stamp = makeEvent( ET_TIMESTAMP );
    stamp.time = 0x1FFFFFFFFull;
    EXPECT_STREQ( describeEvent( stamp, text, sizeof( text ) ), "ET_TIMESTAMP(-1)" );
    stamp.time = 0x100000007ull;
    EXPECT_STREQ( describeEvent( stamp, text, sizeof( text ) ), "ET_TIMESTAMP(7)" );
}

TEST( HEventTest, DescriptionIsCutToTheCallersBuffer )
{
    char text[ 8 ];
    std::memset( text, 'x', sizeof( text ) );
    HEvent down = makeEvent( ET_KEYDOWN );
    describeEvent( down, text, sizeof( text ) );
    EXPECT_EQ( std::string( text ), "ET_KEYD" );
}
