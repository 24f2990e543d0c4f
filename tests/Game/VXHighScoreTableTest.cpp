#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Framework/util/src/HRegistry.h"
#include "Game/VXHighScoreTable.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/TempDir.h"

namespace
{
// A registry in memory that can refuse to open or to write, and counts its writes.
class MemoryRegistry : public HRegistry
{
public:
    bool open( HCvarManager* pCvars, const char* kpMaker, const char* kpProduct ) override
    {
        HRegistry::open( pCvars, kpMaker, kpProduct );
        return opens;
    }
    bool readString( const char*, char* pBuffer, uint32_t size ) override
    {
        if( size > 0 )
            pBuffer[ 0 ] = '\0';
        return false;
    }
    bool writeString( const char*, const char* ) override { return false; }
    bool readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount ) override
    {
        auto found = values.find( kpName );
        if( found == values.end() || found->second.size() > size )
            return false;
        std::memcpy( pBuffer, found->second.data(), found->second.size() );
        *pCount = static_cast<uint32_t>( found->second.size() );
        return true;
    }
    bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) override
    {
        ++writes;
        if( !writable )
            return false;
        const uint8_t* kpBytes = static_cast<const uint8_t*>( kpData );
        values[ kpName ] = std::vector<uint8_t>( kpBytes, kpBytes + count );
        return true;
    }

    std::map<std::string, std::vector<uint8_t>> values;
    bool opens = true;
    bool writable = true;
    int writes = 0;
};

std::vector<uint8_t> record( uint32_t marker, const std::string& name, uint32_t score, int32_t level )
{
    std::vector<uint8_t> bytes( 44, 0 );
    auto put = [ & ]( size_t at, uint32_t value )
    {
        for( int i = 0; i < 4; ++i )
            bytes[ at + i ] = static_cast<uint8_t>( value >> ( 8 * i ) );
    };
    put( 0, marker );
    std::memcpy( &bytes[ 4 ], name.data(), std::min<size_t>( name.size(), 32 ) );
    put( 36, score );
    put( 40, static_cast<uint32_t>( level ) );
    return bytes;
}

class HighScoreTableTest : public ::testing::Test
{
protected:
    RecordingProcessServices services;
    MemoryRegistry registry;
    VXHighScoreTable table;
};
} // namespace

TEST_F( HighScoreTableTest, AFirstRunShowsTheDefaultsAndWritesNothing )
{
    EXPECT_TRUE( table.load( registry, nullptr, false ) );
    const char* kapNames[] = { "Juno", "Oona", "Lark", "Tobin", "Mira" };
    for( int row = 0; row < VXHighScoreTable::kRows; ++row )
    {
        EXPECT_STREQ( table.entry( row ).name, kapNames[ row ] );
        EXPECT_EQ( table.entry( row ).score, 0u );
        EXPECT_EQ( table.entry( row ).level, 1 );
        EXPECT_EQ( table.entry( row ).marker, 257u );
    }
    EXPECT_EQ( registry.writes, 0 );
    EXPECT_TRUE( services.boxes.empty() );
    // A score of nothing does not beat nothing.
    EXPECT_EQ( table.rank( 0 ), -1 );
    EXPECT_EQ( table.insert( "Zero", 0, 1 ), -1 );
    EXPECT_STREQ( table.entry( 0 ).name, "Juno" );
}

