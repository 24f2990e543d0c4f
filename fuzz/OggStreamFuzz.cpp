// Arbitrary bytes as the looping theme music: the mixer's reads of a few blocks, running past
// the end into the loop, with restarts between them, as the audio thread drives the stream.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Framework/audio/HOVAudioStream.h"

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size < 2 || size > ( 1u << 22 ) )
        return 0;
    // The first two bytes give the loop position, in hundreds of samples.
    int32_t loopPosition = ( kpData[ 0 ] | ( kpData[ 1 ] << 8 ) ) * 100;
    std::vector<uint8_t> music( kpData + 2, kpData + size );
    HOVAudioStream stream;
    if( !stream.init() )
        return 0;
    if( stream.setStream( music.data(), static_cast<uint32_t>( music.size() ), 16, 22050, loopPosition ) )
    {
        std::vector<uint8_t> block( 8192 );
        for( int i = 0; i < 40; ++i )
        {
            stream.readNextChunk( block.data(), static_cast<int32_t>( block.size() ) - ( i % 7 ) );
            if( i % 13 == 12 )
                stream.restart();
        }
    }
    stream.shutdown();
    return 0;
}
