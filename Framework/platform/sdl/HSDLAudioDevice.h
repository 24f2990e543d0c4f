#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLAUDIODEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLAUDIODEVICE_H

#include <cstdint>

#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/sdl/HSDLAudioStream.h"

// The real sound output on Linux: one SDL audio device in exactly the format asked for (SDL
// converts for the hardware), with one output stream fed by SDL's audio thread.
class HSDLAudioDevice : public HAudioDevice
{
public:
    // Frames per block SDL asks for: about 46 ms at 22050 Hz.
    static const uint16_t kBlockFrames = 1024;

    HSDLAudioDevice();
    ~HSDLAudioDevice() override;

    // The one stream, or null when the device is not open or the stream is already handed out.
    HAudioStream* createStream( HStreamingAudioSource* pSource ) override;
    // False, with a log line and no box, when there is no sound output (no card, no server).
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override;
    void shutdownAudioDevice() override;

    // The factory the process entry installs.
    static HAudioDevice* create( const char* kpDriver );

    uint32_t getDeviceId() const { return m_deviceId; }

private:
    HSDLAudioStream m_stream;
    uint32_t m_deviceId;
    bool m_subsystemStarted;
};

#endif
