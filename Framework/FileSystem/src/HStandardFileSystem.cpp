#include "Framework/FileSystem/src/HStandardFileSystem.h"

#include <cstdio>
#include <sys/stat.h>

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
const char kpSource[] = "Framework\\FileSystem\\src\\HFileSystem";
}

HStandardFileSystem::HStandardFileSystem() = default;

HStandardFileSystem::~HStandardFileSystem()
{
    // Destruction takes the table with it; a stream left open would leak its handle.
    for( HStandardFile& file : m_files )
        file.closeStream();
}

bool HStandardFileSystem::init( const char* kpDirName )
{
    setDirName( kpDirName );
    std::printf( "dir = %s\n", m_dirName );
    for( HStandardFile& file : m_files )
    {
        file.closeStream();
        file.setName( "" );
    }
    return true;
}

void HStandardFileSystem::shutdown()
{
    for( HStandardFile& file : m_files )
    {
        if( file.isOpen() )
            debugTrace( "HStandardFileSystem::shutdown - file '%s' still open", file.getName() );
    }
}

HStandardFile* HStandardFileSystem::m_findFreeSlot()
{
    for( HStandardFile& file : m_files )
    {
        if( !file.isOpen() )
            return &file;
    }
    return nullptr;
}

bool HStandardFileSystem::m_joinPath( const char* kpFileName, char* pPath, unsigned size ) const
{
    int length = std::snprintf( pPath, size, "%s/%s", m_dirName, kpFileName );
    if( length < 0 || static_cast<unsigned>( length ) >= size )
    {
        debugTrace( "HSFS - path too long for '%s'", kpFileName );
        pPath[ 0 ] = '\0';
        return false;
    }
    return true;
}

bool HStandardFileSystem::fileExists( const char* kpFileName )
{
    if( !HVERIFY( kpFileName != 0, kpSource ) )
        return false;
    HStandardFile* pFile = m_findFreeSlot();
    if( pFile == nullptr )
    {
        debugTrace( "HSFS::fileExists - too many open files" );
        return false;
    }
    char path[ 1024 ];
    if( !m_joinPath( kpFileName, path, sizeof( path ) ) || !pFile->openForRead( path ) )
        return false;
    pFile->closeStream();
    return true;
}

HFile* HStandardFileSystem::openFileForRead( const char* kpFileName )
{
    if( !HVERIFY( kpFileName != 0, kpSource ) )
        return nullptr;
    HStandardFile* pFile = m_findFreeSlot();
    if( pFile == nullptr )
    {
        debugTrace( "HSFS::m_openFileForRead - too many open files" );
        return nullptr;
    }
    pFile->setOwner( this );
    char path[ 1024 ];
    if( !m_joinPath( kpFileName, path, sizeof( path ) ) || !pFile->openForRead( path ) )
        return nullptr;
    return pFile;
}

HFile* HStandardFileSystem::openFileForWrite( const char* kpFileName )
{
    if( !HVERIFY( kpFileName != 0, kpSource ) )
        return nullptr;
    HStandardFile* pFile = m_findFreeSlot();
    if( pFile == nullptr )
    {
        debugTrace( "HSFS::m_openFileForWrite - too many open files" );
        return nullptr;
    }
    pFile->setOwner( this );
    char path[ 1024 ];
    if( !m_joinPath( kpFileName, path, sizeof( path ) ) || !pFile->openForWrite( path ) )
        return nullptr;
    return pFile;
}

uint32_t HStandardFileSystem::fileTime( const char* kpFileName )
{
    struct stat status;
    if( kpFileName == nullptr || ::stat( kpFileName, &status ) != 0 )
        return 0;
    return static_cast<uint32_t>( status.st_mtime );
}

void HStandardFileSystem::closeFile( HFile* pFile )
{
    for( HStandardFile& file : m_files )
    {
        if( &file == pFile && file.isOpen() )
        {
            file.closeStream();
            return;
        }
    }
    debugTrace( "HSFS::m_closeFile - attempted to close unopened file" );
}

int HStandardFileSystem::openFileCount() const
{
    int count = 0;
    for( const HStandardFile& file : m_files )
        count += file.isOpen() ? 1 : 0;
    return count;
}
