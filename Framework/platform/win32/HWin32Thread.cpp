#include "Framework/platform/win32/HWin32Thread.h"

#include <windows.h>

#include <process.h>

HWin32Thread::HWin32Thread()
    : m_routine( nullptr )
    , m_pParameter( nullptr )
    , m_handle( nullptr )
{
}

HWin32Thread::~HWin32Thread()
{
    join();
}

void HWin32Thread::setRoutine( Routine routine )
{
    m_routine = routine;
}

unsigned __stdcall HWin32Thread::m_run( void* pThread )
{
    HWin32Thread* pSelf = static_cast<HWin32Thread*>( pThread );
    pSelf->m_routine( pSelf->m_pParameter );
    return 0;
}

bool HWin32Thread::start( void* pParameter )
{
    if( m_routine == nullptr )
        return false;
    join();
    m_pParameter = pParameter;
    // The C run-time's own start, so the routine may use the C library freely.
    uintptr_t handle = ::_beginthreadex( nullptr, 0, &HWin32Thread::m_run, this, 0, nullptr );
    if( handle == 0 )
        return false;
    m_handle = reinterpret_cast<void*>( handle );
    ::SetThreadPriority( static_cast<HANDLE>( m_handle ), THREAD_PRIORITY_HIGHEST );
    return true;
}

void HWin32Thread::join()
{
    if( m_handle == nullptr )
        return;
    HANDLE handle = static_cast<HANDLE>( m_handle );
    // A routine that joins its own thread would wait for itself for ever.
    if( ::GetThreadId( handle ) != ::GetCurrentThreadId() )
        ::WaitForSingleObject( handle, INFINITE );
    ::CloseHandle( handle );
    m_handle = nullptr;
}
