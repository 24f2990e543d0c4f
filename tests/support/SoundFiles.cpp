#include "tests/support/SoundFiles.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <vorbis/vorbisenc.h>
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace
{
void put32( std::string& out, uint32_t value )
{
    for( int shift = 0; shift < 32; shift += 8 )
        out.push_back( static_cast<char>( ( value >> shift ) & 0xff ) );
}

void put16( std::string& out, uint32_t value )
{
    out.push_back( static_cast<char>( value & 0xff ) );
    out.push_back( static_cast<char>( ( value >> 8 ) & 0xff ) );
}

void appendPage( std::string& out, const ogg_page& page )
{
    out.append( reinterpret_cast<const char*>( page.header ), static_cast<size_t>( page.header_len ) );
    out.append( reinterpret_cast<const char*>( page.body ), static_cast<size_t>( page.body_len ) );
}

struct MemoryFile
{
    const std::string* bytes;
    size_t position;
};

size_t memoryRead( void* pDestination, size_t size, size_t count, void* pSource )
{
    MemoryFile* pFile = static_cast<MemoryFile*>( pSource );
    size_t left = pFile->bytes->size() - pFile->position;
    size_t wanted = size * count < left ? size * count : left;
    std::memcpy( pDestination, pFile->bytes->data() + pFile->position, wanted );
    pFile->position += wanted;
    return size == 0 ? 0 : wanted / size;
}

int memorySeek( void* pSource, ogg_int64_t offset, int whence )
{
    MemoryFile* pFile = static_cast<MemoryFile*>( pSource );
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>( pFile->position )
                                                             : static_cast<int64_t>( pFile->bytes->size() );
    int64_t target = base + offset;
    if( target < 0 || target > static_cast<int64_t>( pFile->bytes->size() ) )
        return -1;
    pFile->position = static_cast<size_t>( target );
    return 0;
}

long memoryTell( void* pSource )
{
    return static_cast<long>( static_cast<MemoryFile*>( pSource )->position );
}
}

std::vector<int16_t> synthSine( int32_t frames, int32_t channels, int32_t rate, double frequency, double amplitude )
{
    std::vector<int16_t> values( static_cast<size_t>( frames * channels ) );
    for( int32_t frame = 0; frame < frames; ++frame )
    {
        for( int32_t channel = 0; channel < channels; ++channel )
        {
            double phase = 2.0 * M_PI * frequency * ( channel + 1 ) * frame / rate;
            values[ static_cast<size_t>( frame * channels + channel ) ] =
                static_cast<int16_t>( std::lround( amplitude * std::sin( phase ) ) );
        }
    }
    return values;
}

std::string makeWav( const std::string& data, int32_t channels, int32_t rate, int32_t bits, int64_t dataSizeOverride,
                     uint32_t formatChunkSize )
{
    std::string out = "RIFF";
    put32( out, static_cast<uint32_t>( 36 + data.size() ) );
    out += "WAVEfmt ";
    put32( out, formatChunkSize );
    put16( out, 1 );
    put16( out, static_cast<uint32_t>( channels ) );
    put32( out, static_cast<uint32_t>( rate ) );
    put32( out, static_cast<uint32_t>( rate * channels * bits / 8 ) );
    put16( out, static_cast<uint32_t>( channels * bits / 8 ) );
    put16( out, static_cast<uint32_t>( bits ) );
    out += "data";
    put32( out, static_cast<uint32_t>( dataSizeOverride >= 0 ? dataSizeOverride : static_cast<int64_t>( data.size() ) ) );
    out += data;
    return out;
}

std::string bytesOf( const std::vector<int16_t>& values )
{
    std::string out;
    for( int16_t value : values )
        put16( out, static_cast<uint16_t>( value ) );
    return out;
}

std::string encodeOgg( const std::vector<int16_t>& frames, int32_t channels, int32_t rate, float quality )
{
    vorbis_info info;
    vorbis_info_init( &info );
    if( vorbis_encode_init_vbr( &info, channels, rate, quality ) != 0 )
    {
        vorbis_info_clear( &info );
        return std::string();
    }
    vorbis_comment comment;
    vorbis_comment_init( &comment );
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init( &dsp, &info );
    vorbis_block_init( &dsp, &block );
    ogg_stream_state stream;
    ogg_stream_init( &stream, 0x474c494d );

    std::string out;
    ogg_packet header;
    ogg_packet headerComment;
    ogg_packet headerCode;
    vorbis_analysis_headerout( &dsp, &comment, &header, &headerComment, &headerCode );
    ogg_stream_packetin( &stream, &header );
    ogg_stream_packetin( &stream, &headerComment );
    ogg_stream_packetin( &stream, &headerCode );
    ogg_page page;
    while( ogg_stream_flush( &stream, &page ) != 0 )
        appendPage( out, page );

    const int32_t frameCount = static_cast<int32_t>( frames.size() ) / channels;
    const int32_t chunk = 1024;
    bool done = false;
    for( int32_t start = 0; !done; start += chunk )
    {
        int32_t count = frameCount - start < chunk ? frameCount - start : chunk;
        if( count <= 0 )
        {
            vorbis_analysis_wrote( &dsp, 0 );
            done = true;
        }
        else
        {
            float** ppBuffer = vorbis_analysis_buffer( &dsp, count );
            for( int32_t frame = 0; frame < count; ++frame )
            {
                for( int32_t channel = 0; channel < channels; ++channel )
                    ppBuffer[ channel ][ frame ] =
                        frames[ static_cast<size_t>( ( start + frame ) * channels + channel ) ] / 32768.0f;
            }
            vorbis_analysis_wrote( &dsp, count );
        }
        while( vorbis_analysis_blockout( &dsp, &block ) == 1 )
        {
            vorbis_analysis( &block, nullptr );
            vorbis_bitrate_addblock( &block );
            ogg_packet packet;
            while( vorbis_bitrate_flushpacket( &dsp, &packet ) != 0 )
            {
                ogg_stream_packetin( &stream, &packet );
                while( ogg_stream_pageout( &stream, &page ) != 0 )
                    appendPage( out, page );
            }
        }
    }
    while( ogg_stream_flush( &stream, &page ) != 0 )
        appendPage( out, page );

    ogg_stream_clear( &stream );
    vorbis_block_clear( &block );
    vorbis_dsp_clear( &dsp );
    vorbis_comment_clear( &comment );
    vorbis_info_clear( &info );
    return out;
}

StraightDecode decodeOggStraight( const std::string& bytes )
{
    StraightDecode result;
    MemoryFile file = { &bytes, 0 };
    ov_callbacks callbacks = { memoryRead, memorySeek, nullptr, memoryTell };
    OggVorbis_File vf;
    if( ov_open_callbacks( &file, &vf, nullptr, 0, callbacks ) < 0 )
        return result;
    vorbis_info* pInfo = ov_info( &vf, -1 );
    result.channels = pInfo->channels;
    result.rate = static_cast<int32_t>( pInfo->rate );
    char buffer[ 4096 ];
    int section = 0;
    for( ;; )
    {
        long got = ov_read( &vf, buffer, sizeof( buffer ), 0, 2, 1, &section );
        if( got <= 0 )
        {
            result.ok = got == 0;
            break;
        }
        for( long index = 0; index + 1 < got; index += 2 )
            result.values.push_back( static_cast<int16_t>( static_cast<uint8_t>( buffer[ index ] ) |
                                                           static_cast<uint8_t>( buffer[ index + 1 ] ) << 8 ) );
    }
    ov_clear( &vf );
    return result;
}
