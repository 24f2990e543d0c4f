#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWAVEOUTAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWAVEOUTAUDIOSTREAM_H

#include <atomic>
#include <cstdint>
#include <memory>

#include "Framework/audio/HAudioStream.h"
#include "Framework/platform/win32/HWin32Lock.h"

class HStreamingAudioSource;

// The output of the waveOut device: three buffers of about 100 ms each. The device's service
// thread refills each one as the driver hands it back and queues it again. Refills and stop
// share the stream's lock, so once stop returns the source is no longer called.
class HWaveOutAudioStream : public HAudioStream
{
public:
    HWaveOutAudioStream( int32_t channels, int32_t bits, int32_t frequency );
    ~HWaveOutAudioStream() override;

    bool play() override;
    bool stop() override;
    // Stops, waits for the driver to hand every queued buffer back and lets go of them and the source.
    void release() override;
    bool setVolume( float volume ) override;
    bool isValid() override;

    // For the device: the open waveOut handle (an HWAVEOUT), and the buffers made ready for it.
    bool attach( void* pWaveOut, HStreamingAudioSource* pSource );
    bool isAttached() const { return m_pSource != nullptr; }
    // The service thread's work for one MM_WOM_DONE; pHeader is the buffer handed back.
    void bufferDone( void* pHeader );

    uint32_t getBlockSize() const { return m_blockSize; }
    // Bytes of one block for a format: the block alignment plus 100 ms, rounded down to whole frames.
    static uint32_t blockSizeFor( int32_t channels, int32_t bits, int32_t frequency );

    static const int kBufferCount = 3;

private:
    struct Buffers;

    void m_fill( int index );

    uint32_t m_blockSize;
    int32_t m_bits;
    std::unique_ptr<Buffers> m_pBuffers;
    int m_current;
    HStreamingAudioSource* m_pSource;
    void* m_pWaveOut;
    HWin32Lock m_lock;
    std::atomic<bool> m_stopping;
};

#endif
