#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOMIXERSTREAMINGAUDIOSOURCE_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HAUDIOMIXERSTREAMINGAUDIOSOURCE_H

#include <cstdint>

#include "Framework/audio/AudioSample.h"
#include "Framework/audio/HStdLock.h"
#include "Framework/audio/HStreamingAudioSource.h"

// The software mixer: eight voices of cached samples over one optional music source, mixed
// with integer arithmetic and clamping. readNextChunk runs on the audio thread, everything else
// on the main thread; one lock covers the voices and the music pointer, so once a stop or a music
// change returns, the audio thread no longer reads what was stopped and its data may be freed.
class HAudioMixerStreamingAudioSource : public HStreamingAudioSource
{
public:
    static const int32_t kVoiceCount = 8;

    // What a voice holds, as seen from outside.
    struct VoiceState
    {
        const uint8_t* data;
        int32_t channels;
        int32_t bits;
        bool paused;
        int32_t position;
        int32_t volume;
        int32_t tag;
        int32_t loopsLeft;
        int32_t length;
    };

    HAudioMixerStreamingAudioSource();
    ~HAudioMixerStreamingAudioSource() override;

    bool init() override;
    // Resets all eight voices.
    void shutdown() override;
    int32_t readNextChunk( uint8_t* pBuffer, int32_t byteCount ) override;
    int32_t getChannels() const override;
    int32_t getFrequency() const override;
    void setFormat( int32_t channels, int32_t bits, int32_t frequency ) override;

    // 0 and the voice index written out; -1 when all voices are busy; -2 for a sample the mixer
    // cannot play (missing or empty, another bit size or rate, more channels, a loop count below -1).
    // Loop count n plays the sound n + 1 times, -1 until stopped. Volume is clamped to 0..255.
    int32_t playSample( int32_t* pVoiceIndex, const AudioSample* kpSample, int32_t volume, int32_t tag,
                        int32_t loopCount );

    // Voice controls; indexes outside 0..7 are ignored.
    void setVoicePaused( int32_t index, bool paused );
    void setVoiceVolume( int32_t index, int32_t volume );
    void rewindVoice( int32_t index );
    void stopVoice( int32_t index );

    // Whether any voice, paused or not, plays this data.
    bool isSamplePlaying( const uint8_t* kpData );
    // Stops every voice that plays this data; returns how many there were.
    int32_t stopSample( const uint8_t* kpData );

    int32_t setMusicSource( int32_t* pHandle, HStreamingAudioSource* pSource, int32_t volume );
    void clearMusicSource( int32_t handle );
    HStreamingAudioSource* getMusicSource();

    // False for an index outside 0..7.
    bool getVoiceState( int32_t index, VoiceState& state );

private:
    struct Voice
    {
        const uint8_t* data;
        int32_t channels;
        int32_t bits;
        int32_t frequency;
        int32_t size;
        uint8_t paused;
        int32_t position;
        uint8_t volume;
        uint8_t tag;
        int32_t loopsLeft;
        int32_t length;
    };

    static void m_resetVoice( Voice& voice );
    static bool m_isAudible( const Voice& voice ) { return voice.data != nullptr && voice.paused == 0; }
    // One step of a voice: its next value(s), scaled by its volume; handles the end of the sample.
    static void m_stepVoice( Voice& voice, int32_t& left, int32_t& right );
    static void m_advanceVoice( Voice& voice, int32_t step );

    void m_mix16Stereo( uint8_t* pBuffer, int32_t frameCount );
    void m_mix8( uint8_t* pBuffer, int32_t frameCount, int32_t channels );
    bool m_pullMusic( uint8_t* pBuffer, int32_t byteCount );

    HStdLock m_lock;
    Voice m_voices[ kVoiceCount ];
    HStreamingAudioSource* m_pMusicSource;
    uint8_t m_musicVolume;
};

#endif
