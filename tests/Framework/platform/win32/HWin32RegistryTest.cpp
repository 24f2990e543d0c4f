#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/platform/win32/HWin32Registry.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
// A maker of its own keeps the tests away from a real installation's settings.
const char* const kMaker = "VantorixRegistryTest";
const char* const kKey = "SOFTWARE\\VantorixRegistryTest\\Glimmerdrop";

struct RawValue
{
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes;
};

// Reads a value straight from the system, as regedit or "reg query" would see it.
RawValue rawValue( HKEY root, const char* kpName )
{
    RawValue value;
    HKEY key = nullptr;
    if( ::RegOpenKeyExA( root, kKey, 0, KEY_READ, &key ) != ERROR_SUCCESS )
        return value;
    DWORD size = 0;
    if( ::RegQueryValueExA( key, kpName, nullptr, &value.type, nullptr, &size ) == ERROR_SUCCESS )
    {
        value.bytes.resize( size );
        value.found = ::RegQueryValueExA( key, kpName, nullptr, &value.type, value.bytes.data(), &size ) ==
                      ERROR_SUCCESS;
        value.bytes.resize( size );
    }
    ::RegCloseKey( key );
    return value;
}

bool setRawValue( HKEY root, const char* kpName, DWORD type, const void* kpData, DWORD size )
{
    HKEY key = nullptr;
    if( ::RegCreateKeyExA( root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr ) != ERROR_SUCCESS )
        return false;
    bool ok = ::RegSetValueExA( key, kpName, 0, type, static_cast<const BYTE*>( kpData ), size ) == ERROR_SUCCESS;
    ::RegCloseKey( key );
    return ok;
}

void removeTestKeys()
{
    std::string maker = std::string( "SOFTWARE\\" ) + kMaker;
    ::RegDeleteTreeA( HKEY_CURRENT_USER, maker.c_str() );
    ::RegDeleteKeyA( HKEY_CURRENT_USER, maker.c_str() );
    ::RegDeleteTreeA( HKEY_LOCAL_MACHINE, maker.c_str() );
    ::RegDeleteKeyA( HKEY_LOCAL_MACHINE, maker.c_str() );
}

class HWin32RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        removeTestKeys();
        m_registry.open( nullptr, kMaker, "Glimmerdrop" );
    }
    void TearDown() override
    {
        m_registry.close();
        removeTestKeys();
    }

    HWin32Registry m_registry;
};
}

TEST_F( HWin32RegistryTest, ValuesLandUnderTheUsersKeyWithTheSystemsTypes )
{
    EXPECT_STREQ( m_registry.getKeyPath(), kKey );
    unsigned char score[ 44 ];
    for( int i = 0; i < 44; ++i )
        score[ i ] = static_cast<unsigned char>( 200 + i );
    ASSERT_TRUE( m_registry.writeString( "resourceFile", "glimmerdrop.vxz" ) );
    ASSERT_TRUE( m_registry.writeBinary( "HS:0", score, sizeof( score ) ) );

    RawValue text = rawValue( HKEY_CURRENT_USER, "resourceFile" );
    ASSERT_TRUE( text.found );
    EXPECT_EQ( text.type, static_cast<DWORD>( REG_SZ ) );
    // The stored length counts the terminator, as every other program expects.
    EXPECT_EQ( std::string( text.bytes.begin(), text.bytes.end() ), std::string( "glimmerdrop.vxz", 16 ) );
    RawValue binary = rawValue( HKEY_CURRENT_USER, "HS:0" );
    ASSERT_TRUE( binary.found );
    EXPECT_EQ( binary.type, static_cast<DWORD>( REG_BINARY ) );
    EXPECT_EQ( binary.bytes, std::vector<unsigned char>( score, score + 44 ) );
    EXPECT_FALSE( rawValue( HKEY_LOCAL_MACHINE, "resourceFile" ).found );

    // Value names are the system's: letter case does not matter.
    char back[ 256 ];
    ASSERT_TRUE( m_registry.readString( "RESOURCEFILE", back, sizeof( back ) ) );
    EXPECT_STREQ( back, "glimmerdrop.vxz" );
    unsigned char bytes[ 64 ];
    uint32_t count = 0;
    ASSERT_TRUE( m_registry.readBinary( "hs:0", bytes, sizeof( bytes ), &count ) );
    EXPECT_EQ( count, 44u );
    EXPECT_EQ( std::memcmp( bytes, score, 44 ), 0 );
}

