#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HSOUNDBANK_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HSOUNDBANK_H

#include <cstdint>
#include <vector>

#include "Framework/audio/AudioSample.h"

class HAudioMixerStreamingAudioSource;
class HFileSystem;

// Sound effects by file name: each is loaded once, kept in one of 64 templates and started on
// a free mixer voice. The bank owns the sample data it loaded and never frees data a voice plays:
// it stops such voices first.
class HSoundBank
{
public:
    static const int32_t kTemplateCount = 64;
    static const int32_t kNameSize = 128;

    HSoundBank();
    virtual ~HSoundBank();

    HSoundBank( const HSoundBank& ) = delete;
    HSoundBank& operator=( const HSoundBank& ) = delete;

    void setFileSystem( HFileSystem* pFileSystem ) { m_pFileSystem = pFileSystem; }
    HFileSystem* getFileSystem() const { return m_pFileSystem; }
    void setMixer( HAudioMixerStreamingAudioSource* pMixer ) { m_pMixer = pMixer; }
    HAudioMixerStreamingAudioSource* getMixer() const { return m_pMixer; }
    void setMute( bool mute ) { m_enabled = !mute; }
    bool isEnabled() const { return m_enabled; }

    // The cached record, or the sound loaded now (".wav" first, then ".ogg", case-sensitive) and cached.
    // When all 64 templates are taken the sound is still loaded, but not cached: its record stays
    // valid until the next playSound or unloadAll, which free it once no voice plays it.
    bool loadAudioSample( const char* kpName, AudioSample& sample, int32_t bits, int32_t frequency );
    // Starts the sound on a free voice; the voice index goes out, -1 when nothing started.
    // False when nothing plays: no name, file system or mixer, muted, not loadable, already
    // sounding without overlap allowed, or no voice free.
    bool playSound( int32_t* pVoiceIndex, const char* kpName, int32_t bits, int32_t frequency, int32_t loopCount,
                    int32_t volume, int32_t tag, bool allowOverlap );
    // Whether a voice, paused or not, plays a sound of that name.
    bool isPlaying( const char* kpName );
    // Whether that voice, paused or not, plays the sound of that name; a voice index kept from an
    // earlier play may since have been taken by another sound, or reset with the mixer.
    bool isVoicePlaying( int32_t index, const char* kpName );

    // Forwarded to the mixer for voice indexes 0 to 7.
    void setVoicePaused( int32_t index, bool paused );
    void stopVoice( int32_t index );
    void setVoiceVolume( int32_t index, int32_t volume );
    void rewindVoice( int32_t index );

    // Stops the voices that play the sound, then frees it; the next play loads it again.
    void unloadSound( const char* kpName );
    // Frees every sound after stopping the voices that play them, and drops the mixer.
    void unloadAll();

    int32_t getCachedCount() const;
    int32_t getUncachedCount() const { return static_cast<int32_t>( m_uncached.size() ); }

private:
    struct AudioBufferTemplate
    {
        char name[ kNameSize ];
        AudioSample sample;
    };

    bool m_storeAudioBufferTemplate( const char* kpName, const AudioSample& sample );
    void m_freeTemplate( AudioBufferTemplate& entry );
    // Frees uncached sounds that no voice plays any more.
    void m_releaseFinishedUncached();
    static bool m_isFree( const AudioBufferTemplate& entry );

    AudioBufferTemplate m_templates[ kTemplateCount ];
    HFileSystem* m_pFileSystem;
    HAudioMixerStreamingAudioSource* m_pMixer;
    bool m_enabled;
    std::vector<AudioBufferTemplate> m_uncached;
};

#endif
