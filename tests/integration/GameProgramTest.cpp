// The real program, run on SDL's dummy drivers: recorded journals played back to a known end,
// a frame saved during playback, and start-up with a broken or missing archive.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HPNGLoader.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace
{
const std::string kProgram = std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop";
const std::string kArchive = std::string( GLIMMERDROP_BINARY_DIR ) + "/glimmerdrop.vxz";
const std::string kJournals = std::string( GLIMMERDROP_SOURCE_DIR ) + "/tests/integration/journals/";
const std::string kGolden = std::string( GLIMMERDROP_SOURCE_DIR ) + "/tests/integration/golden/";

std::string readText( const std::string& path )
{
    std::ifstream in( path, std::ios::binary );
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText( const std::string& path, const std::string& text )
{
    std::ofstream( path, std::ios::binary ) << text;
}

// The recorded settings: every default, with the tutorial already played.
void writeRegistry( const TempDir& dir )
{
    dir.write( "registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                               "\"Did Tutorial\"=hex:01,00,00,00\n" );
}

bool unpackJournal( const std::string& name, const std::string& to )
{
    gzFile in = gzopen( ( kJournals + name + ".journal.gz" ).c_str(), "rb" );
    if( in == nullptr )
        return false;
    std::ofstream out( to, std::ios::binary );
    char buffer[ 65536 ];
    int got;
    while( ( got = gzread( in, buffer, sizeof( buffer ) ) ) > 0 )
        out.write( buffer, got );
    bool whole = got == 0;
    gzclose( in );
    return whole && out.good();
}

struct ProgramRun
{
    int exitCode = -1;
    std::string output;
    std::string trace;
};

// Runs a program in the folder with the dummy drivers, its own registry and no pictures folder.
ProgramRun runProgram( const std::string& program, const TempDir& dir, const std::string& arguments )
{
    std::string command = "cd '" + dir.path() + "' && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy" +
                          " GLIMMERDROP_REGISTRY='" + dir.file( "registry.reg" ) + "' HOME='" + dir.path() +
                          "' XDG_CONFIG_HOME='" + dir.path() + "' '" + program + "' " + arguments +
                          " > output.txt 2>&1";
    ProgramRun run;
    int status = std::system( command.c_str() );
    run.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    run.output = readText( dir.file( "output.txt" ) );
    run.trace = readText( dir.file( "trace.txt" ) );
    return run;
}

// The last line of the trace that starts with the text.
std::string lastLine( const std::string& text, const std::string& start )
{
    std::string found;
    std::istringstream lines( text );
    std::string line;
    while( std::getline( lines, line ) )
    {
        if( line.rfind( start, 0 ) == 0 )
            found = line;
    }
    return found;
}

// Compares with the golden file, or writes it when asked to refresh the golden files.
void expectGolden( const std::string& name, const std::string& actual )
{
    std::string path = kGolden + name;
    const char* kpUpdate = std::getenv( "GLIMMERDROP_UPDATE_GOLDEN" );
    if( kpUpdate != nullptr && std::string( kpUpdate ) == "1" )
    {
        writeText( path, actual );
        std::printf( "golden file %s written\n", path.c_str() );
        return;
    }
    EXPECT_EQ( actual, readText( path ) )
        << "golden file " << path << ": after a deliberate change in the rules or the pictures, run the test with "
        << "GLIMMERDROP_UPDATE_GOLDEN=1, look at what it wrote (and at the frame it saved) and commit it";
}

// FNV-1a over the RGBA bytes of every pixel, row by row.
uint64_t pixelChecksum( const HImage& image )
{
    uint64_t hash = 1469598103934665603ull;
    uint8_t rgba[ 4 ];
    for( int32_t y = 0; y < image.getHeight(); ++y )
    {
        for( int32_t x = 0; x < image.getWidth(); ++x )
        {
            image.getPixelRGBA( x, y, rgba );
            for( uint8_t byte : rgba )
            {
                hash ^= byte;
                hash *= 1099511628211ull;
            }
        }
    }
    return hash;
}

std::vector<std::string> picturesIn( const TempDir& dir )
{
    std::vector<std::string> pictures;
    for( const auto& entry : fs::directory_iterator( dir.path() ) )
    {
        if( entry.path().extension() == ".png" )
            pictures.push_back( entry.path().string() );
    }
    return pictures;
}

// A copy of the program in a folder of its own, with the archive given (or none) beside it.
std::string programBeside( const TempDir& dir, const std::string& archiveBytes, bool withArchive )
{
    fs::copy_file( kProgram, dir.file( "glimmerdrop" ) );
    if( withArchive )
        dir.write( "glimmerdrop.vxz", archiveBytes );
    return dir.file( "glimmerdrop" );
}
} // namespace

TEST( GameProgramTest, ARecordedGamePlaysBackToTheSameScoreLevelAndBoard )
{
    TempDir dir;
    writeRegistry( dir );
    ASSERT_TRUE( unpackJournal( "botgame", dir.file( "journal.bin" ) ) );
    ProgramRun run = runProgram( kProgram, dir, "-demo recorded -trace" );
    EXPECT_EQ( run.exitCode, 0 ) << run.output;
    std::string end = lastLine( run.trace, "...quit at " );
    ASSERT_FALSE( end.empty() ) << run.trace;
    expectGolden( "botgame.txt", end + "\n" );
    // The played journal is left as it was.
    EXPECT_TRUE( run.trace.find( "...journal played to its end" ) != std::string::npos ||
                 run.trace.find( "...quit at" ) != std::string::npos );
}

TEST( GameProgramTest, AFrameSavedDuringPlaybackMatchesItsChecksum )
{
    TempDir dir;
    writeRegistry( dir );
    ASSERT_TRUE( unpackJournal( "frame", dir.file( "journal.bin" ) ) );
    ProgramRun run = runProgram( kProgram, dir, "-demo recorded -trace" );
    EXPECT_EQ( run.exitCode, 0 ) << run.output;
    EXPECT_NE( lastLine( run.trace, "...screenshot saved to ./glimmerdrop-" ), "" ) << run.trace;
    std::vector<std::string> pictures = picturesIn( dir );
    ASSERT_EQ( pictures.size(), 1u );

    RecordingProcessServices services;
    std::string bytes = readText( pictures[ 0 ] );
    HPNGLoader loader;
    ASSERT_TRUE( loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ), static_cast<uint32_t>( bytes.size() ),
                                "frame.png" ) );
    const HImage* kpImage = loader.getImage();
    ASSERT_NE( kpImage, nullptr );
    EXPECT_EQ( kpImage->getWidth(), 640 );
    EXPECT_EQ( kpImage->getHeight(), 480 );
    char checksum[ 32 ];
    std::snprintf( checksum, sizeof( checksum ), "%016llx\n",
                   static_cast<unsigned long long>( pixelChecksum( *kpImage ) ) );
    expectGolden( "frame.txt", checksum );
    expectGolden( "frame-end.txt", lastLine( run.trace, "...quit at " ) + "\n" );
}

