#include "Framework/application/HGamepadMapper.h"

#include "Framework/application/HEvent.h"
#include "Framework/application/HWindowProcedure.h"

namespace
{
struct Binding
{
    uint32_t control;
    uint32_t virtualKey;
    // The character the key types, sent after its key-down as the system would; 0 for none.
    uint32_t character;
};

const Binding kaBindings[] = { { GC_UP, KC_UP, 0 },       { GC_DOWN, KC_DOWN, 0 }, { GC_LEFT, KC_LEFT, 0 },
                               { GC_RIGHT, KC_RIGHT, 0 }, { GC_A, KC_RETURN, 13 }, { GC_B, KC_ESCAPE, 27 },
                               { GC_START, KC_PAUSE, 0 } };

const uint32_t kDirections = GC_UP | GC_DOWN | GC_LEFT | GC_RIGHT;
} // namespace

HGamepadMapper::HGamepadMapper()
    : m_held( 0 )
    , m_repeating( 0 )
    , m_nextRepeat( 0 )
{
}

uint32_t HGamepadMapper::stickControls( int32_t x, int32_t y )
{
    uint32_t held = 0;
    if( x <= -kStickThreshold )
        held |= GC_LEFT;
    else if( x >= kStickThreshold )
        held |= GC_RIGHT;
    if( y <= -kStickThreshold )
        held |= GC_UP;
    else if( y >= kStickThreshold )
        held |= GC_DOWN;
    return held;
}

uint32_t HGamepadMapper::fromXInput( uint16_t buttons, int16_t thumbX, int16_t thumbY )
{
    struct XBinding
    {
        uint16_t button;
        uint32_t control;
    };
    static const XBinding kaXBindings[] = { { XB_DPAD_UP, GC_UP },
                                            { XB_DPAD_DOWN, GC_DOWN },
                                            { XB_DPAD_LEFT, GC_LEFT },
                                            { XB_DPAD_RIGHT, GC_RIGHT },
                                            { XB_A, GC_A },
                                            { XB_B, GC_B },
                                            { XB_START, GC_START } };
    uint32_t held = 0;
    for( const XBinding& binding : kaXBindings )
    {
        if( ( buttons & binding.button ) != 0 )
            held |= binding.control;
    }
    // Up is positive on XInput's stick; the negation is held inside the range.
    return held | stickControls( thumbX, -static_cast<int32_t>( thumbY ) );
}

size_t HGamepadMapper::update( uint32_t held, uint64_t now, HGamepadMessage* pOut )
{
    size_t count = 0;
    uint32_t pressed = held & ~m_held;
    uint32_t released = m_held & ~held;
    for( const Binding& binding : kaBindings )
    {
        if( ( released & binding.control ) != 0 )
            pOut[ count++ ] = { HWM_KEYUP, binding.virtualKey };
    }
    for( const Binding& binding : kaBindings )
    {
        if( ( pressed & binding.control ) == 0 )
            continue;
        pOut[ count++ ] = { HWM_KEYDOWN, binding.virtualKey };
        if( binding.character != 0 )
            pOut[ count++ ] = { HWM_CHAR, binding.character };
        if( ( binding.control & kDirections ) != 0 )
        {
            m_repeating = binding.control;
            m_nextRepeat = now + kRepeatDelay;
        }
    }
    m_held = held;
    if( ( m_held & m_repeating ) == 0 )
    {
        // Another direction still held takes the repeat over, after the first delay again.
        m_repeating = 0;
        for( const Binding& binding : kaBindings )
        {
            if( m_repeating == 0 && ( m_held & kDirections & binding.control ) != 0 )
            {
                m_repeating = binding.control;
                m_nextRepeat = now + kRepeatDelay;
            }
        }
        return count;
    }
    if( pressed == 0 && now >= m_nextRepeat )
    {
        for( const Binding& binding : kaBindings )
        {
            if( binding.control == m_repeating )
                pOut[ count++ ] = { HWM_KEYDOWN, binding.virtualKey };
        }
        // A late poll repeats once, not once for every interval it missed.
        m_nextRepeat = now + kRepeatInterval;
    }
    return count;
}
