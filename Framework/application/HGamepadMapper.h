#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HGAMEPADMAPPER_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HGAMEPADMAPPER_H

#include <cstddef>
#include <cstdint>

// The pad controls the game listens to, as bits of one held set.
enum HGamepadControl
{
    GC_UP = 1,
    GC_DOWN = 2,
    GC_LEFT = 4,
    GC_RIGHT = 8,
    GC_A = 16,
    GC_B = 32,
    GC_START = 64
};

// One window message a pad control stands for.
struct HGamepadMessage
{
    uint32_t message;
    uintptr_t wParam;
};

// Turns what a game pad holds into the key messages of the keyboard keys it stands for, so the
// window procedure, the journal and everything after them see only keys: the d-pad and the left
// stick are the arrow keys (repeating while held, as the keyboard repeats), A is Return, B is
// Escape and Start is Pause. The platforms read their pads and hand over the held set.
class HGamepadMapper
{
public:
    // A stick counts as pushed past about half its travel.
    static constexpr int32_t kStickThreshold = 16384;
    static constexpr uint32_t kRepeatDelay = 400;
    static constexpr uint32_t kRepeatInterval = 110;
    // Room for the messages of one update: every control released or pressed at once, with the
    // characters of two of them.
    static constexpr size_t kMostMessages = 9;

    // XInput's button bits, as its header defines them.
    enum XInputButton
    {
        XB_DPAD_UP = 0x0001,
        XB_DPAD_DOWN = 0x0002,
        XB_DPAD_LEFT = 0x0004,
        XB_DPAD_RIGHT = 0x0008,
        XB_START = 0x0010,
        XB_BACK = 0x0020,
        XB_A = 0x1000,
        XB_B = 0x2000,
        XB_X = 0x4000,
        XB_Y = 0x8000
    };

    HGamepadMapper();

    // The directions a stick pushes, y growing downward.
    static uint32_t stickControls( int32_t x, int32_t y );
    // The held set of one XInput pad: its buttons and its left stick (y growing upward there).
    static uint32_t fromXInput( uint16_t buttons, int16_t thumbX, int16_t thumbY );

    // Takes the held set at a time in milliseconds; writes the messages to send in order and
    // returns how many (at most kMostMessages).
    size_t update( uint32_t held, uint64_t now, HGamepadMessage* pOut );

    uint32_t getHeld() const { return m_held; }

private:
    uint32_t m_held;
    // The direction that repeats (the last one pressed) and when it next does.
    uint32_t m_repeating;
    uint64_t m_nextRepeat;
};

#endif
