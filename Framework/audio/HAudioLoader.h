#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOLOADER_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOLOADER_H

#include <cstdint>

#include "Framework/audio/AudioSample.h"

class HFileSystem;

// Turns a sound file into an AudioSample in the format asked for. Loaders keep no state.
class HAudioLoader
{
public:
    HAudioLoader() = default;
    virtual ~HAudioLoader();

    HAudioLoader( const HAudioLoader& ) = delete;
    HAudioLoader& operator=( const HAudioLoader& ) = delete;

    // On failure false, and the record is left untouched. On success the caller owns the data
    // and frees it with freeSampleData.
    virtual bool loadAudioSample( HFileSystem* pFileSystem, const char* kpName, AudioSample& sample, int32_t bits,
                                  int32_t frequency ) = 0;

    // Sample data is allocated and freed only through these, wherever it ends up.
    static uint8_t* allocateSampleData( uint32_t size );
    static void freeSampleData( uint8_t* pData );

protected:
    // Reads a whole open file into new sample-data memory and closes it. Null (and the file closed)
    // when the file is smaller than minimumSize or the read comes up short.
    static uint8_t* m_readWholeFile( class HFile* pFile, uint32_t minimumSize, uint32_t& size );
};

#endif
