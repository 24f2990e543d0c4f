#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32THREAD_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32THREAD_H

#include "Framework/audio/HThread.h"

// A thread of the C run-time at the highest thread priority, for the audio output paths. As with
// the portable thread, none is ever left running behind its object: a new start and the
// destructor first wait for the previous one, so a routine must end once its owner asks it to.
class HWin32Thread : public HThread
{
public:
    HWin32Thread();
    ~HWin32Thread() override;

    void setRoutine( Routine routine ) override;
    bool start( void* pParameter ) override;
    void join() override;

    void* getParameter() const { return m_pParameter; }
    // The running thread's handle (a HANDLE), null when none was started or it was joined.
    void* getHandle() const { return m_handle; }

private:
    static unsigned __stdcall m_run( void* pThread );

    Routine m_routine;
    void* m_pParameter;
    void* m_handle;
};

#endif
