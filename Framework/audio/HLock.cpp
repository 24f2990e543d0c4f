#include "Framework/audio/HLock.h"

#include "Framework/audio/HStdLock.h"

HLock::~HLock() = default;

HLock* createLock()
{
    HLock* pLock = new HStdLock();
    if( !pLock->init() )
    {
        delete pLock;
        return nullptr;
    }
    return pLock;
}

void destroyLock( HLock* pLock )
{
    if( pLock == nullptr )
        return;
    pLock->shutdown();
    delete pLock;
}