TEST_F( HighScoreTableTest, StoredRowsAreReadAndBadOnesKeepScoreZero )
{
    registry.values[ "HS:0" ] = record( 257, "Ada", 9000, 7 );
    registry.values[ "HS:1" ] = record( 256, "Wrong Marker", 8000, 6 );
    std::vector<uint8_t> tooLong = record( 257, "Long", 7000, 5 );
    tooLong.push_back( 0 );
    registry.values[ "HS:2" ] = tooLong;
    registry.values[ "HS:3" ] = std::vector<uint8_t>( 43, 1 );
    table.insert( "Kept", 5, 2 ); // a name from before the load, in row 0 then moved
    EXPECT_TRUE( table.load( registry, nullptr, false ) );
    EXPECT_STREQ( table.entry( 0 ).name, "Ada" );
    EXPECT_EQ( table.entry( 0 ).score, 9000u );
    EXPECT_EQ( table.entry( 0 ).level, 7 );
    // A bad value leaves the name that row had, with score 0 and level 1.
    EXPECT_STREQ( table.entry( 1 ).name, "Juno" );
    EXPECT_EQ( table.entry( 1 ).score, 0u );
    EXPECT_EQ( table.entry( 2 ).score, 0u );
    EXPECT_EQ( table.entry( 3 ).score, 0u );
    EXPECT_EQ( table.entry( 3 ).level, 1 );
    // A missing value takes the row's default name.
    EXPECT_STREQ( table.entry( 4 ).name, "Mira" );

    // Reset: every row its default, whatever is stored.
    table.load( registry, nullptr, true );
    EXPECT_STREQ( table.entry( 0 ).name, "Juno" );
    EXPECT_EQ( table.entry( 0 ).score, 0u );
}

TEST_F( HighScoreTableTest, RanksPlaceEqualScoresBelowAndInsertionMovesRowsDown )
{
    registry.values[ "HS:0" ] = record( 257, "A", 500, 5 );
    registry.values[ "HS:1" ] = record( 257, "B", 400, 4 );
    registry.values[ "HS:2" ] = record( 257, "C", 300, 3 );
    registry.values[ "HS:3" ] = record( 257, "D", 200, 2 );
    registry.values[ "HS:4" ] = record( 257, "E", 100, 1 );
    table.load( registry, nullptr, false );
    EXPECT_EQ( table.rank( 501 ), 0 );
    EXPECT_EQ( table.rank( 500 ), 1 );
    EXPECT_EQ( table.rank( 101 ), 4 );
    EXPECT_EQ( table.rank( 100 ), -1 );
    // Unsigned: the biggest score beats everything.
    EXPECT_EQ( table.rank( 0xFFFFFFFFu ), 0 );

    EXPECT_EQ( table.insert( "New", 300, 9 ), 3 );
    EXPECT_STREQ( table.entry( 2 ).name, "C" );
    EXPECT_STREQ( table.entry( 3 ).name, "New" );
    EXPECT_EQ( table.entry( 3 ).score, 300u );
    EXPECT_EQ( table.entry( 3 ).level, 9 );
    EXPECT_STREQ( table.entry( 4 ).name, "D" );
    // Two more equal to an existing score go below it, in the order they came.
    EXPECT_EQ( table.insert( "Twin1", 400, 1 ), 2 );
    EXPECT_EQ( table.insert( "Twin2", 400, 1 ), 3 );
    EXPECT_STREQ( table.entry( 1 ).name, "B" );
    EXPECT_STREQ( table.entry( 2 ).name, "Twin1" );
    EXPECT_STREQ( table.entry( 3 ).name, "Twin2" );
    EXPECT_STREQ( table.entry( 4 ).name, "C" );
}

TEST_F( HighScoreTableTest, SavingWritesAll44ByteRowsThatReadBackTheSame )
{
    table.load( registry, nullptr, false );
    table.insert( std::string( 40, 'x' ).c_str(), 1234567, 12 );
    EXPECT_TRUE( table.save( registry, nullptr ) );
    EXPECT_EQ( registry.writes, 5 );
    ASSERT_EQ( registry.values.size(), 5u );
    // The name is cut to 31 characters and the unused bytes are zero.
    std::vector<uint8_t> expected = record( 257, std::string( 31, 'x' ), 1234567, 12 );
    EXPECT_EQ( registry.values[ "HS:0" ], expected );
    EXPECT_EQ( registry.values[ "HS:1" ], record( 257, "Juno", 0, 1 ) );

    VXHighScoreTable again;
    again.load( registry, nullptr, false );
    EXPECT_EQ( std::string( again.entry( 0 ).name ), std::string( 31, 'x' ) );
    EXPECT_EQ( again.entry( 0 ).score, 1234567u );
    EXPECT_STREQ( again.entry( 4 ).name, "Tobin" );
}

