#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "Framework/ScriptEngine/src/HCvarManager.h"
#include "Framework/util/src/HFileRegistry.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace
{
class HFileRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_userPath = m_dir.file( "user/glimmerdrop/registry.reg" );
        m_machinePath = m_dir.file( "machine/registry.reg" );
        setenv( "GLIMMERDROP_REGISTRY", m_userPath.c_str(), 1 );
        setenv( "GLIMMERDROP_REGISTRY_MACHINE", m_machinePath.c_str(), 1 );
        m_registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    }
    void TearDown() override
    {
        m_registry.close();
        unsetenv( "GLIMMERDROP_REGISTRY" );
        unsetenv( "GLIMMERDROP_REGISTRY_MACHINE" );
    }

    std::string userFile() const
    {
        std::ifstream in( m_userPath, std::ios::binary );
        return std::string( std::istreambuf_iterator<char>( in ), std::istreambuf_iterator<char>() );
    }
    void writeUserFile( const std::string& text ) const
    {
        std::filesystem::create_directories( std::filesystem::path( m_userPath ).parent_path() );
        std::ofstream( m_userPath, std::ios::binary ) << text;
    }
    std::string regtool( const std::string& arguments ) const
    {
        std::string command = std::string( GLIMMERDROP_REGTOOL ) + " " + arguments;
        FILE* pipe = ::popen( command.c_str(), "r" );
        std::string out;
        char buffer[ 256 ];
        while( std::fgets( buffer, sizeof( buffer ), pipe ) != nullptr )
            out += buffer;
        m_lastStatus = ::pclose( pipe );
        return out;
    }
    std::vector<std::string> corruptCopies() const
    {
        std::vector<std::string> names;
        for( const auto& entry : std::filesystem::directory_iterator( std::filesystem::path( m_userPath ).parent_path() ) )
        {
            std::string name = entry.path().filename().string();
            if( name.rfind( "registry.reg.corrupt-", 0 ) == 0 )
                names.push_back( entry.path().string() );
        }
        return names;
    }

    TempDir m_dir;
    std::string m_userPath;
    std::string m_machinePath;
    HFileRegistry m_registry;
    mutable int m_lastStatus = 0;
};
}

TEST_F( HFileRegistryTest, KeyPathAndStorePathsFollowTheEnvironment )
{
    EXPECT_STREQ( m_registry.getKeyPath(), "SOFTWARE\\Vantorix\\Glimmerdrop" );
    EXPECT_EQ( HFileRegistry::storePath( RR_CURRENT_USER ), m_userPath );
    EXPECT_EQ( HFileRegistry::storePath( RR_LOCAL_MACHINE ), m_machinePath );
    unsetenv( "GLIMMERDROP_REGISTRY" );
    setenv( "XDG_CONFIG_HOME", "/cfg", 1 );
    EXPECT_EQ( HFileRegistry::storePath( RR_CURRENT_USER ), "/cfg/glimmerdrop/registry.reg" );
    unsetenv( "XDG_CONFIG_HOME" );
    std::string home = std::getenv( "HOME" ) != nullptr ? std::getenv( "HOME" ) : "";
    setenv( "HOME", "/home/player", 1 );
    EXPECT_EQ( HFileRegistry::storePath( RR_CURRENT_USER ), "/home/player/.config/glimmerdrop/registry.reg" );
    setenv( "HOME", home.c_str(), 1 );
    unsetenv( "GLIMMERDROP_REGISTRY_MACHINE" );
    EXPECT_EQ( HFileRegistry::storePath( RR_LOCAL_MACHINE ), "/etc/glimmerdrop/registry.reg" );
}