TEST( GameProgramTest, AnEmptyJournalEndsTheProgramAsAClosedWindowWould )
{
    TempDir dir;
    writeRegistry( dir );
    dir.write( "journal.bin", "" );
    ProgramRun run = runProgram( kProgram, dir, "-demo empty -trace" );
    EXPECT_EQ( run.exitCode, 0 ) << run.output;
    EXPECT_EQ( lastLine( run.trace, "...quit at " ), "...quit at score=0 level=1 lines=0 board=12152f8d" ) << run.trace;
}

TEST( GameProgramTest, AMissingOrBrokenArchiveIsReportedAndTheProgramEndsCleanly )
{
    {
        TempDir dir;
        writeRegistry( dir );
        ProgramRun run = runProgram( programBeside( dir, "", false ), dir, "" );
        EXPECT_EQ( run.exitCode, 1 );
        EXPECT_NE( run.output.find( "Missing Resource File" ), std::string::npos ) << run.output;
        // Beside the program, then where an installed tree keeps it.
        std::string parent = dir.path().substr( 0, dir.path().rfind( '/' ) + 1 );
        EXPECT_NE( run.output.find( "Could not load the resource file '" + dir.path() + "/glimmerdrop.vxz' or '" +
                                    parent + "share/glimmerdrop/glimmerdrop.vxz'" ),
                   std::string::npos )
            << run.output;
    }
    // An empty file and one that is no archive at all.
    for( const std::string& bytes : { std::string(), std::string( 5000, 'x' ) } )
    {
        TempDir dir;
        writeRegistry( dir );
        ProgramRun run = runProgram( programBeside( dir, bytes, true ), dir, "" );
        EXPECT_EQ( run.exitCode, 1 ) << bytes.size() << " bytes";
        EXPECT_NE( run.output.find( "Missing Resource File" ), std::string::npos ) << run.output;
    }
    {
        // A real archive cut short: it opens, but its pictures do not all come out whole.
        TempDir dir;
        writeRegistry( dir );
        std::string archive = readText( kArchive );
        ASSERT_GT( archive.size(), 100000u );
        ProgramRun run = runProgram( programBeside( dir, archive.substr( 0, archive.size() / 2 ), true ), dir, "" );
        EXPECT_EQ( run.exitCode, 1 );
        bool reported = run.output.find( "Missing Resource File" ) != std::string::npos ||
                        run.output.find( "Glimmerdrop could not load its bitmaps" ) != std::string::npos;
        EXPECT_TRUE( reported ) << run.output;
    }
    {
        // A whole archive that lacks one picture.
        TempDir dir;
        writeRegistry( dir );
        std::string program = programBeside( dir, readText( kArchive ), true );
        ASSERT_EQ( runCommand( "cd '" + dir.path() + "' && zip -q -d glimmerdrop.vxz anim_tile_red_ex04.tga" ), 0 );
        ProgramRun run = runProgram( program, dir, "" );
        EXPECT_EQ( run.exitCode, 1 );
        EXPECT_NE( run.output.find( "[Error] Glimmerdrop could not load its bitmaps" ), std::string::npos )
            << run.output;
    }
}

