// The real program, on SDL's dummy drivers, playing back games recorded through its screens: the
// game-over notice, the name entry and the high-score table, once by mouse and keys and once by
// keyboard alone. The recordings are kept as journals/screens.journal.gz and
// journals/keyboard.journal.gz, which the Windows program plays under Wine too, and the rows they
// store as golden/screens-hs0.txt and golden/keyboard-hs0.txt (the value's bytes in hexadecimal).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/Game/support/ScreenHarness.h"
#include "tests/support/TempDir.h"

namespace
{
const std::string kProgram = std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop";
const std::string kIntegration = std::string( GLIMMERDROP_SOURCE_DIR ) + "/tests/integration/";
const char kRefresh[] = "after a deliberate change in the game, run the test with GLIMMERDROP_UPDATE_GOLDEN=1 and "
                        "commit the journal and the row it writes";

bool refreshing()
{
    const char* kpUpdate = std::getenv( "GLIMMERDROP_UPDATE_GOLDEN" );
    return kpUpdate != nullptr && std::string( kpUpdate ) == "1";
}

std::string readText( const std::string& path )
{
    std::ifstream in( path, std::ios::binary );
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The whole of a gzip file, or "" when it is missing or broken.
std::string readGzip( const std::string& path )
{
    gzFile in = gzopen( path.c_str(), "rb" );
    if( in == nullptr )
        return "";
    std::string bytes;
    char buffer[ 65536 ];
    int got;
    while( ( got = gzread( in, buffer, sizeof( buffer ) ) ) > 0 )
        bytes.append( buffer, static_cast<size_t>( got ) );
    bool whole = got == 0;
    gzclose( in );
    return whole ? bytes : "";
}

bool writeGzip( const std::string& path, const std::string& bytes )
{
    gzFile out = gzopen( path.c_str(), "wb9" );
    if( out == nullptr )
        return false;
    bool written = gzwrite( out, bytes.data(), static_cast<unsigned>( bytes.size() ) ) == static_cast<int>( bytes.size() );
    return gzclose( out ) == Z_OK && written;
}

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

// The bytes of a binary value ("hex:01,02,...") as one run of lower-case digits, as the golden
// file and the Windows registry tool show them; "" for any other value.
std::string binaryDigits( const std::string& value )
{
    size_t at = value.find( "=hex:" );
    if( at == std::string::npos )
        return "";
    std::string digits;
    for( char c : value.substr( at + 5 ) )
    {
        if( c != ',' )
            digits += static_cast<char>( std::tolower( static_cast<unsigned char>( c ) ) );
    }
    return digits;
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

struct ProgramRun
{
    int status = -1;
    std::string output;
    std::string registry;
    std::string trace;
};

// The program plays the journal back in a folder of its own, with only the settings the
// recording started from in its registry.
ProgramRun playBack( const std::string& journal, const std::string& demo )
{
    TempDir dir;
    dir.write( "journal.bin", journal );
    dir.write( "registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                               "\"Did Tutorial\"=hex:01,00,00,00\n" );
    std::string command = "cd '" + dir.path() + "' && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy" +
                          " GLIMMERDROP_REGISTRY='" + dir.file( "registry.reg" ) + "' HOME='" + dir.path() +
                          "' XDG_CONFIG_HOME='" + dir.path() + "' '" + kProgram + "' -demo " + demo + " -trace" +
                          " > output.txt 2>&1";
    ProgramRun run;
    int status = std::system( command.c_str() );
    run.status = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    run.output = dir.read( "output.txt" );
    run.registry = dir.read( "registry.reg" );
    run.trace = dir.exists( "trace.txt" ) ? dir.read( "trace.txt" ) : "";
    return run;
}

// One kept recording: how it is made today, and the screens its player saw.
struct KeptGame
{
    const char* kpName;
    RecordedGame ( *record )( const std::string& name );
    const char* kpPlayer;
    std::vector<std::string> screens;
};

const KeptGame kaKeptGames[] = {
    { "screens", recordGameToHighScores, "Integration", { "gameover.jpg", "entername.jpg", "highscores.jpg", "" } },
    { "keyboard",
      recordKeyboardGame,
      "Keys",
      { "", "(paused)", "", "(paused)", "", "(paused)", "", "options_dialog.jpg", "", "highscores.jpg", "",
        "restart_areyousure.jpg", "", "gameover.jpg", "entername.jpg", "highscores.jpg row 0", "" } },
};

class ScreensProgramTest : public ::testing::TestWithParam<int>
{
protected:
    // Each recorded once in this process on the real game, with the screens a player sees.
    static void SetUpTestSuite()
    {
        for( const KeptGame& kept : kaKeptGames )
            s_recorded.push_back( kept.record( kept.kpPlayer ) );
    }
    static void TearDownTestSuite() { s_recorded.clear(); }

    const KeptGame& kept() const { return kaKeptGames[ GetParam() ]; }
    const RecordedGame& recorded() const { return s_recorded[ static_cast<size_t>( GetParam() ) ]; }
    std::string journalPath() const { return kIntegration + "journals/" + kept().kpName + ".journal.gz"; }
    std::string goldenRowPath() const { return kIntegration + "golden/" + kept().kpName + "-hs0.txt"; }

    static std::vector<RecordedGame> s_recorded;
};

std::vector<RecordedGame> ScreensProgramTest::s_recorded;
} // namespace

TEST_P( ScreensProgramTest, TheGameRecordedTodayIsTheKeptJournalAndStoresTheKeptRow )
{
    const RecordedGame& game = recorded();
    ASSERT_GT( game.score, 0 );
    ASSERT_EQ( game.screens, kept().screens );
    std::string row = registryValue( game.registry, "HS:0" );
    ASSERT_EQ( row, expectedRow( kept().kpPlayer, game.score ) );
    ASSERT_EQ( binaryDigits( row ).size(), 88u );
    if( refreshing() )
    {
        ASSERT_TRUE( writeGzip( journalPath(), game.journal ) );
        std::ofstream( goldenRowPath(), std::ios::binary ) << binaryDigits( row ) << "\n";
        std::printf( "%s and %s written\n", journalPath().c_str(), goldenRowPath().c_str() );
        return;
    }
    // A journal that no longer matches the game would replay into a different game, here and
    // on Windows alike.
    EXPECT_TRUE( readGzip( journalPath() ) == game.journal ) << journalPath() << " is not what the game records: "
                                                              << kRefresh;
    EXPECT_EQ( binaryDigits( row ) + "\n", readText( goldenRowPath() ) ) << kRefresh;
}

TEST_P( ScreensProgramTest, TheProgramPlayingTheJournalBackStoresTheSameRow )
{
    std::string journal = readGzip( journalPath() );
    ASSERT_FALSE( journal.empty() ) << journalPath();
    ProgramRun run = playBack( journal, kept().kpName );
    EXPECT_EQ( run.status, 0 ) << run.output;
    EXPECT_EQ( binaryDigits( registryValue( run.registry, "HS:0" ) ) + "\n", readText( goldenRowPath() ) )
        << run.registry;
    // The old leader moved down a row rather than being overwritten.
    EXPECT_EQ( registryValue( run.registry, "HS:1" ), registryValue( recorded().registry, "HS:1" ) );
    EXPECT_NE( registryValue( run.registry, "HS:1" ), "" );
    // The player's own close at the end of the recording ended the program, not the journal's end.
    EXPECT_EQ( run.trace.find( "...end of journal playback" ), std::string::npos ) << run.trace;
    EXPECT_NE( run.trace.find( "...quit at " ), std::string::npos ) << run.trace;
}

INSTANTIATE_TEST_SUITE_P( KeptGames, ScreensProgramTest, ::testing::Values( 0, 1 ),
                          []( const ::testing::TestParamInfo<int>& info ) { return std::string( kaKeptGames[ info.param ].kpName ); } );
