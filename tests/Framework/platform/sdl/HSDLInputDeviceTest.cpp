#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "Framework/application/HEventQueue.h"
#include "Framework/application/HVirtualKeyMap.h"
#include "Framework/application/HWindowProcedure.h"
#include "Framework/platform/sdl/HSDLInputDevice.h"
#include "Framework/util/src/HGlobal.h"
#include "tests/support/MemoryDisplayDevice.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// A window shown at twice the frame's size, 10 pixels in from the left.
class ScaledDisplay : public MemoryDisplayDevice
{
public:
    HPoint mapWindowToFrame( int32_t windowX, int32_t windowY ) const override
    {
        return { ( windowX - 10 ) / 2, windowY / 2 };
    }
};

SDL_Event keyEvent( uint32_t type, SDL_Keycode sym, uint16_t mod, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN )
{
    SDL_Event event;
    std::memset( &event, 0, sizeof( event ) );
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    event.key.keysym.scancode = scancode;
    return event;
}

SDL_Event textEvent( const char* kpText )
{
    SDL_Event event;
    std::memset( &event, 0, sizeof( event ) );
    event.type = SDL_TEXTINPUT;
    std::strncpy( event.text.text, kpText, sizeof( event.text.text ) - 1 );
    return event;
}

SDL_Event buttonEvent( uint32_t type, uint8_t button, int32_t x, int32_t y, uint8_t clicks = 1 )
{
    SDL_Event event;
    std::memset( &event, 0, sizeof( event ) );
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    event.button.clicks = clicks;
    return event;
}

SDL_Event windowEvent( uint8_t kind )
{
    SDL_Event event;
    std::memset( &event, 0, sizeof( event ) );
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    return event;
}

class HSDLInputDeviceTest : public ::testing::Test
{
protected:
    HSDLInputDeviceTest()
        : device( nullptr, &procedure )
    {
        services.useFakeTime = true;
        services.fakeTime = 2000;
        HGlobal::setEventQueue( &queue );
        procedure.setHost( &device );
    }
    ~HSDLInputDeviceTest() override
    {
        HGlobal::setEventQueue( nullptr );
        HGlobal::setDisplayDevice( nullptr );
    }

    void feed( std::initializer_list<SDL_Event> events )
    {
        for( const SDL_Event& event : events )
            device.translate( event );
    }

    std::vector<HEvent> posted()
    {
        std::vector<HEvent> events;
        HEvent event;
        while( queue.count() > 0 && queue.getEvent( event ) )
            events.push_back( event );
        return events;
    }

    RecordingProcessServices services;
    HEventQueue queue;
    HWindowProcedure procedure;
    HSDLInputDevice device;
};

void expectKey( const HEvent& event, int32_t type, int32_t key, char character, uint32_t modifiers = 0 )
{
    EXPECT_EQ( event.type, type );
    EXPECT_EQ( event.key, key );
    EXPECT_EQ( event.character, character );
    EXPECT_EQ( event.modifiers, modifiers );
}
} // namespace

TEST_F( HSDLInputDeviceTest, ShiftAGivesTheSystemsSequence )
{
    feed( { keyEvent( SDL_KEYDOWN, SDLK_LSHIFT, KMOD_LSHIFT ), keyEvent( SDL_KEYDOWN, SDLK_a, KMOD_LSHIFT ),
            textEvent( "A" ), keyEvent( SDL_KEYUP, SDLK_a, KMOD_LSHIFT ), keyEvent( SDL_KEYUP, SDLK_LSHIFT, 0 ) } );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 4u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_SHIFT, 0, EM_SHIFT );
    expectKey( events[ 1 ], ET_KEYDOWN, 0, 'A', EM_SHIFT );
    expectKey( events[ 2 ], ET_KEYUP, 0, 'A', EM_SHIFT );
    expectKey( events[ 3 ], ET_KEYUP, KC_SHIFT, 0 );
}

