#include "Framework/audio/HSoundBank.h"

#include <cstring>

#include "Framework/audio/HAudioLoader.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HOGGLoader.h"
#include "Framework/audio/HWAVLoader.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
void clearEntry( char* pName, AudioSample& sample )
{
    pName[ 0 ] = '\0';
    std::memset( &sample, 0, sizeof( sample ) );
}

// Longer names would be cut on storing and then never found again.
bool isUsableName( const char* kpName )
{
    return kpName != nullptr && std::strlen( kpName ) < static_cast<size_t>( HSoundBank::kNameSize );
}
}

HSoundBank::HSoundBank()
    : m_pFileSystem( nullptr )
    , m_pMixer( nullptr )
    , m_enabled( true )
{
    for( AudioBufferTemplate& entry : m_templates )
        clearEntry( entry.name, entry.sample );
}

HSoundBank::~HSoundBank()
{
    unloadAll();
}

bool HSoundBank::m_isFree( const AudioBufferTemplate& entry )
{
    return entry.name[ 0 ] == '\0' && entry.sample.data == nullptr;
}

bool HSoundBank::loadAudioSample( const char* kpName, AudioSample& sample, int32_t bits, int32_t frequency )
{
    if( m_pFileSystem == nullptr || !isUsableName( kpName ) )
        return false;
    for( const AudioBufferTemplate& entry : m_templates )
    {
        if( !m_isFree( entry ) && textEqualsNoCase( entry.name, kpName ) )
        {
            sample = entry.sample;
            return true;
        }
    }

    debugTrace( "...loading sound '%s'\n", kpName );
    AudioSample loaded;
    std::memset( &loaded, 0, sizeof( loaded ) );
    bool ok = false;
    if( std::strstr( kpName, ".wav" ) != nullptr )
    {
        HWAVLoader loader;
        ok = loader.loadAudioSample( m_pFileSystem, kpName, loaded, bits, frequency );
    }
    else if( std::strstr( kpName, ".ogg" ) != nullptr )
    {
        HOGGLoader loader;
        ok = loader.loadAudioSample( m_pFileSystem, kpName, loaded, bits, frequency );
    }
    else
    {
        debugTrace( "loadAudioSample - unknown file type for file '%s'", kpName );
        return false;
    }
    if( !ok )
        return false;

    if( !m_storeAudioBufferTemplate( kpName, loaded ) )
    {
        AudioBufferTemplate entry;
        textCopy( entry.name, sizeof( entry.name ), kpName );
        entry.sample = loaded;
        m_uncached.push_back( entry );
    }
    sample = loaded;
    return true;
}

bool HSoundBank::m_storeAudioBufferTemplate( const char* kpName, const AudioSample& sample )
{
    for( AudioBufferTemplate& entry : m_templates )
    {
        if( m_isFree( entry ) )
        {
            textCopy( entry.name, sizeof( entry.name ), kpName );
            entry.sample = sample;
            return true;
        }
    }
    debugTrace( "m_storeAudioBufferTemplate - couldn't find a free slot" );
    return false;
}

bool HSoundBank::playSound( int32_t* pVoiceIndex, const char* kpName, int32_t bits, int32_t frequency,
                            int32_t loopCount, int32_t volume, int32_t tag, bool allowOverlap )
{
    if( pVoiceIndex != nullptr )
        *pVoiceIndex = -1;
    if( kpName == nullptr || m_pFileSystem == nullptr || m_pMixer == nullptr || !m_enabled )
        return false;
    m_releaseFinishedUncached();

    AudioSample sample;
    if( !loadAudioSample( kpName, sample, bits, frequency ) )
        return false;
    if( !allowOverlap && isPlaying( kpName ) )
        return false;
    if( sample.data == nullptr )
        return false;
    int32_t voice = -1;
    if( m_pMixer->playSample( &voice, &sample, volume, tag, loopCount ) != 0 )
        return false;
    if( pVoiceIndex != nullptr )
        *pVoiceIndex = voice;
    return true;
}

