#include "Framework/audio/HStdThread.h"

#include <system_error>

#include "Framework/util/src/HLog.h"

HStdThread::HStdThread()
    : m_routine( nullptr )
    , m_pParameter( nullptr )
{
}

HStdThread::~HStdThread()
{
    join();
}

void HStdThread::setRoutine( Routine routine )
{
    m_routine = routine;
}

bool HStdThread::start( void* pParameter )
{
    if( m_routine == nullptr )
        return false;
    join();
    m_pParameter = pParameter;
    try
    {
        m_thread = std::thread( m_routine, pParameter );
    }
    catch( const std::system_error& error )
    {
        // The standard library reports a refused thread only this way; it stays a result here.
        debugTrace( "HStdThread::start - could not start a thread: %s", error.what() );
        return false;
    }
    return true;
}

void HStdThread::join()
{
    if( !m_thread.joinable() )
        return;
    // A routine that deletes its own thread object cannot wait for itself.
    if( m_thread.get_id() == std::this_thread::get_id() )
        m_thread.detach();
    else
        m_thread.join();
}
