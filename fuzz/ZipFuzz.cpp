// Arbitrary bytes as the resource archive: opened by the zip file system, and every entry the
// game asks for looked up and read whole, as loading the game does.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "fuzz/FuzzFolder.h"

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size > ( 1u << 22 ) || !FuzzFolder::write( "archive.vxz", kpData, size ) )
        return 0;
    HZIPFileSystem archive;
    if( !archive.init( ( FuzzFolder::path() + "/archive.vxz" ).c_str() ) )
        return 0;
    const char* const kapNames[] = { "a.txt", "B.TXT", "empty", "font.tga", "splash.ogg", "dir/c.bin", "missing" };
    std::vector<uint8_t> buffer;
    for( const char* kpName : kapNames )
    {
        archive.fileExists( kpName );
        archive.fileTime( kpName );
        HFile* pFile = archive.openFileForRead( kpName );
        if( pFile == nullptr )
            continue;
        uint32_t length = pFile->getSize();
        if( length <= ( 1u << 24 ) )
        {
            buffer.resize( length + 1 );
            pFile->read( buffer.data(), length + 1 );
            pFile->rewind();
            pFile->read( buffer.data(), 1 );
        }
        archive.closeFile( pFile );
    }
    archive.shutdown();
    return 0;
}
