#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HSTREAMINGAUDIOSOURCE_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HSTREAMINGAUDIOSOURCE_H

#include <cstdint>

// Anything that fills an audio block on request: the mixer, and the compressed streams.
class HStreamingAudioSource
{
public:
    HStreamingAudioSource();
    virtual ~HStreamingAudioSource();

    HStreamingAudioSource( const HStreamingAudioSource& ) = delete;
    HStreamingAudioSource& operator=( const HStreamingAudioSource& ) = delete;

    virtual bool init() = 0;
    virtual void shutdown() = 0;
    // Fills the buffer with audio in the source's format; returns the bytes delivered.
    virtual int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) = 0;
    virtual int32_t getChannels() const;
    virtual int32_t getFrequency() const;
    virtual void setFormat( int32_t channels, int32_t bits, int32_t frequency );

    int32_t getBits() const { return m_bits; }

protected:
    int32_t m_channels;
    int32_t m_frequency;
    int32_t m_bits;
};

#endif
