#include "Framework/application/HEvent.h"

#include <cstring>

#include "Framework/util/src/HText.h"

namespace
{
const char* const kapTypeNames[] = {
    "ET_NONE",  "ET_QUIT",    "ET_PASTE", "ET_TOGGLE_FULLSCREEN", "ET_PAINT",     "ET_ACTIVATE", "ET_WINDOW_MINIMIZED",
    "ET_KEYUP", "ET_KEYDOWN", "ET_DPAD",  "ET_COMMAND",           "ET_MOUSEMOVE", "ET_TIMESTAMP" };

struct KeyNameEntry
{
    int32_t code;
    const char* kpName;
};

const KeyNameEntry kaKeyNames[] = {
    { KC_INVALID, "KC_INVALID" },
    { KC_LBUTTON, "KC_LBUTTON" },
    { KC_RBUTTON, "KC_RBUTTON" },
    { KC_MBUTTON, "KC_MBUTTON" },
    { KC_BACK, "KC_BACK" },
    { KC_TAB, "KC_TAB" },
    { KC_CLEAR, "KC_CLEAR" },
    { KC_RETURN, "KC_RETURN" },
    { KC_SHIFT, "KC_SHIFT" },
    { KC_CONTROL, "KC_CONTROL" },
    { KC_MENU, "KC_MENU" },
    { KC_ESCAPE, "KC_ESCAPE" },
    { KC_SPACE, "KC_SPACE" },
    { KC_END, "KC_END" },
    { KC_HOME, "KC_HOME" },
    { KC_LEFT, "KC_LEFT" },
    { KC_UP, "KC_UP" },
    { KC_RIGHT, "KC_RIGHT" },
    { KC_DOWN, "KC_DOWN" },
    { KC_INSERT, "KC_INSERT" },
    { KC_DELETE, "KC_DELETE" },
    { KC_0, "KC_0" },
    { KC_1, "KC_1" },
    { KC_2, "KC_2" },
    { KC_3, "KC_3" },
    { KC_4, "KC_4" },
    { KC_5, "KC_5" },
    { KC_6, "KC_6" },
    { KC_7, "KC_7" },
    { KC_8, "KC_8" },
    { KC_9, "KC_9" },
    { KC_A, "KC_A" },
    { KC_B, "KC_B" },
    { KC_C, "KC_C" },
    { KC_D, "KC_D" },
    { KC_E, "KC_E" },
    { KC_F, "KC_F" },
    { KC_G, "KC_G" },
    { KC_H, "KC_H" },
    { KC_I, "KC_I" },
    { KC_J, "KC_J" },
    { KC_K, "KC_K" },
    { KC_L, "KC_L" },
    { KC_M, "KC_M" },
    { KC_N, "KC_N" },
    { KC_O, "KC_O" },
    { KC_P, "KC_P" },
    { KC_Q, "KC_Q" },
    { KC_R, "KC_R" },
    { KC_S, "KC_S" },
    { KC_T, "KC_T" },
    { KC_U, "KC_U" },
    { KC_V, "KC_V" },
    { KC_W, "KC_W" },
    { KC_X, "KC_X" },
    { KC_Y, "KC_Y" },
    { KC_Z, "KC_Z" },
    { KC_NUMPAD0, "KC_NUMPAD0" },
    { KC_NUMPAD1, "KC_NUMPAD1" },
    { KC_NUMPAD2, "KC_NUMPAD2" },
    { KC_NUMPAD3, "KC_NUMPAD3" },
    { KC_NUMPAD4, "KC_NUMPAD4" },
    { KC_NUMPAD5, "KC_NUMPAD5" },
    { KC_NUMPAD6, "KC_NUMPAD6" },
    { KC_NUMPAD7, "KC_NUMPAD7" },
    { KC_NUMPAD8, "KC_NUMPAD8" },
    { KC_NUMPAD9, "KC_NUMPAD9" },
    { KC_MULTIPLY, "KC_MULTIPLY" },
    { KC_ADD, "KC_ADD" },
    { KC_SEPARATOR, "KC_SEPARATOR" },
    { KC_SUBTRACT, "KC_SUBTRACT" },
    { KC_DECIMAL, "KC_DECIMAL" },
    { KC_DIVIDE, "KC_DIVIDE" },
    { KC_F1, "KC_F1" },
    { KC_F2, "KC_F2" },
    { KC_F3, "KC_F3" },
    { KC_F4, "KC_F4" },
    { KC_F5, "KC_F5" },
    { KC_F6, "KC_F6" },
    { KC_F7, "KC_F7" },
    { KC_F8, "KC_F8" },
    { KC_F9, "KC_F9" },
    { KC_F10, "KC_F10" },
    { KC_F11, "KC_F11" },
    { KC_F12, "KC_F12" },
    { KC_JOY0, "KC_JOY0" },
    { KC_JOY1, "KC_JOY1" },
};

char s_aUnknownKeyName[ 256 ];

void putLittle32( uint8_t* pOut, uint32_t value )
{
    for( int i = 0; i < 4; ++i )
        pOut[ i ] = static_cast<uint8_t>( value >> ( 8 * i ) );
}

uint32_t getLittle32( const uint8_t* kpIn )
{
    uint32_t value = 0;
    for( int i = 0; i < 4; ++i )
        value |= static_cast<uint32_t>( kpIn[ i ] ) << ( 8 * i );
    return value;
}

// The description shows times and points as Windows longs: 32-bit signed.
long asLong( uint64_t value )
{
    return static_cast<long>( static_cast<int32_t>( static_cast<uint32_t>( value ) ) );
}
}

