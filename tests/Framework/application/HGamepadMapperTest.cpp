#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework/application/HEvent.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/application/HGamepadMapper.h"
#include "Framework/application/HWindowProcedure.h"
#include "Framework/util/src/HGlobal.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// "down:38 char:13 up:27", in order.
std::string describe( HGamepadMapper& mapper, uint32_t held, uint64_t now )
{
    HGamepadMessage messages[ HGamepadMapper::kMostMessages ];
    size_t count = mapper.update( held, now, messages );
    std::string text;
    for( size_t i = 0; i < count; ++i )
    {
        const char* kpKind = messages[ i ].message == HWM_KEYDOWN ? "down:"
                             : messages[ i ].message == HWM_KEYUP ? "up:"
                             : messages[ i ].message == HWM_CHAR  ? "char:"
                                                                  : "?:";
        text += ( text.empty() ? "" : " " ) + std::string( kpKind ) + std::to_string( messages[ i ].wParam );
    }
    return text;
}
} // namespace

TEST( HGamepadMapperTest, XInputButtonsAndStickBecomeTheControlsTheyStandFor )
{
    struct Case
    {
        uint16_t buttons;
        int16_t thumbX;
        int16_t thumbY;
        uint32_t held;
    };
    const Case kaCases[] = {
        { HGamepadMapper::XB_DPAD_UP, 0, 0, GC_UP },
        { HGamepadMapper::XB_DPAD_DOWN, 0, 0, GC_DOWN },
        { HGamepadMapper::XB_DPAD_LEFT, 0, 0, GC_LEFT },
        { HGamepadMapper::XB_DPAD_RIGHT, 0, 0, GC_RIGHT },
        { HGamepadMapper::XB_A, 0, 0, GC_A },
        { HGamepadMapper::XB_B, 0, 0, GC_B },
        { HGamepadMapper::XB_START, 0, 0, GC_START },
        // Buttons the game has no use for.
        { HGamepadMapper::XB_X | HGamepadMapper::XB_Y | HGamepadMapper::XB_BACK, 0, 0, 0 },
        // The stick: up is positive on XInput; within the threshold it rests; the extremes hold.
        { 0, 0, 32767, GC_UP },
        { 0, 0, -32768, GC_DOWN },
        { 0, -32768, 0, GC_LEFT },
        { 0, 32767, 0, GC_RIGHT },
        { 0, 16383, -16383, 0 },
        { 0, 16384, 16384, GC_RIGHT | GC_UP },
        { HGamepadMapper::XB_A | HGamepadMapper::XB_DPAD_LEFT, 20000, 0, GC_A | GC_LEFT | GC_RIGHT },
    };
    for( const Case& test : kaCases )
        EXPECT_EQ( HGamepadMapper::fromXInput( test.buttons, test.thumbX, test.thumbY ), test.held )
            << test.buttons << " " << test.thumbX << "," << test.thumbY;
}

TEST( HGamepadMapperTest, PressesRepeatsAndReleasesComeAsTheKeyboardsMessages )
{
    HGamepadMapper mapper;
    EXPECT_EQ( describe( mapper, 0, 1000 ), "" );
    EXPECT_EQ( describe( mapper, GC_A, 1000 ), "down:13 char:13" );
    EXPECT_EQ( describe( mapper, GC_A, 3000 ), "" ) << "buttons do not repeat";
    EXPECT_EQ( describe( mapper, GC_B | GC_START, 3010 ), "up:13 down:27 char:27 down:19" );
    EXPECT_EQ( describe( mapper, 0, 3020 ), "up:27 up:19" );

    // A held direction repeats after the delay, then at the interval, once per late poll.
    EXPECT_EQ( describe( mapper, GC_LEFT, 5000 ), "down:37" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 5399 ), "" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 5400 ), "down:37" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 5509 ), "" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 5510 ), "down:37" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 9000 ), "down:37" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 9100 ), "" );
    // The newest direction repeats; when it is let go, the one still held takes over after the delay.
    EXPECT_EQ( describe( mapper, GC_LEFT | GC_DOWN, 9200 ), "down:40" );
    EXPECT_EQ( describe( mapper, GC_LEFT | GC_DOWN, 9600 ), "down:40" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 9650 ), "up:40" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 10049 ), "" );
    EXPECT_EQ( describe( mapper, GC_LEFT, 10050 ), "down:37" );
    EXPECT_EQ( describe( mapper, 0, 10060 ), "up:37" );
    EXPECT_EQ( describe( mapper, 0, 20000 ), "" );
    EXPECT_EQ( mapper.getHeld(), 0u );
}

TEST( HGamepadMapperTest, TheWindowProcedureTurnsThePadsMessagesIntoTheKeysEvents )
{
    RecordingProcessServices services;
    services.useFakeTime = true;
    services.fakeTime = 5000;
    HEventQueue queue;
    HGlobal::setEventQueue( &queue );
    HWindowProcedure procedure;
    HGamepadMapper mapper;
    HGamepadMessage messages[ HGamepadMapper::kMostMessages ];
    uint32_t steps[] = { GC_UP, 0, GC_A, 0, GC_B, 0, GC_START, 0 };
    uint64_t now = 100;
    for( uint32_t held : steps )
    {
        size_t count = mapper.update( held, now += 10, messages );
        for( size_t i = 0; i < count; ++i )
            procedure.handleMessage( nullptr, messages[ i ].message, messages[ i ].wParam, 0 );
    }
    std::vector<std::string> seen;
    HEvent event;
    while( queue.count() > 0 && queue.getEvent( event ) )
        seen.push_back( std::to_string( event.type ) + "/" + std::to_string( event.key ) + "/" +
                        std::to_string( static_cast<unsigned char>( event.character ) ) );
    HGlobal::setEventQueue( nullptr );
    const std::vector<std::string> kExpected = {
        std::to_string( ET_KEYDOWN ) + "/38/0", std::to_string( ET_KEYUP ) + "/38/0",
        // Return and Escape type their characters; their key-downs post nothing of their own.
        std::to_string( ET_KEYDOWN ) + "/0/13", std::to_string( ET_KEYUP ) + "/0/13",
        std::to_string( ET_KEYDOWN ) + "/0/27", std::to_string( ET_KEYUP ) + "/0/27",
        std::to_string( ET_KEYDOWN ) + "/19/0", std::to_string( ET_KEYUP ) + "/19/0" };
    EXPECT_EQ( seen, kExpected );
}
