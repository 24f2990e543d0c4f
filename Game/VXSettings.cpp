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
}

VXSettings::VXSettings()
    : didTutorial( 0 )
    , startLevel( 1 )
    , keyboardMovesSpace( 1 )
    , alarmEnabled( 1 )
    , soundEnabled( 1 )
    , musicEnabled( 1 )
    , fullscreen( 0 )
{
}

bool VXSettings::isStartLevel( int32_t level )
{
    return level == 1 || level == 6 || level == 10 || level == 14 || level == 18 || level == 22;
}

bool VXSettings::read( HRegistry& registry, HCvarManager* pCvars )
{
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return false;
    int32_t level = startLevel;
    if( readValue( registry, "Start Level", level ) )
    {
        // A start level the options never offer would pay a start bonus from the wrong row.
        if( isStartLevel( level ) )
            startLevel = level;
        else
            debugTrace( "VXSettings - ignoring start level %d", level );
    }
    readValue( registry, "Keyboard Moves Space", keyboardMovesSpace );
    readValue( registry, "Alarm Enabled", alarmEnabled );
    readValue( registry, "Sound Enabled", soundEnabled );
    readValue( registry, "Music Enabled", musicEnabled );
    readValue( registry, "Fullscreen", fullscreen );
    readValue( registry, "Did Tutorial", didTutorial );
    registry.close();
    return true;
}

bool VXSettings::write( HRegistry& registry, HCvarManager* pCvars ) const
{
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
        return false;
    bool written = writeValue( registry, "Start Level", startLevel );
    written = writeValue( registry, "Keyboard Moves Space", keyboardMovesSpace ) && written;
    written = writeValue( registry, "Alarm Enabled", alarmEnabled ) && written;
    written = writeValue( registry, "Sound Enabled", soundEnabled ) && written;
    written = writeValue( registry, "Music Enabled", musicEnabled ) && written;
    written = writeValue( registry, "Fullscreen", fullscreen ) && written;
    written = writeValue( registry, "Did Tutorial", didTutorial ) && written;
    registry.close();
    return written;
}
