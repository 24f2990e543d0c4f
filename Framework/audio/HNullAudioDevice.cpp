#include "Framework/audio/HNullAudioDevice.h"

HAudioStream* HNullAudioDevice::createStream( HStreamingAudioSource* /*pSource*/ )
{
    return nullptr;
}

bool HNullAudioDevice::init( int32_t channels, int32_t bits, int32_t frequency )
{
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
    return true;
}

void HNullAudioDevice::shutdownAudioDevice()
{
}
