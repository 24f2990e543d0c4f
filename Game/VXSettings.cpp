#include "Game/VXSettings.h"

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HRegistry.h"

namespace
{
const char kpMaker[] = "Vantorix";
const char kpProduct[] = "Glimmerdrop";

bool readValue( HRegistry& registry, const char* kpName, int32_t& value )
{
    uint8_t bytes[ 4 ] = {};
    uint32_t count = 0;
    if( !registry.readBinary( kpName, bytes, sizeof( bytes ), &count ) || count != sizeof( bytes ) )
        return false;
    value = static_cast<int32_t>( static_cast<uint32_t>( bytes[ 0 ] ) | ( static_cast<uint32_t>( bytes[ 1 ] ) << 8 ) |
                                  ( static_cast<uint32_t>( bytes[ 2 ] ) << 16 ) |
                                  ( static_cast<uint32_t>( bytes[ 3 ] ) << 24 ) );
    return true;
}

bool writeValue( HRegistry& registry, const char* kpName, int32_t value )
{
    uint32_t bits = static_cast<uint32_t>( value );
    const uint8_t kaBytes[ 4 ] = { static_cast<uint8_t>( bits ), static_cast<uint8_t>( bits >> 8 ),
                                   static_cast<uint8_t>( bits >> 16 ), static_cast<uint8_t>( bits >> 24 ) };
    return registry.writeBinary( kpName, kaBytes, sizeof( kaBytes ) );
}

// The stored values in the order they are written.
const struct
{
    const char* kpName;
    int32_t VXSettings::*pField;
} kaValues[] = { { "Start Level", &VXSettings::startLevel },
                 { "Keyboard Moves Space", &VXSettings::keyboardMovesSpace },
                 { "Alarm Enabled", &VXSettings::alarmEnabled },
                 { "Sound Enabled", &VXSettings::soundEnabled },
                 { "Music Enabled", &VXSettings::musicEnabled },
                 { "Fullscreen", &VXSettings::fullscreen },
                 { "Did Tutorial", &VXSettings::didTutorial } };
}

VXSettings::VXSettings()
    : didTutorial( 0 )
    , startLevel( 1 )
    , keyboardMovesSpace( 1 )
    , alarmEnabled( 1 )
    , soundEnabled( 1 )
    , musicEnabled( 1 )
    , fullscreen( 0 )
    , m_aStored()
    , m_aKnown()
{
    static_assert( sizeof( kaValues ) / sizeof( kaValues[ 0 ] ) == kValueCount, "one entry per stored value" );
}

bool VXSettings::isStartLevel( int32_t level )
{
    return level == 1 || level == 6 || level == 10 || level == 14 || level == 18 || level == 22;
}

bool VXSettings::read( HRegistry& registry, HCvarManager* pCvars )
{
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return false;
    for( int i = 0; i < kValueCount; ++i )
    {
        int32_t value = 0;
        m_aKnown[ i ] = readValue( registry, kaValues[ i ].kpName, value );
        if( !m_aKnown[ i ] )
            continue;
        m_aStored[ i ] = value;
        // A start level the options never offer would pay a start bonus from the wrong row.
        if( kaValues[ i ].pField == &VXSettings::startLevel && !isStartLevel( value ) )
            debugTrace( "VXSettings - ignoring start level %d", value );
        else
            this->*kaValues[ i ].pField = value;
    }
    registry.close();
    return true;
}

bool VXSettings::write( HRegistry& registry, HCvarManager* pCvars )
{
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return false;
    bool written = true;
    for( int i = 0; i < kValueCount; ++i )
    {
        int32_t value = this->*kaValues[ i ].pField;
        if( m_aKnown[ i ] && m_aStored[ i ] == value )
            continue;
        if( !writeValue( registry, kaValues[ i ].kpName, value ) )
        {
            written = false;
            continue;
        }
        m_aStored[ i ] = value;
        m_aKnown[ i ] = true;
    }
    registry.close();
    return written;
}
