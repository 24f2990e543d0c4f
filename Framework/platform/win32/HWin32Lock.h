#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32LOCK_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32LOCK_H

#include <cstdint>

#include "Framework/audio/HLock.h"

// A lock over a Windows critical section, between the main thread and an audio thread.
class HWin32Lock : public HLock
{
public:
    HWin32Lock();
    ~HWin32Lock() override;

    bool init() override;
    void shutdown() override;
    // Both do nothing before init or after shutdown, so they always pair.
    void lock() override;
    void unlock() override;

    bool isInitialised() const { return m_initialised != 0; }

private:
    // Room for a CRITICAL_SECTION, so this header needs no system types.
    alignas( 8 ) unsigned char m_section[ 64 ];
    uint8_t m_initialised;
};

#endif
