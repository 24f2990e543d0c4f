#include "Framework/FileSystem/src/HZIPFile.h"

#include <unzip.h>

#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "Framework/util/src/HLog.h"

HZIPFile::HZIPFile()
    : m_info( new unz_file_info() )
    , m_open( false )
{
}

HZIPFile::~HZIPFile()
{
    delete m_info;
    m_info = nullptr;
}

void HZIPFile::setOpen( const unz_file_info& info )
{
    *m_info = info;
    m_size = static_cast<uint32_t>( info.uncompressed_size );
    m_mode = FM_READ;
    m_open = true;
}

void HZIPFile::clearInfo()
{
    *m_info = unz_file_info();
    m_open = false;
}

uint32_t HZIPFile::read( void* buffer, uint32_t count )
{
    HZIPFileSystem* pOwner = static_cast<HZIPFileSystem*>( m_owner );
    if( pOwner == nullptr || buffer == nullptr || !m_open )
        return 0;
    unzFile handle = pOwner->getArchiveHandle();
    if( handle == nullptr || unzLocateFile( handle, getName(), 2 ) != UNZ_OK )
    {
        debugTrace( "HZIPFile::read - could not read buffer from file '%s'", getName() );
        return 0;
    }
    if( unzOpenCurrentFile( handle ) != UNZ_OK )
    {
        debugTrace( "HZIPFile::read - could not open current file '%s'", getName() );
        return 0;
    }
    // minizip reads at most the unsigned count asked for; its result is an int.
    unsigned chunk = count > 0x7FFFFFFFu ? 0x7FFFFFFFu : count;
    int result = unzReadCurrentFile( handle, buffer, chunk );
    if( result == 0 )
        debugTrace( "HZIPFile::read - did not read enough bytes from file '%s'", getName() );
    // Corrupt entry data shows only here, as a CRC error once the whole entry was read.
    int closeResult = unzCloseCurrentFile( handle );
    if( result < 0 || closeResult == UNZ_CRCERROR )
    {
        debugTrace( "HZIPFile::read - corrupt data in file '%s'", getName() );
        return 0;
    }
    return static_cast<uint32_t>( result );
}

uint32_t HZIPFile::write( const void*, uint32_t )
{
    debugTrace( "HZIPFile::write - unsupported operation" );
    return 0;
}

bool HZIPFile::rewind()
{
    debugTrace( "HZIPFile::rewind - unsupported operation" );
    return false;
}

void HZIPFile::flush()
{
}
