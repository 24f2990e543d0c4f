#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLAUDIOSTREAM_H

#include <cstdint>

#include "Framework/audio/HAudioStream.h"
#include "Framework/audio/HStdLock.h"

class HStreamingAudioSource;

// The output stream of the SDL device. SDL's audio thread calls fill for every block it needs;
// fill asks the source under the stream's lock, which play, stop, release and setVolume take too.
class HSDLAudioStream : public HAudioStream
{
public:
    HSDLAudioStream();
    ~HSDLAudioStream() override;

    // Taken by the device for an opened SDL device; the stream then feeds from the source.
    void attach( uint32_t deviceId, HStreamingAudioSource* pSource );
    bool isAttached() const { return m_deviceId != 0; }

    bool play() override;
    bool stop() override;
    void release() override;
    // SDL has no output volume of its own: the block is scaled, 0 to -33 dB as volume goes from 1 to 0.
    bool setVolume( float volume ) override;
    bool isValid() override;

    // SDL's callback (userdata: the stream). Without a playing source the block is silence.
    static void fillCallback( void* pStream, uint8_t* pBuffer, int byteCount );
    void fill( uint8_t* pBuffer, int32_t byteCount );

    bool isPlaying();
    // The gain applied to every value, in 1/65536; 65536 is unity.
    int32_t getGain();

private:
    HStdLock m_lock;
    uint32_t m_deviceId;
    HStreamingAudioSource* m_pSource;
    bool m_playing;
    int32_t m_gain;
};

#endif
