#include "Framework/platform/web/HWebRegistry.h"

#include <emscripten.h>

#include "Framework/util/src/HLog.h"

namespace
{
// Waits for the database, so the caller's save is kept before the game goes on.
EM_ASYNC_JS( int, syncStorage, ( int load ), {
    return await new Promise( ( resolve ) => {
        FS.syncfs( load !== 0, ( error ) => resolve( error ? 0 : 1 ) );
    } );
} );
} // namespace

const char* HWebRegistry::storageFolder()
{
    return "/persist";
}

const char* HWebRegistry::settingsPath()
{
    return "/persist/registry.reg";
}

bool HWebRegistry::mountStorage()
{
    int mounted = EM_ASM_INT( {
        try
        {
            FS.mkdir( UTF8ToString( $0 ) );
            FS.mount( IDBFS, {}, UTF8ToString( $0 ) );
            return 1;
        }
        catch( error )
        {
            return 0;
        }
    }, storageFolder() );
    if( mounted == 0 || syncStorage( 1 ) == 0 )
    {
        logMessage( "...the browser keeps no storage for this page; settings last for this visit\n" );
        return false;
    }
    return true;
}

bool HWebRegistry::writeString( const char* kpName, const char* kpText )
{
    bool written = HFileRegistry::writeString( kpName, kpText );
    if( written )
        m_persist();
    return written;
}

bool HWebRegistry::writeBinary( const char* kpName, const void* kpData, uint32_t count )
{
    bool written = HFileRegistry::writeBinary( kpName, kpData, count );
    if( written )
        m_persist();
    return written;
}

void HWebRegistry::m_persist()
{
    if( syncStorage( 0 ) == 0 )
        logMessage( "...could not keep the settings in the browser's storage\n" );
}
