#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HLock.h"
#include "Framework/audio/HOVAudioStream.h"
#include "tests/support/SoundFiles.h"

namespace
{
const int32_t kRate = 22050;
// 100 ms of 16-bit stereo: the block the description's output buffer holds.
const int32_t kBlockBytes = kRate / 10 * 4;

// Eight voices of looping samples over looping music: the heaviest load the game can make.
// "realtime_percent" is the time for one block as a percentage of the 100 ms the block lasts.
void BM_MixBlockEightVoicesAndMusic( benchmark::State& state )
{
    const bool withMusic = state.range( 0 ) != 0;
    const int32_t voices = static_cast<int32_t>( state.range( 1 ) );
    std::string music = encodeOgg( synthSine( kRate * 4, 2, kRate, 220.0, 12000.0 ), 2, kRate, 0.4f );
    std::vector<std::vector<int16_t>> samples;
    for( int32_t index = 0; index < voices; ++index )
        samples.push_back( synthSine( kRate / 2 + index * 1000, index % 2 + 1, kRate, 300.0 + 100 * index, 3000.0 ) );

    HAudioMixerStreamingAudioSource mixer;
    mixer.setFormat( 2, 16, kRate );
    HOVAudioStream stream;
    stream.init();
    stream.setStream( reinterpret_cast<const uint8_t*>( music.data() ), static_cast<uint32_t>( music.size() ), 16,
                      kRate, kRate );
    HLock* pLock = createLock();
    stream.setLock( pLock );
    if( withMusic )
        mixer.setMusicSource( nullptr, &stream, 64 );
    for( int32_t index = 0; index < voices; ++index )
    {
        AudioSample sample;
        sample.data = reinterpret_cast<uint8_t*>( samples[ static_cast<size_t>( index ) ].data() );
        sample.channels = index % 2 + 1;
        sample.bits = 16;
        sample.frequency = kRate;
        sample.size = static_cast<int32_t>( samples[ static_cast<size_t>( index ) ].size() * 2 );
        mixer.playSample( nullptr, &sample, 200, 0, -1 );
    }

    std::vector<uint8_t> block( kBlockBytes );
    for( auto _ : state )
    {
        mixer.readNextChunk( block.data(), kBlockBytes );
        benchmark::DoNotOptimize( block.data() );
    }
    state.SetBytesProcessed( static_cast<int64_t>( state.iterations() ) * kBlockBytes );
    // Inverted rate: seconds per block / 0.001, which is seconds per block / 0.1 s in percent.
    state.counters[ "realtime_percent" ] =
        benchmark::Counter( 0.001, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert );
    mixer.clearMusicSource( 0 );
    stream.shutdown();
    destroyLock( pLock );
}
}

BENCHMARK( BM_MixBlockEightVoicesAndMusic )
    ->ArgNames( { "music", "voices" } )
    ->Args( { 1, 8 } )
    ->Args( { 1, 0 } )
    ->Args( { 0, 8 } )
    ->Unit( benchmark::kMicrosecond );

BENCHMARK_MAIN();