TEST_F( HSDLInputDeviceTest, ControlVPastesThenTypesControlCharacter22 )
{
    feed( { keyEvent( SDL_KEYDOWN, SDLK_RCTRL, KMOD_RCTRL ), keyEvent( SDL_KEYDOWN, SDLK_v, KMOD_RCTRL ),
            keyEvent( SDL_KEYUP, SDLK_v, KMOD_RCTRL ), keyEvent( SDL_KEYUP, SDLK_RCTRL, 0 ) } );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 5u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_CONTROL, 0, EM_CONTROL );
    EXPECT_EQ( events[ 1 ].type, ET_PASTE );
    expectKey( events[ 2 ], ET_KEYDOWN, 0, 22, EM_CONTROL );
    expectKey( events[ 3 ], ET_KEYUP, 0, 'V', EM_CONTROL );
    expectKey( events[ 4 ], ET_KEYUP, KC_CONTROL, 0 );

    // Every other control+letter types its control character, a to z as 1 to 26.
    feed( { keyEvent( SDL_KEYDOWN, SDLK_a, KMOD_LCTRL ), keyEvent( SDL_KEYDOWN, SDLK_z, KMOD_LCTRL ) } );
    events = posted();
    ASSERT_EQ( events.size(), 2u );
    EXPECT_EQ( events[ 0 ].character, 1 );
    EXPECT_EQ( events[ 1 ].character, 26 );
}

TEST_F( HSDLInputDeviceTest, AltReturnTogglesFullScreenAndTypesNothing )
{
    feed( { keyEvent( SDL_KEYDOWN, SDLK_LALT, KMOD_LALT ), keyEvent( SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT ),
            keyEvent( SDL_KEYUP, SDLK_RETURN, KMOD_LALT ), keyEvent( SDL_KEYUP, SDLK_LALT, 0 ) } );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 1u );
    EXPECT_EQ( events[ 0 ].type, ET_TOGGLE_FULLSCREEN );
    EXPECT_FALSE( procedure.isAltDown() );

    // Text that arrives while the system's Alt is held would be a system character.
    feed( { keyEvent( SDL_KEYDOWN, SDLK_LALT, KMOD_LALT ), keyEvent( SDL_KEYDOWN, SDLK_x, KMOD_LALT ), textEvent( "x" ) } );
    events = posted();
    ASSERT_EQ( events.size(), 1u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_X, 0, EM_ALT );

    // The right Alt is AltGr on many layouts: its characters are typed.
    feed( { keyEvent( SDL_KEYUP, SDLK_LALT, 0 ), keyEvent( SDL_KEYDOWN, SDLK_RALT, KMOD_RALT ),
            keyEvent( SDL_KEYDOWN, SDLK_q, KMOD_RALT ), textEvent( "@" ) } );
    events = posted();
    ASSERT_EQ( events.size(), 1u );
    expectKey( events[ 0 ], ET_KEYDOWN, 0, '@' );
}

TEST_F( HSDLInputDeviceTest, ControlKeysGetTheCharactersSdlDoesNotSend )
{
    feed( { keyEvent( SDL_KEYDOWN, SDLK_BACKSPACE, 0 ), keyEvent( SDL_KEYDOWN, SDLK_TAB, 0 ),
            keyEvent( SDL_KEYDOWN, SDLK_RETURN, 0 ), keyEvent( SDL_KEYDOWN, SDLK_KP_ENTER, 0 ),
            keyEvent( SDL_KEYDOWN, SDLK_ESCAPE, 0 ), keyEvent( SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL ),
            keyEvent( SDL_KEYDOWN, SDLK_BACKSPACE, KMOD_LCTRL ), keyEvent( SDL_KEYUP, SDLK_LCTRL, 0 ) } );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 8u );
    const char expected[] = { 8, 9, 13, 13, 27 };
    for( size_t i = 0; i < 5; ++i )
        expectKey( events[ i ], ET_KEYDOWN, 0, expected[ i ] );
    expectKey( events[ 5 ], ET_KEYDOWN, KC_CONTROL, 0, EM_CONTROL );
    expectKey( events[ 6 ], ET_KEYDOWN, 0, 127, EM_CONTROL );

    // Their releases carry the character, as every key that types something.
    feed( { keyEvent( SDL_KEYUP, SDLK_ESCAPE, 0 ) } );
    events = posted();
    ASSERT_EQ( events.size(), 1u );
    expectKey( events[ 0 ], ET_KEYUP, 0, 27 );
}