TEST_F( HighScoreTableTest, StoredNamesAreShownSafely )
{
    // 32 name bytes and no terminator; then bytes the font cannot draw.
    registry.values[ "HS:0" ] = record( 257, std::string( 32, 'N' ), 10, 1 );
    registry.values[ "HS:1" ] = record( 257,
                                        std::string( "B\xC3\xA9\x01\x7F"
                                                     "a\xFFr" ),
                                        5, 1 );
    table.load( registry, nullptr, false );
    EXPECT_EQ( std::strlen( table.entry( 0 ).name ), 31u );
    char shown[ 64 ];
    table.displayName( 0, shown, sizeof( shown ) );
    EXPECT_EQ( std::string( shown ), std::string( 31, 'N' ) );
    table.displayName( 1, shown, sizeof( shown ) );
    // Accented letters, in UTF-8 or the code page, show as their plain letters.
    EXPECT_STREQ( shown, "Beayr" );
    table.displayName( 2, shown, 3 );
    EXPECT_STREQ( shown, "La" );
}

TEST_F( HighScoreTableTest, ARegistryThatFailsWarnsWithTheSupportAddress )
{
    registry.opens = false;
    table.insert( "Mine", 50, 3 );
    EXPECT_FALSE( table.load( registry, nullptr, false ) );
    ASSERT_EQ( services.boxes.size(), 1u );
    EXPECT_EQ( services.boxes[ 0 ].flags, 49u );
    EXPECT_EQ( services.boxes[ 0 ].caption, "Warning" );
    EXPECT_EQ( services.boxes[ 0 ].text,
               "Glimmerdrop could not load high scores.  Please contact support@vantorix.example" );
    // The names stay; scores and levels are cleared.
    EXPECT_STREQ( table.entry( 0 ).name, "Mine" );
    EXPECT_EQ( table.entry( 0 ).score, 0u );

    table.insert( "Kept", 70, 2 );
    EXPECT_FALSE( table.save( registry, nullptr ) );
    ASSERT_EQ( services.boxes.size(), 2u );
    EXPECT_EQ( services.boxes[ 1 ].text,
               "Glimmerdrop could not open registry.  Please contact support@vantorix.example" );
    EXPECT_EQ( registry.writes, 0 );
    EXPECT_STREQ( table.entry( 0 ).name, "Kept" );

    // A store that opens but refuses the values warns once, not once a row.
    registry.opens = true;
    registry.writable = false;
    EXPECT_FALSE( table.save( registry, nullptr ) );
    EXPECT_EQ( services.boxes.size(), 3u );
}

TEST_F( HighScoreTableTest, RowsGoToTheRegistryAsBinaryValues )
{
    TempDir dir;
    RegistrySandbox sandbox( dir.path() );
    HRegistry& store = HRegistry::get();
    table.load( store, nullptr, false );
    uint8_t bytes[ 64 ] = {};
    uint32_t count = 0;
    store.open( nullptr, "Vantorix", "Glimmerdrop" );
    EXPECT_FALSE( store.readBinary( "HS:0", bytes, sizeof( bytes ), &count ) );
    store.close();
    table.insert( "Juno", 0x0102, 3 );
    table.save( store, nullptr );
    store.open( nullptr, "Vantorix", "Glimmerdrop" );
    ASSERT_TRUE( store.readBinary( "HS:0", bytes, sizeof( bytes ), &count ) );
    const uint8_t kaRow[] = { 0x01, 0x01, 0x00, 0x00, 'J', 'u', 'n', 'o', 0x00 };
    ASSERT_GE( count, sizeof( kaRow ) );
    EXPECT_EQ( std::memcmp( bytes, kaRow, sizeof( kaRow ) ), 0 );
    EXPECT_TRUE( store.readBinary( "HS:4", bytes, sizeof( bytes ), &count ) );
    store.close();
}
