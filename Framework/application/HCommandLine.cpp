#include "Framework/application/HCommandLine.h"

#include <cstring>

namespace
{
struct Switch
{
    const char* kpName;
    const char* kpArgument;
    const char* kpHelp;
};

const Switch kSwitches[] = {
    { "-tutorial", nullptr, "play the tutorial on the first level of every game" },
    { "-journal", nullptr, "record every input to journal.bin in the current folder" },
    { "-demo", "NAME", "play back journal.bin from the current folder (any NAME)" },
    { "-trace", nullptr, "keep the log in trace.txt in the current folder" },
    { "-benchmark", nullptr, "time 100 full-screen frames at start-up" },
    { "-dsound", nullptr, "use the default sound output as it is configured" },
};

const int kExtraCapacity = 8;
Switch s_extra[ kExtraCapacity ];
int s_extraCount = 0;

// The game's switches, then the program's own.
template <typename Visit>
void forEachSwitch( Visit visit )
{
    for( const Switch& entry : kSwitches )
        visit( entry );
    for( int i = 0; i < s_extraCount; ++i )
        visit( s_extra[ i ] );
}

const char* baseName( const char* kpPath )
{
    const char* kpSlash = std::strrchr( kpPath, '/' );
    const char* kpBackslash = std::strrchr( kpPath, '\\' );
    const char* kpLast = kpSlash > kpBackslash ? kpSlash : kpBackslash;
    return kpLast != nullptr ? kpLast + 1 : kpPath;
}
} // namespace

void HCommandLine::printUsage( const char* kpProgram, FILE* pOut )
{
    std::fprintf( pOut, "Usage: %s [options]\n", kpProgram );
    std::fprintf( pOut, "Slide the candies into the gap; full rows and columns crunch before the clock runs out.\n\n" );
    forEachSwitch( [pOut]( const Switch& entry ) {
        char left[ 32 ];
        std::snprintf( left, sizeof( left ), "%s%s%s", entry.kpName, entry.kpArgument != nullptr ? " " : "",
                       entry.kpArgument != nullptr ? entry.kpArgument : "" );
        std::fprintf( pOut, "  %-14s %s\n", left, entry.kpHelp );
    } );
    std::fprintf( pOut, "  %-14s %s\n", "--help", "show this text and exit" );
    std::fprintf( pOut, "  %-14s %s\n", "--version", "show the version and exit" );
    std::fprintf( pOut, "\nIn the game: mouse or arrow keys to move, Enter to go on, P or Pause to pause and go on,\n"
                        "Esc to pause (and, on a screen, to leave it as it was), O for the options, H for the\n"
                        "high scores, R to restart, Q to quit, Tab to move between fields, Alt+Return for full\n"
                        "screen, F12 to save a screenshot. A game pad plays too: d-pad or left stick to move,\n"
                        "A for Enter, B for Esc, Start to pause.\n" );
}

int HCommandLine::check( int argc, const char* const* kapArgv, const char* kpVersion, FILE* pOut, FILE* pErr )
{
    const char* kpProgram = argc > 0 && kapArgv[ 0 ] != nullptr ? baseName( kapArgv[ 0 ] ) : "glimmerdrop";
    for( int i = 1; i < argc; ++i )
    {
        const char* kpArgument = kapArgv[ i ] != nullptr ? kapArgv[ i ] : "";
        if( std::strcmp( kpArgument, "--help" ) == 0 || std::strcmp( kpArgument, "-h" ) == 0 )
        {
            printUsage( kpProgram, pOut );
            return 0;
        }
        if( std::strcmp( kpArgument, "--version" ) == 0 )
        {
            std::fprintf( pOut, "Glimmerdrop %s\n", kpVersion );
            return 0;
        }
    }

    for( int i = 1; i < argc; ++i )
    {
        const char* kpArgument = kapArgv[ i ] != nullptr ? kapArgv[ i ] : "";
        const Switch* kpFound = nullptr;
        forEachSwitch( [kpArgument, &kpFound]( const Switch& entry ) {
            if( std::strcmp( kpArgument, entry.kpName ) == 0 )
                kpFound = &entry;
        } );
        if( kpFound == nullptr )
        {
            if( kpArgument[ 0 ] == '-' )
                std::fprintf( pErr, "%s: unknown option '%s'\n", kpProgram, kpArgument );
            else
                std::fprintf( pErr, "%s: unexpected argument '%s'\n", kpProgram, kpArgument );
            std::fprintf( pErr, "Try '%s --help' for the options.\n", kpProgram );
            return 2;
        }
        // A switch's argument is the next word unless that is a switch itself; without one the
        // switch does nothing (a demo without a name plays nothing).
        if( kpFound->kpArgument != nullptr && i + 1 < argc && kapArgv[ i + 1 ] != nullptr &&
            kapArgv[ i + 1 ][ 0 ] != '-' )
            ++i;
    }
    return kRun;
}

bool HCommandLine::addSwitch( const char* kpName, const char* kpArgument, const char* kpHelp )
{
    if( kpName == nullptr || kpHelp == nullptr || s_extraCount >= kExtraCapacity )
        return false;
    s_extra[ s_extraCount++ ] = { kpName, kpArgument, kpHelp };
    return true;
}
