#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWAVEOUTAUDIODEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWAVEOUTAUDIODEVICE_H

#include <cstdint>
#include <memory>

#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/win32/HWaveOutAudioStream.h"
#include "Framework/platform/win32/HWin32Thread.h"

// Sound through the waveOut interface: the first output device that offers 8-bit mono (the
// oldest format, so any real device), its one stream, and a service thread that the driver
// tells of every buffer it has played.
class HWaveOutAudioDevice : public HAudioDevice
{
public:
    HWaveOutAudioDevice();
    ~HWaveOutAudioDevice() override;

    // The device's one stream with its buffers made ready, or null when closed or already given.
    HAudioStream* createStream( HStreamingAudioSource* pSource ) override;
    bool init( int32_t channels, int32_t bits, int32_t frequency ) override;
    // Closing the device ends the service thread, which is waited for.
    void shutdownAudioDevice() override;

    HWaveOutAudioStream* getStream() const { return m_pStream.get(); }
    unsigned getDeviceNumber() const { return m_deviceNumber; }

private:
    static void m_serviceLoop( void* pDevice );
    void m_endServiceThread();

    void* m_pWaveOut;
    std::unique_ptr<HWaveOutAudioStream> m_pStream;
    HWin32Thread m_serviceThread;
    void* m_readyEvent;
    unsigned m_deviceNumber;
};

#endif
