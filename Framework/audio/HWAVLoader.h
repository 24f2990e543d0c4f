#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HWAVLOADER_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HWAVLOADER_H

#include "Framework/audio/HAudioLoader.h"

// Uncompressed WAV files with the plain 44-byte header read at fixed offsets (no chunk walking).
// 8-bit data can be widened to 16 bits and 16-bit data narrowed to 8; nothing is resampled.
class HWAVLoader : public HAudioLoader
{
public:
    static const uint32_t kHeaderSize = 44;

    // A "data" size larger than the file is clipped to what the file holds.
    bool loadAudioSample( HFileSystem* pFileSystem, const char* kpName, AudioSample& sample, int32_t bits,
                          int32_t frequency ) override;

    // The conversions, for whole buffers: 16 from 8 writes 2 * count bytes, 8 from 16 reads 2 * count.
    static void widen8To16( const uint8_t* kpSource, uint32_t count, uint8_t* pDestination );
    static void narrow16To8( const uint8_t* kpSource, uint32_t count, uint8_t* pDestination );
};

#endif
