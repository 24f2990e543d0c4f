#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIODEVICE_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIODEVICE_H

#include <cstdint>

class HAudioStream;
class HCvarManager;
class HStreamingAudioSource;

// The sound output, opened in one fixed format; hands out the output stream a mixer feeds.
class HAudioDevice
{
public:
    HAudioDevice();
    virtual ~HAudioDevice();

    HAudioDevice( const HAudioDevice& ) = delete;
    HAudioDevice& operator=( const HAudioDevice& ) = delete;

    // The device keeps the stream; null when it has none to give.
    virtual HAudioStream* createStream( HStreamingAudioSource* pSource ) = 0;
    virtual int32_t getChannels() const;
    virtual int32_t getBits() const;
    virtual int32_t getFrequency() const;
    virtual bool init( int32_t channels, int32_t bits, int32_t frequency ) = 0;
    virtual void shutdownAudioDevice() = 0;

protected:
    // Set only by a successful init.
    int32_t m_channels;
    int32_t m_bits;
    int32_t m_frequency;
};

// The platform's real device for a "c_soundDriver" value (never "null"; "" when it is undeclared),
// so a platform with more than one output (Windows: DirectSound and waveOut) can choose. The
// process entry installs the factory; without one only the silent device can be had.
typedef HAudioDevice* ( *HAudioDeviceFactory )( const char* kpDriver );
void setPlatformAudioDeviceFactory( HAudioDeviceFactory factory );
HAudioDeviceFactory getPlatformAudioDeviceFactory();

// "c_soundDriver" "null" (any letter case) gives the silent device, any other value the platform's.
// Null when the device cannot start: the program then runs silently.
HAudioDevice* createAudioDevice( HCvarManager* pCvars, int32_t channels, int32_t bits, int32_t frequency );
// Shuts the device down and deletes it; null is ignored.
void destroyAudioDevice( HAudioDevice* pDevice );

#endif
