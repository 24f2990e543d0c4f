#include "Framework/audio/HCompressedAudioStream.h"

#include <cstdio>
#include <cstring>

#include "Framework/util/src/HLog.h"

HCompressedAudioStream::HCompressedAudioStream()
    : m_loopPosition( 0 )
    , m_pLock( nullptr )
    , m_kpReadPointer( nullptr )
    , m_kpDataStart( nullptr )
    , m_dataSize( 0 )
{
}

HCompressedAudioStream::~HCompressedAudioStream() = default;

bool HCompressedAudioStream::setStream( const uint8_t* kpData, uint32_t size, int32_t bits, int32_t frequency,
                                        int32_t loopPosition )
{
    m_kpDataStart = kpData;
    m_kpReadPointer = kpData;
    m_dataSize = kpData != nullptr ? size : 0;
    m_bits = bits;
    m_frequency = frequency;
    m_loopPosition = loopPosition;
    return true;
}

void HCompressedAudioStream::setLock( HLock* pLock )
{
    m_pLock = pLock;
}

size_t HCompressedAudioStream::m_readStream( void* pDestination, size_t itemSize, size_t itemCount )
{
    if( pDestination == nullptr || itemSize == 0 || m_kpDataStart == nullptr )
        return 0;
    size_t left = static_cast<size_t>( m_kpDataStart + m_dataSize - m_kpReadPointer );
    // The smaller of what is asked and what is left, without forming an overflowing product.
    size_t count = itemCount <= left / itemSize ? itemSize * itemCount : left;
    std::memcpy( pDestination, m_kpReadPointer, count );
    m_kpReadPointer += count;
    return count / itemSize;
}

int HCompressedAudioStream::m_seekStream( int64_t offset, int whence )
{
    const uint8_t* kpEnd = m_kpDataStart + m_dataSize;
    const int64_t size = m_dataSize;
    const int64_t current = m_kpReadPointer - m_kpDataStart;
    switch( whence )
    {
    case SEEK_SET:
        if( offset < 0 || offset > size )
        {
            m_kpReadPointer = offset < 0 ? m_kpDataStart : kpEnd;
            debugTrace( "HCompressedAudioStream::m_seekStream - SEEK_SET out of range" );
            return -1;
        }
        m_kpReadPointer = m_kpDataStart + offset;
        return 0;
    case SEEK_CUR:
        if( offset > size - current || offset < -current )
        {
            m_kpReadPointer = offset < 0 ? m_kpDataStart : kpEnd;
            debugTrace( "HCompressedAudioStream::m_seekStream - SEEK_CUR out of range" );
            return -1;
        }
        m_kpReadPointer += offset;
        return 0;
    case SEEK_END:
        // Counted back from the end by a negative offset, as the C library does; the decoder passes 0.
        if( offset > 0 || offset < -size )
        {
            m_kpReadPointer = offset > 0 ? kpEnd : m_kpDataStart;
            debugTrace( "HCompressedAudioStream::m_seekStream - SEEK_END out of range" );
            return -1;
        }
        m_kpReadPointer = kpEnd + offset;
        return 0;
    default:
        debugTrace( "HCompressedAudioStream::m_seekStream - invalid whence '%d'", whence );
        return -1;
    }
}

long HCompressedAudioStream::m_tellStream() const
{
    return static_cast<long>( m_kpReadPointer - m_kpDataStart );
}

size_t HCompressedAudioStream::readCallback( void* pDestination, size_t itemSize, size_t itemCount, void* pStream )
{
    if( pStream == nullptr )
        return 0;
    return static_cast<HCompressedAudioStream*>( pStream )->m_readStream( pDestination, itemSize, itemCount );
}

int HCompressedAudioStream::seekCallback( void* pStream, int64_t offset, int whence )
{
    if( pStream == nullptr )
        return -1;
    return static_cast<HCompressedAudioStream*>( pStream )->m_seekStream( offset, whence );
}

long HCompressedAudioStream::tellCallback( void* pStream )
{
    if( pStream == nullptr )
        return -1;
    return static_cast<HCompressedAudioStream*>( pStream )->m_tellStream();
}

int HCompressedAudioStream::closeCallback( void* /*pStream*/ )
{
    return 0;
}
