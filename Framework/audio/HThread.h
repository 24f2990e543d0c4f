#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HTHREAD_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HTHREAD_H

// A thread that runs one routine with one parameter, for the audio output paths.
class HThread
{
public:
    typedef void ( *Routine )( void* pParameter );

    HThread() = default;
    virtual ~HThread();

    HThread( const HThread& ) = delete;
    HThread& operator=( const HThread& ) = delete;

    virtual void setRoutine( Routine routine ) = 0;
    // Starts a new thread running the routine; false without a routine or when no thread can be made.
    virtual bool start( void* pParameter ) = 0;
    // Waits for the last thread started to end; returns at once when none runs.
    virtual void join() = 0;
};

// Makes a thread object; the caller deletes it.
HThread* createThread();

#endif
