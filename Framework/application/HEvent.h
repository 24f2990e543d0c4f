#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HEVENT_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HEVENT_H

#include <cstddef>
#include <cstdint>

enum HEventType
{
    ET_NONE = 0,
    ET_QUIT = 1,
    ET_PASTE = 2,
    ET_TOGGLE_FULLSCREEN = 3,
    ET_PAINT = 4,
    ET_ACTIVATE = 5,
    ET_WINDOW_MINIMIZED = 6,
    ET_KEYUP = 7,
    ET_KEYDOWN = 8,
    ET_DPAD = 9,
    ET_COMMAND = 10,
    ET_MOUSEMOVE = 11,
    ET_TIMESTAMP = 12
};

// The Windows virtual-key numbers, plus two joystick codes; mouse buttons are keys too.
enum HKeyCode
{
    KC_INVALID = 0,
    KC_LBUTTON = 1,
    KC_RBUTTON = 2,
    KC_MBUTTON = 4,
    KC_BACK = 8,
    KC_TAB = 9,
    KC_CLEAR = 12,
    KC_RETURN = 13,
    KC_SHIFT = 16,
    KC_CONTROL = 17,
    KC_MENU = 18,
    KC_PAUSE = 19,
    KC_ESCAPE = 27,
    KC_SPACE = 32,
    KC_END = 35,
    KC_HOME = 36,
    KC_LEFT = 37,
    KC_UP = 38,
    KC_RIGHT = 39,
    KC_DOWN = 40,
    KC_INSERT = 45,
    KC_DELETE = 46,
    KC_0 = 48,
    KC_1,
    KC_2,
    KC_3,
    KC_4,
    KC_5,
    KC_6,
    KC_7,
    KC_8,
    KC_9,
    KC_A = 65,
    KC_B,
    KC_C,
    KC_D,
    KC_E,
    KC_F,
    KC_G,
    KC_H,
    KC_I,
    KC_J,
    KC_K,
    KC_L,
    KC_M,
    KC_N,
    KC_O,
    KC_P,
    KC_Q,
    KC_R,
    KC_S,
    KC_T,
    KC_U,
    KC_V,
    KC_W,
    KC_X,
    KC_Y,
    KC_Z,
    KC_NUMPAD0 = 96,
    KC_NUMPAD1,
    KC_NUMPAD2,
    KC_NUMPAD3,
    KC_NUMPAD4,
    KC_NUMPAD5,
    KC_NUMPAD6,
    KC_NUMPAD7,
    KC_NUMPAD8,
    KC_NUMPAD9,
    KC_MULTIPLY = 106,
    KC_ADD = 107,
    KC_SEPARATOR = 108,
    KC_SUBTRACT = 109,
    KC_DECIMAL = 110,
    KC_DIVIDE = 111,
    KC_F1 = 112,
    KC_F2,
    KC_F3,
    KC_F4,
    KC_F5,
    KC_F6,
    KC_F7,
    KC_F8,
    KC_F9,
    KC_F10,
    KC_F11,
    KC_F12,
    KC_JOY0 = 288,
    KC_JOY1 = 289
};

// Bits of the modifiers field.
enum HEventModifier
{
    EM_SHIFT = 1,
    EM_ALT = 2,
    EM_CONTROL = 4
};

// One input, window change or tick of time. The in-memory layout matches the journal's
// 56-byte record, but files are always written through toBytes/fromBytes so that the
// padding is zero and the byte order little-endian whatever the machine.
struct HEvent
{
    static constexpr size_t kRecordSize = 56;

    int32_t type;
    uint32_t padding0;
    uint64_t time;
    uint32_t modifiers;
    // ET_ACTIVATE: 1 active; ET_WINDOW_MINIMIZED: 1 minimised; ET_COMMAND: the command.
    int32_t flag;
    uint8_t reserved[ 12 ];
    int32_t key;
    char character;
    uint8_t padding1[ 3 ];
    int32_t x;
    int32_t y;
    uint32_t padding2;

    // All fields zero: type ET_NONE.
    void clear();

    void toBytes( uint8_t* pRecord ) const;
    void fromBytes( const uint8_t* kpRecord );
};

static_assert( sizeof( HEvent ) == HEvent::kRecordSize, "the event record is the journal's 56-byte record" );
static_assert( offsetof( HEvent, time ) == 8 && offsetof( HEvent, modifiers ) == 16 && offsetof( HEvent, flag ) == 20 &&
                   offsetof( HEvent, key ) == 36 && offsetof( HEvent, character ) == 40 &&
                   offsetof( HEvent, x ) == 44 && offsetof( HEvent, y ) == 48,
               "event fields sit at the journal's offsets" );

// "ET_KEYDOWN" and so on; "ET_UNKNOWN" outside 0 to 12.
const char* eventTypeName( int32_t type );
// The KC_ name of a key event's key; "Not A Key" for other events; "Unknown(0x%x)" for
// codes without a name, in one process-wide buffer that each call overwrites.
const char* keyName( const HEvent& event );
// Formats a one-line description into the caller's buffer and returns it.
char* describeEvent( const HEvent& event, char* pBuffer, size_t size );

#endif
