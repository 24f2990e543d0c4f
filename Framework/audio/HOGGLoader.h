#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HOGGLOADER_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HOGGLOADER_H

#include "Framework/audio/HAudioLoader.h"

// Decodes a whole Ogg Vorbis file into 16-bit samples. The file must already be at the rate
// asked for; a truncated file yields what it holds.
class HOGGLoader : public HAudioLoader
{
public:
    // Decoded sounds above this are refused: a sound effect is seconds long, and a corrupt
    // length must not make the loader claim gigabytes.
    static const int32_t kMaximumDecodedSize = 64 * 1024 * 1024;

    bool loadAudioSample( HFileSystem* pFileSystem, const char* kpName, AudioSample& sample, int32_t bits,
                          int32_t frequency ) override;
};

#endif