TEST( GameProgramTest, AnInstalledTreeFindsItsArchiveUnderItsOwnPrefix )
{
    // The prefix holds a space; the program is reached through a link, as a menu or PATH would.
    TempDir dir;
    writeRegistry( dir );
    dir.write( "journal.bin", "" );
    fs::path prefix = fs::path( dir.path() ) / "my games";
    fs::create_directories( prefix / "games" );
    fs::create_directories( prefix / "share/glimmerdrop" );
    fs::copy_file( kProgram, prefix / "games/glimmerdrop" );
    fs::copy_file( kArchive, prefix / "share/glimmerdrop/glimmerdrop.vxz" );
    fs::create_symlink( prefix / "games/glimmerdrop", dir.file( "linked" ) );
    ProgramRun run = runProgram( dir.file( "linked" ), dir, "-demo empty -trace" );
    EXPECT_EQ( run.exitCode, 0 ) << run.output;
    EXPECT_EQ( lastLine( run.trace, "...quit at " ), "...quit at score=0 level=1 lines=0 board=12152f8d" ) << run.trace;
}

TEST( GameProgramTest, HelpVersionAndUnknownOptions )
{
    TempDir dir;
    ProgramRun version = runProgram( kProgram, dir, "--version" );
    EXPECT_EQ( version.exitCode, 0 );
    EXPECT_EQ( version.output, "Glimmerdrop 1.50.07\n" );
    ProgramRun help = runProgram( kProgram, dir, "--help" );
    EXPECT_EQ( help.exitCode, 0 );
    EXPECT_EQ( help.output.rfind( "Usage: glimmerdrop [options]", 0 ), 0u );
    ProgramRun unknown = runProgram( kProgram, dir, "-fullscreen" );
    EXPECT_EQ( unknown.exitCode, 2 );
    EXPECT_NE( unknown.output.find( "unknown option '-fullscreen'" ), std::string::npos );
    // None of them started the game.
    EXPECT_FALSE( dir.exists( "registry.reg" ) );
}
