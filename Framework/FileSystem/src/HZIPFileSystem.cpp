#include "Framework/FileSystem/src/HZIPFileSystem.h"

#include <unzip.h>

#include "Framework/util/src/HLog.h"

namespace
{
// Case-insensitive lookup, as the archive's names are matched everywhere in the program.
const int kIgnoreCase = 2;

// Deflate cannot expand data by more than about 1032:1; a larger claim is a lie.
bool sizesAreCredible( const unz_file_info& info )
{
    if( info.compression_method == 0 )
        return info.compressed_size == info.uncompressed_size;
    return info.uncompressed_size <= info.compressed_size * 1032ul + 1024ul;
}
}

HZIPFileSystem::HZIPFileSystem()
    : m_pHandleCell( new void*( nullptr ) )
{
}

HZIPFileSystem::~HZIPFileSystem()
{
    shutdown();
}

bool HZIPFileSystem::init( const char* kpDirName )
{
    if( m_pHandleCell == nullptr || kpDirName == nullptr )
        return false;
    if( *m_pHandleCell != nullptr )
        unzClose( *m_pHandleCell );
    *m_pHandleCell = unzOpen( kpDirName );
    return *m_pHandleCell != nullptr;
}

void HZIPFileSystem::shutdown()
{
    if( m_pHandleCell == nullptr )
        return;
    if( *m_pHandleCell != nullptr )
    {
        unzClose( *m_pHandleCell );
        *m_pHandleCell = nullptr;
    }
    delete m_pHandleCell;
    m_pHandleCell = nullptr;
}

void* HZIPFileSystem::getArchiveHandle() const
{
    return m_pHandleCell != nullptr ? *m_pHandleCell : nullptr;
}

bool HZIPFileSystem::fileExists( const char* kpFileName )
{
    void* handle = getArchiveHandle();
    if( handle == nullptr || kpFileName == nullptr )
        return false;
    return unzLocateFile( handle, kpFileName, kIgnoreCase ) == UNZ_OK;
}

HFile* HZIPFileSystem::openFileForRead( const char* kpFileName )
{
    void* handle = getArchiveHandle();
    if( handle == nullptr || kpFileName == nullptr )
        return nullptr;
    if( unzLocateFile( handle, kpFileName, kIgnoreCase ) != UNZ_OK )
        return nullptr;

    HZIPFile* pFile = nullptr;
    for( HZIPFile& file : m_files )
    {
        if( !file.isOpen() )
        {
            pFile = &file;
            break;
        }
    }
    if( pFile == nullptr )
        return nullptr;

    pFile->setOwner( this );
    pFile->setName( kpFileName );
    unz_file_info info = unz_file_info();
    char entryName[ 1024 ];
    if( unzGetCurrentFileInfo( handle, &info, entryName, sizeof( entryName ), nullptr, 0, nullptr, 0 ) != UNZ_OK )
    {
        debugTrace( "HZIPFileSystem::openFileForRead - could not read file '%s'", kpFileName );
        pFile->close();
        return nullptr;
    }
    if( !sizesAreCredible( info ) )
    {
        debugTrace( "HZIPFileSystem::openFileForRead - sizes of '%s' do not add up", kpFileName );
        return nullptr;
    }
    pFile->setOpen( info );
    return pFile;
}

HFile* HZIPFileSystem::openFileForWrite( const char* kpFileName )
{
    debugTrace( "HZIPFileSystem::openFileForWrite - function not supported (name = '%s')",
                kpFileName != nullptr ? kpFileName : "" );
    return nullptr;
}

uint32_t HZIPFileSystem::fileTime( const char* )
{
    return 0;
}

void HZIPFileSystem::closeFile( HFile* pFile )
{
    for( HZIPFile& file : m_files )
    {
        if( &file == pFile )
        {
            file.clearInfo();
            return;
        }
    }
}

int HZIPFileSystem::openFileCount() const
{
    int count = 0;
    for( const HZIPFile& file : m_files )
        count += file.isOpen() ? 1 : 0;
    return count;
}
