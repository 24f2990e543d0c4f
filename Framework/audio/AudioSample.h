#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_AUDIOSAMPLE_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_AUDIOSAMPLE_H

#include <cstdint>

// Decoded sound data. Whoever holds the record owns data (the sound bank for cached sounds).
// 8-bit samples are unsigned (silence 128), 16-bit ones signed little-endian; stereo is interleaved.
struct AudioSample
{
    uint8_t* data;
    int32_t channels;
    int32_t bits;
    int32_t frequency;
    int32_t size;
};

#endif