TEST_F( HSDLInputDeviceTest, TypingArrowsAndKeypadArriveAsOnTheSystem )
{
    feed( { keyEvent( SDL_KEYDOWN, SDLK_h, 0 ), textEvent( "h" ), keyEvent( SDL_KEYDOWN, SDLK_1, KMOD_LSHIFT ),
            textEvent( "!\xC3\xA9\xE2\x82\xAC\xC5\x82\xC5\x92" ), keyEvent( SDL_KEYDOWN, SDLK_LEFT, 0 ),
            keyEvent( SDL_KEYUP, SDLK_LEFT, 0 ), keyEvent( SDL_KEYDOWN, SDLK_KP_8, 0 ),
            keyEvent( SDL_KEYDOWN, SDLK_KP_8, KMOD_NUM ), textEvent( "8" ), keyEvent( SDL_KEYDOWN, SDLK_F12, 0 ) } );
    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 12u );
    expectKey( events[ 0 ], ET_KEYDOWN, 0, 'h' );
    expectKey( events[ 1 ], ET_KEYDOWN, 0, '!' );
    // Latin-1 letters fit the 8-bit character; other letters come as their plain letters, the
    // euro sign as a mark.
    expectKey( events[ 2 ], ET_KEYDOWN, 0, static_cast<char>( 0xE9 ) );
    expectKey( events[ 3 ], ET_KEYDOWN, 0, '?' );
    expectKey( events[ 4 ], ET_KEYDOWN, 0, 'l' );
    expectKey( events[ 5 ], ET_KEYDOWN, 0, 'O' );
    expectKey( events[ 6 ], ET_KEYDOWN, 0, 'E' );
    expectKey( events[ 7 ], ET_KEYDOWN, KC_LEFT, 0 );
    expectKey( events[ 8 ], ET_KEYUP, KC_LEFT, 0 );
    // Keypad 8 without Num Lock is the up arrow; with it, a digit typed.
    expectKey( events[ 9 ], ET_KEYDOWN, KC_UP, 0 );
    expectKey( events[ 10 ], ET_KEYDOWN, 0, '8' );
    expectKey( events[ 11 ], ET_KEYDOWN, KC_F12, 0 );
}

TEST_F( HSDLInputDeviceTest, KeysOfOtherLayoutsFallBackToTheirUsPosition )
{
    SDL_Keysym keysym;
    std::memset( &keysym, 0, sizeof( keysym ) );
    keysym.sym = 0xE4; // a letter of its own on a German keyboard
    keysym.scancode = SDL_SCANCODE_APOSTROPHE;
    EXPECT_EQ( HSDLInputDevice::virtualKeyOf( keysym ), static_cast<uint32_t>( VKO_QUOTE ) );
    keysym.sym = SDLK_z; // the key labelled Z, wherever it sits
    keysym.scancode = SDL_SCANCODE_Y;
    EXPECT_EQ( HSDLInputDevice::virtualKeyOf( keysym ), static_cast<uint32_t>( KC_Z ) );
    keysym.sym = 0x40000500;
    keysym.scancode = SDL_SCANCODE_UNKNOWN;
    EXPECT_EQ( HSDLInputDevice::virtualKeyOf( keysym ), 0u );
    feed( { keyEvent( SDL_KEYDOWN, 0x40000500, 0 ) } );
    EXPECT_TRUE( posted().empty() );
}

