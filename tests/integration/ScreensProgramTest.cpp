// The real program, on SDL's dummy drivers, playing back a game recorded through its screens:
// the game-over notice, the name entry and the high-score table.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/Game/support/ScreenHarness.h"
#include "tests/support/TempDir.h"

namespace
{
const std::string kProgram = std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop";

// The registry value as the file has it, continuation lines joined.
std::string registryValue( const std::string& text, const std::string& name )
{
    size_t at = text.find( "\"" + name + "\"=" );
    if( at == std::string::npos )
        return "";
    std::string value;
    for( size_t i = at; i < text.size() && text[ i ] != '\n'; ++i )
    {
        if( text[ i ] == '\\' && i + 1 < text.size() && text[ i + 1 ] == '\n' )
        {
            for( i += 2; i < text.size() && text[ i ] == ' '; ++i )
            {
            }
            --i;
            continue;
        }
        value += text[ i ];
    }
    return value;
}

// "HS:0" for the name and score, level 1, as the table stores it.
std::string expectedRow( const std::string& name, int32_t score )
{
    std::string bytes = "01,01,00,00";
    char hex[ 8 ];
    for( size_t i = 0; i < 32; ++i )
    {
        std::snprintf( hex, sizeof( hex ), ",%02x", i < name.size() ? static_cast<unsigned char>( name[ i ] ) : 0u );
        bytes += hex;
    }
    for( int shift = 0; shift < 32; shift += 8 )
    {
        std::snprintf( hex, sizeof( hex ), ",%02x", static_cast<unsigned>( score >> shift ) & 0xFFu );
        bytes += hex;
    }
    bytes += ",01,00,00,00";
    return "\"HS:0\"=hex:" + bytes;
}
} // namespace

TEST( ScreensProgramTest, AGamePlayedBackThroughGameOverAndNameEntryStoresItsHighScore )
{
    // Recorded in this process on the real game, with the screens a player sees.
    RecordedGame recorded = recordGameToHighScores( "Integration" );
    ASSERT_GT( recorded.score, 0 );
    ASSERT_EQ( recorded.screens,
               ( std::vector<std::string>{ "gameover.jpg", "entername.jpg", "highscores.jpg", "" } ) );
    std::string expected = expectedRow( "Integration", recorded.score );
    ASSERT_EQ( registryValue( recorded.registry, "HS:0" ), expected );

    // Played back by the program itself, with only the settings in its registry.
    TempDir dir;
    dir.write( "journal.bin", recorded.journal );
    dir.write( "registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                               "\"Did Tutorial\"=hex:01,00,00,00\n" );
    std::string command = "cd '" + dir.path() + "' && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy" +
                          " GLIMMERDROP_REGISTRY='" + dir.file( "registry.reg" ) + "' HOME='" + dir.path() +
                          "' XDG_CONFIG_HOME='" + dir.path() + "' '" + kProgram + "' -demo screens -trace" +
                          " > output.txt 2>&1";
    int status = std::system( command.c_str() );
    ASSERT_TRUE( WIFEXITED( status ) );
    EXPECT_EQ( WEXITSTATUS( status ), 0 ) << dir.read( "output.txt" );
    std::string registry = dir.read( "registry.reg" );
    EXPECT_EQ( registryValue( registry, "HS:0" ), expected ) << registry;
    EXPECT_EQ( registryValue( registry, "HS:1" ), registryValue( recorded.registry, "HS:1" ) );
    // The window's close at the end of the recording ended the program, not the journal's end.
    std::string trace = dir.read( "trace.txt" );
    EXPECT_EQ( trace.find( "...end of journal playback" ), std::string::npos ) << trace;
}