bool HSoundBank::isPlaying( const char* kpName )
{
    if( m_pMixer == nullptr || kpName == nullptr )
        return false;
    for( const AudioBufferTemplate& entry : m_templates )
    {
        if( entry.sample.data != nullptr && textEqualsNoCase( entry.name, kpName ) &&
            m_pMixer->isSamplePlaying( entry.sample.data ) )
            return true;
    }
    for( const AudioBufferTemplate& entry : m_uncached )
    {
        if( textEqualsNoCase( entry.name, kpName ) && m_pMixer->isSamplePlaying( entry.sample.data ) )
            return true;
    }
    return false;
}

bool HSoundBank::isVoicePlaying( int32_t index, const char* kpName )
{
    HAudioMixerStreamingAudioSource::VoiceState state;
    if( m_pMixer == nullptr || kpName == nullptr || !m_pMixer->getVoiceState( index, state ) || state.data == nullptr )
        return false;
    for( const AudioBufferTemplate& entry : m_templates )
    {
        if( entry.sample.data == state.data && textEqualsNoCase( entry.name, kpName ) )
            return true;
    }
    for( const AudioBufferTemplate& entry : m_uncached )
    {
        if( entry.sample.data == state.data && textEqualsNoCase( entry.name, kpName ) )
            return true;
    }
    return false;
}

void HSoundBank::setVoicePaused( int32_t index, bool paused )
{
    if( m_pMixer != nullptr && index >= 0 && index < HAudioMixerStreamingAudioSource::kVoiceCount )
        m_pMixer->setVoicePaused( index, paused );
}

void HSoundBank::stopVoice( int32_t index )
{
    if( m_pMixer != nullptr && index >= 0 && index < HAudioMixerStreamingAudioSource::kVoiceCount )
        m_pMixer->stopVoice( index );
}

void HSoundBank::setVoiceVolume( int32_t index, int32_t volume )
{
    if( m_pMixer != nullptr && index >= 0 && index < HAudioMixerStreamingAudioSource::kVoiceCount )
        m_pMixer->setVoiceVolume( index, volume );
}

void HSoundBank::rewindVoice( int32_t index )
{
    if( m_pMixer != nullptr && index >= 0 && index < HAudioMixerStreamingAudioSource::kVoiceCount )
        m_pMixer->rewindVoice( index );
}

void HSoundBank::m_freeTemplate( AudioBufferTemplate& entry )
{
    // The mixer's stop waits for a block being mixed, so the data is unused once it returns.
    if( m_pMixer != nullptr && entry.sample.data != nullptr )
        m_pMixer->stopSample( entry.sample.data );
    HAudioLoader::freeSampleData( entry.sample.data );
    clearEntry( entry.name, entry.sample );
}

void HSoundBank::unloadSound( const char* kpName )
{
    if( kpName == nullptr )
        return;
    for( AudioBufferTemplate& entry : m_templates )
    {
        if( !m_isFree( entry ) && textEqualsNoCase( entry.name, kpName ) )
            m_freeTemplate( entry );
    }
    for( size_t index = 0; index < m_uncached.size(); )
    {
        if( textEqualsNoCase( m_uncached[ index ].name, kpName ) )
        {
            m_freeTemplate( m_uncached[ index ] );
            m_uncached.erase( m_uncached.begin() + static_cast<std::ptrdiff_t>( index ) );
        }
        else
        {
            ++index;
        }
    }
}

void HSoundBank::unloadAll()
{
    for( AudioBufferTemplate& entry : m_templates )
    {
        if( entry.sample.data != nullptr )
            m_freeTemplate( entry );
    }
    for( AudioBufferTemplate& entry : m_uncached )
        m_freeTemplate( entry );
    m_uncached.clear();
    m_pMixer = nullptr;
}

void HSoundBank::m_releaseFinishedUncached()
{
    for( size_t index = 0; index < m_uncached.size(); )
    {
        AudioBufferTemplate& entry = m_uncached[ index ];
        if( m_pMixer != nullptr && m_pMixer->isSamplePlaying( entry.sample.data ) )
        {
            ++index;
            continue;
        }
        HAudioLoader::freeSampleData( entry.sample.data );
        m_uncached.erase( m_uncached.begin() + static_cast<std::ptrdiff_t>( index ) );
    }
}

int32_t HSoundBank::getCachedCount() const
{
    int32_t count = 0;
    for( const AudioBufferTemplate& entry : m_templates )
    {
        if( !m_isFree( entry ) )
            ++count;
    }
    return count;
}
