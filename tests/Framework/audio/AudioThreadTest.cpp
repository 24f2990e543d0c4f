#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "Framework/audio/HAudioMixerStreamingAudioSource.h"
#include "Framework/audio/HLock.h"
#include "Framework/audio/HOVAudioStream.h"
#include "Framework/audio/HSoundBank.h"
#include "Framework/audio/HThread.h"
#include "tests/support/SoundFiles.h"
#include "tests/support/TempDir.h"

namespace
{
const int32_t kRate = 22050;

// Stands in for the output thread: pulls blocks from the mixer until told to stop.
struct Puller
{
    HAudioMixerStreamingAudioSource* pMixer = nullptr;
    std::atomic<bool> stop{ false };
    std::atomic<long> blocks{ 0 };
    std::atomic<long> loudBlocks{ 0 };

    static void run( void* pParameter )
    {
        Puller* pPuller = static_cast<Puller*>( pParameter );
        std::vector<int16_t> block( 512 );
        while( !pPuller->stop.load() )
        {
            pPuller->pMixer->readNextChunk( reinterpret_cast<uint8_t*>( block.data() ),
                                            static_cast<int32_t>( block.size() * 2 ) );
            if( block[ 0 ] != 0 || block[ 1 ] != 0 )
                ++pPuller->loudBlocks;
            ++pPuller->blocks;
        }
    }
};

class AudioThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::internal::CaptureStdout();
        m_fs.init( m_dir.path().c_str() );
        testing::internal::GetCapturedStdout();
        for( int index = 0; index < 6; ++index )
        {
            std::vector<int16_t> values( 2000, static_cast<int16_t>( 1000 * ( index + 1 ) ) );
            m_dir.write( "s" + std::to_string( index ) + ".wav", makeWav( bytesOf( values ), 2, kRate, 16 ) );
        }
        m_dir.write( "tone.ogg", encodeOgg( synthSine( 3000, 2, kRate, 500.0, 8000.0 ), 2, kRate ) );
        m_music = encodeOgg( synthSine( kRate / 2, 2, kRate, 300.0, 8000.0 ), 2, kRate );
        m_mixer.setFormat( 2, 16, kRate );
        m_bank.setFileSystem( &m_fs );
        m_bank.setMixer( &m_mixer );
    }

    // The main thread's side: starts, pauses, stops and frees sounds, and swaps the music.
    void churn( int rounds )
    {
        HOVAudioStream music;
        ASSERT_TRUE( music.init() );
        ASSERT_TRUE( music.setStream( reinterpret_cast<const uint8_t*>( m_music.data() ),
                                      static_cast<uint32_t>( m_music.size() ), 16, kRate, 100 ) );
        HLock* pLock = createLock();
        music.setLock( pLock );
        for( int round = 0; round < rounds; ++round )
        {
            std::string name = "s" + std::to_string( round % 6 ) + ".wav";
            int32_t voice = -1;
            m_bank.playSound( &voice, name.c_str(), 16, kRate, round % 3 == 0 ? -1 : 0, 200, 0, true );
            m_bank.playSound( nullptr, "tone.ogg", 16, kRate, 1, 255, 0, true );
            if( round % 2 == 0 )
                m_bank.setVoicePaused( voice, true );
            m_bank.setVoiceVolume( voice, round % 255 );
            m_bank.rewindVoice( voice );
            if( round % 4 == 0 )
                m_bank.stopVoice( voice );
            // Freed while a voice may still be on it: the bank must stop the voice first.
            if( round % 5 == 0 )
                m_bank.unloadSound( name.c_str() );
            if( round % 7 == 0 )
                m_mixer.setMusicSource( nullptr, &music, 64 );
            if( round % 11 == 0 )
                music.restart();
            if( round % 13 == 0 )
                m_mixer.clearMusicSource( 0 );
            if( round % 17 == 0 )
            {
                m_bank.unloadAll();
                m_bank.setMixer( &m_mixer );
            }
            if( round % 29 == 0 )
                m_mixer.shutdown();
            std::this_thread::yield();
        }
        // The music stream goes away only once the mixer no longer points at it.
        m_mixer.clearMusicSource( 0 );
        m_bank.unloadAll();
        music.shutdown();
        destroyLock( pLock );
    }

    TempDir m_dir;
    HStandardFileSystem m_fs;
    HAudioMixerStreamingAudioSource m_mixer;
    HSoundBank m_bank;
    std::string m_music;
};
}

TEST_F( AudioThreadTest, PlayStopAndFreeWhileAThreadMixes )
{
    Puller puller;
    puller.pMixer = &m_mixer;
    std::unique_ptr<HThread> thread( createThread() );
    thread->setRoutine( &Puller::run );
    ASSERT_TRUE( thread->start( &puller ) );
    churn( 600 );
    puller.stop = true;
    thread->join();
    EXPECT_GT( puller.blocks.load(), 0 );
    EXPECT_GT( puller.loudBlocks.load(), 0 ) << "the thread heard the sounds";
}
