#include "tests/support/FakeAudioDevice.h"

#include <cstddef>

#include "Framework/audio/HStreamingAudioSource.h"

FakeAudioDevice* FakeAudioDevice::s_pCurrent = nullptr;
int FakeAudioDevice::s_made = 0;
bool FakeAudioDevice::s_initFails = false;
bool FakeAudioDevice::s_streamFails = false;

bool FakeAudioStream::play()
{
    ++plays;
    playing = pSource != nullptr;
    return true;
}

bool FakeAudioStream::stop()
{
    ++stops;
    playing = false;
    return true;
}

void FakeAudioStream::release()
{
    ++releases;
    playing = false;
    pSource = nullptr;
}

bool FakeAudioStream::setVolume( float value )
{
    volume = value;
    return pSource != nullptr;
}

std::vector<int16_t> FakeAudioStream::pull( int32_t values )
{
    std::vector<int16_t> block( static_cast<size_t>( values ), 0 );
    if( playing && pSource != nullptr )
        pSource->readNextChunk( reinterpret_cast<uint8_t*>( block.data() ), values * 2 );
    return block;
}

FakeAudioDevice::FakeAudioDevice()
{
    s_pCurrent = this;
    ++s_made;
}

FakeAudioDevice::~FakeAudioDevice()
{
    if( s_pCurrent == this )
        s_pCurrent = nullptr;
}

HAudioStream* FakeAudioDevice::createStream( HStreamingAudioSource* pSource )
{
    if( s_streamFails || pSource == nullptr || stream.pSource != nullptr )
        return nullptr;
    stream.pSource = pSource;
    return &stream;
}

bool FakeAudioDevice::init( int32_t channels, int32_t bits, int32_t frequency )
{
    if( s_initFails )
        return false;
    m_channels = channels;
    m_bits = bits;
    m_frequency = frequency;
    return true;
}

HAudioDevice* FakeAudioDevice::create( const char* )
{
    return new FakeAudioDevice();
}

void FakeAudioDevice::install()
{
    s_made = 0;
    s_initFails = false;
    s_streamFails = false;
    setPlatformAudioDeviceFactory( &FakeAudioDevice::create );
}

void FakeAudioDevice::uninstall()
{
    setPlatformAudioDeviceFactory( nullptr );
}
