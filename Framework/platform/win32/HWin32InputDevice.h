#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32INPUTDEVICE_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32INPUTDEVICE_H

#include "Framework/application/HInputDevice.h"

class HCvarManager;

// The input device on Windows: its poll pumps the thread's messages, so the window procedure
// runs on them and posts their events. One per process, made on the first request.
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
    HCvarManager* m_pCvars;
    bool m_created;
    void* m_timer;
};

#endif
