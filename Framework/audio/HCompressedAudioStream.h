#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HCOMPRESSEDAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HCOMPRESSEDAUDIOSTREAM_H

#include <cstddef>
#include <cstdint>

#include "Framework/audio/HStreamingAudioSource.h"

class HLock;

// Serves a compressed file held in memory to a decoder through read, seek and tell callbacks.
// The memory block belongs to the caller and must outlive the stream's use of it.
class HCompressedAudioStream : public HStreamingAudioSource
{
public:
    HCompressedAudioStream();
    ~HCompressedAudioStream() override;

    // Starts decoding again from the first sample.
    virtual void restart() = 0;
    // Records the block (reading from its start), the format values and the loop position.
    virtual bool setStream( const uint8_t* kpData, uint32_t size, int32_t bits, int32_t frequency,
                            int32_t loopPosition );
    // The whole decoded length in bytes.
    virtual int32_t getLength() = 0;
    // The stream does not own the lock.
    virtual void setLock( HLock* pLock );

    int32_t getLoopPosition() const { return m_loopPosition; }
    HLock* getLock() const { return m_pLock; }
    bool hasBlock() const { return m_kpDataStart != nullptr; }

    // The decoder's callbacks; the data-source handle is the stream.
    // Copies whole items only as far as bytes are left; returns the items copied.
    static size_t readCallback( void* pDestination, size_t itemSize, size_t itemCount, void* pStream );
    // 0, or -1 for a position outside the block (the position is then clamped to its edge).
    static int seekCallback( void* pStream, int64_t offset, int whence );
    static long tellCallback( void* pStream );
    // The block belongs to the caller: nothing to close.
    static int closeCallback( void* pStream );

protected:
    size_t m_readStream( void* pDestination, size_t itemSize, size_t itemCount );
    int m_seekStream( int64_t offset, int whence );
    long m_tellStream() const;

    int32_t m_loopPosition;
    HLock* m_pLock;
    const uint8_t* m_kpReadPointer;
    const uint8_t* m_kpDataStart;
    uint32_t m_dataSize;
};

#endif
