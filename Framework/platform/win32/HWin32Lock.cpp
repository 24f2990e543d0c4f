#include "Framework/platform/win32/HWin32Lock.h"

#include <windows.h>

static_assert( sizeof( CRITICAL_SECTION ) <= 64, "the lock keeps room for a critical section" );

namespace
{
CRITICAL_SECTION* sectionOf( unsigned char* pStorage )
{
    return reinterpret_cast<CRITICAL_SECTION*>( pStorage );
}
}

HWin32Lock::HWin32Lock()
    : m_section()
    , m_initialised( 0 )
{
}

HWin32Lock::~HWin32Lock()
{
    shutdown();
}

bool HWin32Lock::init()
{
    if( m_initialised == 0 )
    {
        ::InitializeCriticalSection( sectionOf( m_section ) );
        m_initialised = 1;
    }
    return true;
}

void HWin32Lock::shutdown()
{
    if( m_initialised == 0 )
        return;
    ::DeleteCriticalSection( sectionOf( m_section ) );
    m_initialised = 0;
}

void HWin32Lock::lock()
{
    if( m_initialised != 0 )
        ::EnterCriticalSection( sectionOf( m_section ) );
}

void HWin32Lock::unlock()
{
    if( m_initialised != 0 )
        ::LeaveCriticalSection( sectionOf( m_section ) );
}
