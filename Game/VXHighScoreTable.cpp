#include "Game/VXHighScoreTable.h"

#include <cstring>

#include "Framework/graphics/VXSprite.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HText.h"
#include "Game/dialogs/VXPrintableText.h"

namespace
{
const char kpMaker[] = "Vantorix";
const char kpProduct[] = "Glimmerdrop";
const char* const kapDefaultNames[ VXHighScoreTable::kRows ] = { "Juno", "Oona", "Lark", "Tobin", "Mira" };
// OK with the exclamation icon.
const uint32_t kWarningFlags = 49;

void putWord( uint8_t* pBytes, uint32_t value )
{
    pBytes[ 0 ] = static_cast<uint8_t>( value );
    pBytes[ 1 ] = static_cast<uint8_t>( value >> 8 );
    pBytes[ 2 ] = static_cast<uint8_t>( value >> 16 );
    pBytes[ 3 ] = static_cast<uint8_t>( value >> 24 );
}

uint32_t getWord( const uint8_t* kpBytes )
{
    return static_cast<uint32_t>( kpBytes[ 0 ] ) | ( static_cast<uint32_t>( kpBytes[ 1 ] ) << 8 ) |
           ( static_cast<uint32_t>( kpBytes[ 2 ] ) << 16 ) | ( static_cast<uint32_t>( kpBytes[ 3 ] ) << 24 );
}
} // namespace

VXHighScoreEntry::VXHighScoreEntry()
    : marker( kMarker )
    , name()
    , score( 0 )
    , level( 1 )
{
    setName( "nobody" );
}

void VXHighScoreEntry::setName( const char* kpName )
{
    // The unused bytes are zero, so the stored value never carries stale text.
    std::memset( name, 0, sizeof( name ) );
    textCopy( name, sizeof( name ), kpName );
}

void VXHighScoreEntry::toBytes( uint8_t* pRecord ) const
{
    putWord( pRecord, marker );
    std::memcpy( pRecord + 4, name, kNameSize );
    putWord( pRecord + 36, score );
    putWord( pRecord + 40, static_cast<uint32_t>( level ) );
}

bool VXHighScoreEntry::fromBytes( const uint8_t* kpRecord, uint32_t count )
{
    if( kpRecord == nullptr || count != kRecordSize || getWord( kpRecord ) != kMarker )
        return false;
    marker = kMarker;
    std::memcpy( name, kpRecord + 4, kNameSize );
    name[ kNameSize - 1 ] = '\0';
    score = getWord( kpRecord + 36 );
    level = static_cast<int32_t>( getWord( kpRecord + 40 ) );
    return true;
}

VXHighScoreTable::VXHighScoreTable()
    : m_entries()
{
    for( int row = 0; row < kRows; ++row )
        m_entries[ row ].setName( kapDefaultNames[ row ] );
}

const char* VXHighScoreTable::defaultName( int row )
{
    return row >= 0 && row < kRows ? kapDefaultNames[ row ] : "";
}

void VXHighScoreTable::valueName( int row, char* pBuffer, size_t size )
{
    textFormat( pBuffer, size, "HS:%d", row );
}

const VXHighScoreEntry& VXHighScoreTable::entry( int row ) const
{
    return m_entries[ row < 0 ? 0 : row >= kRows ? kRows - 1 : row ];
}

void VXHighScoreTable::displayName( int row, char* pBuffer, size_t size ) const
{
    const VXHighScoreEntry& shown = entry( row );
    makePrintable( pBuffer, size, shown.name, VXHighScoreEntry::kNameSize );
}

bool VXHighScoreTable::load( HRegistry& registry, HCvarManager* pCvars, bool reset )
{
    for( VXHighScoreEntry& row : m_entries )
    {
        row.score = 0;
        row.level = 1;
    }
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
    {
        messageBox( kWarningFlags, "Warning", "Glimmerdrop could not load high scores.  Please contact %s",
                    VXSprite::kSupportAddress );
        return false;
    }
    for( int row = 0; row < kRows; ++row )
    {
        char name[ 16 ];
        valueName( row, name, sizeof( name ) );
        // Room for more than a record, so a longer value is seen as the wrong size.
        uint8_t record[ VXHighScoreEntry::kRecordSize + 1 ];
        uint32_t count = 0;
        if( reset || !registry.readBinary( name, record, sizeof( record ), &count ) )
        {
            m_entries[ row ].setName( kapDefaultNames[ row ] );
            continue;
        }
        if( !m_entries[ row ].fromBytes( record, count ) )
            debugTrace( "VXHighScoreTable - ignoring value %s of %u bytes", name, static_cast<unsigned>( count ) );
    }
    registry.close();
    return true;
}

bool VXHighScoreTable::save( HRegistry& registry, HCvarManager* pCvars ) const
{
    bool saved = registry.open( pCvars, kpMaker, kpProduct );
    if( saved )
    {
        for( int row = 0; row < kRows; ++row )
        {
            char name[ 16 ];
            valueName( row, name, sizeof( name ) );
            uint8_t record[ VXHighScoreEntry::kRecordSize ];
            m_entries[ row ].toBytes( record );
            saved = registry.writeBinary( name, record, sizeof( record ) ) && saved;
        }
        registry.close();
    }
    // A store that opens but cannot be written loses the scores just the same.
    if( !saved )
        messageBox( kWarningFlags, "Warning", "Glimmerdrop could not open registry.  Please contact %s",
                    VXSprite::kSupportAddress );
    return saved;
}

int VXHighScoreTable::rank( uint32_t score ) const
{
    for( int row = 0; row < kRows; ++row )
    {
        if( m_entries[ row ].score < score )
            return row;
    }
    return -1;
}

int VXHighScoreTable::insert( const char* kpName, uint32_t score, int32_t level )
{
    int row = rank( score );
    if( row < 0 )
        return -1;
    for( int moved = kRows - 1; moved > row; --moved )
        m_entries[ moved ] = m_entries[ moved - 1 ];
    VXHighScoreEntry& added = m_entries[ row ];
    added.marker = VXHighScoreEntry::kMarker;
    added.setName( kpName );
    added.score = score;
    added.level = level;
    return row;
}