TEST_F( HFileRegistryTest, StringsAndBinariesRoundTripAsRegeditText )
{
    unsigned char score[ 44 ];
    for( int i = 0; i < 44; ++i )
        score[ i ] = static_cast<unsigned char>( 200 + i );
    ASSERT_TRUE( m_registry.writeString( "resourceFile", "glimmerdrop.vxz" ) );
    ASSERT_TRUE( m_registry.writeBinary( "HS:0", score, sizeof( score ) ) );
    ASSERT_TRUE( m_registry.writeBinary( "Start Level", "\x01\x00\x00\x00", 4 ) );

    char text[ 256 ];
    ASSERT_TRUE( m_registry.readString( "RESOURCEFILE", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "glimmerdrop.vxz" );
    unsigned char back[ 64 ];
    uint32_t count = 0;
    ASSERT_TRUE( m_registry.readBinary( "HS:0", back, sizeof( back ), &count ) );
    EXPECT_EQ( count, 44u );
    EXPECT_EQ( std::memcmp( back, score, 44 ), 0 );

    std::string file = userFile();
    EXPECT_EQ( file.rfind( "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                           "\"resourceFile\"=\"glimmerdrop.vxz\"\n\"HS:0\"=hex:c8,c9,",
                           0 ),
               0u )
        << file;
    EXPECT_NE( file.find( "\"Start Level\"=hex:01,00,00,00\n" ), std::string::npos );
}

TEST_F( HFileRegistryTest, WrongTypeAndTooSmallBuffersCountAsMissing )
{
    ASSERT_TRUE( m_registry.writeBinary( "bin", "abc", 3 ) );
    ASSERT_TRUE( m_registry.writeString( "str", "hello" ) );
    char text[ 16 ] = "junk";
    EXPECT_FALSE( m_registry.readString( "bin", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "" );
    uint32_t count = 99;
    EXPECT_FALSE( m_registry.readBinary( "str", text, sizeof( text ), &count ) );
    EXPECT_EQ( count, 99u );
    // "hello" needs six bytes with its terminator.
    char small[ 5 ] = "xxxx";
    EXPECT_FALSE( m_registry.readString( "str", small, sizeof( small ) ) );
    EXPECT_STREQ( small, "" );
    char exact[ 6 ];
    EXPECT_TRUE( m_registry.readString( "str", exact, sizeof( exact ) ) );
    EXPECT_FALSE( m_registry.readBinary( "bin", text, 2, &count ) );
    EXPECT_FALSE( m_registry.readString( "absent", text, sizeof( text ) ) );
    EXPECT_FALSE( m_registry.readString( nullptr, text, sizeof( text ) ) );
}

TEST_F( HFileRegistryTest, StoredTextWithoutTerminatorStillComesBackTerminated )
{
    writeUserFile( "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n\"name\"=hex(1):41,42,43,44\n" );
    char exact[ 4 ] = { 'z', 'z', 'z', 'z' };
    EXPECT_FALSE( m_registry.readString( "name", exact, sizeof( exact ) ) );
    EXPECT_EQ( exact[ 0 ], '\0' );
    char room[ 5 ];
    ASSERT_TRUE( m_registry.readString( "name", room, sizeof( room ) ) );
    EXPECT_STREQ( room, "ABCD" );
}

TEST_F( HFileRegistryTest, NamesAndTextsAreCutTo255Characters )
{
    std::string longText( 300, 't' );
    std::string longName( 300, 'n' );
    ASSERT_TRUE( m_registry.writeString( longName.c_str(), longText.c_str() ) );
    char text[ 512 ];
    ASSERT_TRUE( m_registry.readString( std::string( 255, 'n' ).c_str(), text, sizeof( text ) ) );
    EXPECT_EQ( std::string( text ), std::string( 255, 't' ) );
    // The same name read back with its full length is cut the same way.
    ASSERT_TRUE( m_registry.readString( longName.c_str(), text, sizeof( text ) ) );
}

TEST_F( HFileRegistryTest, SecondProcessReadsWhatThisOneWrote )
{
    ASSERT_TRUE( m_registry.writeString( "resourceFile", "other.vxz" ) );
    ASSERT_TRUE( m_registry.writeBinary( "Sound", "\x00\x01\x00\x00", 4 ) );
    EXPECT_EQ( regtool( "get-string resourceFile" ), "other.vxz\n" );
    EXPECT_EQ( regtool( "get-binary Sound" ), "00010000\n" );
    EXPECT_EQ( regtool( "set-string partnerURL http://example.invalid/" ), "" );
    char text[ 256 ];
    ASSERT_TRUE( m_registry.readString( "partnerURL", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "http://example.invalid/" );
}

TEST_F( HFileRegistryTest, TwoWritersNeverLoseEachOthersValues )
{
    std::string tool = GLIMMERDROP_REGTOOL;
    std::string command = "( " + tool + " set-many a 40 & " + tool + " set-many b 40 & wait )";
    ASSERT_EQ( runCommand( command ), 0 );
    for( int i = 0; i < 40; ++i )
    {
        char text[ 16 ];
        ASSERT_TRUE( m_registry.readString( ( "a" + std::to_string( i ) ).c_str(), text, sizeof( text ) ) ) << i;
        ASSERT_TRUE( m_registry.readString( ( "b" + std::to_string( i ) ).c_str(), text, sizeof( text ) ) ) << i;
        EXPECT_EQ( std::string( text ), std::to_string( i ) );
    }
}

TEST_F( HFileRegistryTest, KilledWriterLeavesAReadableFile )
{
    ASSERT_TRUE( m_registry.writeString( "keep", "me" ) );
    for( int round = 0; round < 5; ++round )
    {
        std::string command = std::string( GLIMMERDROP_REGTOOL ) + " hammer HS:0";
        FILE* pipe = ::popen( ( "exec " + command ).c_str(), "r" );
        ASSERT_NE( pipe, nullptr );
        char line[ 64 ];
        // Wait for a few completed writes, then kill it in the middle of others.
        for( int i = 0; i < 3 + round * 7; ++i )
            ASSERT_NE( std::fgets( line, sizeof( line ), pipe ), nullptr );
        runCommand( "pkill -9 -f '" + command + "'" );
        ::pclose( pipe );

        HRegistryDocument doc;
        EXPECT_TRUE( doc.parse( userFile() ) ) << "round " << round;
        unsigned char data[ 44 ];
        uint32_t count = 0;
        EXPECT_TRUE( m_registry.readBinary( "HS:0", data, sizeof( data ), &count ) );
        EXPECT_EQ( count, 44u );
        char text[ 8 ];
        EXPECT_TRUE( m_registry.readString( "keep", text, sizeof( text ) ) );
    }
    EXPECT_TRUE( corruptCopies().empty() );
}

TEST_F( HFileRegistryTest, CorruptFileKeepsReadableValuesAndIsCopiedAsideBeforeWriting )
{
    const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                                "\"resourceFile\"=\"mine.vxz\"\n"
                                "\"HS:0\"=hex:01,02,0\xff\n"
                                "\"Music\"=\"unterminated\n"
                                "\x01\x02\x03 garbage\n";
    writeUserFile( damaged );
    char text[ 256 ];
    ASSERT_TRUE( m_registry.readString( "resourceFile", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "mine.vxz" );
    unsigned char data[ 44 ];
    uint32_t count = 0;
    EXPECT_FALSE( m_registry.readBinary( "HS:0", data, sizeof( data ), &count ) );
    EXPECT_TRUE( corruptCopies().empty() ) << "reading alone changes nothing";

    ASSERT_TRUE( m_registry.writeString( "partnerURL", "" ) );
    std::vector<std::string> copies = corruptCopies();
    ASSERT_EQ( copies.size(), 1u );
    std::ifstream in( copies[ 0 ], std::ios::binary );
    EXPECT_EQ( std::string( std::istreambuf_iterator<char>( in ), std::istreambuf_iterator<char>() ), damaged );

    HRegistryDocument doc;
    EXPECT_TRUE( doc.parse( userFile() ) );
    ASSERT_TRUE( m_registry.readString( "resourceFile", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "mine.vxz" );
    // Once rewritten the file is whole again: no further copies.
    ASSERT_TRUE( m_registry.writeString( "x", "y" ) );
    EXPECT_EQ( corruptCopies().size(), 1u );
}

TEST_F( HFileRegistryTest, GarbageFileGivesNothingButNeverCrashes )
{
    std::string garbage;
    for( int i = 0; i < 5000; ++i )
        garbage += static_cast<char>( ( i * 131 ) & 0xFF );
    writeUserFile( garbage );
    char text[ 64 ];
    EXPECT_FALSE( m_registry.readString( "resourceFile", text, sizeof( text ) ) );
    ASSERT_TRUE( m_registry.writeString( "resourceFile", "fresh.vxz" ) );
    ASSERT_TRUE( m_registry.readString( "resourceFile", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "fresh.vxz" );
    EXPECT_EQ( corruptCopies().size(), 1u );
}

TEST_F( HFileRegistryTest, MachineRootOnlyWhenAskedForAndWritable )
{
    RecordingProcessServices services;
    HCvarManager cvars;
    ASSERT_TRUE( cvars.init() );
    m_registry.open( &cvars, "Vantorix", "Glimmerdrop" );
    ASSERT_TRUE( m_registry.writeString( "where", "user" ) ); // c_hklm undeclared reads as 0
    cvars.declareVariable( "c_hklm", "0", 0 );
    ASSERT_TRUE( m_registry.writeString( "where2", "user" ) );
    EXPECT_FALSE( std::filesystem::exists( m_machinePath ) );

    cvars.declareVariable( "c_hklm", "1", 0 );
    ASSERT_TRUE( m_registry.writeString( "where", "machine" ) );
    std::ifstream in( m_machinePath );
    std::string machine( ( std::istreambuf_iterator<char>( in ) ), std::istreambuf_iterator<char>() );
    EXPECT_NE( machine.find( "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantorix\\Glimmerdrop]\n\"where\"=\"machine\"" ),
               std::string::npos );
    char text[ 16 ];
    ASSERT_TRUE( m_registry.readString( "where", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "machine" );

    // A machine store that cannot be created falls back to the user's for that operation.
    setenv( "GLIMMERDROP_REGISTRY_MACHINE", "/proc/glimmerdrop-none/registry.reg", 1 );
    ASSERT_TRUE( m_registry.readString( "where", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "user" );
}

TEST_F( HFileRegistryTest, HandAddedValuesSurviveTheGamesRewritesAndControlCharactersAreRefused )
{
    std::string note = "\"note=mine\"=hex:00";
    for( int i = 1; i < 30; ++i )
        note += "," + std::string( 1, "0123456789abcdef"[ i / 16 ] ) + "0123456789abcdef"[ i % 16 ];
    writeUserFile( "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n" + note + "\n" );
    for( int run = 0; run < 3; ++run )
        ASSERT_TRUE( m_registry.writeBinary( "Start Level", "\x01\x00\x00\x00", 4 ) );
    unsigned char data[ 64 ];
    uint32_t count = 0;
    ASSERT_TRUE( m_registry.readBinary( "note=mine", data, sizeof( data ), &count ) );
    EXPECT_EQ( count, 30u );
    EXPECT_EQ( data[ 29 ], 29 );
    EXPECT_TRUE( corruptCopies().empty() );

    for( const char* kpName : { "line\nbreak", "tab\tname", "bell\x07", "del\x7f" } )
        EXPECT_FALSE( m_registry.writeString( kpName, "x" ) ) << kpName;
    EXPECT_TRUE( m_registry.writeString( "quote\" and \\ and =", "x" ) );
    char text[ 8 ];
    EXPECT_TRUE( m_registry.readString( "quote\" and \\ and =", text, sizeof( text ) ) );
    HRegistryDocument doc;
    EXPECT_TRUE( doc.parse( userFile() ) );
}

TEST_F( HFileRegistryTest, AnUpdateHoldsOtherProcessesWritesUntilItEnds )
{
    ASSERT_TRUE( m_registry.beginUpdate() );
    ASSERT_TRUE( m_registry.beginUpdate() ); // nested
    ASSERT_TRUE( m_registry.writeString( "mine", "first" ) );
    std::string command = std::string( GLIMMERDROP_REGTOOL ) + " set-string theirs waited";
    FILE* pipe = ::popen( command.c_str(), "r" );
    ASSERT_NE( pipe, nullptr );
    ::usleep( 300 * 1000 );
    char text[ 16 ];
    EXPECT_FALSE( m_registry.readString( "theirs", text, sizeof( text ) ) );
    m_registry.endUpdate();
    ::usleep( 100 * 1000 );
    EXPECT_FALSE( m_registry.readString( "theirs", text, sizeof( text ) ) ) << "still inside the outer update";
    m_registry.endUpdate();
    m_registry.endUpdate(); // one too many is harmless
    EXPECT_EQ( ::pclose( pipe ), 0 );
    ASSERT_TRUE( m_registry.readString( "theirs", text, sizeof( text ) ) );
    EXPECT_STREQ( text, "waited" );
    ASSERT_TRUE( m_registry.readString( "mine", text, sizeof( text ) ) );
}
