// Arbitrary bytes as a WAV or Ogg Vorbis sound, loaded as the sound bank loads the game's samples.
// The first byte picks the loader and the format asked for.

#include <cstddef>
#include <cstdint>

#include "Framework/audio/HOGGLoader.h"
#include "Framework/audio/HWAVLoader.h"
#include "fuzz/FuzzFolder.h"

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size == 0 || size > ( 1u << 22 ) )
        return 0;
    uint8_t choice = kpData[ 0 ];
    bool ogg = ( choice & 1 ) != 0;
    const char* kpName = ogg ? "sound.ogg" : "sound.wav";
    if( !FuzzFolder::write( kpName, kpData + 1, size - 1 ) )
        return 0;
    int32_t bits = ( choice & 2 ) != 0 ? 8 : 16;
    int32_t frequency = ( choice & 4 ) != 0 ? 11025 : 22050;
    AudioSample sample = {};
    HWAVLoader wavLoader;
    HOGGLoader oggLoader;
    HAudioLoader& loader = ogg ? static_cast<HAudioLoader&>( oggLoader ) : wavLoader;
    if( loader.loadAudioSample( FuzzFolder::fileSystem(), kpName, sample, bits, frequency ) )
    {
        // Every byte the loader claims must be there.
        volatile uint32_t sum = 0;
        for( int32_t i = 0; i < sample.size; ++i )
            sum = sum + sample.data[ i ];
        HAudioLoader::freeSampleData( sample.data );
    }
    return 0;
}
