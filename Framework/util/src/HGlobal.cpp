#include "Framework/util/src/HGlobal.h"

#include <cstring>

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
const char kpSource[] = "Framework\\util\\src\\HGlobal";
}

char HGlobal::sm_aCmdLine[ 1024 ] = "";
char HGlobal::sm_aResourceDir[ 1024 ] = "";
HDisplayDevice* HGlobal::sm_pDisplayDevice = nullptr;
HEventQueue* HGlobal::sm_pEventQueue = nullptr;
void* HGlobal::sm_pInstance = nullptr;
int HGlobal::sm_iconResource = 0;

void HGlobal::setCommandLine( const char* kpCmdLine )
{
    if( kpCmdLine == nullptr )
        return;
    HVERIFY( ::strlen( kpCmdLine ) <= sizeof( sm_aCmdLine ), kpSource );
    textCopy( sm_aCmdLine, sizeof( sm_aCmdLine ), kpCmdLine );
}

const char* HGlobal::getCommandLine()
{
    return sm_aCmdLine;
}

bool HGlobal::hasSwitch( const char* kpSwitch )
{
    return textContains( sm_aCmdLine, kpSwitch );
}

void HGlobal::setResourceDir( const char* kpDir )
{
    if( kpDir == nullptr )
        return;
    HVERIFY( ::strlen( kpDir ) <= sizeof( sm_aResourceDir ), kpSource );
    textCopy( sm_aResourceDir, sizeof( sm_aResourceDir ), kpDir );
}

const char* HGlobal::getResourceDir()
{
    return sm_aResourceDir;
}
