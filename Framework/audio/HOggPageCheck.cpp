#include "Framework/audio/HOggPageCheck.h"

#include <array>
#include <cstddef>
#include <vector>

#include "Framework/util/src/HLog.h"

namespace
{
const uint32_t kHeaderSize = 27;
const uint8_t kContinued = 1;
const uint8_t kBeginsStream = 2;
const uint8_t kEndsStream = 4;

uint32_t readWord( const uint8_t* kpBytes )
{
    return static_cast<uint32_t>( kpBytes[ 0 ] ) | ( static_cast<uint32_t>( kpBytes[ 1 ] ) << 8 ) |
           ( static_cast<uint32_t>( kpBytes[ 2 ] ) << 16 ) | ( static_cast<uint32_t>( kpBytes[ 3 ] ) << 24 );
}

// The page checksum: CRC-32 with polynomial 0x04C11DB7, not reflected, starting from 0, over the
// page with its checksum field taken as zero.
std::array<uint32_t, 256> makeChecksumTable()
{
    std::array<uint32_t, 256> table;
    for( uint32_t i = 0; i < 256; ++i )
    {
        uint32_t r = i << 24;
        for( int bit = 0; bit < 8; ++bit )
            r = ( r & 0x80000000u ) != 0 ? ( r << 1 ) ^ 0x04C11DB7u : r << 1;
        table[ i ] = r;
    }
    return table;
}

uint32_t pageChecksum( const uint8_t* kpPage, uint32_t length )
{
    static const std::array<uint32_t, 256> s_table = makeChecksumTable();
    uint32_t crc = 0;
    for( uint32_t i = 0; i < length; ++i )
    {
        uint8_t byte = i >= 22 && i < 26 ? 0 : kpPage[ i ];
        crc = ( crc << 8 ) ^ s_table[ ( ( crc >> 24 ) & 0xFF ) ^ byte ];
    }
    return crc;
}

struct LogicalStream
{
    uint32_t serial;
    uint32_t nextSequence;
    bool ended;
};

bool refuse( const char* kpWhy, uint32_t offset )
{
    debugTrace( "HOggPageCheck - %s at byte %u", kpWhy, static_cast<unsigned>( offset ) );
    return false;
}
} // namespace

bool HOggPageCheck::isWellFormed( const uint8_t* kpData, uint32_t size )
{
    if( kpData == nullptr )
        return false;
    std::vector<LogicalStream> streams;
    // Streams of the link being read; a page that begins a stream after other pages starts a new link.
    size_t linkStart = 0;
    bool inLinkHeaders = true;
    uint32_t offset = 0;
    uint32_t pages = 0;
    while( offset < size )
    {
        uint32_t left = size - offset;
        const uint8_t* kpPage = kpData + offset;
        if( left < kHeaderSize || left < kHeaderSize + kpPage[ 26 ] )
            return pages > 0 ? true : refuse( "cut short", offset );
        if( kpPage[ 0 ] != 'O' || kpPage[ 1 ] != 'g' || kpPage[ 2 ] != 'g' || kpPage[ 3 ] != 'S' || kpPage[ 4 ] != 0 )
            return refuse( "no page", offset );
        uint8_t flags = kpPage[ 5 ];
        if( ( flags & ~( kContinued | kBeginsStream | kEndsStream ) ) != 0 )
            return refuse( "unknown page flags", offset );
        uint32_t segments = kpPage[ 26 ];
        uint32_t length = kHeaderSize + segments;
        for( uint32_t i = 0; i < segments; ++i )
            length += kpPage[ kHeaderSize + i ];
        if( length > left )
            return pages > 0 ? true : refuse( "cut short", offset );
        if( pageChecksum( kpPage, length ) != readWord( kpPage + 22 ) )
            return refuse( "bad checksum", offset );

        uint32_t serial = readWord( kpPage + 14 );
        uint32_t sequence = readWord( kpPage + 18 );
        LogicalStream* pStream = nullptr;
        for( size_t i = 0; i < streams.size(); ++i )
        {
            if( streams[ i ].serial == serial )
                pStream = &streams[ i ];
        }
        if( ( flags & kBeginsStream ) != 0 )
        {
            if( pStream != nullptr )
                return refuse( "stream begun twice", offset );
            if( !inLinkHeaders )
            {
                // A new link: every stream of the last one must have ended.
                for( size_t i = linkStart; i < streams.size(); ++i )
                {
                    if( !streams[ i ].ended )
                        return refuse( "link begun before the last one ended", offset );
                }
                linkStart = streams.size();
                inLinkHeaders = true;
            }
            streams.push_back( LogicalStream{ serial, sequence, false } );
            pStream = &streams.back();
        }
        else
        {
            inLinkHeaders = false;
            if( pStream == nullptr || static_cast<size_t>( pStream - streams.data() ) < linkStart )
                return refuse( "page of a stream not begun in this link", offset );
        }
        if( pStream->ended )
            return refuse( "page after the end of its stream", offset );
        if( sequence != pStream->nextSequence )
            return refuse( "page missing before", offset );
        pStream->nextSequence = sequence + 1;
        pStream->ended = ( flags & kEndsStream ) != 0;
        offset += length;
        ++pages;
    }
    return pages > 0 ? true : refuse( "no pages", 0 );
}
