#include "Framework/application/HEventQueue.h"

#include <algorithm>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/application/HInputDevice.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HProcessServices.h"

namespace
{
const int32_t kMinPoint = -32768;
const int32_t kMaxPoint = 32767;
}

std::atomic<bool> HEventQueue::sm_quitRequested( false );
static_assert( std::atomic<bool>::is_always_lock_free, "a signal handler may only set a lock-free flag" );

void HEventQueue::requestQuit()
{
    sm_quitRequested.store( true );
}

HEventQueue::HEventQueue()
    : m_ring()
    , m_write( 0 )
    , m_read( 0 )
    , m_pPollSource( nullptr )
    , m_pRecordFile( nullptr )
    , m_pPlaybackFile( nullptr )
    , m_playbackState( PS_NONE )
    , m_heldStamp()
    , m_holdingStamp( false )
    , m_stampDue( false )
    , m_lastMouse{ 0, 0 }
    , m_lastEventTime( 0 )
{
}

void HEventQueue::setPlaybackFile( HFile* pFile )
{
    m_pPlaybackFile = pFile;
    m_playbackState = pFile != nullptr ? PS_PLAYING : PS_NONE;
    m_holdingStamp = false;
}

void HEventQueue::clearPlaybackFile()
{
    m_pPlaybackFile = nullptr;
    // Once exhausted, live input must not come back: the recorded run is over.
    if( m_playbackState == PS_PLAYING )
        m_playbackState = PS_NONE;
    m_holdingStamp = false;
}

int HEventQueue::count() const
{
    return ( m_write - m_read + kCapacity ) % kCapacity;
}

bool HEventQueue::postEvent( const HEvent& event )
{
    HEvent& slot = m_ring[ m_write ];
    slot = event;
    slot.time = processServices().getTime();
    int32_t next = ( m_write + 1 ) % kCapacity;
    if( next == m_read )
        return false;
    if( m_pRecordFile != nullptr )
    {
        uint8_t record[ HEvent::kRecordSize ];
        slot.toBytes( record );
        m_pRecordFile->write( record, sizeof( record ) );
    }
    m_write = next;
    return true;
}

bool HEventQueue::getEvent( HEvent& event )
{
    event.clear();
    if( m_playbackState != PS_EXHAUSTED && sm_quitRequested.exchange( false ) )
    {
        logMessage( "...asked to end\n" );
        return m_endInput( event );
    }
    if( m_playbackState != PS_NONE )
        return m_readPlayback( event );

    if( m_stampDue )
    {
        // Made when the next pass begins rather than when the last one ran dry, so it carries
        // the time after the loop's wait, not before it; events queued in between come first.
        m_stampDue = false;
        // A clock that wrapped past 2^32 counts as moved on too, or the program would stall there.
        if( m_read == m_write && processServices().getTime() != m_lastEventTime )
        {
            HEvent stamp;
            stamp.clear();
            stamp.type = ET_TIMESTAMP;
            postEvent( stamp );
        }
    }
    if( m_takeFromRing( event ) )
        return true;
    if( m_pPollSource != nullptr )
    {
        while( !m_pPollSource->poll() )
        {
        }
        // Polling may have waited, and a request to end may have woken it.
        if( sm_quitRequested.load() )
            return getEvent( event );
        if( m_takeFromRing( event ) )
            return true;
    }
    m_stampDue = true;
    return false;
}

bool HEventQueue::m_takeFromRing( HEvent& event )
{
    if( m_read == m_write )
        return false;
    event = m_ring[ m_read ];
    m_read = ( m_read + 1 ) % kCapacity;
    m_noteHandedOut( event );
    return true;
}

bool HEventQueue::m_readPlayback( HEvent& event )
{
    if( m_playbackState == PS_EXHAUSTED )
        return false;
    if( m_holdingStamp )
    {
        m_holdingStamp = false;
        event = m_heldStamp;
        m_noteHandedOut( event );
        return true;
    }
    uint8_t record[ HEvent::kRecordSize ];
    uint32_t got = m_pPlaybackFile != nullptr ? m_pPlaybackFile->read( record, sizeof( record ) ) : 0;
    if( got == sizeof( record ) )
    {
        event.fromBytes( record );
        // Live points come through a window message's two 16-bit halves; a journal's may be anything,
        // and sums such as a point plus the cursor's size must not overflow.
        event.x = std::min( std::max( event.x, kMinPoint ), kMaxPoint );
        event.y = std::min( std::max( event.y, kMinPoint ), kMaxPoint );
        if( event.type == ET_TIMESTAMP )
        {
            // Live, the queue made this stamp when it ran dry, and the loop redrew before taking it.
            m_heldStamp = event;
            m_holdingStamp = true;
            event.clear();
            return false;
        }
        m_noteHandedOut( event );
        return true;
    }
    // The journal has run out: end the run the way a closed window would, at the last replayed time.
    if( got != 0 )
        logMessage( "...journal ends with a partial record of %u bytes\n", static_cast<unsigned>( got ) );
    logMessage( "...end of journal playback\n" );
    return m_endInput( event );
}

bool HEventQueue::m_endInput( HEvent& event )
{
    m_playbackState = PS_EXHAUSTED;
    m_holdingStamp = false;
    event.clear();
    event.type = ET_QUIT;
    event.time = m_lastEventTime;
    return true;
}

void HEventQueue::m_noteHandedOut( const HEvent& event )
{
    if( event.type == ET_MOUSEMOVE ||
        ( ( event.type == ET_KEYDOWN || event.type == ET_KEYUP ) && event.key == KC_LBUTTON ) )
        m_lastMouse = HPoint{ event.x, event.y };
    m_lastEventTime = event.time;
}
