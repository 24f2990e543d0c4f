#include "tools/mkassets/SoundWriters.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

namespace SoundWriters
{
namespace
{
void put16( std::vector<uint8_t>& out, uint32_t v )
{
    out.push_back( uint8_t( v & 255 ) );
    out.push_back( uint8_t( ( v >> 8 ) & 255 ) );
}

void put32( std::vector<uint8_t>& out, uint32_t v )
{
    put16( out, v & 0xFFFF );
    put16( out, v >> 16 );
}

void putTag( std::vector<uint8_t>& out, const char* kpTag )
{
    out.insert( out.end(), kpTag, kpTag + 4 );
}

void appendPage( std::vector<uint8_t>& out, const ogg_page& page )
{
    out.insert( out.end(), page.header, page.header + page.header_len );
    out.insert( out.end(), page.body, page.body + page.body_len );
}
} // namespace

std::vector<int16_t> toPCM16( const SoundBuffer& sound )
{
    std::vector<int16_t> out( sound.samples.size() );
    for( size_t i = 0; i < sound.samples.size(); ++i )
    {
        float v = sound.samples[ i ];
        if( !std::isfinite( v ) )
            v = 0.0f;
        out[ i ] = int16_t( std::clamp( std::lround( v * 32767.0f ), -32768L, 32767L ) );
    }
    return out;
}

std::vector<uint8_t> encodeWAV( const SoundBuffer& sound )
{
    std::vector<int16_t> pcm = toPCM16( sound );
    uint32_t dataBytes = uint32_t( pcm.size() * 2 );
    uint32_t blockAlign = uint32_t( sound.channels ) * 2;
    std::vector<uint8_t> out;
    out.reserve( 44 + dataBytes );
    putTag( out, "RIFF" );
    put32( out, 36 + dataBytes );
    putTag( out, "WAVE" );
    putTag( out, "fmt " );
    put32( out, 16 );
    put16( out, 1 ); // PCM
    put16( out, uint32_t( sound.channels ) );
    put32( out, uint32_t( sound.rate ) );
    put32( out, uint32_t( sound.rate ) * blockAlign );
    put16( out, blockAlign );
    put16( out, 16 );
    putTag( out, "data" );
    put32( out, dataBytes );
    for( int16_t v : pcm )
        put16( out, uint16_t( v ) );
    return out;
}

std::vector<uint8_t> encodeOgg( const SoundBuffer& sound, float quality, int serial )
{
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init( &info );
    if( vorbis_encode_init_vbr( &info, sound.channels, sound.rate, quality ) != 0 )
    {
        vorbis_info_clear( &info );
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init( &comment );
    vorbis_comment_add_tag( &comment, "TITLE", "Glimmerdrop" );
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init( &dsp, &info );
    vorbis_block_init( &dsp, &block );
    ogg_stream_state stream;
    ogg_stream_init( &stream, serial );

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout( &dsp, &comment, &header, &headerComment, &headerCode );
    ogg_stream_packetin( &stream, &header );
    ogg_stream_packetin( &stream, &headerComment );
    ogg_stream_packetin( &stream, &headerCode );
    ogg_page page;
    while( ogg_stream_flush( &stream, &page ) != 0 )
        appendPage( out, page );

    const size_t frames = sound.frames();
    const size_t chunk = 1024;
    size_t done = 0;
    bool endOfStream = false;
    bool endSubmitted = false;
    while( !endOfStream )
    {
        size_t count = std::min( chunk, frames - done );
        if( count == 0 )
        {
            // The end mark makes the encoder flush; if no last page came after it, stop anyway.
            if( endSubmitted )
                break;
            vorbis_analysis_wrote( &dsp, 0 );
            endSubmitted = true;
        }
        else
        {
            float** buffer = vorbis_analysis_buffer( &dsp, int( count ) );
            for( size_t i = 0; i < count; ++i )
                for( int c = 0; c < sound.channels; ++c )
                    buffer[ c ][ i ] = sound.samples[ ( done + i ) * size_t( sound.channels ) + size_t( c ) ];
            vorbis_analysis_wrote( &dsp, int( count ) );
            done += count;
        }
        while( vorbis_analysis_blockout( &dsp, &block ) == 1 )
        {
            vorbis_analysis( &block, nullptr );
            vorbis_bitrate_addblock( &block );
            ogg_packet packet;
            while( vorbis_bitrate_flushpacket( &dsp, &packet ) != 0 )
            {
                ogg_stream_packetin( &stream, &packet );
                while( !endOfStream && ogg_stream_pageout( &stream, &page ) != 0 )
                {
                    appendPage( out, page );
                    if( ogg_page_eos( &page ) )
                        endOfStream = true;
                }
            }
        }
    }

    ogg_stream_clear( &stream );
    vorbis_block_clear( &block );
    vorbis_dsp_clear( &dsp );
    vorbis_comment_clear( &comment );
    vorbis_info_clear( &info );
    return out;
}
} // namespace SoundWriters