TEST_F( HWin32RegistryTest, WrongTypesMissingValuesAndSmallBuffersCountAsMissing )
{
    ASSERT_TRUE( m_registry.writeBinary( "bin", "abc", 3 ) );
    ASSERT_TRUE( m_registry.writeString( "str", "hello" ) );
    const DWORD number = 7;
    ASSERT_TRUE( setRawValue( HKEY_CURRENT_USER, "dword", REG_DWORD, &number, sizeof( number ) ) );

    char text[ 16 ] = "junk";
    EXPECT_FALSE( m_registry.readString( "bin", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "" );
    std::strcpy( text, "junk" );
    EXPECT_FALSE( m_registry.readString( "dword", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "" );
    uint32_t count = 99;
    EXPECT_FALSE( m_registry.readBinary( "str", text, sizeof( text ), &count ) );
    EXPECT_FALSE( m_registry.readBinary( "dword", text, sizeof( text ), &count ) );
    EXPECT_EQ( count, 99u );

    // "hello" needs six bytes with its terminator.
    char small[ 5 ] = "xxxx";
    EXPECT_FALSE( m_registry.readString( "str", small, sizeof( small ) ) );
    EXPECT_STREQ( small, "" );
    char exact[ 6 ];
    EXPECT_TRUE( m_registry.readString( "str", exact, sizeof( exact ) ) );
    EXPECT_STREQ( exact, "hello" );
    EXPECT_FALSE( m_registry.readBinary( "bin", text, 2, &count ) );
    EXPECT_EQ( count, 99u );

    std::strcpy( text, "junk" );
    EXPECT_FALSE( m_registry.readString( "absent", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "" );
    EXPECT_FALSE( m_registry.readString( nullptr, text, sizeof( text ) ) );
    EXPECT_FALSE( m_registry.writeString( "x", nullptr ) );
    EXPECT_FALSE( m_registry.writeBinary( "x", nullptr, 4 ) );
}

TEST_F( HWin32RegistryTest, TextStoredWithoutATerminatorComesBackTerminated )
{
    ASSERT_TRUE( setRawValue( HKEY_CURRENT_USER, "name", REG_SZ, "ABCD", 4 ) );
    char exact[ 4 ] = { 'z', 'z', 'z', 'z' };
    EXPECT_FALSE( m_registry.readString( "name", exact, sizeof( exact ) ) );
    EXPECT_EQ( exact[ 0 ], '\0' );
    char room[ 5 ] = { 'z', 'z', 'z', 'z', 'z' };
    ASSERT_TRUE( m_registry.readString( "name", room, sizeof( room ) ) );
    EXPECT_STREQ( room, "ABCD" );

    ASSERT_TRUE( setRawValue( HKEY_CURRENT_USER, "empty", REG_SZ, "", 0 ) );
    char empty[ 4 ] = "zzz";
    ASSERT_TRUE( m_registry.readString( "empty", empty, sizeof( empty ) ) );
    EXPECT_STREQ( empty, "" );
}

TEST_F( HWin32RegistryTest, NamesAndTextsAreCutTo255Characters )
{
    std::string longText( 300, 't' );
    std::string longName( 300, 'n' );
    ASSERT_TRUE( m_registry.writeString( longName.c_str(), longText.c_str() ) );
    RawValue stored = rawValue( HKEY_CURRENT_USER, std::string( 255, 'n' ).c_str() );
    ASSERT_TRUE( stored.found );
    EXPECT_EQ( stored.bytes.size(), 256u );
    char text[ 512 ];
    ASSERT_TRUE( m_registry.readString( longName.c_str(), text, sizeof( text ) ) );
    EXPECT_EQ( std::string( text ), std::string( 255, 't' ) );
}

TEST_F( HWin32RegistryTest, MachineKeyOnlyWhenHklmIsExactlyOne )
{
    RecordingProcessServices services;
    HCvarManager cvars;
    ASSERT_TRUE( cvars.init() );
    m_registry.open( &cvars, kMaker, "Glimmerdrop" );
    ASSERT_TRUE( m_registry.writeString( "undeclared", "user" ) );
    cvars.declareVariable( "c_hklm", "0", 0 );
    ASSERT_TRUE( m_registry.writeString( "zero", "user" ) );
    cvars.setVariableString( "c_hklm", "2" );
    ASSERT_TRUE( m_registry.writeString( "two", "user" ) );
    cvars.setVariableString( "c_hklm", "1" );
    ASSERT_TRUE( m_registry.writeString( "one", "machine" ) );

    for( const char* kpName : { "undeclared", "zero", "two" } )
    {
        EXPECT_TRUE( rawValue( HKEY_CURRENT_USER, kpName ).found ) << kpName;
        EXPECT_FALSE( rawValue( HKEY_LOCAL_MACHINE, kpName ).found ) << kpName;
    }
    EXPECT_TRUE( rawValue( HKEY_LOCAL_MACHINE, "one" ).found );
    EXPECT_FALSE( rawValue( HKEY_CURRENT_USER, "one" ).found );

    // Reads follow the same root: the user's values are out of sight while the machine's key is used.
    char text[ 16 ];
    ASSERT_TRUE( m_registry.readString( "one", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "machine" );
    EXPECT_FALSE( m_registry.readString( "zero", text, sizeof( text ) ) );
    cvars.shutdown();
}

TEST_F( HWin32RegistryTest, MachineKeyThatCannotBeMadeFallsBackToTheUsersForThatOperation )
{
    // A volatile parent refuses lasting children: the product's key cannot be made below it.
    std::string maker = std::string( "SOFTWARE\\" ) + kMaker;
    HKEY parent = nullptr;
    ASSERT_EQ( ::RegCreateKeyExA( HKEY_LOCAL_MACHINE, maker.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &parent, nullptr ),
               ERROR_SUCCESS );
    ::RegCloseKey( parent );

    RecordingProcessServices services;
    HCvarManager cvars;
    ASSERT_TRUE( cvars.init() );
    cvars.declareVariable( "c_hklm", "1", 0 );
    m_registry.open( &cvars, kMaker, "Glimmerdrop" );
    ASSERT_TRUE( m_registry.writeString( "where", "user after all" ) );
    EXPECT_TRUE( rawValue( HKEY_CURRENT_USER, "where" ).found );
    char text[ 32 ];
    ASSERT_TRUE( m_registry.readString( "where", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "user after all" );
    cvars.shutdown();
}

TEST_F( HWin32RegistryTest, TheProcessRegistryIsTheSystemOne )
{
    ASSERT_TRUE( setRawValue( HKEY_CURRENT_USER, "partnerURL", REG_SZ, "about:candy", 12 ) );
    HRegistry& registry = HRegistry::get();
    ASSERT_TRUE( registry.open( nullptr, kMaker, "Glimmerdrop" ) );
    char text[ 32 ];
    ASSERT_TRUE( registry.readString( "partnerURL", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "about:candy" );
    registry.close();
}