void HEvent::clear()
{
    std::memset( this, 0, sizeof( *this ) );
}

void HEvent::toBytes( uint8_t* pRecord ) const
{
    std::memset( pRecord, 0, kRecordSize );
    putLittle32( pRecord + 0, static_cast<uint32_t>( type ) );
    putLittle32( pRecord + 8, static_cast<uint32_t>( time ) );
    putLittle32( pRecord + 12, static_cast<uint32_t>( time >> 32 ) );
    putLittle32( pRecord + 16, modifiers );
    putLittle32( pRecord + 20, static_cast<uint32_t>( flag ) );
    std::memcpy( pRecord + 24, reserved, sizeof( reserved ) );
    putLittle32( pRecord + 36, static_cast<uint32_t>( key ) );
    pRecord[ 40 ] = static_cast<uint8_t>( character );
    putLittle32( pRecord + 44, static_cast<uint32_t>( x ) );
    putLittle32( pRecord + 48, static_cast<uint32_t>( y ) );
}

void HEvent::fromBytes( const uint8_t* kpRecord )
{
    clear();
    type = static_cast<int32_t>( getLittle32( kpRecord + 0 ) );
    time = static_cast<uint64_t>( getLittle32( kpRecord + 8 ) ) |
           ( static_cast<uint64_t>( getLittle32( kpRecord + 12 ) ) << 32 );
    modifiers = getLittle32( kpRecord + 16 );
    flag = static_cast<int32_t>( getLittle32( kpRecord + 20 ) );
    std::memcpy( reserved, kpRecord + 24, sizeof( reserved ) );
    key = static_cast<int32_t>( getLittle32( kpRecord + 36 ) );
    character = static_cast<char>( kpRecord[ 40 ] );
    x = static_cast<int32_t>( getLittle32( kpRecord + 44 ) );
    y = static_cast<int32_t>( getLittle32( kpRecord + 48 ) );
}

const char* eventTypeName( int32_t type )
{
    if( type < ET_NONE || type > ET_TIMESTAMP )
        return "ET_UNKNOWN";
    return kapTypeNames[ type ];
}

const char* keyName( const HEvent& event )
{
    if( event.type != ET_KEYDOWN && event.type != ET_KEYUP )
        return "Not A Key";
    for( const KeyNameEntry& entry : kaKeyNames )
    {
        if( entry.code == event.key )
            return entry.kpName;
    }
    textFormat( s_aUnknownKeyName, sizeof( s_aUnknownKeyName ), "Unknown(0x%x)", static_cast<unsigned>( event.key ) );
    return s_aUnknownKeyName;
}

char* describeEvent( const HEvent& event, char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return pBuffer;
    long time = asLong( event.time );
    switch( event.type )
    {
    case ET_WINDOW_MINIMIZED:
        textFormat( pBuffer, size, "%s(%ld): minimized=%d", "ET_WINDOW_MINIMIZED", time, event.flag );
        break;
    case ET_KEYUP:
    case ET_KEYDOWN:
        textFormat( pBuffer, size, "%s(%ld) - key=%s pt=%ld,%ld", eventTypeName( event.type ), time, keyName( event ),
                    static_cast<long>( event.x ), static_cast<long>( event.y ) );
        break;
    case ET_MOUSEMOVE:
        textFormat( pBuffer, size, "%s(%ld) - pt=%ld,%ld", "ET_MOUSEMOVE", time, static_cast<long>( event.x ),
                    static_cast<long>( event.y ) );
        break;
    default:
        if( event.type < ET_NONE || event.type > ET_TIMESTAMP )
            textFormat( pBuffer, size, "%s[%d](%ld)", "ET_UNKNOWN", static_cast<int>( event.type ), time );
        else
            textFormat( pBuffer, size, "%s(%ld)", eventTypeName( event.type ), time );
        break;
    }
    return pBuffer;
}