TEST_F( HSDLInputDeviceTest, ClicksAreMappedToTheFrameAndDoubleClicksArePlain )
{
    ScaledDisplay display;
    HGlobal::setDisplayDevice( &display );
    feed( { buttonEvent( SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 410, 300 ),
            buttonEvent( SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 410, 300 ),
            buttonEvent( SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 410, 300, 2 ),
            buttonEvent( SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, -30, 2000, 2 ),
            buttonEvent( SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1 ),
            buttonEvent( SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 12, 14 ) } );
    SDL_Event motion;
    std::memset( &motion, 0, sizeof( motion ) );
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 30;
    motion.motion.y = 40;
    device.translate( motion );

    std::vector<HEvent> events = posted();
    ASSERT_EQ( events.size(), 6u );
    expectKey( events[ 0 ], ET_KEYDOWN, KC_LBUTTON, 0 );
    EXPECT_EQ( events[ 0 ].x, 200 );
    EXPECT_EQ( events[ 0 ].y, 150 );
    expectKey( events[ 1 ], ET_KEYUP, KC_LBUTTON, 0 );
    expectKey( events[ 2 ], ET_KEYDOWN, KC_LBUTTON, 0 );
    // Released outside the window: it still arrives, outside the frame.
    expectKey( events[ 3 ], ET_KEYUP, KC_LBUTTON, 0 );
    EXPECT_EQ( events[ 3 ].x, -20 );
    EXPECT_EQ( events[ 3 ].y, 1000 );
    expectKey( events[ 4 ], ET_KEYDOWN, KC_RBUTTON, 0 );
    EXPECT_EQ( events[ 5 ].type, ET_MOUSEMOVE );
    EXPECT_EQ( events[ 5 ].x, 10 );
    EXPECT_EQ( events[ 5 ].y, 20 );
}

TEST_F( HSDLInputDeviceTest, WindowEventsBecomeTheWindowMessagesEvents )
{
    feed( { windowEvent( SDL_WINDOWEVENT_SHOWN ), windowEvent( SDL_WINDOWEVENT_FOCUS_GAINED ),
            windowEvent( SDL_WINDOWEVENT_EXPOSED ), windowEvent( SDL_WINDOWEVENT_MINIMIZED ),
            windowEvent( SDL_WINDOWEVENT_RESTORED ), windowEvent( SDL_WINDOWEVENT_FOCUS_LOST ),
            windowEvent( SDL_WINDOWEVENT_SIZE_CHANGED ), windowEvent( SDL_WINDOWEVENT_CLOSE ),
            windowEvent( SDL_WINDOWEVENT_ENTER ) } );
    std::vector<HEvent> events = posted();
    std::vector<std::pair<int32_t, int32_t>> seen;
    for( const HEvent& event : events )
        seen.emplace_back( event.type, event.flag );
    EXPECT_EQ( seen, ( std::vector<std::pair<int32_t, int32_t>>{ { ET_WINDOW_MINIMIZED, 0 },
                                                                  { ET_ACTIVATE, 1 },
                                                                  { ET_PAINT, 0 },
                                                                  { ET_WINDOW_MINIMIZED, 1 },
                                                                  { ET_WINDOW_MINIMIZED, 0 },
                                                                  { ET_ACTIVATE, 0 },
                                                                  { ET_WINDOW_MINIMIZED, 0 },
                                                                  { ET_PAINT, 0 },
                                                                  { ET_QUIT, 0 } } ) );
}

