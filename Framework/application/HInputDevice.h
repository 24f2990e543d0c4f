#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HINPUTDEVICE_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HINPUTDEVICE_H

// The event queue's poll source: pumps the platform's messages, which post events.
// One instance lives per process; the application only borrows it.
class HInputDevice
{
public:
    HInputDevice();
    virtual ~HInputDevice();

    HInputDevice( const HInputDevice& ) = delete;
    HInputDevice& operator=( const HInputDevice& ) = delete;

    // False ends one pass of the pump early (a quit message); the queue polls until true.
    virtual bool poll() = 0;
    // Called when the window loses and regains activation.
    virtual void suspend();
    virtual void resume();
};

#endif
