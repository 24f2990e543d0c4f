#ifndef GLIMMERDROP_GAME_VXSOUNDSERVICE_H
#define GLIMMERDROP_GAME_VXSOUNDSERVICE_H

#include <cstdint>

// The sounds the game asks for, by sample name and volume 0 to 255. The audio part connects it to
// the sound bank once an audio device exists; without one the game holds none and plays silently.
class VXSoundService
{
public:
    virtual ~VXSoundService();

    // Once, as 16-bit 22050 Hz, and not again while the same sample is still sounding.
    virtual void playSample( const char* kpName, int32_t volume ) = 0;
    // The alarm is one endless voice of "klaxon.ogg", kept for the whole run: the first start makes
    // it, later starts unpause it where the last stop rewound it.
    virtual void startAlarm( int32_t volume ) = 0;
    virtual void setAlarmVolume( int32_t volume ) = 0;
    // Pauses the alarm voice and rewinds it to its start.
    virtual void stopAlarm() = 0;
    // Effects off ("Sound Enabled" 0) or on again.
    virtual void setMute( bool mute ) = 0;
};

#endif
