// The application's audio steps: device, output stream and mixer, sound bank and theme music.
#include "Framework/application/HApplication.h"

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/audio/HAudioDevice.h"
#include "Framework/audio/HAudioLoader.h"
#include "Framework/audio/HAudioStream.h"
#include "Framework/audio/HLock.h"
#include "Framework/audio/HOVAudioStream.h"
#include "Framework/util/src/HLog.h"

namespace
{
const int32_t kMusicVolume = 64;
}

bool HApplication::m_createAudioDevice( HFileSystem* pFileSystem, int32_t channels, int32_t bitsPerSample,
                                        int32_t sampleRate )
{
    if( m_pAudioDevice == nullptr )
        m_pAudioDevice = createAudioDevice( m_pCvars, channels, bitsPerSample, sampleRate );
    m_soundBank.setFileSystem( pFileSystem );
    // Without a device there is nothing to play music on, so no stream is made for it.
    if( m_pAudioDevice != nullptr && m_pThemeMusic == nullptr )
    {
        m_pThemeMusic = new HOVAudioStream();
        if( !m_pThemeMusic->init() )
        {
            delete m_pThemeMusic;
            m_pThemeMusic = nullptr;
        }
    }
    if( !m_createAudioStream( channels, bitsPerSample, sampleRate ) )
        m_destroyAudioDevice();
    return m_pAudioDevice != nullptr;
}

bool HApplication::m_createAudioStream( int32_t channels, int32_t bitsPerSample, int32_t sampleRate )
{
    logMessage( "...entering m_createAudioStream\n" );
    if( m_pAudioDevice == nullptr )
        return true;
    logMessage( "...creating mixing stream: " );
    m_mixer.init();
    m_mixer.setFormat( channels, bitsPerSample, sampleRate );
    m_pAudioStream = m_pAudioDevice->createStream( &m_mixer );
    if( m_pAudioStream == nullptr )
    {
        logMessage( "failed\n" );
        return false;
    }
    m_soundBank.setMixer( &m_mixer );
    m_pAudioStream->play();
    logMessage( "success\n" );
    return true;
}

void HApplication::m_destroyAudioStream()
{
    if( m_pAudioStream == nullptr )
        return;
    m_pAudioStream->stop();
    // The device owns the stream; releasing it lets go of the mixer.
    m_pAudioStream->release();
    m_pAudioStream = nullptr;
}

void HApplication::m_destroyAudioDevice()
{
    if( m_pAudioStream != nullptr )
        m_pAudioStream->stop();
    setMusicPlaying( false );
    unloadThemeMusic();
    m_mixer.shutdown();
    m_soundBank.unloadAll();
    m_destroyAudioStream();
    destroyAudioDevice( m_pAudioDevice );
    m_pAudioDevice = nullptr;
}

void HApplication::setMusicPlaying( bool on )
{
    if( m_pAudioDevice == nullptr || m_pAudioStream == nullptr || on == m_musicPlaying )
        return;
    if( on && m_pThemeMusic == nullptr )
        return;
    if( on )
        m_mixer.setMusicSource( &m_musicHandle, m_pThemeMusic, kMusicVolume );
    else
        m_mixer.clearMusicSource( m_musicHandle );
    m_musicPlaying = on;
}

bool HApplication::loadThemeMusic( const char* kpName, HFileSystem* pFileSystem, int32_t loopPosition )
{
    if( m_pThemeMusic == nullptr )
        return true;
    HFile* pFile = pFileSystem != nullptr && kpName != nullptr ? pFileSystem->openFileForRead( kpName ) : nullptr;
    if( pFile == nullptr )
    {
        logMessage( "...***could not open theme music***\n" );
        return false;
    }
    // A theme loaded before is let go first, detached from the mixer while it is replaced.
    const bool wasPlaying = m_musicPlaying;
    setMusicPlaying( false );
    m_pThemeMusic->setStream( nullptr, 0, 16, 22050, 0 );
    HAudioLoader::freeSampleData( m_pThemeMusicBuffer );
    m_pThemeMusicBuffer = nullptr;

    uint32_t size = pFile->getSize();
    uint8_t* pBuffer = size > 0 ? HAudioLoader::allocateSampleData( size ) : nullptr;
    bool read = pBuffer != nullptr && pFile->read( pBuffer, size ) == size;
    pFile->close();
    if( !read || !m_pThemeMusic->setStream( pBuffer, size, 16, 22050, loopPosition ) )
    {
        m_pThemeMusic->setStream( nullptr, 0, 16, 22050, 0 );
        HAudioLoader::freeSampleData( pBuffer );
        logMessage( "...***could not decode theme music***\n" );
        return false;
    }
    // Music is pulled straight into the output block: it must already be in the output's format.
    if( m_pAudioDevice != nullptr && ( m_pThemeMusic->getChannels() != m_pAudioDevice->getChannels() ||
                                       m_pThemeMusic->getFrequency() != m_pAudioDevice->getFrequency() ) )
    {
        logMessage( "...***theme music has %d channels at %d Hz, the output %d at %d Hz***\n",
                    m_pThemeMusic->getChannels(), m_pThemeMusic->getFrequency(), m_pAudioDevice->getChannels(),
                    m_pAudioDevice->getFrequency() );
        m_pThemeMusic->setStream( nullptr, 0, 16, 22050, 0 );
        HAudioLoader::freeSampleData( pBuffer );
        return false;
    }
    m_pThemeMusicBuffer = pBuffer;
    if( m_pThemeMusicLock == nullptr )
        m_pThemeMusicLock = createLock();
    m_pThemeMusic->setLock( m_pThemeMusicLock );
    if( wasPlaying )
        setMusicPlaying( true );
    return true;
}

void HApplication::unloadThemeMusic()
{
    setMusicPlaying( false );
    // The mixer no longer reads the stream once the music is detached.
    if( m_pThemeMusic != nullptr )
    {
        m_pThemeMusic->shutdown();
        delete m_pThemeMusic;
        m_pThemeMusic = nullptr;
    }
    HAudioLoader::freeSampleData( m_pThemeMusicBuffer );
    m_pThemeMusicBuffer = nullptr;
    destroyLock( m_pThemeMusicLock );
    m_pThemeMusicLock = nullptr;
}

void HApplication::serviceThemeMusic()
{
    if( m_pThemeMusic != nullptr )
        m_pThemeMusic->restart();
}
