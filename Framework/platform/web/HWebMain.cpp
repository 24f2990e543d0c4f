// The process entry in the browser. The page starts it on the player's first click or key (so
// sound may play); it readies the page's storage and the files the address asks for, then runs
// the same entry as on Linux.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Framework/platform/web/HWebRegistry.h"
#include "Framework/util/src/HLog.h"

// The Linux entry, built under this name for the browser.
int glimmerdropSDLMain( int argc, char** argv );

namespace
{
// Fetches a file of the page's own site into the file system; false when it cannot be had.
EM_ASYNC_JS( int, fetchInto, ( const char* kpAddress, const char* kpPath ), {
    try
    {
        const response = await fetch( UTF8ToString( kpAddress ) );
        if( !response.ok )
            return 0;
        FS.writeFile( UTF8ToString( kpPath ), new Uint8Array( await response.arrayBuffer() ) );
        return 1;
    }
    catch( error )
    {
        return 0;
    }
} );

// The value of one parameter of the page's address, or "" when it is absent.
std::string pageParameter( const char* kpName )
{
    char* pValue = reinterpret_cast<char*>( static_cast<intptr_t>( EM_ASM_INT(
        {
            const value = new URLSearchParams( location.search ).get( UTF8ToString( $0 ) ) || "";
            return stringToNewUTF8( value );
        },
        kpName ) ) );
    std::string value = pValue != nullptr ? pValue : "";
    std::free( pValue );
    return value;
}

// A test hook names a file of the same site; anything that leaves it is refused.
bool isSameSitePath( const std::string& address )
{
    return !address.empty() && address.find( "://" ) == std::string::npos && address.rfind( "//", 0 ) != 0;
}
} // namespace

int main( int argc, char** argv )
{
    static HWebRegistry s_registry;
    HWebRegistry::mountStorage();
    setenv( "GLIMMERDROP_REGISTRY", HWebRegistry::settingsPath(), 1 );
    HRegistry::setInstance( &s_registry );

    std::vector<std::string> words( argv, argv + argc );
    std::string registry = pageParameter( "registry" );
    if( !registry.empty() )
    {
        if( !isSameSitePath( registry ) || fetchInto( registry.c_str(), HWebRegistry::settingsPath() ) == 0 )
            logMessage( "...could not fetch the settings file %s\n", registry.c_str() );
    }
    std::string demo = pageParameter( "demo" );
    if( !demo.empty() )
    {
        if( isSameSitePath( demo ) && fetchInto( demo.c_str(), "journal.bin" ) != 0 )
        {
            words.push_back( "-demo" );
            words.push_back( "page" );
        }
        else
            logMessage( "...could not fetch the journal %s\n", demo.c_str() );
    }

    std::vector<char*> arguments;
    for( std::string& word : words )
        arguments.push_back( &word[ 0 ] );
    arguments.push_back( nullptr );
    return glimmerdropSDLMain( static_cast<int>( words.size() ), arguments.data() );
}
