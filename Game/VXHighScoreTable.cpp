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
    , m_unsaved()
    , m_unsavedCount( 0 )
    , m_newestRow( -1 )
    , m_replaceStored( false )
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
    m_unsavedCount = 0;
    m_newestRow = -1;
    m_replaceStored = reset;
    if( !registry.open( pCvars, kpMaker, kpProduct ) )
    {
        for( VXHighScoreEntry& row : m_entries )
        {
            row.score = 0;
            row.level = 1;
        }
        messageBox( kWarningFlags, "Warning", "Glimmerdrop could not load high scores.  Please contact %s",
                    VXSprite::kSupportAddress );
        return false;
    }
    m_readRows( registry, reset );
    registry.close();
    return true;
}

void VXHighScoreTable::m_readRows( HRegistry& registry, bool reset )
{
    for( int row = 0; row < kRows; ++row )
    {
        m_entries[ row ].score = 0;
        m_entries[ row ].level = 1;
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
}

bool VXHighScoreTable::save( HRegistry& registry, HCvarManager* pCvars )
{
    bool saved = registry.open( pCvars, kpMaker, kpProduct );
    if( saved )
    {
        // Without the lock another copy could still slip in; merging is the better half anyway.
        registry.beginUpdate();
        if( !m_replaceStored )
        {
            // Another running copy may have stored its results since this one loaded the table.
            m_readRows( registry, false );
            m_newestRow = -1;
            for( int result = 0; result < m_unsavedCount; ++result )
                m_newestRow = m_place( m_unsaved[ result ] );
        }
        for( int row = 0; row < kRows; ++row )
        {
            char name[ 16 ];
            valueName( row, name, sizeof( name ) );
            uint8_t record[ VXHighScoreEntry::kRecordSize ];
            m_entries[ row ].toBytes( record );
            saved = registry.writeBinary( name, record, sizeof( record ) ) && saved;
        }
        registry.endUpdate();
        registry.close();
    }
    if( saved )
    {
        m_unsavedCount = 0;
        m_replaceStored = false;
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
    VXHighScoreEntry result;
    result.setName( kpName );
    result.score = score;
    result.level = level;
    int row = m_place( result );
    if( row < 0 )
        return -1;
    if( m_unsavedCount == kRows )
    {
        // The lowest of six can never reach the table past the other five (the latest of equal
        // scores goes lowest); the rest keep their order.
        int lowest = 0;
        for( int i = 1; i < kRows; ++i )
        {
            if( m_unsaved[ i ].score <= m_unsaved[ lowest ].score )
                lowest = i;
        }
        if( result.score <= m_unsaved[ lowest ].score )
        {
            m_newestRow = row;
            return row;
        }
        for( int i = lowest + 1; i < kRows; ++i )
            m_unsaved[ i - 1 ] = m_unsaved[ i ];
        --m_unsavedCount;
    }
    m_unsaved[ m_unsavedCount++ ] = result;
    m_newestRow = row;
    return row;
}

int VXHighScoreTable::m_place( const VXHighScoreEntry& result )
{
    int row = rank( result.score );
    if( row < 0 )
        return -1;
    for( int moved = kRows - 1; moved > row; --moved )
        m_entries[ moved ] = m_entries[ moved - 1 ];
    m_entries[ row ] = result;
    return row;
}
