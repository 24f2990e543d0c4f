#ifndef GLIMMERDROP_TESTS_SUPPORT_FAKEAUDIODEVICE_H
#define GLIMMERDROP_TESTS_SUPPORT_FAKEAUDIODEVICE_H

#include <cstdint>
#include <vector>

#include "Framework/audio/HAudioDevice.h"
#include "Framework/audio/HAudioStream.h"

class HStreamingAudioSource;

// An output stream with no thread: a test pulls the blocks the hardware would have asked for.
class FakeAudioStream : public HAudioStream
{
public:
    bool play() override;
    bool stop() override;
    void release() override;
    bool setVolume( float volume ) override;
    bool isValid() override { return pSource != nullptr; }

    // One block of 16-bit values from the source, as the output thread would take it while playing.
    std::vector<int16_t> pull( int32_t values );

    HStreamingAudioSource* pSource = nullptr;
    bool playing = false;
    int plays = 0;
    int stops = 0;
    int releases = 0;
    float volume = 1.0f;
};

// A platform audio device for start-up tests; install() makes it the one createAudioDevice gives.
class FakeAudioDevice : public HAudioDevice
{
public:
    FakeAudioDevice();
    ~FakeAudioDevice() override;

    HAudioStream* createStream( HStreamingAudioSource* pSource ) override;
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override;
    void shutdownAudioDevice() override { ++shutdowns; }

    FakeAudioStream stream;
    int shutdowns = 0;

    static HAudioDevice* create( const char* kpDriver );
    static void install();
    static void uninstall();

    // The device alive now (null when none), and what happened to devices since install().
    static FakeAudioDevice* s_pCurrent;
    static int s_made;
    static bool s_initFails;
    static bool s_streamFails;
};

#endif
