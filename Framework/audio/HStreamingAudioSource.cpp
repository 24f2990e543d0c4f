#include "Framework/audio/HStreamingAudioSource.h"

HStreamingAudioSource::HStreamingAudioSource()
    : m_channels( 0 )
    , m_frequency( 0 )
    , m_bits( 0 )
{
}

HStreamingAudioSource::~HStreamingAudioSource() = default;

int32_t HStreamingAudioSource::getChannels() const
{
    return m_channels;
}

int32_t HStreamingAudioSource::getFrequency() const
{
    return m_frequency;
}

void HStreamingAudioSource::setFormat( int32_t channels, int32_t bits, int32_t frequency )
{
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
}
