#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HDIRECTSOUNDAUDIODEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HDIRECTSOUNDAUDIODEVICE_H

#include <cstdint>

#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/win32/HDirectSoundAudioStream.h"

struct IDirectSound;
struct IDirectSoundBuffer;

// Sound through DirectSound: the primary buffer set to the program's format and up to four
// looping output streams. Set-up failures are told to the player once and leave the game silent.
class HDirectSoundAudioDevice : public HAudioDevice
{
public:
    static const int kStreamSlots = 4;

    HDirectSoundAudioDevice();
    ~HDirectSoundAudioDevice() override;

    // A free slot's stream with a 100 ms buffer already full of the source's sound; null when
    // the device is not open, all slots are taken or the buffer cannot be made.
    HAudioStream* createStream( HStreamingAudioSource* pSource ) override;
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override;
    void shutdownAudioDevice() override;

    // The stream buffer's size for a format: 100 ms, raised to a multiple of 4.
    static uint32_t streamBufferBytes( int32_t channels, int32_t bits, int32_t frequency );

    IDirectSound* getDirectSound() const { return m_pDirectSound; }

private:
    bool m_fail( const char* kpWhat, long result );

    IDirectSound* m_pDirectSound;
    IDirectSoundBuffer* m_pPrimary;
    HDirectSoundAudioStream m_streams[ kStreamSlots ];
};

#endif
