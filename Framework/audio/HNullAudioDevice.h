#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HNULLAUDIODEVICE_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HNULLAUDIODEVICE_H

#include "Framework/audio/HAudioDevice.h"

// The silent device: starts, but has no stream to give, so the program runs without sound.
class HNullAudioDevice : public HAudioDevice
{
public:
    HAudioStream* createStream( HStreamingAudioSource* pSource ) override;
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override;
    void shutdownAudioDevice() override;
};

#endif
