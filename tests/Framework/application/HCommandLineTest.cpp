#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Framework/application/HCommandLine.h"

namespace
{
// Runs the check on the arguments and keeps what it wrote to each stream.
struct Outcome
{
    int result;
    std::string out;
    std::string err;
};

std::string drain( FILE* pFile )
{
    std::string text;
    std::rewind( pFile );
    int c;
    while( ( c = std::fgetc( pFile ) ) != EOF )
        text += static_cast<char>( c );
    std::fclose( pFile );
    return text;
}

Outcome check( std::vector<const char*> arguments )
{
    arguments.insert( arguments.begin(), "/usr/games/glimmerdrop" );
    FILE* pOut = std::tmpfile();
    FILE* pErr = std::tmpfile();
    Outcome outcome;
    outcome.result = HCommandLine::check( static_cast<int>( arguments.size() ), arguments.data(), "1.50.07", pOut, pErr );
    outcome.out = drain( pOut );
    outcome.err = drain( pErr );
    return outcome;
}
} // namespace

TEST( HCommandLineTest, TheGamesSwitchesLetItRun )
{
    EXPECT_EQ( check( {} ).result, HCommandLine::kRun );
    Outcome outcome = check( { "-trace", "-journal", "-tutorial", "-benchmark", "-dsound", "-demo", "any" } );
    EXPECT_EQ( outcome.result, HCommandLine::kRun );
    EXPECT_TRUE( outcome.out.empty() );
    EXPECT_TRUE( outcome.err.empty() );
}

TEST( HCommandLineTest, HelpAndVersionAnswerAndEnd )
{
    Outcome outcome = check( { "-trace", "--help" } );
    EXPECT_EQ( outcome.result, 0 );
    EXPECT_EQ( outcome.out.rfind( "Usage: glimmerdrop [options]\n", 0 ), 0u );
    for( const char* kpSwitch : { "-tutorial", "-journal", "-demo NAME", "-trace", "-benchmark", "-dsound", "--version" } )
        EXPECT_NE( outcome.out.find( kpSwitch ), std::string::npos ) << kpSwitch;
    EXPECT_EQ( check( { "-h" } ).result, 0 );

    // Asking for help wins over a mistake elsewhere on the line.
    outcome = check( { "--bogus", "--version" } );
    EXPECT_EQ( outcome.result, 0 );
    EXPECT_EQ( outcome.out, "Glimmerdrop 1.50.07\n" );
    EXPECT_TRUE( outcome.err.empty() );
}

TEST( HCommandLineTest, UnknownArgumentsAreReportedNotIgnored )
{
    Outcome outcome = check( { "-trace", "-fullscreen" } );
    EXPECT_EQ( outcome.result, 2 );
    EXPECT_EQ( outcome.err, "glimmerdrop: unknown option '-fullscreen'\nTry 'glimmerdrop --help' for the options.\n" );

    // Switches are whole words: a prefix of one or a switch with more letters is no switch.
    EXPECT_EQ( check( { "-tut" } ).result, 2 );
    EXPECT_EQ( check( { "-tracer" } ).result, 2 );
    outcome = check( { "stray" } );
    EXPECT_EQ( outcome.result, 2 );
    EXPECT_NE( outcome.err.find( "unexpected argument 'stray'" ), std::string::npos );

    // A demo's name is the word after it; a demo without one is allowed (it plays nothing), and a
    // switch after it is a switch, not its name.
    EXPECT_EQ( check( { "-trace", "-demo" } ).result, HCommandLine::kRun );
    EXPECT_EQ( check( { "-demo", "-trace" } ).result, HCommandLine::kRun );
    EXPECT_EQ( check( { "-demo", "-trace", "name" } ).result, 2 );
}

TEST( HCommandLineTest, AProgramMayNameSwitchesOfItsOwn )
{
    EXPECT_EQ( check( { "-probe-only" } ).result, 2 );
    ASSERT_TRUE( HCommandLine::addSwitch( "-probe-only", "N", "a switch of the test's own" ) );
    EXPECT_EQ( check( { "-probe-only", "4", "-trace" } ).result, HCommandLine::kRun );
    EXPECT_NE( check( { "--help" } ).out.find( "-probe-only N" ), std::string::npos );
    EXPECT_FALSE( HCommandLine::addSwitch( nullptr, nullptr, "no name" ) );
}
