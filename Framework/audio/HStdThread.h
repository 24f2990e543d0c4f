#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HSTDTHREAD_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HSTDTHREAD_H

#include <thread>

#include "Framework/audio/HThread.h"

// The portable thread over the standard library. A thread is never left running behind its
// object: a new start and the destructor first wait for the previous one, so a routine must
// end once its owner asks it to.
class HStdThread : public HThread
{
public:
    HStdThread();
    ~HStdThread() override;

    void setRoutine( Routine routine ) override;
    bool start( void* pParameter ) override;
    void join() override;

    void* getParameter() const { return m_pParameter; }

private:
    Routine m_routine;
    void* m_pParameter;
    std::thread m_thread;
};

#endif
