#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HOVAUDIOSTREAM_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HOVAUDIOSTREAM_H

#include <cstdint>

#include "Framework/audio/HCompressedAudioStream.h"

struct OggVorbis_File;

// Decodes an Ogg Vorbis file held in memory into 16-bit signed little-endian PCM with the file's
// channel count and rate. At the end it continues from the loop position, sample-exactly.
class HOVAudioStream : public HCompressedAudioStream
{
public:
    HOVAudioStream();
    ~HOVAudioStream() override;

    // Allocates the decoder state; the stream is not opened yet.
    bool init() override;
    void shutdown() override;
    // Fills the block under the lock; returns the bytes delivered, which is fewer than asked only
    // after a decoding error, at the end of a non-looping stream, or when no loop point can be reached.
    int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) override;
    void restart() override;
    // Opens the decoder over the block. A loop position outside the stream loops to its start.
    bool setStream( const uint8_t* kpData, uint32_t size, int32_t bits, int32_t frequency,
                    int32_t loopPosition ) override;
    int32_t getLength() override;

    // A non-looping stream stops at its end instead of going back to the loop position,
    // for decoding a whole sound once.
    void setLooping( bool looping ) { m_looping = looping; }
    bool isOpened() const { return m_opened; }

private:
    int32_t m_readLocked( uint8_t* pBuffer, int32_t byteCount );

    OggVorbis_File* m_pState;
    int m_currentSection;
    bool m_opened;
    bool m_looping;
};

#endif