TEST( HSDLInputDevicePumpTest, PollPumpsSdlsQueueIntoTheEventQueue )
{
    ASSERT_EQ( SDL_Init( SDL_INIT_VIDEO ), 0 ) << SDL_GetError();
    RecordingProcessServices services;
    HEventQueue queue;
    HGlobal::setEventQueue( &queue );
    HWindowProcedure procedure;
    {
        HSDLInputDevice device( nullptr, &procedure );
        ASSERT_TRUE( device.create() );
        EXPECT_EQ( procedure.getHost(), &device );
        queue.setPollSource( &device );
        SDL_FlushEvents( SDL_FIRSTEVENT, SDL_LASTEVENT );
        SDL_Event event = keyEvent( SDL_KEYDOWN, SDLK_UP, 0 );
        SDL_PushEvent( &event );
        event = textEvent( "q" );
        SDL_PushEvent( &event );
        SDL_Event quit;
        std::memset( &quit, 0, sizeof( quit ) );
        quit.type = SDL_QUIT;
        SDL_PushEvent( &quit );

        std::vector<int32_t> types;
        HEvent taken;
        while( queue.getEvent( taken ) && taken.type != ET_TIMESTAMP )
            types.push_back( taken.type );
        EXPECT_EQ( types, ( std::vector<int32_t>{ ET_KEYDOWN, ET_KEYDOWN, ET_QUIT } ) );
        EXPECT_EQ( queue.getLastEventTime() != 0, true );
        queue.setPollSource( nullptr );
    }
    // A device that goes leaves the procedure without a window.
    EXPECT_EQ( procedure.getHost(), nullptr );
    HGlobal::setEventQueue( nullptr );
    SDL_Quit();
}

TEST( HSDLInputDevicePadTest, APadPlugsInPlaysAsItsKeysRepeatsAndUnplugs )
{
    RecordingProcessServices services;
    services.useFakeTime = true;
    services.fakeTime = 1000;
    HEventQueue queue;
    HGlobal::setEventQueue( &queue );
    HWindowProcedure procedure;
    {
        HSDLInputDevice device( nullptr, &procedure );
        ASSERT_TRUE( device.create() );
        EXPECT_EQ( device.getPadCount(), 0 );
        int index = SDL_JoystickAttachVirtual( SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                               SDL_CONTROLLER_BUTTON_MAX, 0 );
        ASSERT_GE( index, 0 ) << SDL_GetError();
        device.poll();
        ASSERT_EQ( device.getPadCount(), 1 ) << "the plugged pad was not opened";
        SDL_Joystick* pJoystick = SDL_JoystickFromInstanceID( SDL_JoystickGetDeviceInstanceID( index ) );
        ASSERT_NE( pJoystick, nullptr );
        auto posted = [ & ]()
        {
            device.poll();
            std::vector<std::string> events;
            HEvent event;
            while( queue.count() > 0 && queue.getEvent( event ) )
                events.push_back( std::to_string( event.type ) + "/" + std::to_string( event.key ) + "/" +
                                  std::to_string( static_cast<unsigned char>( event.character ) ) );
            return events;
        };
        const std::string kDown = std::to_string( ET_KEYDOWN );
        const std::string kUp = std::to_string( ET_KEYUP );

        // A tapped within one poll still presses and lets go; B, Start and the d-pad likewise.
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_A, 1 );
        SDL_JoystickUpdate();
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_A, 0 );
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kDown + "/0/13", kUp + "/0/13" } ) );
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_B, 1 );
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_START, 1 );
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kDown + "/0/27", kDown + "/19/0" } ) );
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_B, 0 );
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_START, 0 );
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kUp + "/0/27", kUp + "/19/0" } ) );

        // The stick held left repeats like a held arrow key; the x button means nothing.
        SDL_JoystickSetVirtualAxis( pJoystick, SDL_CONTROLLER_AXIS_LEFTX, -30000 );
        SDL_JoystickSetVirtualButton( pJoystick, SDL_CONTROLLER_BUTTON_X, 1 );
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kDown + "/37/0" } ) );
        services.fakeTime += HGamepadMapper::kRepeatDelay;
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kDown + "/37/0" } ) );
        EXPECT_EQ( posted(), ( std::vector<std::string>{} ) );

        // Unplugged while held: the key is let go, and the pad is gone.
        SDL_JoystickDetachVirtual( index );
        EXPECT_EQ( posted(), ( std::vector<std::string>{ kUp + "/37/0" } ) );
        EXPECT_EQ( device.getPadCount(), 0 );
    }
    HGlobal::setEventQueue( nullptr );
    SDL_Quit();
}
