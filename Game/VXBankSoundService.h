#ifndef GLIMMERDROP_GAME_VXBANKSOUNDSERVICE_H
#define GLIMMERDROP_GAME_VXBANKSOUNDSERVICE_H

#include <cstdint>

#include "Game/VXSoundService.h"

class HSoundBank;

// The game's sounds played through the sound bank: effects once at 16 bits and 22050 Hz, and the
// alarm as one endless "klaxon.ogg" voice that is paused and rewound rather than freed.
class VXBankSoundService : public VXSoundService
{
public:
    static const int32_t kBits = 16;
    static const int32_t kFrequency = 22050;

    explicit VXBankSoundService( HSoundBank* pBank );

    void playSample( const char* kpName, int32_t volume ) override;
    void startAlarm( int32_t volume ) override;
    void setAlarmVolume( int32_t volume ) override;
    void stopAlarm() override;
    void setMute( bool mute ) override;

    int32_t getAlarmVoice() const { return m_alarmVoice; }

private:
    // The alarm's voice, or -1 when it no longer plays the alarm (never started, or the audio
    // system was restarted and the index may now belong to another sound).
    int32_t m_currentAlarmVoice();

    HSoundBank* m_pBank;
    int32_t m_alarmVoice;
};

#endif
