#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HDIRECTSOUNDAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HDIRECTSOUNDAUDIOSTREAM_H

#include <cstdint>

#include "Framework/audio/HAudioStream.h"
#include "Framework/platform/win32/HWin32Lock.h"
#include "Framework/platform/win32/HWin32Thread.h"

class HDirectSoundAudioDevice;
class HStreamingAudioSource;
struct IDirectSoundBuffer;

// One output of the DirectSound device: a 100 ms looping buffer and a fill thread that wakes every
// quarter of it and, under the stream's lock, refills everything the play cursor has passed since
// the last pass. play, stop, release and setVolume take the same lock.
class HDirectSoundAudioStream : public HAudioStream
{
public:
    HDirectSoundAudioStream();
    ~HDirectSoundAudioStream() override;

    bool play() override;
    // Once it returns the fill thread has ended and no longer calls the source.
    bool stop() override;
    // Stops and lets go of the buffer and the source; the slot stays with its device.
    void release() override;
    bool setVolume( float volume ) override;
    bool isValid() override;

    // For the device that hands the stream out.
    bool isOwned() const { return m_pOwner != nullptr; }
    void setOwner( HDirectSoundAudioDevice* pOwner ) { m_pOwner = pOwner; }
    // Takes a buffer full of silence and fills all of it from the source; false if that failed
    // (the stream is usable all the same).
    bool adopt( IDirectSoundBuffer* pBuffer, uint32_t bufferBytes, int32_t channels, int32_t bits,
                int32_t frequency, HStreamingAudioSource* pSource );

    uint32_t getBufferBytes() const { return m_bufferBytes; }
    uint32_t getWriteCursor();
    bool isPlaying();
    IDirectSoundBuffer* getBuffer() const { return m_pBuffer; }

    // One pass of the fill loop as if the hardware had played up to playCursor.
    void fillUpTo( uint32_t playCursor );

private:
    static void m_fillLoop( void* pStream );
    bool m_fillStream( uint32_t byteCount );
    void m_endFillThread();

    uint32_t m_bufferBytes;
    void* m_stopEvent;
    int32_t m_channels;
    int32_t m_bits;
    int32_t m_frequency;
    int32_t m_bytesPerSecond;
    HWin32Thread m_fillThread;
    HWin32Lock m_lock;
    bool m_playing;
    uint32_t m_writeCursor;
    HStreamingAudioSource* m_pSource;
    HDirectSoundAudioDevice* m_pOwner;
    IDirectSoundBuffer* m_pBuffer;
};

#endif
