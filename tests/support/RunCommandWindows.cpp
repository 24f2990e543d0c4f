#include "tests/support/TempDir.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <process.h>
#include <string>
#include <thread>

// The tests make their fixtures with the build machine's tools (zip, ImageMagick, netpbm, the
// JPEG library's own programs) through a POSIX shell. Under Wine those tools are still at hand:
// Wine starts a Linux program when asked to, though it neither waits for it nor learns its exit
// status. So the command goes to /bin/sh in a script that leaves its status in a file, and the
// Windows paths in it become the Linux paths Wine keeps them at.
namespace
{
const char* const kShell = "Z:\\bin\\sh";

bool endsPathToken( char c )
{
    return std::isspace( static_cast<unsigned char>( c ) ) || c == '\'' || c == '"' || c == '>' || c == '<' ||
           c == '|' || c == ';' || c == '&' || c == ')';
}

// "Z:\a\b" is "/a/b"; any other drive goes through the prefix's own links ("dosdevices/c:").
std::string linuxPaths( const std::string& command, const std::string& prefix )
{
    std::string out;
    size_t i = 0;
    while( i < command.size() )
    {
        bool drive = i + 2 < command.size() && std::isalpha( static_cast<unsigned char>( command[ i ] ) ) &&
                     command[ i + 1 ] == ':' && ( command[ i + 2 ] == '\\' || command[ i + 2 ] == '/' ) &&
                     ( i == 0 || !std::isalnum( static_cast<unsigned char>( command[ i - 1 ] ) ) );
        if( !drive )
        {
            out += command[ i++ ];
            continue;
        }
        char letter = static_cast<char>( std::tolower( static_cast<unsigned char>( command[ i ] ) ) );
        if( letter != 'z' )
            out += prefix + "/dosdevices/" + letter + ":";
        i += 2;
        while( i < command.size() && !endsPathToken( command[ i ] ) )
        {
            out += command[ i ] == '\\' ? '/' : command[ i ];
            ++i;
        }
    }
    return out;
}
}

int runCommand( const std::string& command )
{
    const char* kpPrefix = std::getenv( "WINEPREFIX" );
    std::error_code error;
    if( kpPrefix == nullptr || !std::filesystem::exists( kShell, error ) )
        return std::system( command.c_str() );

    TempDir dir;
    std::string prefix = kpPrefix;
    std::string status = linuxPaths( dir.file( "status" ), prefix );
    {
        std::ofstream script( dir.file( "command.sh" ), std::ios::binary );
        script << "PATH=/usr/local/bin:/usr/bin:/bin; export PATH\n"
               << "( " << linuxPaths( command, prefix ) << "\n)\n"
               << "echo $? >'" << status << ".part' && mv '" << status << ".part' '" << status << "'\n";
    }
    std::string script = "\"" + linuxPaths( dir.file( "command.sh" ), prefix ) + "\"";
    if( _spawnl( _P_NOWAIT, kShell, "sh", script.c_str(), static_cast<char*>( nullptr ) ) == -1 )
        return -1;

    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes( 5 );
    while( !dir.exists( "status" ) )
    {
        if( std::chrono::steady_clock::now() > deadline )
            return -1;
        std::this_thread::sleep_for( std::chrono::milliseconds( 5 ) );
    }
    std::string text = dir.read( "status" );
    return text.empty() ? -1 : std::atoi( text.c_str() );
}
