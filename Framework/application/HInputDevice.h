#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HINPUTDEVICE_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HINPUTDEVICE_H

#include <cstdint>

class HCvarManager;

// The event queue's poll source: pumps the platform's messages, which post events.
// One instance lives per process, made on first request by the platform's provider;
// the application only borrows it.
class HInputDevice
{
public:
    typedef HInputDevice* ( *Provider )( HCvarManager* pCvars );

    HInputDevice();
    virtual ~HInputDevice();

    HInputDevice( const HInputDevice& ) = delete;
    HInputDevice& operator=( const HInputDevice& ) = delete;

    // False ends one pass of the pump early (a quit message); the queue polls until true.
    virtual bool poll() = 0;
    // Blocks until input is waiting or the time is up; the input stays for the next poll.
    // Without a way to wait on the platform this only sleeps.
    virtual void waitForInput( uint32_t timeoutMs );
    // Called when the window loses and regains activation.
    virtual void suspend();
    virtual void resume();

    // The platform says how its one device is obtained; null means it has none.
    static void setProvider( Provider provider );
    // The process's input device, or null when the platform has none or it could not be made.
    static HInputDevice* obtain( HCvarManager* pCvars );

private:
    static Provider sm_provider;
};

#endif
