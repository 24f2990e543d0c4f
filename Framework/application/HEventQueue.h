#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HEVENTQUEUE_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HEVENTQUEUE_H

#include <atomic>
#include <cstdint>

#include "Framework/application/HEvent.h"
#include "Framework/graphics/HRect.h"

class HFile;
class HInputDevice;

// The application's queue of events: a ring of 128 records (so at most 127 waiting), fed by the
// window procedure through the poll source, or replaced wholesale by a journal being played back.
// It stamps every posted event with the clock and, each time it has run dry, begins the next pass
// with an ET_TIMESTAMP if the clock has moved on, so all time in the program comes from event stamps.
class HEventQueue
{
public:
    static const int kCapacity = 128;

    HEventQueue();

    HEventQueue( const HEventQueue& ) = delete;
    HEventQueue& operator=( const HEventQueue& ) = delete;

    // Stamps and queues the event (and journals it when recording); false when the queue is full.
    bool postEvent( const HEvent& event );
    // False when no event is available now; the record then has type ET_NONE.
    bool getEvent( HEvent& event );

    void setPollSource( HInputDevice* pSource ) { m_pPollSource = pSource; }
    HInputDevice* getPollSource() const { return m_pPollSource; }

    // The files are not owned: the application opens and closes them.
    void setRecordFile( HFile* pFile ) { m_pRecordFile = pFile; }
    void clearRecordFile() { m_pRecordFile = nullptr; }
    HFile* getRecordFile() const { return m_pRecordFile; }
    void setPlaybackFile( HFile* pFile );
    void clearPlaybackFile();
    HFile* getPlaybackFile() const { return m_pPlaybackFile; }
    // True once no more input will come, as a journal being played back has run out or the process
    // was asked to end; the one closing ET_QUIT has been handed out.
    bool isPlaybackExhausted() const { return m_playbackState == PS_EXHAUSTED; }

    // Asks the run to end as a closed window would, at the next getEvent of the process's queue,
    // wherever it waits (main loop, modal screen, journal playback). Safe in a signal handler.
    static void requestQuit();

    // Where the pointer was in the last mouse-move or left-button event handed out.
    HPoint getLastMousePosition() const { return m_lastMouse; }
    uint64_t getLastEventTime() const { return m_lastEventTime; }
    int count() const;

private:
    enum PlaybackState
    {
        PS_NONE,
        PS_PLAYING,
        PS_EXHAUSTED
    };

    bool m_takeFromRing( HEvent& event );
    bool m_readPlayback( HEvent& event );
    void m_noteHandedOut( const HEvent& event );
    // Hands out the closing ET_QUIT, at the last handed-out time; nothing comes after it.
    bool m_endInput( HEvent& event );

    static std::atomic<bool> sm_quitRequested;

    HEvent m_ring[ kCapacity ];
    int32_t m_write;
    int32_t m_read;
    HInputDevice* m_pPollSource;
    HFile* m_pRecordFile;
    HFile* m_pPlaybackFile;
    PlaybackState m_playbackState;
    // A replayed time stamp waits one call, so each ends a pass of the loop as it did live.
    HEvent m_heldStamp;
    bool m_holdingStamp;
    // The queue ran dry: the next call starts a new pass with a time stamp.
    bool m_stampDue;
    HPoint m_lastMouse;
    uint64_t m_lastEventTime;
};

#endif
