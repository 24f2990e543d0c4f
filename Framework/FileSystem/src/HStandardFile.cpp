#include "Framework/FileSystem/src/HStandardFile.h"

#include "Framework/util/src/HLog.h"

namespace
{
const char kpSource[] = "Framework\\FileSystem\\src\\HStandardFile";
}

HStandardFile::HStandardFile()
    : m_fp( nullptr )
{
}

const char* HStandardFile::getClassName() const
{
    return "HStandardFile";
}

bool HStandardFile::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HStandardFile" ) || HFile::isA( kpClassName );
}

bool HStandardFile::openForRead( const char* kpPath )
{
    FILE* fp = std::fopen( kpPath, "rb" );
    if( fp == nullptr )
        return false;
    m_fp = fp;
    setName( kpPath );
    long length = 0;
    if( std::fseek( m_fp, 0, SEEK_END ) == 0 )
        length = std::ftell( m_fp );
    m_size = length > 0 ? static_cast<uint32_t>( static_cast<unsigned long>( length ) & 0xFFFFFFFFul ) : 0;
    std::fseek( m_fp, 0, SEEK_SET );
    m_mode = FM_READ;
    return true;
}

bool HStandardFile::openForWrite( const char* kpPath )
{
    FILE* fp = std::fopen( kpPath, "wb" );
    if( fp == nullptr )
        return false;
    m_fp = fp;
    setName( kpPath );
    m_size = 0;
    m_mode = FM_WRITE;
    return true;
}

void HStandardFile::closeStream()
{
    if( m_fp != nullptr )
    {
        std::fclose( m_fp );
        m_fp = nullptr;
    }
}

uint32_t HStandardFile::read( void* buffer, uint32_t count )
{
    if( !HVERIFY( buffer != 0, kpSource ) )
        return 0;
    if( m_fp == nullptr || m_mode != FM_READ )
        return 0;
    return static_cast<uint32_t>( std::fread( buffer, 1, count, m_fp ) );
}

uint32_t HStandardFile::write( const void* kpBuffer, uint32_t count )
{
    HVERIFY( m_fp != 0, kpSource );
    HVERIFY( kpBuffer != 0, kpSource );
    HVERIFY( ( m_mode & FM_WRITE ) != 0, kpSource );
    if( m_fp == nullptr || kpBuffer == nullptr || ( m_mode & FM_WRITE ) == 0 )
        return 0;
    return static_cast<uint32_t>( std::fwrite( kpBuffer, 1, count, m_fp ) );
}

bool HStandardFile::rewind()
{
    if( !HVERIFY( m_fp != 0, kpSource ) )
        return false;
    return std::fseek( m_fp, 0, SEEK_SET ) == 0;
}

void HStandardFile::flush()
{
    if( m_fp != nullptr )
        std::fflush( m_fp );
}
