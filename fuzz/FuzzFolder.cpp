#include "fuzz/FuzzFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "Framework/FileSystem/src/HStandardFileSystem.h"

namespace
{
void removeFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all( FuzzFolder::path(), ignored );
}
} // namespace

const std::string& FuzzFolder::path()
{
    // Never destroyed: the folder is removed at exit, after static objects are gone.
    static const std::string* s_pPath = []()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/glimmerdrop-fuzz-XXXXXX";
        if( ::mkdtemp( &pattern[ 0 ] ) == nullptr )
            return new std::string( "." );
        std::string* pPath = new std::string( pattern );
        std::atexit( removeFolder );
        return pPath;
    }();
    return *s_pPath;
}

bool FuzzFolder::write( const char* kpName, const uint8_t* kpData, size_t size )
{
    std::FILE* pFile = std::fopen( ( path() + "/" + kpName ).c_str(), "wb" );
    if( pFile == nullptr )
        return false;
    bool ok = size == 0 || std::fwrite( kpData, 1, size, pFile ) == size;
    return std::fclose( pFile ) == 0 && ok;
}

HFileSystem* FuzzFolder::fileSystem()
{
    static HStandardFileSystem* s_pFileSystem = []()
    {
        HStandardFileSystem* pFileSystem = new HStandardFileSystem();
        pFileSystem->init( path().c_str() );
        return pFileSystem;
    }();
    return s_pFileSystem;
}
