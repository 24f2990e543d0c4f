#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace
{
struct ProbeRun
{
    std::string output;
    int exitCode = -1;
};

ProbeRun runProbe( const std::string& arguments )
{
    ProbeRun run;
    std::string command = std::string( GLIMMERDROP_ENTRY_PROBE ) + " " + arguments + " 2>/dev/null";
    FILE* pPipe = popen( command.c_str(), "r" );
    if( pPipe == nullptr )
        return run;
    char buffer[ 512 ];
    size_t got;
    while( ( got = std::fread( buffer, 1, sizeof( buffer ), pPipe ) ) > 0 )
        run.output.append( buffer, got );
    int status = pclose( pPipe );
    run.exitCode = WIFEXITED( status ) ? WEXITSTATUS( status ) : -1;
    return run;
}

std::string probeDir()
{
    std::string path = GLIMMERDROP_ENTRY_PROBE;
    return path.substr( 0, path.rfind( '/' ) + 1 );
}
}

TEST( HSDLMainTest, TheArgumentsBecomeOneCommandLineAndTheFolderKeepsItsSlash )
{
    ProbeRun run = runProbe( "-trace -journal" );
    // The probe's init fails without "-run": a start that failed is the process's failure.
    EXPECT_EQ( run.exitCode, 1 );
    const std::string kExpected = "init trace=1 journal=1 cursor=1 sound=1\n"
                                  "exeDir=[" +
                                  probeDir() +
                                  "]\n"
                                  "demo=[]\n"
                                  "cmdLine=[-trace -journal]\n"
                                  "unloadGraphics\n"
                                  "shutdown\n";
    EXPECT_EQ( run.output, kExpected );
}

TEST( HSDLMainTest, TheDemoNameRunsToTheEndOfTheLineAndIsEmptyAtItsVeryEnd )
{
    ProbeRun named = runProbe( "-demo 'my game' -dsound" );
    EXPECT_NE( named.output.find( "demo=[my game -dsound]\n" ), std::string::npos ) << named.output;
    ProbeRun last = runProbe( "-trace -demo" );
    EXPECT_NE( last.output.find( "demo=[]\n" ), std::string::npos ) << last.output;
    EXPECT_EQ( last.exitCode, 1 );
}

TEST( HSDLMainTest, ASuccessfulInitRunsTheLoopBeforeEverythingIsTakenDown )
{
    ProbeRun run = runProbe( "-run" );
    EXPECT_EQ( run.exitCode, 0 );
    size_t init = run.output.find( "init " );
    size_t event = run.output.find( "event ET_TIMESTAMP\n" );
    size_t unload = run.output.find( "unloadGraphics\n" );
    size_t shutdown = run.output.find( "shutdown\n" );
    ASSERT_NE( event, std::string::npos ) << run.output;
    EXPECT_LT( init, event );
    EXPECT_LT( event, unload );
    EXPECT_LT( unload, shutdown );
}
