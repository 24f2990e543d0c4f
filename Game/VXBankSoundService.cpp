#include "Game/VXBankSoundService.h"

#include "Framework/audio/HSoundBank.h"

namespace
{
const char* const kpAlarmName = "klaxon.ogg";
}

VXBankSoundService::VXBankSoundService( HSoundBank* pBank )
    : m_pBank( pBank )
    , m_alarmVoice( -1 )
{
}

void VXBankSoundService::playSample( const char* kpName, int32_t volume )
{
    if( m_pBank != nullptr )
        m_pBank->playSound( nullptr, kpName, kBits, kFrequency, 0, volume, 0, false );
}

int32_t VXBankSoundService::m_currentAlarmVoice()
{
    if( m_alarmVoice >= 0 && ( m_pBank == nullptr || !m_pBank->isVoicePlaying( m_alarmVoice, kpAlarmName ) ) )
        m_alarmVoice = -1;
    return m_alarmVoice;
}

void VXBankSoundService::startAlarm( int32_t volume )
{
    if( m_pBank == nullptr )
        return;
    int32_t voice = m_currentAlarmVoice();
    if( voice < 0 )
    {
        m_pBank->playSound( &m_alarmVoice, kpAlarmName, kBits, kFrequency, -1, volume, 0, false );
        return;
    }
    m_pBank->setVoicePaused( voice, false );
    m_pBank->setVoiceVolume( voice, volume );
}

void VXBankSoundService::setAlarmVolume( int32_t volume )
{
    int32_t voice = m_currentAlarmVoice();
    if( voice >= 0 )
        m_pBank->setVoiceVolume( voice, volume );
}

void VXBankSoundService::stopAlarm()
{
    int32_t voice = m_currentAlarmVoice();
    if( voice < 0 )
        return;
    m_pBank->setVoicePaused( voice, true );
    m_pBank->rewindVoice( voice );
}

void VXBankSoundService::setMute( bool mute )
{
    if( m_pBank != nullptr )
        m_pBank->setMute( mute );
}
