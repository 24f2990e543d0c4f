#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32INPUTDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32INPUTDEVICE_H

#include <cstdint>

#include "Framework/application/HGamepadMapper.h"
#include "Framework/application/HInputDevice.h"

class HCvarManager;

// The input device on Windows: its poll pumps the thread's messages, so the window procedure
// runs on them and posts their events, then reads the game pads through XInput (loaded when
// the system has it) and sends what they hold on as key messages. One per process, made on the
// first request.
class HWin32InputDevice : public HInputDevice
{
public:
    explicit HWin32InputDevice( HCvarManager* pCvars );

    // The process's one device, made and created on the first request.
    static HInputDevice* obtain( HCvarManager* pCvars );

    bool create();
    // False when the quit message came (it is taken from the queue); true once no message is left.
    bool poll() override;
    // Sleeps until a message is waiting or the time is up, on a high-resolution timer where the
    // system has one, so that waits shorter than the system tick keep their length.
    void waitForInput( uint32_t timeoutMs ) override;

private:
    typedef uint32_t( __stdcall* GetStateFunction )( uint32_t userIndex, void* pState );

    void m_loadXInput();
    void m_readPads();

    static const int kPadSlots = 4;

    HCvarManager* m_pCvars;
    bool m_created;
    void* m_timer;
    void* m_xinputLibrary;
    GetStateFunction m_pGetState;
    bool m_aConnected[ kPadSlots ];
    // Empty slots are slow to ask; they are asked again only now and then.
    uint64_t m_nextScan;
    HGamepadMapper m_padKeys;
};

#endif
