#include "Framework/audio/HStdLock.h"

HStdLock::HStdLock()
    : m_initialised( false )
{
}

HStdLock::~HStdLock()
{
    shutdown();
}

bool HStdLock::init()
{
    m_initialised = true;
    return true;
}

void HStdLock::shutdown()
{
    m_initialised = false;
}

void HStdLock::lock()
{
    if( m_initialised )
        m_mutex.lock();
}

void HStdLock::unlock()
{
    if( m_initialised )
        m_mutex.unlock();
}
